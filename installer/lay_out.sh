#!/usr/bin/env bash
# Lays out the folder a release ships, from a Windows tree's bin folder: what
# a zip holds and what the installer installs. The programs are stripped
# copies; the tree stays as built.
#
# Usage: installer/lay_out.sh win64|win32 BIN FOLDER VERSION
#   win64: BIN is a 64-bit tree's bin
#   win32: BIN is a 32-bit tree's bin
# FOLDER is made anew.
set -euo pipefail
[ $# -eq 4 ] || { echo "usage: lay_out.sh win64|win32 BIN FOLDER VERSION" >&2; exit 2; }
kind=$1 bin=$2 folder=$3 version=$4
here=$(cd "$(dirname "$0")" && pwd)

case $kind in
  win64) strip=x86_64-w64-mingw32-strip ;;
  win32) strip=i686-w64-mingw32-strip ;;
  *) echo "lay_out.sh: kind must be win64 or win32, not $kind" >&2; exit 2 ;;
esac

# copy FROM TO: a missing file ends the layout, naming it.
copy() {
  [ -f "$1" ] || { echo "lay_out.sh: $1 is missing (build the tree first)" >&2; exit 1; }
  cp "$1" "$2"
}

rm -rf "$folder"
mkdir -p "$folder"
copy "$bin/tolvar.exe" "$folder/tolvar.exe"
copy "$bin/tvkhook.dll" "$folder/tvkhook.dll"
"$strip" "$folder/tolvar.exe" "$folder/tvkhook.dll"
copy "$bin/tolvar.html" "$folder/tolvar.html"
# The default language's files lie beside the program, where start-up looks
# for them (languages/CMakeLists.txt puts them there); its font's licence is
# named after the font in the tree, and the folder has one font.
for file in "$bin"/*.gkf "$bin"/*.gkl "$bin"/*.tsv "$bin"/*.ttf; do
  copy "$file" "$folder/$(basename "$file")"
done
# The word suggestions' data, loaded from the folder suggest beside
# tolvar.exe, with the licences and sources its LICENCE.txt names.
mkdir "$folder/suggest"
for name in romanization.model hi.words mr.words ne.words LICENCE.txt GPL-2.txt LGPL-2.1.txt; do
  copy "$bin/suggest/$name" "$folder/suggest/$name"
done
for file in "$bin"/*-OFL.txt; do
  copy "$file" "$folder/OFL.txt"
done
# Every language folder, as the tree has them: the Language menu lists them.
[ -d "$bin/languages" ] || { echo "lay_out.sh: $bin/languages is missing (build the tree first)" >&2; exit 1; }
cp -r "$bin/languages" "$folder/languages"
# Text files for Notepad: CR LF, and a name Windows opens.
sed -e "s/@VERSION@/$version/g" -e 's/$/\r/' "$here/README.txt" >"$folder/README.txt"
[ -f "$here/../LICENSE" ] || { echo "lay_out.sh: $here/../LICENSE is missing" >&2; exit 1; }
sed -e 's/$/\r/' "$here/../LICENSE" >"$folder/LICENSE.txt"
