# Another program that loads the hook library, registers a window of its own
# and sets its hook (before, a squatter that made Tolvar refuse to start, or
# a stand-in that took the keys typed elsewhere) shares nothing with Tolvar:
# Tolvar starts without a box, switches ON and OFF, and ends with 0, and the
# other program's hook is still its own afterwards.
source "$(dirname "$0")/script_support.sh"

cp "$data_dir/Vedrokan.gkf" "$scratch/"
start_helper holder hold-hook 60

start_tolvar
out=$(probe wait-ready 60 no-box title) || fail "start-up beside the holder: $out"
expect_line "title: Tolvar (Is OFF)" "$out"
out=$(probe click-check checked click-check checked) || fail "switching: $out"
expect_line "checked: 1" "$out"
expect_line "checked: 0" "$out"
probe close >/dev/null
expect_exit 0

stop_helpers
expect_line "hook: 1" "$(cat "$scratch/holder.log")"
echo "hook library held elsewhere: passed"
