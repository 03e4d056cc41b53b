// The exported functions of Velmorad1; everything else stays hidden.
#include "velmorad1.h"

#include "run.h"
#include "state.h"

extern "C" {

VELMORAD1_API int _run_main(const char* netlist, const char* script) { return vorlan::RunMain(netlist, script); }

VELMORAD1_API const char* _GetErrorStr(void) { return vorlan::Engine().ErrorText; }

VELMORAD1_API void _Fuck(void) {}

}
