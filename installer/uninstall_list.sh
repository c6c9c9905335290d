#!/usr/bin/env bash
# Writes the uninstaller's lines for the folder languages of a laid-out
# release folder (installer/lay_out.sh): a Delete for each file setup puts
# there and an RMDir for each folder, deepest first. The uninstaller deletes
# what setup wrote by name: a recursive delete would take files a user put
# there and follow directory junctions. Usage: uninstall_list.sh FOLDER
set -euo pipefail
cd "$1"
find languages -type f | LC_ALL=C sort | while read -r file; do
  printf '  Delete "$INSTDIR\\%s"\n' "${file//\//\\}"
done
find languages -type d | LC_ALL=C sort -r | while read -r dir; do
  printf '  RMDir "$INSTDIR\\%s"\n' "${dir//\//\\}"
done
