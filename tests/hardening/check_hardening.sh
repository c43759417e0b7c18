#!/bin/sh
# Reads the built programs back with readelf and fails unless each one is hardened:
# a position-independent executable, relocations read-only (RELRO) and bound at start
# (BIND_NOW), a stack that cannot run code, the stack protector's canary check, and,
# with --fortify, the C library's checked (_chk) calls.
#
# usage: check_hardening.sh [--fortify] PROGRAM...
fortify=0
[ "$1" = "" ] && shift  # a Debug build passes an empty place for --fortify
if [ "$1" = --fortify ]; then fortify=1; shift; fi
[ $# -gt 0 ] || { echo "usage: $0 [--fortify] PROGRAM..." >&2; exit 2; }
failed=0
fail() {
  echo "$1: $2" >&2
  failed=1
}
for program in "$@"; do
  if ! header=$(readelf -hW "$program" 2>&1); then
    fail "$program" "not readable as ELF: $header"
    continue
  fi
  dynamic=$(readelf -dW "$program")
  segments=$(readelf -lW "$program")
  symbols=$(readelf --dyn-syms -W "$program")
  echo "$header" | grep -q 'Type: *DYN' && echo "$dynamic" | grep -q 'FLAGS_1.*PIE' ||
    fail "$program" "not a position-independent executable (-pie)"
  echo "$segments" | grep -q 'GNU_RELRO' || fail "$program" "no RELRO segment (-z relro)"
  echo "$dynamic" | grep -Eq 'BIND_NOW|FLAGS_1.* NOW' ||
    fail "$program" "relocations not bound at start (-z now)"
  echo "$segments" | grep 'GNU_STACK' | grep -q 'RWE' && fail "$program" "executable stack"
  echo "$segments" | grep -q 'GNU_STACK' || fail "$program" "no GNU_STACK segment"
  echo "$symbols" | grep -q '__stack_chk_fail' ||
    fail "$program" "no stack protector (-fstack-protector-strong)"
  if [ "$fortify" = 1 ]; then
    echo "$symbols" | grep -Eq '__[a-z0-9_]+_chk(@|$| )' ||
      fail "$program" "no checked C library calls (-D_FORTIFY_SOURCE)"
  fi
done
exit "$failed"
