#!/usr/bin/env bash
# A learner's whole session in the real window, with real keys and clicks: the start-up
# refusal without lists; the welcome screen; menu prompts; both set-up dialogs; wrong and
# right answers read from the caption; statistics, options, give up, help (by the menu and
# by F1) and the file commands; options across a restart; a read-only settings file kept and the failed save
# told; and the settings written when the session ends through File > Close or a lost display.
source "$(dirname "$0")/lib.sh"
gui_setup "$@"
settings="$XDG_CONFIG_HOME/vespin/vespin.conf"
has_setting() { grep -qx "$1" "$settings" 2>/dev/null; }

# Pixels of one colour in the window: the left part (answer box, texts), the picture, the
# status bar's message field, or all of it.
count_in() {
  screenshot "$1" "$GUI_TMP/now.png"
  local area
  case ${5:-left} in
    left) area=450x1000+0+0 ;; picture) area=200x200+450+130 ;; status) area=300x18+2+330 ;; all) area= ;;
  esac
  count_colour "$GUI_TMP/now.png" "$2" "$3" "$4" "${6:-0}" $area
}
shows() { [ "$(count_in "$@")" -gt "${THRESHOLD:-50}" ]; }
lacks() { [ "$(count_in "$@")" -eq 0 ]; }

# Neither list: a box captioned "vespin", no main window, status 255 once it is closed.
start_taldrin "$(make_workdir empty)"
send_keys "$(wait_for_window vespin)" Return
wait_for_exit "$TALDRIN_PID" 20
[ "$EXIT_STATUS" = 255 ] || fail "start without lists ended with $EXIT_STATUS"

# The main session. Settings of other programs' sections stay; lower-case keys are read.
workdir=$(make_workdir run)
cp "$SOURCE_DIR/tests/data/lesson.ver" "$workdir/irregu.ver"
mkdir -p "${settings%/*}" && printf '[Other]\nkeep=1\n[Morphane]\nright=750\n' >"$settings"
start_welcome "$workdir"
eval "$(xdotool getwindowgeometry --shell "$window")"
[ "${WIDTH}x$HEIGHT" = 700x350 ] || fail "window size ${WIDTH}x$HEIGHT"
THRESHOLD=3000 wait_until 20 shows "$window" 160 160 255 all 12 || fail "no blue title word on the welcome screen"
THRESHOLD=100000 shows "$window" 255 255 255 all || fail "the view is not white"

# A highlighted menu item's prompt replaces "Ready" in the status bar.
THRESHOLD=$((2 * $(count_in "$window" 0 0 0 status 90)))
send_keys "$window" F10 Down
wait_until 5 shows "$window" 0 0 0 status 90 || fail "no status bar text for File > New lesson"
unset THRESHOLD
send_keys "$window" Escape Escape
send_keys "$window" alt+h Up Return
close_with "About Taldrin" Escape

# Set-up: OK without a box is refused; then Infinitive -> Past Tense and Past Participle ->
# Infinitive, groups Basic verbs (part 1) and Essential verbs (part 1).
set_up Return
send_keys "$(wait_for_window Taldrin)" Return
send_keys "$(wait_for_window "Choice of forms")" space Tab Tab Tab Tab space Return
send_keys "$(wait_for_window "Choice of verb groups")" space Tab space Return
wait_until 10 eval '! caption_is "$window" "New Game - Taldrin"' || fail "no lesson"
declare -A answer
while read -r past infinitive participle; do
  answer[$infinitive]=$past answer[$participle]=$infinitive
done < <(awk 'NR > 4 { l[n++] = $0 } END { for (i = 0; i + 3 < n; i += 4) print l[i+1], l[i+2], l[i+3] }' "$workdir/irregu.ver")

# The first answer is wrong: struck out in red beside the sad rabbit, and asked again.
# One right answer carries a Tab and an Esc, which must not go into the answer.
answers=0
while ! caption_is "$window" "Statistics - Taldrin"; do
  prompt=$(xdotool getwindowname "$window")
  prompt=${prompt% - Taldrin}
  [ -n "${answer[$prompt]:-}" ] && [ $answers -lt 20 ] || fail "unexpected question '$prompt'"
  answers=$((answers + 1))
  if [ $answers = 1 ]; then
    send_keys "$window" x y z Return
    wait_until 2 shows "$window" 220 0 0 || fail "no struck-out answer during the wrong verdict"
    THRESHOLD=1000 shows "$window" 128 0 0 picture 2 || fail "no sad rabbit"
    wait_until 10 lacks "$window" 220 0 0 || fail "the wrong verdict did not end"
    continue
  fi
  xdotool type --delay 30 "${answer[$prompt]:0:1}"
  [ $answers = 2 ] && xdotool key Tab Escape
  xdotool type --delay 30 "${answer[$prompt]:1}"
  xdotool key Return
  wait_until 5 eval 'shows "$window" 0 220 0 || caption_is "$window" "Statistics - Taldrin"' ||
    fail "'${answer[$prompt]}' for '$prompt' was not judged right"
  wait_until 10 lacks "$window" 0 220 0 || fail "the right verdict did not end"
