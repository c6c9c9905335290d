#!/usr/bin/env bash
# Reads tvkhook.dll itself: exactly its fifteen exports (the main program's
# ten at ordinals 1 to 10, the companion's two at 11 and 12, the Unicode
# input send at 13, the held key's at 14, the Unicode text send at 15),
# decorated in the 32-bit library and plain in the 64-bit one, imports from kernel32 and
# user32 only, the shared block in its own shared read-write section, no
# runtime sections, and a small file.
# Usage: dll_tables_test.sh OBJDUMP path/to/tvkhook.dll
set -euo pipefail
objdump=$1
dll=$2

source "$(dirname "$0")/../check.sh"

private=$("$objdump" -p "$dll")
sections=$("$objdump" -h "$dll")

# "[   0] _InitKBHook@4" lines, index counted from the ordinal base 1.
exports=$(sed -n '/^\[Ordinal\/Name Pointer\] Table/,/^$/p' <<<"$private" |
  sed -n 's/^[[:space:]]*\[ *\([0-9]*\)\] \(.*\)$/\1 \2/p' | sort -n |
  while read -r index name; do echo "$((index + 1)):$name"; done | tr '\n' ' ')
if "$objdump" -f "$dll" | grep -q 'pei-i386'; then
  expected="1:_InitKBHook@4 2:_IsKBHookTolvarON@0 3:_IsSetKBHook@0 4:_KBHookTolvarOFF@0 5:_KBHookTolvarON@0 6:_RemoveKBHook@0 7:_SendKeysJPH@4 8:_SendKeysKE@4 9:_SetKBHook@0 10:_SetKBToggleALTChar@4 11:_MarkKBSend@4 12:_SetKBOtherSizeServed@4 13:_SendKeysUI@4 14:_SendHeldKey@4 15:_SendTextUI@8 "
else
  expected="1:InitKBHook 2:IsKBHookTolvarON 3:IsSetKBHook 4:KBHookTolvarOFF 5:KBHookTolvarON 6:RemoveKBHook 7:SendKeysJPH 8:SendKeysKE 9:SetKBHook 10:SetKBToggleALTChar 11:MarkKBSend 12:SetKBOtherSizeServed 13:SendKeysUI 14:SendHeldKey 15:SendTextUI "
fi
check "exports by ordinal" "$expected" "$exports"
check "export address table entries" "0000000f" \
  "$(sed -n 's/^[[:space:]]*Export Address Table[[:space:]]*\([0-9a-f]\{8\}\)$/\1/p' <<<"$private" | head -1)"
check "ordinal base" "1" "$(sed -n 's/^Ordinal Base[[:space:]]*\([0-9]*\)$/\1/p' <<<"$private")"

imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$private" | tr 'a-z' 'A-Z' | sort | tr '\n' ' ')
check "imported DLLs" "KERNEL32.DLL USER32.DLL " "$imports"

shared_flags=$(awk '$2 == ".sdata1" { getline; print }' <<<"$sections" | tr -d ' \t')
check ".sdata1 flags (loaded, shared, writable)" "CONTENTS,ALLOC,LOAD,DATA,SHARED" "$shared_flags"
block_size=$((16#$(awk '$2 == ".sdata1" { print $3 }' <<<"$sections")))
check ".sdata1 holds the 28-byte block" "yes" "$([ "$block_size" -ge 28 ] && echo yes || echo "no ($block_size bytes)")"

# No C runtime start-up, static constructors or thread-local data (.pdata
# and .xdata are the unwind tables every 64-bit function has; .rsrc holds the
# version resource).
names=$(awk '$1 ~ /^[0-9]+$/ { print $2 }' <<<"$sections" |
  grep -vxE '\.text|\.data|\.rdata|\.bss|\.sdata1|\.edata|\.idata|\.reloc|\.pdata|\.xdata|\.rsrc' | tr '\n' ' ' || true)
check "no runtime sections" "" "$names"

size=$(stat -c %s "$dll")
check "tvkhook.dll under 32 KiB" "yes" "$([ "$size" -lt 32768 ] && echo yes || echo "no ($size bytes)")"
echo "tvkhook.dll: $size bytes"

exit $failed
