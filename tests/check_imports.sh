#!/usr/bin/env bash
# Fails when a dynamically linked eb-com imports a number routine of the C
# library: their answers differ between glibc, musl and macOS, and the
# program gives glibc's bytes with code of its own instead.
#   check_imports.sh <eb-com built with -DEB_COM_STATIC=OFF>
set -euo pipefail
imports=$(nm -D --undefined-only "$1" | awk '{print $NF}' | sed 's/@.*//')
if [[ -z $imports ]]; then
  echo "$1 imports nothing: is it linked statically?" >&2
  exit 1
fi
number_routines=$(grep -E '^_*(__isoc(99|23)_)?(v?(f|s|sn|as|d)?printf|v?(f|s)?scanf|strto(f|d|ld|l|ll|ul|ull|imax|umax)|ato(f|i|l|ll)|(e|f|g)cvt|printf_chk|.*printf_chk|.*scanf_chk)$' <<< "$imports" || true)
if [[ -n $number_routines ]]; then
  echo "$1 imports C library number routines:" $number_routines >&2
  exit 1
fi
echo "$1 imports $(wc -l <<< "$imports") symbols, none of them a scanf, printf or strtod routine"
