# Started minimised, as a shortcut set to "Run: Minimized" starts it
# (start /min: the program's show command is a minimised one): the window
# comes up iconic, and once restored its panel is shown, not iconic, and
# fills the client area.
source "$(dirname "$0")/script_support.sh"

cp "$data_dir/Vedrokan.gkf" "$scratch/"
(cd "$scratch" && exec "$TOLVAR_WINE_RUN" start /wait /min /unix "$TOLVAR_BIN/tolvar.exe") &
tolvar_pid=$!

out=$(probe wait-ready 60 no-box panel-state) || fail "start-up: $out"
expect_line "iconic: 1" "$out"
out=$(probe restore panel-state) || fail "restoring: $out"
expect_line "iconic: 0" "$out"
expect_line "panel: visible 1 iconic 0 fills 1" "$out"

probe close >/dev/null
expect_exit 0
echo "minimised start: passed"
