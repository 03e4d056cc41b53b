/* Velmorad: the symbolic engine on netlist lines in memory.
 *
 * int _run_main(int unused1, int unused2, const char** lines, char*** result)
 *
 * `lines` holds the circuit netlist, one NUL-terminated line per entry, in
 * netlist order. There is no title line: entry 0 is the first element line.
 * The lines end with one that begins ".e" or ".E" (such as ".end"); at most
 * 1000 entries are examined, and a NULL entry also ends them. Only the first
 * 80 characters of a line are looked at; a trailing "\n" may be given or not.
 * Entries that begin with "*", "\n" or "\t" are skipped, and so is every
 * entry whose first character is no element letter: nothing is reported for
 * them. No file is read or written and no message is shown; the expansion
 * settings are fixed (no "setup.sym").
 *
 * On success the call stores through `result` the address of an array of
 * result lines and returns their count, at least 1. Read in order and
 * joined without separators, the lines are the symbolic determinant of the
 * circuit. Each line is a NUL-terminated string of at most 70 characters,
 * without padding or line end. A line is broken before the rightmost "("
 * among its 2nd to 70th characters, else before the rightmost "*" or "+" (a
 * stretch of more than 70 characters with none of them is broken after 69);
 * where the expansion took back all it had written after a break, the next
 * line begins with whatever term follows. Only the joined text has meaning.
 * A determinant that expands to nothing gives one empty line.
 * The array is not NULL-terminated: the count is its only length.
 *
 * Failure: the call returns 0 and stores NULL through `result` when the
 * netlist asks for more than the engine holds (more than 100 two-terminal
 * elements; more than 100 four-terminal elements, that is sources and N
 * lines, also when counted together with the "?"-marked elements and the
 * V/A lines; more than 20 probe lines U/I, 20 meter lines V/A or 20
 * elements marked with "?"), names a node outside -47..207 or the node 191
 * (which the engine keeps for itself), gives an element, probe or meter a
 * name of more than 11 characters after its letter, or when `lines` or
 * `result` is NULL.
 * Nothing of such a netlist is expanded.
 *
 * Ownership: the array and its lines belong to the library. They stay valid
 * until the next call of _run_main, which frees them first thing (whatever
 * that call then returns). Copy what you need before calling again; never
 * free or change them.
 *
 * The engine is not re-entrant: one call at a time, from one thread.
 *
 * The file build Velmorad1 exports a _run_main of another signature: do not
 * include velmorad.h and velmorad1.h in one translation unit. */
#ifndef VELMORAD_H
#define VELMORAD_H

#if defined(_WIN32)
#define VELMORAD_API
#else
#define VELMORAD_API __attribute__((visibility("default")))
#endif

#ifdef __cplusplus
extern "C" {
#endif

VELMORAD_API int _run_main(int unused1, int unused2, const char** lines, char*** result);

#ifdef __cplusplus
}
#endif

#endif
