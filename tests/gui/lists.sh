#!/usr/bin/env bash
# Verb lists the user chooses, in the real window: through Lesson > Verb List... (a list
# with a warning is asked about, and Edit opens it in the editor instead; a clean one is
# not asked about, a pipe is refused, irrtes.ver is the short list), the recent lists,
# the chosen list remembered across a restart and its fallback once it is gone, and --list
# with a folder and with a path of blanks and letters beyond ASCII.
source "$(dirname "$0")/lib.sh"
gui_setup "$@"
settings="$XDG_CONFIG_HOME/vespin/vespin.conf"
workdir=$(make_workdir run)
cp "$SOURCE_DIR/tests/data/lesson.ver" "$workdir/irregu.ver"
lists="$GUI_TMP/lists"
mkdir "$lists" "$GUI_TMP/my lists ü"
# One verb each: "fly" under a tag no group names (a warning), "drink" clean.
printf '#\nWarned\n#\n#\nxyz\nflew\nfly\nflown\n' >"$lists/warned.ver"
printf '#\nClean\n#\n#\nbas1\ndrank\ndrink\ndrunk\n' >"$lists/clean.ver"
cp "$lists/clean.ver" "$GUI_TMP/my lists ü/clean é.ver"
mkfifo "$lists/pipe.ver"

# lesson_on PROMPT [DIALOG...]: starts a lesson from the welcome screen, ticking the first
# box of each set-up dialog (both by default), and waits for PROMPT in the caption. A window
# looked for is assigned first, so that its absence ends the test.
lesson_on() {
  local prompt=$1 dialog name
  shift
  [ $# -gt 0 ] || set -- "Choice of forms" "Choice of verb groups"
  wait_until 10 caption_is "$window" "New Game - Taldrin" || fail "no new lesson before '$prompt'"
  xdotool mousemove --window "$window" 350 200 click 1
  for name in "$@"; do
    dialog=$(wait_for_window "$name")
    send_keys "$dialog" space Return
  done
  wait_until 10 caption_is "$window" "$prompt - Taldrin" || fail "expected '$prompt', asked '$(xdotool getwindowname "$window")'"
}
# Lesson menu items: Verb List... after Give up, Statistics and View, then the recent lists.
verb_list_item=3
# choose PATH: types the path into the file dialog of Lesson > Verb List...
choose() {
  local dialog
  menu "$window" 1 $verb_list_item
  dialog=$(wait_for_window "Verb List")
  send_keys "$dialog" ctrl+l
  xdotool type --delay 20 "$1"
  xdotool key Return
  wait_until 10 window_gone "Verb List" || fail "the file dialog stayed"
}
# answer KEY: answers the program's message box and waits for it to go.
answer() {
  local box
  box=$(wait_for_window Taldrin)
  send_keys "$box" "$1"
  wait_until 10 window_gone Taldrin || fail "the message box stayed"
}
dark_in_status() { screenshot "$window" "$GUI_TMP/now.png"; count_colour "$GUI_TMP/now.png" 0 0 0 90 300x18+2+330; }
close_program() {
  menu "$window" 0 1
  wait_for_exit "$TALDRIN_PID" 15
  [ "$EXIT_STATUS" = 0 ] || fail "File > Close ended with $EXIT_STATUS"
}

start_taldrin "$workdir"
window=$(wait_for_window "New Game - Taldrin")
ready=$(dark_in_status)

# A warning, and Edit: the editor opens on the list with the checker's findings (the
# repairs it offers first), and the lesson is left as it was.
choose "$lists/warned.ver"
answer alt+e
wait_for_window "Repairs - warned.ver" >/dev/null
editor=$(wait_for_window "warned.ver - Verb List Editor")
send_keys "$(wait_for_window "Repairs - warned.ver")" Escape
wait_until 10 window_gone "Repairs - warned.ver" || fail "the repairs dialog stayed"
send_keys "$editor" ctrl+w
wait_until 10 window_gone "warned.ver - Verb List Editor" || fail "the editor stayed open"
caption_is "$window" "New Game - Taldrin" || fail "Edit started a lesson"
# A warning: the findings are shown, and Use Anyway takes the list; its verb is asked.
choose "$lists/warned.ver"
answer alt+u
lesson_on fly
[ "$(dark_in_status)" -gt $((2 * ready)) ] || fail "the status bar does not name the list"
# A clean list: no question, a new lesson on it at once.
choose "$lists/clean.ver"
lesson_on drink
# A pipe is refused at once, and the lesson goes on.
choose "$lists/pipe.ver"
answer Return
caption_is "$window" "drink - Taldrin" || fail "the pipe changed the lesson"
# A chosen irrtes.ver is the short list: every group, and no groups dialog.
cp "$lists/clean.ver" "$lists/irrtes.ver"
choose "$lists/irrtes.ver"
lesson_on drink "Choice of forms"
# The recent lists, newest first: 3 is the warned list.
menu "$window" 1 $((verb_list_item + 3))
answer alt+u
lesson_on fly
close_program

# Remembered: the warned list again after a restart, not read until the lesson.
start_taldrin "$workdir"
window=$(wait_for_window "New Game - Taldrin")
lesson_on fly
close_program

# Gone: the standard list, and the status bar says so; chosen from the recent lists, it
# is taken off them with a message.
rm "$lists/warned.ver"
start_taldrin "$workdir"
window=$(wait_for_window "New Game - Taldrin")
[ "$(dark_in_status)" -gt $((2 * ready)) ] || fail "no word of the remembered list gone"
lesson_on go
menu "$window" 1 $((verb_list_item + 1))
answer Return
wait_until 10 eval '! grep -q warned "$settings"' || fail "the gone list stayed recent: $(cat "$settings")"
grep -qx "List=" "$settings" || fail "the fallback was not kept: $(cat "$settings")"
close_program

# --list: a folder is refused with a message, and the run goes on with the list it had.
start_taldrin "$workdir" --list "$lists"
window=$(wait_for_window "New Game - Taldrin")
answer Return
lesson_on go
close_program
start_taldrin "$workdir" --list "$GUI_TMP/my lists ü/clean é.ver"
window=$(wait_for_window "New Game - Taldrin")
lesson_on drink
close_program
grep -qx "List=$GUI_TMP/my lists ü/clean é.ver" "$settings" || fail "--list not remembered: $(cat "$settings")"
echo "PASS"
