#!/usr/bin/env bash
# The installer, made with makensis from this tree's own programs, run
# silently in a fresh Wine prefix of its own (the tree's shared prefix stays
# as it is), in four groups:
# - install: every file, the font, both shortcuts and the uninstall entry
#   land where they belong; Tolvar started from its Start menu shortcut loads
#   Vedrokan from the install folder and types a phrase into typepad exactly;
# - update while a program still holds the hook library: every file is the
#   new one, the old library moved aside and removed at the next restart;
# - uninstall: it closes the running Tolvar and leaves no file, shortcut,
#   font, registry entry or settings file behind, but keeps a file the user
#   put beside the settings;
# - the install folder's access: which folders setup closes to standard users
#   and how, as far as Wine shows it (it keeps no access lists: the calls and
#   their arguments, from Wine's trace).
# Usage: installer_test.sh SOURCE_ROOT VERSION KEYS EXPECTED_HEX [X86_BIN]
#   X86_BIN: a 64-bit tree's 32-bit bin; with its tolvar.exe the installer
#   holds both builds, as a release's does.
set -euo pipefail
root=$1
version=$2
keys=$3
expected=$4
x86_bin=${5:-}

# NSIS installers are 32-bit programs.
if ! /usr/lib/wine/wine --version >/dev/null 2>&1; then
  echo "SKIPPED: this machine runs no 32-bit programs, so 32-bit Wine cannot start the installer"
  exit 77
fi
command -v makensis >/dev/null 2>&1 ||
  { echo "FAIL: makensis is missing: scripts/setup installs it (Debian package nsis)" >&2; exit 1; }

source "$root/tests/e2e/e2e_support.sh"

arch=$(cat "$TOLVAR_BUILD_DIR/wine-arch")
wine=wine
[ "$arch" = win64 ] && wine=/usr/lib/wine/wine64
# Wine's own output, kept for a look after a failure.
log=$TMPDIR/installer_test.log
: >"$log"
# One path, so that a run killed at its time limit leaves no second prefix:
# the next run stops what is left of it and starts afresh.
prefix=$TMPDIR/installer-prefix
stop_prefix() {
  local server
  [ -d "$prefix" ] || return 0
  WINEPREFIX=$prefix wineserver -k >/dev/null 2>&1 || true
  WINEPREFIX=$prefix wineserver -w >/dev/null 2>&1 || true
  # The wineserver's folder, named after the prefix's device and inode.
  server=$(printf 'server-%x-%x' "0x$(stat -c %D "$prefix")" "$(stat -c %i "$prefix")")
  for server in "$TMPDIR"/wine-*/"$server"; do
    [ -d "$server" ] || continue
    rm -rf "$server"
    rmdir "$(dirname "$server")" 2>/dev/null || true
  done
}
stop_prefix
rm -rf "$prefix"
mkdir -p "$prefix"
# The prefix's wineserver and keeper outlive a killed run; this stops them
# 15 minutes on.
setsid bash -c "sleep 900; WINEPREFIX='$prefix' wineserver -k" </dev/null >/dev/null 2>&1 &
watchdog=$!

cleanup() {
  e2e_finish
  stop_prefix
  kill -- -"$watchdog" 2>/dev/null || true
  rm -rf "$prefix"
}
trap cleanup EXIT

fail() { e2e_fail "$* (Wine's output: $log)"; }

# The installer, from the programs of this tree (and its 32-bit twin).
packages=$e2e_work/packages
setup=$packages/tolvar-$version-setup.exe
mkdir -p "$packages"
# The build this prefix runs is the one installed; the other only rides along.
installed=$packages/$arch
bash "$root/installer/lay_out.sh" "$arch" "$TOLVAR_BIN" "$installed" "$version"
other_builds=()
if [ "$arch" = win64 ] && [ -f "$x86_bin/tolvar.exe" ]; then
  bash "$root/installer/lay_out.sh" win32 "$x86_bin" "$packages/win32" "$version"
  other_builds=(-DWIN32_DIR="$packages/win32")
