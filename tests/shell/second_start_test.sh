# A second start while a copy runs: the box, the first copy comes to the top,
# the second ends with 0 and leaves the first copy's hook library alone. The
# first copy keeps a send method of 1 (journal playback) from the settings file.
#
# The first copy's window is put at the bottom while its splash is up, so
# coming to the top shows as rising above the splash. (Under Wine a window of
# a third process stays above it: the raise reaches only above the copy's
# own windows. If the splash has gone by then, "top" is all there is to see.)
source "$(dirname "$0")/script_support.sh"

cp "$data_dir/Vedrokan.gkf" "$scratch/"
# A value only in the Windows folder is read there and saved in the user's file.
rm -f "$(settings_file)"
printf '[Settings]\r\nUseJournalPBH=1\r\n' >"$(windows_settings_file)"

start_tolvar
first=$tolvar_pid
probe sink 60 >/dev/null || fail "no splash from the first copy"

second_code=0
(cd "$scratch" && exec "$TOLVAR_WINE_RUN" "$TOLVAR_BIN/tolvar.exe") &
second=$!
out=$(probe wait-box 60) || fail "the second start: $out"
expect_line "box: ERROR|Program already running, cannot bring up two copies." "$out"
end_within "$second" 30 || fail "the second copy did not end"
wait "$second" || second_code=$?
[ "$second_code" -eq 0 ] || fail "the second copy ended with $second_code, expected 0"
out=$(probe top)
expect_line "top: Tolvar" "$out"
grep -q "splash: 1" <<<"$out" || echo "note: the splash had gone before the check"

out=$(probe wait-ready 60 no-box click-check no-box checked title) || fail "after the second start: $out"
expect_line "checked: 1" "$out"
expect_line "title: Tolvar (Is ON: Shell Test)" "$out"

probe close >/dev/null
expect_exit 0
tr -d '\r' <"$(settings_file)" | grep -qx "UseJournalPBH=1" || fail "settings file: $(cat "$(settings_file)")"
rm -f "$(windows_settings_file)"
echo "second start: passed"
