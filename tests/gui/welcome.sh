#!/usr/bin/env bash
# The program starts on the main verb list with the caption "New Game - Taldrin", a
# 700 x 350 window, and the welcome screen's coloured title words drawn in it.
source "$(dirname "$0")/lib.sh"
gui_setup "$@"

start_taldrin "$(make_workdir run irregu.ver)"
window=$(wait_for_window "New Game - Taldrin")

size=$(window_size "$window")
[ "$size" = 700x350 ] || fail "window size: expected 700x350, got $size"

# The three title words: "Taldrin" blue, "Irregular" green, "verbs" orange. Counts on
# this machine are about 9900, 4800 and 1300; the floors allow for fonts and antialiasing.
shot="$GUI_TMP/welcome.png"
title_words_drawn() {
  screenshot "$window" "$shot"
  [ "$(count_colour "$shot" 160 160 255)" -ge 3000 ] &&
    [ "$(count_colour "$shot" 160 255 160)" -ge 1500 ] &&
    [ "$(count_colour "$shot" 255 180 160)" -ge 400 ]
}
wait_until 20 title_words_drawn ||
  fail "welcome screen not drawn: blue $(count_colour "$shot" 160 160 255)," \
    "green $(count_colour "$shot" 160 255 160), orange $(count_colour "$shot" 255 180 160) pixels"

# The view's background is white, not the toolkit's grey.
white=$(count_colour "$shot" 255 255 255 0)
[ "$white" -ge 100000 ] || fail "expected a white view, found $white white pixels"

process_gone "$TALDRIN_PID" && fail "the program ended by itself"
echo "PASS"