fi
# make_setup SETUP FOLDER: an installer of FOLDER as this prefix's build.
make_setup() {
  makensis -V2 -DVERSION="$version" -DOUTFILE="$1" -D"${arch^^}_DIR=$2" ${other_builds[@]+"${other_builds[@]}"} \
    "$root/installer/tolvar.nsi" >"$e2e_work/makensis.log" 2>&1 ||
    e2e_fail "makensis failed: $(cat "$e2e_work/makensis.log")"
}
make_setup "$setup" "$installed"
# An update: the same files, but a library and a program of their own bytes
# (data after the end of a program's image changes nothing it does).
updated=$packages/updated
update_setup=$packages/tolvar-$version-update.exe
cp -r "$installed" "$updated"
printf 'update' >>"$updated/tvkhook.dll"
printf 'update' >>"$updated/tolvar.exe"
make_setup "$update_setup" "$updated"

# A fresh prefix. No desktop menu entries for the shortcuts (they would go
# into this machine's home folder), and no Mono or Gecko prompts.
export WINEPREFIX=$prefix WINEARCH=$arch
export WINEDLLOVERRIDES="mscoree,mshtml=,winemenubuilder.exe=d"
started=$SECONDS
wineserver -p >>"$log" 2>&1 </dev/null
"$wine" wineboot --init >>"$log" 2>&1 </dev/null || fail "the new prefix did not boot"
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >>"$log" 2>&1 </dev/null
# Wine's system processes stay up while a program runs: each program after
# this one starts at once.
ready=$e2e_work/keeper-ready
setsid "$wine" "$TOLVAR_BIN/wine_keeper.exe" "$(e2e_windows_path "$ready")" >>"$log" 2>&1 </dev/null &
for _ in $(seq 300); do
  [ -f "$ready" ] && break
  sleep 0.1
done
[ -f "$ready" ] || fail "the keeper window did not start in the new prefix"
echo "prefix booted in $((SECONDS - started)) s"

# e2e_support's helpers run their programs in this prefix.
cat >"$e2e_work/run-here" <<EOF
#!/bin/sh
[ "\$1" = --build ] && shift 2
exec $wine "\$@"
EOF
chmod +x "$e2e_work/run-here"
TOLVAR_WINE_RUN=$e2e_work/run-here

folder_win='C:\Program Files\Tolvar'
folder=$prefix/drive_c/Program\ Files/Tolvar
menu=$prefix/drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs
font=$prefix/drive_c/windows/Fonts/Vedrokan.ttf
appdata=$prefix/drive_c/users/${USER:-$(id -un)}/AppData/Roaming
fonts_key='HKLM\Software\Microsoft\Windows NT\CurrentVersion\Fonts'
font_value='Vedrokan Regular (TrueType)'
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Tolvar'

# reg_query KEY [/v VALUE]: the key's values as "NAME=DATA" lines; fails
# when the key or value is missing. The 64-bit reg.exe of a 64-bit prefix
# reads the 64-bit view.
reg_query() {
  "$wine" reg query "$@" 2>>"$log" </dev/null | tr -d '\r' |
    sed -n 's/^    \(.*[^ ]\)    REG_[A-Z_]*    \(.*\)$/\1=\2/p; s/^    \(.*[^ ]\)    REG_[A-Z_]*$/\1=/p' |
    grep .
}

