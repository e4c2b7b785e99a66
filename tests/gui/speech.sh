#!/usr/bin/env bash
# Speech in the real window, on a machine without a sound device: F5 and the toolbar
# button say the word asked, the right answer is said after its verdict, a lesson by ear
# hides the word (on the screen and in the caption) and says it, the engine's trouble is one
# note in the status bar, and a signal after an utterance ends the program with status 0 and
# the settings written once. Then without espeak-ng: the button greyed, nothing said, the
# lesson as without speech. TALDRIN_SPEECH_LOG has every utterance written as a line.
source "$(dirname "$0")/lib.sh"
gui_setup "$@"
settings="$XDG_CONFIG_HOME/vespin/vespin.conf"
history="$XDG_DATA_HOME/taldrin/history.tsv"
export TALDRIN_SPEECH_LOG="$GUI_TMP/said.log"
tab=$'\t'
mkdir -p "$XDG_CONFIG_HOME/vespin"
printf '[Taldrin]\nSpeakAfterVerdict=1\n' >"$settings"
workdir=$(make_workdir speech)
cp "$SOURCE_DIR/tests/data/lesson.ver" "$workdir/irregu.ver"

said() { [ -f "$TALDRIN_SPEECH_LOG" ] && wc -l <"$TALDRIN_SPEECH_LOG" || echo 0; }
# wait_said N TEXT: the Nth utterance asked for is TEXT, in British English.
wait_said() {
  local utterance=$1
  wait_until 10 eval '[ "$(said)" -ge $utterance ]' || fail "utterance $1 ('$2') never asked for"
  [ "$(sed -n "$1p" "$TALDRIN_SPEECH_LOG")" = "en-GB$tab$2" ] || fail "utterance $1 is '$(sed -n "$1p" "$TALDRIN_SPEECH_LOG")', not '$2'"
}
answers() { [ -f "$history" ] && grep -c "${tab}right$" "$history" || echo 0; }
# Infinitive to Past Tense in the group of "go" alone.
start_lesson() {
  xdotool mousemove --window "$1" 350 200 click 1
  send_keys "$(wait_for_window "Choice of forms")" space Return
  send_keys "$(wait_for_window "Choice of verb groups")" space Return
}
# Lesson > Speech > Lesson by Ear, the last item of the last submenu.
toggle_by_ear() {
  xdotool windowfocus --sync "$1"
  xdotool key --delay 250 F10 Right Up Right Up Return
}
# Dark pixels in a part of the window: the word asked, the form's name, the status bar's
# message field, the toolbar.
dark_in() {
  screenshot "$1" "$GUI_TMP/now.png"
  local area
  case $2 in
    word) area=200x40+0+70 ;; form) area=200x40+250+70 ;; status) area=300x18+2+330 ;; tools) area=700x22+0+35 ;;
  esac
  count_colour "$GUI_TMP/now.png" 0 0 0 90 $area
}
shows() { [ "$(dark_in "$1" "$2")" -gt "${3:-20}" ]; }

start_taldrin "$workdir"
window=$(wait_for_window "New Game - Taldrin")
start_lesson "$window"
wait_until 10 caption_is "$window" "go - Taldrin" || fail "no lesson"
shows "$window" word || fail "the word asked is not shown"
ready=$(dark_in "$window" status)
send_keys "$window" F5
wait_said 1 go
# No sound device: told once in the status bar, never in a box.
wait_until 10 shows "$window" status $((2 * ready)) || fail "no note of the missing sound device"
window_gone Taldrin || fail "a message box came"

# The speaker is the rightmost picture of the toolbar.
screenshot "$window" "$GUI_TMP/tools.png"
speaker_x=$(convert "$GUI_TMP/tools.png" -crop 700x22+0+35 +repage -depth 8 txt:- |
  awk -F'[,:]' '/#000000/ { if ($1 > x) x = $1 } END { print x + 0 }')
[ "$speaker_x" -gt 100 ] || fail "no toolbar button for speaking"
xdotool mousemove --window "$window" $((speaker_x - 4)) 46 click 1
wait_said 2 go

# F5 typed nothing: the answer is right, and its verdict says it.
xdotool windowfocus --sync "$window"
xdotool type --delay 30 went
xdotool key Return
wait_said 3 went
wait_until 10 eval '[ "$(answers)" = 1 ]' || fail "'went' after F5 was not judged right: $(cat "$history" 2>&1)"
wait_until 10 caption_is "$window" "Statistics - Taldrin" || fail "the lesson did not end"

# By ear: the word neither on the screen nor in the caption, said at once; the form shown.
send_keys "$window" ctrl+n
wait_until 10 caption_is "$window" "New Game - Taldrin" || fail "no new lesson"
toggle_by_ear "$window"
wait_until 10 grep -qx LessonByEar=1 "$settings" || fail "the lesson by ear was not saved: $(cat "$settings")"
start_lesson "$window"
wait_until 10 caption_is "$window" "Listen - Taldrin" || fail "the caption shows the word by ear"
wait_said 4 go
shows "$window" form && [ "$(dark_in "$window" word)" = 0 ] || fail "by ear, the word is shown or the form is not"

# A signal after an utterance: status 0, each section written once.
send_keys "$window" F5
wait_said 5 go
kill -TERM "$TALDRIN_PID"
wait_for_exit "$TALDRIN_PID" 20
[ "$EXIT_STATUS" = 0 ] || fail "SIGTERM while speaking: status $EXIT_STATUS"
[ "$(grep -c '^\[Morphane\]$' "$settings")" = 1 ] && [ "$(grep -c '^\[Taldrin\]$' "$settings")" = 1 ] &&
  grep -qx Right=400 "$settings" && grep -qx LessonByEar=1 "$settings" || fail "settings: $(cat "$settings")"

# Without espeak-ng: the button greyed, nothing said, the word shown despite the setting,
# and the lesson by ear cannot be switched off by the menu, whose items are greyed.
TALDRIN_ESPEAK_LIBRARY="$GUI_TMP/no/libespeak-ng.so.1" start_taldrin "$workdir"
window=$(wait_for_window "New Game - Taldrin")
toggle_by_ear "$window"
# Nothing to choose in it, the menu stays open.
xdotool key --delay 100 Escape Escape Escape
start_lesson "$window"
wait_until 10 caption_is "$window" "go - Taldrin" || fail "without speech, the caption hides the word"
shows "$window" word || fail "without speech, the word is hidden"
screenshot "$window" "$GUI_TMP/tools.png"
[ "$(count_colour "$GUI_TMP/tools.png" 0 0 0 90 20x22+$((speaker_x - 14))+35)" = 0 ] || fail "the button is not greyed"
send_keys "$window" F5
xdotool mousemove --window "$window" $((speaker_x - 4)) 46 click 1
xdotool windowfocus --sync "$window"
xdotool type --delay 30 went
xdotool key Return
wait_until 10 eval '[ "$(answers)" = 2 ]' || fail "without speech, 'went' was not judged right"
[ "$(said)" = 5 ] && grep -qx LessonByEar=1 "$settings" || fail "without speech: said $(said), settings $(cat "$settings")"
menu "$window" 0 1
wait_for_exit "$TALDRIN_PID" 15
[ "$EXIT_STATUS" = 0 ] || fail "File > Close ended with $EXIT_STATUS"
echo "PASS"
