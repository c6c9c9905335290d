# The default language file "Vedrokan.gkf" at start-up: missing, or with a
# key map that loads and a glyph table that does not. Either way one box with
# the loader's text, "<not loaded>" in force, and switching ON refused.
source "$(dirname "$0")/script_support.sh"

check_not_loaded_start() {
  local expected_piece=$1 out
  start_tolvar
  out=$(probe wait-box 60) || fail "no box at start-up: $out"
  expect_text "box: ERROR|" "$out"
  expect_text "$expected_piece" "$out"
  out=$(probe wait-ready 30 no-box title list-selection checked) || fail "after the box: $out"
  expect_line "title: Tolvar (Is OFF)" "$out"
  expect_line "list: <not loaded>" "$out"
  out=$(probe click-check wait-box 30 checked title) || fail "switching ON: $out"
  expect_line "box: TOLVAR ERROR|No Language File loaded, Cannot Toggle Keyboard." "$out"
  expect_line "checked: 0" "$out"
  expect_line "title: Tolvar (Is OFF)" "$out"
  probe close >/dev/null
  expect_exit 0
}

# No default file at all.
check_not_loaded_start "Vedrokan.gkf for reading\\nLoading Language File (GK Data) from "

# Key map fine, glyph table broken.
cp "$data_dir/broken_glyphs.gkf" "$scratch/Vedrokan.gkf"
check_not_loaded_start "could not locate glyph 0xEE in glyphIndex. GK (line 5)\\nLoading Language File (GK Data) from "
echo "default language: passed"
