#!/usr/bin/env bash
# The verb list editor in the real window, by the keyboard alone: a new list typed, saved and
# clean under the checker; closing a changed list asks first; a signal keeps it. (Drilled: editor-import.sh.)
source "$(dirname "$0")/lib.sh"
gui_setup "$1" "$2"
checker=$3
workdir=$(make_workdir run)
cp "$SOURCE_DIR/tests/data/lesson.ver" "$workdir/irregu.ver"
lists="$GUI_TMP/lists"
mkdir "$lists"
editor="Verb List Editor"

# type_row TEXT...: types each text into a cell, Tab between them, Return after the last.
type_row() {
  local text
  for text in "$@"; do
    [ "$text" = "$1" ] || xdotool key Tab
    xdotool type --delay 30 "$text"
  done
  xdotool key Return
}

start_welcome "$workdir"
# Lesson > Edit Verb List..., after Give up, Statistics, View, Verb List... and Standard List.
menu "$window" 1 5
ed=$(wait_for_window "irregu.ver - $editor")
send_keys "$ed" ctrl+n
ed=$(wait_for_window "Untitled.ver - $editor")

# Return edits the empty row's Infinitive; Tab goes on, Return to the next row. Back on the
# third row, Shift+Tab goes to its group, whose choices pop up (a window named after the
# program), Down picks the next one and Return goes on to the Infinitive.
send_keys "$ed" Return
type_row swim swam swum
type_row dream "dreamt, dreamed" "dreamt or dreamed"
type_row drink drank drunk
xdotool key --delay 100 Escape Up Return shift+Tab
wait_for_window taldrin >/dev/null
xdotool key Down Return
wait_until 10 window_gone taldrin || fail "the choice of groups stayed"
wait_until 10 caption_is "$ed" "*Untitled.ver - $editor" || fail "no mark of a change: $(xdotool getwindowname "$ed")"
xdotool key Escape alt+t
xdotool type --delay 30 "Class 7b"
xdotool key Tab Tab

# Save: the file dialog, opened in the working directory, the name typed without its
# extension; the caption loses its mark.
send_keys "$ed" ctrl+s
send_keys "$(wait_for_window "Save Verb List As")" ctrl+a
xdotool type --delay 20 "class7b"
close_with "Save Verb List As" Return
wait_until 10 caption_is "$ed" "class7b.ver - $editor" || fail "not saved: $(xdotool getwindowname "$ed")"
list="$workdir/class7b.ver"
expected=$'Class 7b\n#\n#\ness1\nswam\nswim\nswum\ness1\n/dreamt /dreamed\ndream\n/dreamt /dreamed\ness2\ndrank\ndrink\ndrunk'
[ "$(cat "$list")" = "$expected" ] || fail "saved as: $(cat -A "$list")"
report=$("$checker" --notes "$list") || fail "the checker finds errors: $report"
! grep -q -E ': (warning|error):' <<<"$report" || fail "the checker warns: $report"

# A change, then Close: Cancel keeps the window, Don't Save closes it and the file stays.
send_keys "$ed" Return
xdotool key ctrl+a
xdotool type --delay 30 "fly"
xdotool key Return Escape
wait_until 10 caption_is "$ed" "*class7b.ver - $editor" || fail "no mark after the change"
send_keys "$ed" ctrl+w
close_with "$editor" Escape
caption_is "$ed" "*class7b.ver - $editor" || fail "Cancel closed the editor"
send_keys "$ed" ctrl+w
close_with "$editor" alt+n
wait_until 10 window_gone "*class7b.ver - $editor" || fail "Don't Save left the editor open"
[ "$(cat "$list")" = "$expected" ] || fail "Don't Save changed the file: $(cat -A "$list")"

# Unsaved at a signal: the program ends at once, the list in use goes into a file of its own.
menu "$window" 1 5
ed=$(wait_for_window "irregu.ver - $editor")
send_keys "$ed" Return
xdotool key ctrl+a
xdotool type --delay 30 "fly"
xdotool key Return Escape
wait_until 10 caption_is "$ed" "*irregu.ver - $editor" || fail "no mark after the change"
kill -TERM "$TALDRIN_PID"
wait_for_exit "$TALDRIN_PID" 20
[ "$EXIT_STATUS" = 0 ] || fail "SIGTERM ended the program with $EXIT_STATUS"
grep -qx fly "$workdir/irregu (unsaved).ver" || fail "the unsaved list was not kept: $(ls "$workdir")"
cmp -s "$workdir/irregu.ver" "$SOURCE_DIR/tests/data/lesson.ver" || fail "the signal changed the saved file"

echo "PASS"
