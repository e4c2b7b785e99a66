#!/usr/bin/env bash
# Speech without a sound device (F5, the button, after a verdict, by ear, the note, a signal), then
# without espeak-ng. Each utterance is a line of TALDRIN_SPEECH_LOG, which the test waits for.
source "$(dirname "$0")/lib.sh"
gui_setup "$@"
settings="$XDG_CONFIG_HOME/vespin/vespin.conf" history="$XDG_DATA_HOME/taldrin/history.tsv"
export TALDRIN_SPEECH_LOG="$GUI_TMP/said.log"
mkdir -p "$XDG_CONFIG_HOME/vespin" && printf '[Taldrin]\nSpeakAfterVerdict=1\n' >"$settings"
workdir=$(make_workdir speech) && cp "$SOURCE_DIR/tests/data/lesson.ver" "$workdir/irregu.ver"
said() { cat "$TALDRIN_SPEECH_LOG" 2>/dev/null | tr '\t\n' ': '; }
dark() { screenshot "$window" "$GUI_TMP/now.png" && count_colour "$GUI_TMP/now.png" 0 0 0 90 "$1"; }
# A lesson of "learn" alone (learnt / learned), Infinitive to Past Tense.
lesson() {
  set_up "space Return" "Tab Tab space Return"
  wait_until 10 caption_is "$window" "$1 - Taldrin" || fail "no lesson captioned '$1'"
}
answer() { xdotool windowfocus --sync "$window" && xdotool type --delay 30 learnt && xdotool key Return; }
by_ear() { xdotool windowfocus --sync "$window" && xdotool key --delay 250 F10 Right Up Right Up Return; }

start_welcome "$workdir"
lesson learn
ready=$(dark 300x18+2+330) && [ "$(dark 200x40+0+70)" -gt 20 ] && send_keys "$window" F5 || fail "the word is not shown"
wait_until 10 eval '[ "$(said)" = "en-GB:learn " ]' || fail "F5: said '$(said)'"
wait_until 10 eval '[ "$(dark 300x18+2+330)" -gt $((2 * ready)) ]' && window_gone Taldrin || fail "no note of the sound device, or a box"
# The loudspeaker is the toolbar's rightmost picture; F5 typed nothing into the answer.
x=$(convert "$GUI_TMP/now.png" -crop 700x22+0+35 +repage txt:- | awk -F'[,:]' '/#000000/ && $1 > x { x = $1 } END { print x + 0 }')
xdotool mousemove --window "$window" $((x - 4)) 46 click 1 && answer
wait_until 10 eval '[ "$(said)" = "en-GB:learn en-GB:learn en-GB:learnt / learned " ]' && wait_until 10 grep -q 'right$' "$history" ||
  fail "button and verdict: said '$(said)', history $(cat "$history" 2>&1)"
# By ear: the word hidden in the window and its caption, said at once; the form shown.
send_keys "$window" ctrl+n && by_ear
wait_until 10 grep -qx LessonByEar=1 "$settings" || fail "by ear not kept: $(cat "$settings")"
lesson Listen
wait_until 10 eval '[ "$(said)" = "en-GB:learn en-GB:learn en-GB:learnt / learned en-GB:learn " ]' && [ "$(dark 200x40+0+70)" = 0 ] &&
  [ "$(dark 200x40+250+70)" -gt 20 ] || fail "by ear: said '$(said)', or the word shown, or the form not"
kill -TERM "$TALDRIN_PID" && wait_for_exit "$TALDRIN_PID" 20
[ "$EXIT_STATUS" = 0 ] && [ "$(grep -c '^\[Morphane\]$' "$settings")$(grep -c '^\[Taldrin\]$' "$settings")" = 11 ] ||
  fail "SIGTERM after speech: status $EXIT_STATUS, settings $(cat "$settings")"
# Without espeak-ng: the button greyed, silent, the word shown despite LessonByEar=1, the answer judged.
TALDRIN_ESPEAK_LIBRARY="$GUI_TMP/none.so" start_welcome "$workdir"
lesson learn
[ "$(dark 20x22+$((x - 14))+35)" = 0 ] && [ "$(dark 200x40+0+70)" -gt 20 ] || fail "without speech, the button is not grey or the word hidden"
send_keys "$window" F5 && xdotool mousemove --window "$window" $((x - 4)) 46 click 1 && answer
wait_until 10 eval '[ "$(grep -c "right$" "$history")" = 2 ]' || fail "without speech, the answer was not judged right"
[ "$(said)" = "en-GB:learn en-GB:learn en-GB:learnt / learned en-GB:learn " ] && grep -qx LessonByEar=1 "$settings" || fail "without speech: said '$(said)'"
echo "PASS"