# Processes of this prefix whose command line matches PATTERN (grep -E).
prefix_processes() {
  local environ pid
  for environ in /proc/[0-9]*/environ; do
    pid=${environ#/proc/}
    pid=${pid%/environ}
    { tr '\0' '\n' <"$environ"; } 2>/dev/null | grep -qxF "WINEPREFIX=$prefix" || continue
    { tr '\0' ' ' <"/proc/$pid/cmdline"; } 2>/dev/null | grep -qiE "$1" && echo "$pid"
  done
  return 0
}

# Processes whose memory maps the file at the Unix path FILE. grep reads to
# the end: one that stops at the first match would break sed's pipe, which
# pipefail takes for a failure.
mapping() {
  local maps pid
  for maps in /proc/[0-9]*/maps; do
    pid=${maps#/proc/}
    pid=${pid%/maps}
    sed -n 's|^[^/]*||p' "$maps" 2>/dev/null | grep -xF -- "$1" >/dev/null && echo "$pid"
  done
  return 0
}

# Tolvar started from its Start menu shortcut, as a user starts it.
start_from_menu() {
  local status=0
  "$wine" start "C:\\ProgramData\\Microsoft\\Windows\\Start Menu\\Programs\\Tolvar.lnk" >>"$log" 2>&1 </dev/null ||
    status=$?
  [ "$status" = 0 ] || fail "starting Tolvar from its Start menu shortcut ended with status $status"
  for _ in $(seq 300); do
    e2e_tolvar_window=$(xdotool search --name '^Tolvar \(Is OFF\)$' 2>/dev/null | head -n 1 || true)
    [ -n "$e2e_tolvar_window" ] && return 0
    sleep 0.1
  done
  fail "expected Tolvar's window within 30 s of its shortcut's start"
}

# Wine's trace of the calls that give a folder its access: the descriptor
# setup builds (security), what it sets on a folder (advapi) and the folders
# it makes (file).
trace_channels=trace+security,trace+advapi,trace+file

# == The silent install, with the start with Windows chosen.
started=$SECONDS
WINEDEBUG=$trace_channels "$wine" "$setup" /S /AUTOSTART >>"$log" 2>"$e2e_work/install.trace" </dev/null ||
  fail "the silent install ended with status $?"
echo "installed in $((SECONDS - started)) s"

expected_files=$( (cd "$installed" && find . -type f; echo ./uninstall.exe) | sort)
[ -d "$folder" ] || fail "expected the install folder $folder_win, there is none"
files=$(cd "$folder" && find . -type f | sort)
[ "$files" = "$expected_files" ] ||
  fail "the install folder should hold [$(echo $expected_files)], holds [$(echo $files)]"
while read -r file; do
  [ "$file" = ./uninstall.exe ] || cmp -s "$installed/$file" "$folder/$file" ||
    fail "$file in the install folder is not the $arch build's"
done <<<"$files"
cmp -s "$installed/Vedrokan.ttf" "$font" || fail "expected Vedrokan.ttf in the system's Fonts folder"
[ "$(reg_query "$fonts_key" /v "$font_value")" = "$font_value=Vedrokan.ttf" ] ||
  fail "expected the font's registry value '$font_value' = Vedrokan.ttf"

# Wine spells the Startup folder StartUp.
startup=$(find "$menu" -maxdepth 1 -type d -iname startup)
[ -n "$startup" ] || fail "expected the all users' Startup folder in ${menu#"$prefix/drive_c/"}"
for link in "$menu/Tolvar.lnk" "$startup/Tolvar.lnk"; do
  [ -f "$link" ] || fail "expected the shortcut ${link#"$prefix/drive_c/"}"
  fields=$(python3 "$root/tests/installer/shortcut_fields.py" "$link")
  [ "$fields" = "$folder_win\\tolvar.exe"$'\t'"$folder_win" ] ||
    fail "${link#"$prefix/drive_c/"} should start $folder_win\\tolvar.exe in $folder_win, gives [$fields]"
done

entry=$(reg_query "$uninstall_key") || fail "expected the uninstall entry $uninstall_key"
for value in "DisplayName=Tolvar" "DisplayVersion=$version" "Publisher=Tolvar developers" \
  "UninstallString=\"$folder_win\\uninstall.exe\"" "QuietUninstallString=\"$folder_win\\uninstall.exe\" /S" \
  "InstallLocation=$folder_win" "DisplayIcon=$folder_win\\tolvar.exe,0" "NoModify=0x1" "NoRepair=0x1"; do
  grep -qxF "$value" <<<"$entry" || fail "the uninstall entry should hold $value; it holds [$(echo $entry)]"
done
size=$(sed -n 's/^EstimatedSize=//p' <<<"$entry")
[ $((size)) -ge $(($(du -sk "$folder" | cut -f1) / 2)) ] ||
  fail "EstimatedSize $size KB is far below the folder's $(du -sk "$folder" | cut -f1) KB"

# == Tolvar from its Start menu shortcut: Vedrokan from the install folder.
start_from_menu
e2e_start_typepad
e2e_click_check_box
e2e_wait_title "Tolvar (Is ON: Vedrokan)" ||
  fail "expected the title 'Tolvar (Is ON: Vedrokan)' after the click, got '$(e2e_tolvar_title)'"
e2e_focus_typepad
e2e_type "$keys" 40
text=$(e2e_wait_text "$expected" 10)
[ "$text" = "$expected" ] || fail "'$keys' should arrive as [$expected], typepad holds [$text]"
e2e_probe pad "$e2e_typepad_title" close >/dev/null
e2e_wait_exit "$e2e_typepad_pid" 10 || fail "typepad did not close"

# == The update, while a program holds the hook library, as a busy or hung
# program keeps it after the hook is gone (whether typepad still holds it
# here is a matter of timing): this one, of the prefix's word size, loads it
# and holds it while the flag file is there.
holding=$e2e_work/holding
: >"$holding"
target=x86-unicode
[ "$arch" = win64 ] && target=amd64-unicode
cat >"$e2e_work/holder.nsi" <<EOF
Unicode true
Target $target
OutFile holder.exe
RequestExecutionLevel user
SilentInstall silent
Section
  System::Call 'kernel32::LoadLibraryW(w "$folder_win\\tvkhook.dll") p'
  hold:
    Sleep 100
    IfFileExists "$(e2e_windows_path "$holding")" hold
SectionEnd
EOF
(cd "$e2e_work" && makensis -V2 holder.nsi >"$e2e_work/makensis.log" 2>&1) ||
  e2e_fail "makensis failed on the holder: $(cat "$e2e_work/makensis.log")"
"$wine" "$e2e_work/holder.exe" >>"$log" 2>&1 </dev/null &
holder=$!
for _ in $(seq 300); do
  [ -n "$(mapping "$folder/tvkhook.dll")" ] && break
  sleep 0.1
done
[ -n "$(mapping "$folder/tvkhook.dll")" ] || fail "the holder should hold the installed tvkhook.dll"
started=$SECONDS
status=0
"$wine" "$update_setup" /S >>"$log" 2>"$e2e_work/update.err" </dev/null || status=$?
echo "updated in $((SECONDS - started)) s"
[ "$status" = 0 ] || fail "the update should replace the held library and end with status 0;" \
  "it ended with status $status: $(cat "$e2e_work/update.err")"
while read -r file; do
  cmp -s "$updated/$file" "$folder/$file" ||
    fail "$file in the install folder is not the update's: the update left a mix of two versions"
done < <(cd "$updated" && find . -type f)
[ -n "$(mapping "$folder/tvkhook.dll.old1")" ] ||
  fail "the old library, which the holder still maps, should wait aside as tvkhook.dll.old1"
pending=$("$wine" reg query 'HKLM\System\CurrentControlSet\Control\Session Manager' \
  /v PendingFileRenameOperations 2>>"$log" </dev/null | tr -d '\r' || true)
grep -qF "$folder_win\\tvkhook.dll.old1" <<<"$pending" ||
  fail "tvkhook.dll.old1 should be removed at the next restart; PendingFileRenameOperations holds [$pending]"
rm "$holding"
e2e_wait_exit "$holder" 10 || fail "the holder did not end"
start_from_menu

# == The silent uninstall, with Tolvar still running and settings saved.
[ -n "$(prefix_processes '\\tolvar\.exe')" ] || fail "Tolvar should run before the uninstall"
[ -d "$appdata" ] || fail "expected the user's %APPDATA% at ${appdata#"$prefix/"}"
mkdir -p "$appdata/Tolvar"
printf '[Settings]\r\nUseJournalPBH=2\r\n' >"$appdata/Tolvar/tolvar.ini"
printf 'my own notes\r\n' >"$appdata/Tolvar/notes.txt"
started=$SECONDS
# The uninstaller runs on from a copy of itself and returns at once; its
# entry goes last.
"$wine" "$folder/uninstall.exe" /S >>"$log" 2>&1 </dev/null || fail "the uninstaller ended with status $?"
for _ in $(seq 60); do
  [ ! -e "$folder" ] && ! reg_query "$uninstall_key" >/dev/null && break
  sleep 0.5
done
echo "uninstalled in $((SECONDS - started)) s"
left=$(prefix_processes '\\tolvar(32)?\.exe')
[ -z "$left" ] || fail "Tolvar should be closed by the uninstaller; still running: $left"
[ ! -e "$folder" ] || fail "the install folder should be gone; it holds [$(cd "$folder" && find . | sort | xargs)]"
for link in "$menu/Tolvar.lnk" "$startup/Tolvar.lnk"; do
  [ ! -e "$link" ] || fail "the shortcut ${link#"$prefix/drive_c/"} should be gone"
done
[ ! -e "$font" ] || fail "Vedrokan.ttf should be gone from the system's Fonts folder"
[ ! -e "$appdata/Tolvar/tolvar.ini" ] || fail "the user's settings file %APPDATA%\\Tolvar\\tolvar.ini should be gone"
[ "$(cat "$appdata/Tolvar/notes.txt" 2>/dev/null)" = $'my own notes\r' ] ||
  fail "notes.txt, which the user put beside the settings, should stay as it was"
! reg_query "$uninstall_key" >/dev/null || fail "the uninstall entry should be gone"
! reg_query "$fonts_key" /v "$font_value" >/dev/null || fail "the font's registry value should be gone"

# == The install folder's access. Program Files and the Windows folder keep
# Windows' own; elsewhere setup makes the folder closed to standard users
# from the start, or closes the folder of an earlier install, and refuses a
# folder that exists already (a user may own it). Wine keeps no access lists:
# what shows is what setup asks of Windows. The descriptor: owned by the
# administrators, nothing inherited, SYSTEM and administrators full control,
# users and app containers (ALL and ALL RESTRICTED APPLICATION PACKAGES) read
# and run, all passed on to the files and folders inside.
sddl='O:S-1-5-32-544D:P(A;OICI;FA;;;S-1-5-18)(A;OICI;FA;;;S-1-5-32-544)(A;OICI;0x1200a9;;;S-1-5-32-545)'
sddl+='(A;OICI;0x1200a9;;;S-1-15-2-1)(A;OICI;0x1200a9;;;S-1-15-2-2)'
! grep -q ConvertStringSecurityDescriptor "$e2e_work/install.trace" ||
  fail "an install into Program Files should keep the access Windows gives it, yet setup built a descriptor"

# A folder that exists: refused with status 2 and the reason, left alone.
mkdir -p "$prefix/drive_c/Stuff"
printf 'mine\r\n' >"$prefix/drive_c/Stuff/mine.txt"
status=0
WINEDEBUG=$trace_channels "$wine" "$setup" /S '/D=C:\Stuff' >>"$log" 2>"$e2e_work/stuff.trace" </dev/null || status=$?
[ "$status" = 2 ] || fail "an install into the existing C:\\Stuff should end with status 2, ended with $status"
grep -qF 'tolvar setup: C:\Stuff already exists.' "$e2e_work/stuff.trace" ||
  fail "the refused install should say why on its standard error: [$(grep -v ':trace:' "$e2e_work/stuff.trace")]"
[ "$(cd "$prefix/drive_c/Stuff" && find . | sort | xargs)" = ". ./mine.txt" ] ||
  fail "C:\\Stuff should hold only the user's mine.txt, holds [$(cd "$prefix/drive_c/Stuff" && find . | sort | xargs)]"

# A new folder, named through the Windows folder: it lies outside it.
status=0
WINEDEBUG=$trace_channels "$wine" "$setup" /S '/D=C:\windows\..\Tolvar' >>"$log" 2>"$e2e_work/new.trace" </dev/null ||
  status=$?
[ "$status" = 0 ] || fail "an install into the new C:\\Tolvar ended with status $status"
grep -qF "ConvertStringSecurityDescriptorToSecurityDescriptorW L\"$sddl\"" "$e2e_work/new.trace" ||
  fail "setup should build the descriptor $sddl for C:\\Tolvar"
made=$(grep -F 'name=L"\\??\\C:\\Tolvar" ' "$e2e_work/new.trace" | grep -F NtCreateFile | grep -m 1 -F disp=2 || true)
[[ $made == *" sec=0x"* ]] || fail "setup should make C:\\Tolvar with that descriptor; Wine saw [$made]"
[ "$(reg_query "$uninstall_key" /v InstallLocation)" = 'InstallLocation=C:\Tolvar' ] ||
  fail "the install should be recorded in C:\\Tolvar, not under the name it was given"

# The update of that install: the folder exists, is Tolvar's, and is closed
# again (owner, list and protection: 0x80000005, as Wine's trace prints it).
status=0
WINEDEBUG=$trace_channels "$wine" "$update_setup" /S >>"$log" 2>"$e2e_work/again.trace" </dev/null || status=$?
[ "$status" = 0 ] || fail "the update of C:\\Tolvar ended with status $status"
grep -qF "ConvertStringSecurityDescriptorToSecurityDescriptorW L\"$sddl\"" "$e2e_work/again.trace" &&
  grep -qF 'SetNamedSecurityInfoW L"C:\\Tolvar" 1 -2147483643 ' "$e2e_work/again.trace" ||
  fail "the update should set $sddl on C:\\Tolvar again"
echo "installer: installed, typed '$keys', updated with the library held, uninstalled, folder access: passed"
