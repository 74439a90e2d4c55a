#!/bin/sh
# The Linux module exports exactly the entry points listed in the .def file.
#   check_elf_exports.sh Veltrand.so Veltrand.def
set -eu
expected=$(awk '/^EXPORTS/ { on = 1; next } on && NF { print $1 }' "$2" | sort)
actual=$(nm -D --defined-only "$1" | awk '{ print $3 }' | sort)
if [ "$expected" != "$actual" ]; then
    echo "exports differ from $2:"
    printf '%s\n' "$actual"
    exit 1
fi
echo "$1 exports exactly the $(echo "$expected" | wc -l) entry points"
