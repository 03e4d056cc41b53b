#!/bin/sh
# Usage: check_exports.sh NM LIBRARY
# Fails unless the library defines exactly _Fuck, _GetErrorStr and _run_main
# in its dynamic symbol table.
symbols=$("$1" -D --defined-only "$2" | awk '{print $3}' | sort | tr '\n' ' ')
if [ "$symbols" != "_Fuck _GetErrorStr _run_main " ]; then
    echo "unexpected exports: $symbols"
    exit 1
fi
