#!/usr/bin/env bash
# Types KEYS through a language file with gkfcheck and draws the resulting
# Vedrokan bytes with the Vedrokan font through FreeType (ImageMagick), so the
# output can be looked at beside the same text in a Unicode font.
#   tools/vedrokan/render_sample.sh GKFCHECK OUT.png "namaste bhaarata"
set -euo pipefail
[ $# -eq 3 ] || { echo "usage: $0 GKFCHECK OUT.png KEYS" >&2; exit 2; }
root=$(cd "$(dirname "$0")/../.." && pwd)
gkfcheck=$1 out=$2 keys=$3
screen=$("$gkfcheck" "$root/languages/vedrokan/Vedrokan.gkf" --type "$keys" | sed -n 's/^screen://p')
# The bytes as the Windows-1252 characters ALT+0ddd would give (its five
# undefined bytes as the C1 controls Windows gives); % and \ are ImageMagick's
# escape characters in a label.
bytes=""
for h in $screen; do bytes+="\\x$h"; done
text=$(printf %b "$bytes" | /usr/bin/python3 -c '
import sys
data = sys.stdin.buffer.read()
sys.stdout.write("".join(bytes([b]).decode("cp1252", errors="ignore") or chr(b) for b in data))' |
  sed -e 's/%/%%/g' -e 's/\\/\\\\/g')
convert -background white -fill black -font "$root/languages/vedrokan/Vedrokan.ttf" \
  -pointsize 48 label:"$text" "$out"
