# The hook library already serves another window: the box, the rest of
# start-up and the shut-down still run (the settings file is written), the
# exit code is 1, and the other window's keyboard hook is still set after
# this copy has ended.
source "$(dirname "$0")/script_support.sh"

cp "$data_dir/Vedrokan.gkf" "$scratch/"
rm -f "$(settings_file)" "$(windows_settings_file)"
start_helper holder hold-hook 60

start_tolvar
out=$(probe wait-box 60) || fail "no box: $out"
expect_line "box: ERROR|TOLVA Keyboard Hook DLL already in use, cannot run TOLVAR again.\\n" "$out"
expect_exit 1
tr -d '\r' <"$(settings_file)" | grep -qx "UseJournalPBH=2" || fail "no settings file written with the default send method"

stop_helpers
expect_line "hook: 1" "$(cat "$scratch/holder.log")"
echo "hook refused: passed"
