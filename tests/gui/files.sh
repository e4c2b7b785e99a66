#!/usr/bin/env bash
# Ctrl+S and Ctrl+O: the file dialogs open in the working directory; the document takes
# the file's name and reads or writes nothing. The first save creates the file empty; a
# second save asks for no file and leaves what the file holds by then as it is.
source "$(dirname "$0")/lib.sh"
gui_setup "$@"

workdir=$(make_workdir run irregu.ver)
printf 'other\n' >"$workdir/other.txt"
start_taldrin "$workdir"
window=$(wait_for_window "New Game - Taldrin")
caption_is() { [ "$(xdotool getwindowname "$window")" = "$1" ]; }

send_keys "$window" ctrl+s
save=$(wait_for_window "Save As")
xdotool windowfocus --sync "$save"
xdotool key ctrl+a
xdotool type --delay 20 "lesson.txt"
xdotool key Return
wait_until 10 caption_is "lesson.txt - Taldrin" || fail "the caption did not take the saved file's name"
wait_until 10 window_gone "Save As" || fail "the save dialog stayed"
[ -f "$workdir/lesson.txt" ] && [ ! -s "$workdir/lesson.txt" ] || fail "the first save did not create an empty file"

printf 'precious lines\n' >"$workdir/lesson.txt"
# A second Ctrl+S saves at once. Had it opened a dialog, that dialog would take the
# Ctrl+O that follows, and no Open dialog would come.
send_keys "$window" ctrl+s ctrl+o
open=$(wait_for_window "Open" 10)
[ "$(cat "$workdir/lesson.txt")" = "precious lines" ] || fail "a second save changed the file"

xdotool windowfocus --sync "$open"
xdotool key ctrl+l
xdotool type --delay 20 "other.txt"
xdotool key Return
wait_until 10 caption_is "other.txt - Taldrin" || fail "the caption did not take the opened file's name"
[ "$(cat "$workdir/other.txt")" = "other" ] || fail "opening changed the file"
process_gone "$TALDRIN_PID" && fail "the program ended"
echo "PASS"
