#!/usr/bin/env bash
# Reads tolvar.exe itself: it binds the exports of tvkhook.dll it calls (all
# but IsSetKBHook) by name at load time (decorated in the 32-bit program),
# and needs no DLL but the system's and tvkhook.dll (no C++ runtime beside
# it).
# Usage: exe_tables_test.sh OBJDUMP path/to/tolvar.exe
set -euo pipefail
objdump=$1
exe=$2

private=$("$objdump" -p "$exe")
source "$(dirname "$0")/../check.sh"

# The name column of the import lines under "DLL Name: tvkhook.dll".
hook_imports=$(awk '/DLL Name:/ { in_hook = ($3 == "tvkhook.dll"); next }
  in_hook && NF == 3 && $1 ~ /^[0-9a-f]+$/ { print $3 }' <<<"$private" | sort | tr '\n' ' ')
if "$objdump" -f "$exe" | grep -q 'pei-i386'; then
  expected="_CheckKBHook@0 _InitKBHook@4 _IsKBHookTolvarON@0 _KBHookTolvarOFF@0 _KBHookTolvarON@0 _RemoveKBHook@0 _SendHeldKey@4 _SendKeysJPH@4 _SendKeysKE@4 _SendTextUI@8 _SetKBHook@0 _SetKBToggleALTChar@4 _SetKBWordKeys@4 _TakeKBEntry@4 "
else
  expected="CheckKBHook InitKBHook IsKBHookTolvarON KBHookTolvarOFF KBHookTolvarON RemoveKBHook SendHeldKey SendKeysJPH SendKeysKE SendTextUI SetKBHook SetKBToggleALTChar SetKBWordKeys TakeKBEntry "
fi
check "imports from tvkhook.dll" "$expected" "$hook_imports"

dlls=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$private" | tr 'A-Z' 'a-z' | sort | tr '\n' ' ')
check "imported DLLs" "comdlg32.dll gdi32.dll kernel32.dll msvcrt.dll shell32.dll tvkhook.dll user32.dll " "$dlls"

exit $failed
