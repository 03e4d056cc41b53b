#!/bin/sh
# Usage: check_exports.sh NM LIBRARY SYMBOL...
# Fails unless the symbols the library defines in its dynamic symbol table
# are exactly the SYMBOLs given.
nm=$1
library=$2
shift 2
expected=$(printf '%s\n' "$@" | sort | tr '\n' ' ')
symbols=$("$nm" -D --defined-only "$library" | awk '{print $3}' | sort | tr '\n' ' ')
if [ "$symbols" != "$expected" ]; then
    echo "unexpected exports: $symbols (wanted: $expected)"
    exit 1
fi