done
[ $answers = 8 ] || fail "8 answers expected (6 questions, one of them twice), gave $answers"
THRESHOLD=1000 shows "$window" 0 255 0 all 2 || fail "no green score bar at the end"
menu "$window" 1 1
close_with Statistics Escape

# Options: a time and "No correction" confirmed with OK are in the settings file at once.
menu "$window" 1 2
send_keys "$(wait_for_window Option)" Tab ctrl+a 1 period 5 Tab Tab space Return
wait_until 10 has_setting Right=1500 || fail "OK did not write the settings: $(cat "$settings")"

# A new lesson, correcting now off: the wrong answer's sad rabbit stays. Give up, Yes, ends
# it (the congratulation screen has no picture).
send_keys "$window" ctrl+n
set_up "space Return" "space Return"
wait_until 10 caption_is "$window" "go - Taldrin" || fail "no new lesson"
send_keys "$window" x y z Return
THRESHOLD=1000 wait_until 5 shows "$window" 128 0 0 picture 2 || fail "no sad rabbit"
menu "$window" 1 0
close_with Taldrin alt+y
wait_until 10 lacks "$window" 128 0 0 picture 2 || fail "Yes did not end the lesson"

# File commands: the first save creates an empty file, the second asks nothing and keeps
# the file; a pipe is refused at once; opening names the document after the file.
mkfifo "$workdir/pipe"
printf 'other\n' >"$workdir/other.txt"
send_keys "$window" ctrl+s
send_keys "$(wait_for_window "Save As")" ctrl+a
xdotool type --delay 20 "lesson.txt"
xdotool key Return
wait_until 10 caption_is "$window" "lesson.txt - Taldrin" && [ ! -s "$workdir/lesson.txt" ] || fail "the first save"
printf 'precious\n' >"$workdir/lesson.txt"
send_keys "$window" ctrl+s ctrl+o
for name in pipe other.txt; do
  send_keys "$(wait_for_window Open)" ctrl+l
  xdotool type --delay 20 "$name"
  xdotool key Return
  [ $name = pipe ] && send_keys "$(wait_for_window vespin 10)" Return && send_keys "$window" ctrl+o
done
wait_until 10 caption_is "$window" "other.txt - Taldrin" || fail "opening did not name the document"
[ "$(cat "$workdir/lesson.txt")" = precious ] || fail "a second save changed the file"

# Help opens on top; File > Close ends the program with it open and writes the settings.
menu "$window" 2 0
wait_for_window "Help: Taldrin Help" 15 >/dev/null
close_program
for entry in Right=1500 Correcting=0 Wrong=2000 Hase=1 keep=1; do
  has_setting $entry || fail "expected $entry in the settings: $(cat "$settings")"
done

# A read-only settings file is kept: OK in the options names it and the reason, and the
# end reports the failed save on standard error with status 0. F1 opens the help too.
chmod 444 "$settings"
start_welcome "$workdir"
send_keys "$window" F1
wait_for_window "Help: Taldrin Help" 15 >/dev/null
menu "$window" 1 2
send_keys "$(wait_for_window Option)" Tab ctrl+a 2 Return
close_with Taldrin Return
menu "$window" 0 1
wait_for_exit "$TALDRIN_PID" 15
grep -qx "taldrin: the settings could not be saved to $settings: it is read-only" "$GUI_TMP/taldrin-$GUI_RUNS.log" &&
  [ "$EXIT_STATUS" = 0 ] && has_setting Right=1500 || fail "a read-only settings file: status $EXIT_STATUS"
chmod 644 "$settings"

# After a restart correcting is off: a wrong answer moves straight on. A lost display
# still writes the settings (a value taken out of the file comes back; a save writes only
# what the program changed).
sed -i '/^Hase=/d' "$settings"
start_welcome "$workdir"
set_up "space Return" "space Return"
wait_until 10 caption_is "$window" "go - Taldrin" || fail "no lesson after the restart"
send_keys "$window" x y z Return
wait_until 5 shows "$window" 255 0 0 || fail "no verdict text after the wrong answer"
lacks "$window" 220 0 0 || fail "a struck-out answer: correcting is still on"
kill -KILL "$XVFB_PID"
wait_for_exit "$TALDRIN_PID" 20
has_setting Hase=1 && has_setting Right=1500 || fail "the settings were not written when the display was lost"
echo "PASS"
