/* Velmorad1: the symbolic engine, file in, file out.
 *
 * _run_main reads the circuit netlist at `netlist` and the expansion settings
 * "setup.sym" from the working directory, and writes the analysis script to
 * `script`. It returns 0 when the script was written and a non-zero value
 * when the run stopped; _GetErrorStr then tells why ("No errors." after a
 * run that succeeded, empty before the first run). The engine is not
 * re-entrant: one run at a time. */
#ifndef VELMORAD1_H
#define VELMORAD1_H

#if defined(_WIN32)
#define VELMORAD1_API
#else
#define VELMORAD1_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

VELMORAD1_API int _run_main(const char* netlist, const char* script);
VELMORAD1_API const char* _GetErrorStr(void);
VELMORAD1_API void _Fuck(void);

#ifdef __cplusplus
}
#endif

#endif
