#!/usr/bin/env bash
# The lesson commands in the real window. Statistics shows nothing before the first
# answer and the report after it; Help opens the help book on its contents. Lesson >
# View: the right time becomes 1.5 s and "No correction" is ticked; the next answer moves
# straight on (a wrong answer shows no struck-out answer). Give up asks first: No keeps the
# lesson, Yes ends it. After File > Close the settings file holds the new values, and a
# new start has them in force.
source "$(dirname "$0")/lib.sh"
gui_setup "$@"

workdir=$(make_workdir run)
cp "$SOURCE_DIR/tests/data/lesson.ver" "$workdir/irregu.ver"
settings="$XDG_CONFIG_HOME/vespin/vespin.conf"

# count_in ID R G B: pixels of exactly that colour in the window's left part (answer
# box and texts), or in the picture's area with "picture" as a fifth argument.
count_in() {
  screenshot "$1" "$GUI_TMP/now.png"
  local area=450x1000+0+0
  [ "${5:-}" = picture ] && area=200x200+450+130
  convert "$GUI_TMP/now.png" -crop "$area" +repage "$GUI_TMP/part.png"
  count_colour "$GUI_TMP/part.png" "$2" "$3" "$4" 0
}
verdict_text_shown() { [ "$(count_in "$1" 255 0 0)" -gt 50 ]; }
caption_is() { [ "$(xdotool getwindowname "$1")" = "$2" ]; }

# menu ID MENU ITEM: F10 opens the menu bar; MENU counts from File (0, Lesson 1, Help 2)
# and ITEM from the menu's first item, separators not counted. A menu opened with Right
# has no item highlighted yet: the first Down takes the first item. A menu opens a
# moment after its key, and keys that come sooner are lost: these go slowly.
menu() {
  local keys=(F10)
  local i
  for ((i = 0; i < $2; i++)); do keys+=(Right); done
  for ((i = 0; i <= $3; i++)); do keys+=(Down); done
  xdotool windowfocus --sync "$1"
  xdotool key --delay 250 "${keys[@]}" Return
}

# One-question lesson from the welcome screen: "go", asking for the Past Tense.
start_lesson() {
  xdotool mousemove --window "$1" 350 200 click 1
  local dialog
  dialog=$(wait_for_window "Choice of forms")
  send_keys "$dialog" space Return
  dialog=$(wait_for_window "Choice of verb groups")
  send_keys "$dialog" space Return
  wait_until 10 caption_is "$1" "go - Taldrin" || fail "the lesson did not start"
}

# answer_wrong ID: types a wrong answer and checks that correcting is off: the verdict
# text comes at once, the answer box is empty, no struck-out answer.
answer_wrong_straight_on() {
  send_keys "$1" x y z Return
  wait_until 5 verdict_text_shown "$1" || fail "no verdict text after a wrong answer"
  [ "$(count_colour "$GUI_TMP/part.png" 220 0 0 0)" -eq 0 ] || fail "a struck-out answer: correcting is still on"
}

start_taldrin "$workdir"
window=$(wait_for_window "New Game - Taldrin")

# Statistics before any answer shows nothing: About, opened next, gets the keys.
menu "$window" 1 1
menu "$window" 2 1
about=$(wait_for_window "About Taldrin" 10)
send_keys "$about" Escape
wait_until 10 window_gone "About Taldrin" || fail "About stayed"
window_gone Statistics || fail "Statistics showed a dialog before the first answer"

menu "$window" 1 2
option=$(wait_for_window Option)
# The focus starts on "Rabbit"; Tab visits the right time, the wrong time, "No correction".
send_keys "$option" Tab ctrl+a 1 period 5 Tab Tab space Return
wait_until 10 window_gone Option || fail "the options dialog stayed open"

start_lesson "$window"
answer_wrong_straight_on "$window"
[ "$(count_in "$window" 128 0 0 picture)" -gt 1000 ] || fail "no sad rabbit after the wrong answer"

menu "$window" 1 1
statistics=$(wait_for_window Statistics 10)
send_keys "$statistics" Escape
wait_until 10 window_gone Statistics || fail "the statistics dialog stayed"

menu "$window" 1 0
question=$(wait_for_window Taldrin 10)
send_keys "$question" alt+n
wait_until 10 window_gone Taldrin || fail "the Give up question stayed"
[ "$(count_in "$window" 128 0 0 picture)" -gt 1000 ] || fail "No gave up the lesson"
menu "$window" 1 0
question=$(wait_for_window Taldrin 10)
send_keys "$question" alt+y
wait_until 10 window_gone Taldrin || fail "the Give up question stayed"
wait_until 5 test "$(count_in "$window" 128 0 0 picture)" -eq 0 || fail "Yes did not end the lesson"

# Help opens on top of the window; Close ends the program with it open.
menu "$window" 2 0
wait_for_window "Help: Taldrin Help" 15 >/dev/null
menu "$window" 0 1
wait_for_exit "$TALDRIN_PID" 15
[ "$EXIT_STATUS" -eq 0 ] || fail "File > Close ended with $EXIT_STATUS"
grep -qx 'Right=1500' "$settings" || fail "the right time is not in the settings: $(cat "$settings")"
grep -qx 'Correcting=0' "$settings" || fail "correcting is not off in the settings: $(cat "$settings")"
grep -qx 'Wrong=2000' "$settings" || fail "the wrong time changed: $(cat "$settings")"

start_taldrin "$workdir"
window=$(wait_for_window "New Game - Taldrin")
start_lesson "$window"
answer_wrong_straight_on "$window"
echo "PASS"
