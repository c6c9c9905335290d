#!/usr/bin/env bash
# The zips a release ships, made from this tree's programs as scripts/release
# makes them: exactly the files that run where unpacked, in a fixed order,
# the same bytes when made twice; each program of the right word size,
# carrying the version from VERSION and, for the two programs, the manifest;
# the licence as LICENSE.txt; every folder of languages/.
# Usage: zip_contents_test.sh SOURCE_ROOT VERSION BIN [X86_BIN]
#   BIN of a 64-bit tree: its win64 zip, and with X86_BIN (the 32-bit tree's
#   bin) the win32 zip too. BIN of a 32-bit tree: its win32 zip.
set -euo pipefail
root=$1
version=$2
bin=$3
x86_bin=${4:-}
work=$(mktemp -d "${TMPDIR:-/tmp}/zip_contents.XXXXXX")
trap 'rm -rf "$work"' EXIT
failures=0
fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

common="LICENSE.txt OFL.txt README.txt Vedrokan.gkf Vedrokan.gkl Vedrokan.tsv Vedrokan.ttf suggest/ suggest/GPL-2.txt
  suggest/LGPL-2.1.txt suggest/LICENCE.txt suggest/hi.words suggest/mr.words suggest/ne.words suggest/romanization.model
  tolvar.exe tolvar.html tvkhook.dll"
# check_zip KIND BIN EXTRA_ENTRIES...
check_zip() {
  local kind=$1 from=$2 top=tolvar-$version-$1 name entries expected file machine want
  shift 2
  bash "$root/installer/lay_out.sh" "$kind" "$from" "$work/$top" "$version"
  python3 "$root/installer/make_zip.py" "$work/$top.zip" "$work/$top"
  python3 "$root/installer/make_zip.py" "$work/again.zip" "$work/$top"
  cmp -s "$work/$top.zip" "$work/again.zip" || fail "$top.zip: two zips of the same folder differ"
  # Every language folder's shipped files, as languages/CMakeLists.txt copies
  # them; make_zip.py sorts the entries.
  expected=$(
    {
      echo "$top/"
      for name in $common "$@"; do echo "$top/$name"; done
      echo "$top/languages/"
      (cd "$root" && find languages -mindepth 1 -maxdepth 1 -type d -printf "$top/%p/\n")
      (cd "$root" && find languages -mindepth 2 -maxdepth 2 -type f \( -name '*.gkf' -o -name '*.gkl' \
        -o -name '*.tsv' -o -name '*.ttf' -o -name '*.txt' \) -printf "$top/%p\n")
    } | LC_ALL=C sort
  )
  entries=$(python3 -c 'import sys, zipfile; print("\n".join(zipfile.ZipFile(sys.argv[1]).namelist()))' \
    "$work/$top.zip")
  [ "$entries" = "$expected" ] || fail "$top.zip should hold, in this order, [$(echo $expected)]; holds [$(echo $entries)]"

  rm -rf "$work/unzipped"
  python3 -c 'import sys, zipfile; zipfile.ZipFile(sys.argv[1]).extractall(sys.argv[2])' "$work/$top.zip" "$work/unzipped"
  sed 's/$/\r/' "$root/LICENSE" | cmp -s - "$work/unzipped/$top/LICENSE.txt" ||
    fail "$top/LICENSE.txt should be the repository's LICENSE with CR LF line ends"
  for file in tolvar.exe tvkhook.dll; do
    want=x86_64
    [ "$kind" = win32 ] && want=i386
    machine=$(python3 -c '
import struct, sys
data = open(sys.argv[1], "rb").read()
pe = struct.unpack_from("<I", data, 0x3C)[0]
print({0x8664: "x86_64", 0x14C: "i386"}.get(struct.unpack_from("<H", data, pe + 4)[0], "other"))' \
      "$work/unzipped/$top/$file")
    [ "$machine" = "$want" ] || fail "$top/$file should be an $want program, is $machine"
    # The version resource's strings are UTF-16: each name, then its value.
    strings -el "$work/unzipped/$top/$file" >"$work/strings"
    for pair in "CompanyName Tolvar developers" "ProductName Tolvar" "FileVersion $version" \
      "ProductVersion $version" "OriginalFilename $file"; do
      grep -A1 -xF "${pair%% *}" "$work/strings" | tail -n 1 | grep -qxF "${pair#* }" ||
        fail "$top/$file: expected the version resource's ${pair%% *} '${pair#* }'"
    done
    case $file in *.exe)
      for text in 'level="asInvoker"' '>true</dpiAware>' Microsoft.Windows.Common-Controls \
        '{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}' '{35138b9a-5d96-4fbd-8e2d-a2440225f93a}'; do
        grep -qF "$text" "$work/unzipped/$top/$file" || fail "$top/$file: expected $text in its manifest"
      done ;;
    esac
  done
}

if x86_64-w64-mingw32-objdump -f "$bin/tolvar.exe" 2>/dev/null | grep -q 'pei-x86-64'; then
  check_zip win64 "$bin"
  if [ -f "$x86_bin/tolvar.exe" ]; then
    check_zip win32 "$x86_bin"
  else
    echo "no 32-bit tree beside this one (TOLVAR_X86_BIN): its win32 zip is not checked here"
  fi
else
  check_zip win32 "$bin"
fi
[ "$failures" -eq 0 ] || exit 1
echo "zip contents: passed"
