#!/usr/bin/env bash
# Reads tvkhook.dll itself: exactly its fifteen exports (the main program's
# ten at ordinals 1 to 10, the held key's at 11, the Unicode text send at 12,
# the hook's queue at 13, its watchdog at 14 and the word keys at 15), decorated in the 32-bit
# library and plain in the 64-bit one, imports from kernel32, user32 and
# advapi32 only, no section that any other process could share, no runtime
# sections, and a small file.
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
  expected="1:_InitKBHook@4 2:_IsKBHookTolvarON@0 3:_IsSetKBHook@0 4:_KBHookTolvarOFF@0 5:_KBHookTolvarON@0 6:_RemoveKBHook@0 7:_SendKeysJPH@4 8:_SendKeysKE@4 9:_SetKBHook@0 10:_SetKBToggleALTChar@4 11:_SendHeldKey@4 12:_SendTextUI@8 13:_TakeKBEntry@4 14:_CheckKBHook@0 15:_SetKBWordKeys@4 "
else
  expected="1:InitKBHook 2:IsKBHookTolvarON 3:IsSetKBHook 4:KBHookTolvarOFF 5:KBHookTolvarON 6:RemoveKBHook 7:SendKeysJPH 8:SendKeysKE 9:SetKBHook 10:SetKBToggleALTChar 11:SendHeldKey 12:SendTextUI 13:TakeKBEntry 14:CheckKBHook 15:SetKBWordKeys "
fi
check "exports by ordinal" "$expected" "$exports"
check "export address table entries" "0000000f" \
  "$(sed -n 's/^[[:space:]]*Export Address Table[[:space:]]*\([0-9a-f]\{8\}\)$/\1/p' <<<"$private" | head -1)"
check "ordinal base" "1" "$(sed -n 's/^Ordinal Base[[:space:]]*\([0-9]*\)$/\1/p' <<<"$private")"

imports=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$private" | tr 'a-z' 'A-Z' | sort | tr '\n' ' ')
check "imported DLLs" "ADVAPI32.DLL KERNEL32.DLL USER32.DLL " "$imports"

check "no shared section" "" "$(grep -B1 'SHARED' <<<"$sections" | awk '$1 ~ /^[0-9]+$/ { print $2 }' || true)"

# No C runtime start-up, static constructors or thread-local data (.pdata
# and .xdata are the unwind tables every 64-bit function has; .rsrc holds the
# version resource).
names=$(awk '$1 ~ /^[0-9]+$/ { print $2 }' <<<"$sections" |
  grep -vxE '\.text|\.data|\.rdata|\.bss|\.edata|\.idata|\.reloc|\.pdata|\.xdata|\.rsrc' | tr '\n' ' ' || true)
check "no runtime sections" "" "$names"

size=$(stat -c %s "$dll")
check "tvkhook.dll under 32 KiB" "yes" "$([ "$size" -lt 32768 ] && echo yes || echo "no ($size bytes)")"
echo "tvkhook.dll: $size bytes"

exit $failed
