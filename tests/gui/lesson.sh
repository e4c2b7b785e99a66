#!/usr/bin/env bash
# A whole lesson in the real window: the welcome screen is clicked, OK without a box is
# refused, "Infinitive to Past Tense" and "Past Participle to Infinitive" and the groups
# "Basic verbs (part 1)" and "Essential verbs (part 1)" are chosen with the keyboard,
# every question is answered from the caption, the first one wrong on purpose (it
# returns; the red struck-out answer and the sad rabbit show during the verdict), until
# the caption reads "Statistics - Taldrin" and the congratulation screen is drawn.
# With TALDRIN_SHOTS=folder it leaves screenshots for the documentation there.
source "$(dirname "$0")/lib.sh"
gui_setup "$@"

workdir=$(make_workdir run)
cp "$SOURCE_DIR/tests/data/lesson.ver" "$workdir/irregu.ver"

# The expected answer of every prompt the two directions give: Infinitive -> Past Tense,
# Past Participle -> Infinitive.
declare -A answer
while read -r past infinitive participle; do
  answer[$infinitive]=$past
  answer[$participle]=$infinitive
done < <(awk 'NR > 4 && !/^#/ { line[n++] = $0 }
              END { for (i = 0; i + 3 < n; i += 4) print line[i+1], line[i+2], line[i+3] }' \
             "$workdir/irregu.ver")

# shot ID FILE: for the documentation, once the window has stopped changing.
shot() {
  [ -n "${TALDRIN_SHOTS:-}" ] || return 0
  wait_until 5 window_settled "$1" || true
  cp "$GUI_TMP/settled.png" "$TALDRIN_SHOTS/$2"
}
window_settled() {
  screenshot "$1" "$GUI_TMP/settled.png"
  sleep 0.2
  screenshot "$1" "$GUI_TMP/again.png"
  cmp -s "$GUI_TMP/settled.png" "$GUI_TMP/again.png"
}
# colour_in ID R G B: how many pixels of the window's left part (the answer box and the
# texts; not the picture or the score bar, whose edges come near the answer colours)
# have exactly the colour. The whole window stays in now.png.
colour_in() {
  screenshot "$1" "$GUI_TMP/now.png"
  convert "$GUI_TMP/now.png" -crop 450x1000+0+0 +repage "$GUI_TMP/left.png"
  count_colour "$GUI_TMP/left.png" "$2" "$3" "$4" 0
}
colour_gone() { [ "$(colour_in "$@")" -eq 0 ]; }
caption_is_not() { [ "$(xdotool getwindowname "$1")" != "$2" ]; }

start_taldrin "$workdir"
window=$(wait_for_window "New Game - Taldrin")
xdotool mousemove --window "$window" 350 200 click 1

forms=$(wait_for_window "Choice of forms")
send_keys "$forms" Return
refusal=$(wait_for_window Taldrin)
send_keys "$refusal" Return
wait_until 10 window_gone Taldrin || fail "the refusal stayed"
forms=$(wait_for_window "Choice of forms" 5)
# The focus starts on the first box; Tab walks down the boxes.
send_keys "$forms" space Tab Tab Tab Tab space
shot "$forms" screenshot-forms.png
send_keys "$forms" Return
wait_until 10 window_gone "Choice of forms" || fail "a ticked box did not let OK close the dialog"

groups=$(wait_for_window "Choice of verb groups")
# Tab order follows the box numbers: Basic verbs (part 1), then Essential verbs (part 1).
send_keys "$groups" space Tab space Return
wait_until 10 window_gone "Choice of verb groups" || fail "the groups dialog stayed"

answers=0
wrong=0
while :; do
  wait_until 10 caption_is_not "$window" "New Game - Taldrin" || fail "no question came"
  caption=$(xdotool getwindowname "$window")
  [ "$caption" = "Statistics - Taldrin" ] && break
  prompt=${caption% - Taldrin}
  expected=${answer[$prompt]:-}
  [ -n "$expected" ] || fail "unexpected question '$prompt'"
  [ $answers -lt 20 ] || fail "the lesson does not end"
  answers=$((answers + 1))

  if [ $wrong -eq 0 ]; then
    wrong=1
    send_keys "$window" x y z Return
    # During the wrong verdict (2 s): the struck-out answer and the sad rabbit's face.
    wait_until 2 test "$(colour_in "$window" 220 0 0)" -gt 50 || fail "no red answer during the verdict"
    [ "$(count_colour "$GUI_TMP/now.png" 128 0 0 2)" -gt 1000 ] || fail "no sad rabbit during the verdict"
    shot "$window" screenshot-wrong.png
    wait_until 10 colour_gone "$window" 220 0 0 || fail "the wrong verdict did not end"
    continue
  fi

  xdotool windowfocus --sync "$window"
  xdotool type --delay 30 "$expected"
  xdotool key Return
  wait_until 5 test "$(colour_in "$window" 0 220 0)" -gt 50 -o "$(xdotool getwindowname "$window")" = "Statistics - Taldrin" ||
    fail "no green answer after '$expected' for '$prompt'"
  wait_until 10 colour_gone "$window" 0 220 0 || fail "the right verdict did not end"
  [ $answers -eq 3 ] && shot "$window" screenshot-question.png
done

[ $answers -eq 8 ] || fail "8 answers expected (6 questions, one twice, one wrong), gave $answers"
screenshot "$window" "$GUI_TMP/end.png"
shot "$window" screenshot-statistics.png
[ "$(count_colour "$GUI_TMP/end.png" 0 255 0 2)" -gt 1000 ] || fail "no green score bar on the congratulation screen"
[ "$(count_colour "$GUI_TMP/end.png" 255 0 0 2)" -gt 100 ] || fail "no red share for the one wrong answer"
process_gone "$TALDRIN_PID" && fail "the program ended"
echo "PASS: $answers answers"
