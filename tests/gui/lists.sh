#!/usr/bin/env bash
# Verb lists the user chooses, in the real window: by Lesson > Verb List..., from the recent
# lists and by --list; remembered across a restart, and the standard list when one is gone.
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
  local prompt=$1
  shift
  [ $# -gt 0 ] || set -- "Choice of forms" "Choice of verb groups"
  wait_until 10 caption_is "$window" "New Game - Taldrin" || fail "no new lesson before '$prompt'"
  xdotool mousemove --window "$window" 350 200 click 1
  tick_dialogs "$@"
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
# answer KEY: answers the program's message box.
answer() { close_with Taldrin "$1"; }
dark_in_status() { screenshot "$window" "$GUI_TMP/now.png"; count_colour "$GUI_TMP/now.png" 0 0 0 90 300x18+2+330; }
# The right part of the status bar, where the list's pane is, as a checksum of its pixels.
list_pane() { screenshot "$window" "$GUI_TMP/pane.png"; convert "$GUI_TMP/pane.png" -crop 380x18+300+330 +repage rgb:- | md5sum; }

start_welcome "$workdir"
ready=$(dark_in_status)
standard_pane=$(list_pane)

# A warning, and Edit: the editor opens on the list with the checker's findings (the
# repairs it offers first), and the lesson is left as it was.
choose "$lists/warned.ver"
answer alt+e
close_with "Repairs - warned.ver" Escape
close_with "warned.ver - Verb List Editor" ctrl+w
caption_is "$window" "New Game - Taldrin" || fail "Edit started a lesson"
# A warning: the findings are shown, and Use Anyway takes the list; the status bar names
# it at once, before its lesson; its verb is asked.
choose "$lists/warned.ver"
answer alt+u
wait_until 10 caption_is "$window" "New Game - Taldrin" || fail "no new lesson on the warned list"
wait_until 10 eval '[ "$(list_pane)" != "$standard_pane" ]' || fail "the status bar still names the old list"
lesson_on fly
[ "$(dark_in_status)" -lt $((2 * ready)) ] || fail "the message pane lost its prompt"
# A clean list during a lesson: asked first; No keeps the lesson, Yes starts one on the list.
choose "$lists/clean.ver"
answer alt+n
caption_is "$window" "fly - Taldrin" || fail "declining changed the lesson"
choose "$lists/clean.ver"
answer alt+y
lesson_on drink
# A pipe is refused at once, and the lesson goes on.
choose "$lists/pipe.ver"
answer Return
caption_is "$window" "drink - Taldrin" || fail "the pipe changed the lesson"
# A chosen irrtes.ver is the short list: every group, and no groups dialog.
cp "$lists/clean.ver" "$lists/irrtes.ver"
choose "$lists/irrtes.ver"
answer alt+y
lesson_on drink "Choice of forms"
# The recent lists, newest first: 3 is the warned list; its findings ask for the lesson too.
menu "$window" 1 $((verb_list_item + 3))
answer alt+u
lesson_on fly
warned_pane=$(list_pane)
# Standard List during a lesson asks as well.
menu "$window" 1 $((verb_list_item + 4))
answer alt+n
caption_is "$window" "fly - Taldrin" || fail "declining the standard list changed the lesson"
close_program

# Remembered: the warned list again after a restart, named at once, not read until the lesson.
start_welcome "$workdir"
wait_until 10 eval '[ "$(list_pane)" = "$warned_pane" ]' || fail "the remembered list is not named at start"
lesson_on fly
close_program

# Gone: the standard list, and a message box says so; chosen from the recent lists, it
# is taken off them with a message.
rm "$lists/warned.ver"
start_welcome "$workdir"
answer Return
lesson_on go
menu "$window" 1 $((verb_list_item + 1))
answer Return
wait_until 10 eval '! grep -q warned "$settings"' || fail "the gone list stayed recent: $(cat "$settings")"
grep -qx "List=" "$settings" || fail "the fallback was not kept: $(cat "$settings")"
close_program

# Gone, or a folder in its place, when the lesson starts: said, and the lesson is on the
# standard list, which is kept.
for fate in gone folder; do
  cp "$lists/clean.ver" "$lists/vanishing.ver"
  start_welcome "$workdir" --list "$lists/vanishing.ver"
  wait_until 10 eval 'grep -q vanishing "$settings"' || fail "--list not kept: $(cat "$settings")"
  rm "$lists/vanishing.ver"
  [ $fate = gone ] || mkdir "$lists/vanishing.ver"
  xdotool mousemove --window "$window" 350 200 click 1
  answer Return
  tick_dialogs "Choice of forms" "Choice of verb groups"
  wait_until 10 caption_is "$window" "go - Taldrin" || fail "$fate: asked '$(xdotool getwindowname "$window")'"
  [ "$(list_pane)" = "$standard_pane" ] || fail "$fate: the status bar does not name the standard list"
  grep -qx "List=" "$settings" || fail "$fate: the fallback was not kept: $(cat "$settings")"
  close_program
  rm -rf "$lists/vanishing.ver"
done

# A path with a line break is refused, not used and silently forgotten; the list in use stays.
printf '#\nClean\n#\n#\nbas1\ndrank\ndrink\ndrunk\n' >"$lists/two
lines.ver"
start_welcome "$workdir" --list "$lists/two
lines.ver"
answer Return
lesson_on go
close_program
! grep -q "two" "$settings" || fail "the path with a line break was kept: $(cat "$settings")"

# Settings that cannot be saved: the choice is used, and the user is told it is not kept.
chmod a-w "$settings"
start_welcome "$workdir"
choose "$lists/clean.ver"
answer Return
lesson_on drink
close_program
chmod u+w "$settings"
! grep -q "List=$lists/clean.ver" "$settings" || fail "a read-only settings file was written"

# At twice the scale, a dozen long findings: the dialog stays on the screen, No declines.
for i in $(seq 14); do printf 'unknown%s\nwent\ngo%s\ngone\n' "$i" "$i"; done >"$lists/many.ver"
sed -i '1i #\nMany\n#\n#' "$lists/many.ver"
GDK_SCALE=2 start_welcome "$workdir" --list "$lists/many.ver"
box=$(wait_for_window Taldrin)
eval "$(xdotool getwindowgeometry --shell "$box")"
[ "$X" -ge 0 ] && [ "$Y" -ge 0 ] && [ $((X + WIDTH)) -le 1024 ] && [ $((Y + HEIGHT)) -le 768 ] ||
  fail "the findings at ${X},${Y}, ${WIDTH} x ${HEIGHT}, leave the 1024 x 768 screen"
answer Escape
close_program
! grep -q many "$settings" || fail "a declined list was kept"

# --list: a folder is refused with a message, and the run goes on with the list it had.
start_welcome "$workdir" --list "$lists"
answer Return
lesson_on go
close_program
start_welcome "$workdir" --list "$GUI_TMP/my lists ü/clean é.ver"
lesson_on drink
close_program
grep -qx "List=$GUI_TMP/my lists ü/clean é.ver" "$settings" || fail "--list not remembered: $(cat "$settings")"

# Two programs, one settings file: a list chosen in the second, which closes first, stays
# remembered when the first then saves its options and closes; both are kept.
start_taldrin "$workdir"
first=$(wait_for_window "New Game - Taldrin") first_pid=$TALDRIN_PID
start_taldrin "$workdir"
other_window() { xdotool search --onlyvisible --name "$(title_pattern "New Game - Taldrin")" | grep -vx "$first" | head -n 1; }
wait_until 30 eval '[ -n "$(other_window)" ]' || fail "no second window"
window=$(other_window)
choose "$lists/clean.ver"
lesson_on drink
close_program
grep -qx "List=$lists/clean.ver" "$settings" || fail "the second program's list not kept: $(cat "$settings")"
window=$first
menu "$first" 1 2
send_keys "$(wait_for_window Option)" Tab ctrl+a 1 period 5 Return
wait_until 10 window_gone Option || fail "OK did not close the options"
menu "$first" 0 1
wait_for_exit "$first_pid" 15
grep -qx "List=$lists/clean.ver" "$settings" || fail "the first program wiped the second's list: $(cat "$settings")"
grep -qx "Right=1500" "$settings" || fail "the first program's option not saved: $(cat "$settings")"

# start_with ARGS...: start_taldrin through env, with ARGS for env (the program among them).
start_with() { local program=$TALDRIN; TALDRIN=env; start_taldrin "$workdir" "$@"; TALDRIN=$program; }
# answer_one [chosen]: a lesson on the clean list, chosen in the file dialog unless it was
# given by --list; a box says it cannot be remembered; its one question answered; the
# status bar then tells that the answer is not kept.
answer_one() {
  window=$(wait_for_window "New Game - Taldrin")
  [ "${1:-}" = chosen ] || choose "$lists/clean.ver"
  answer Return
  lesson_on drink
  xdotool type --delay 30 drank
  xdotool key Return
  wait_until 10 eval '[ "$(dark_in_status)" -gt $((3 * ready)) ]' || fail "no word in the status bar of answers not kept"
  close_program
}
if [ "$(id -u)" = 0 ]; then
  # Root in another user's home (sudo without -H): nothing of root's appears there, and
  # standard error says so once; the toolkit's files went to a temporary folder, now gone.
  theirs="$GUI_TMP/theirs"
  mkdir "$theirs" "$GUI_TMP/tmp" && chown nobody "$theirs"
  start_with -u XDG_CONFIG_HOME -u XDG_DATA_HOME HOME="$theirs" TMPDIR="$GUI_TMP/tmp" "$TALDRIN"
  answer_one
  [ -z "$(find "$theirs" -user root)" ] || fail "root made these in the user's home: $(find "$theirs" -user root)"
  [ -z "$(ls -A "$GUI_TMP/tmp")" ] || fail "left in the temporary folder: $(ls -A "$GUI_TMP/tmp")"
  [ "$(grep -c "running as root in $theirs" "$GUI_TMP/taldrin-$GUI_RUNS.log")" = 1 ] || fail "root not told once"
  # No home at all (no HOME, an account the system does not know): nothing lands in the
  # working directory, and answers not kept are told.
  chmod 755 "$GUI_TMP" && chmod 777 "$workdir"
  before=$(ls -A "$workdir")
  # Without a home the file dialog does not work: the list comes by --list.
  start_with -u HOME -u XDG_CONFIG_HOME -u XDG_DATA_HOME setpriv --reuid=54321 --regid=54321 --clear-groups \
    "$TALDRIN" --list "$lists/clean.ver"
  answer_one chosen
  [ "$(ls -A "$workdir")" = "$before" ] || fail "files made in the working directory: $(ls -A "$workdir")"
fi
echo "PASS"
