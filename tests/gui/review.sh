#!/usr/bin/env bash
# Spaced review in the real window, over a history the test writes with set times: the
# status bar's count of questions due, Review Due asking exactly those (the most overdue
# first), a slip, Progress with its boxes and Export..., and --export-progress without a
# display, read back with Python's csv module.
source "$(dirname "$0")/lib.sh"
gui_setup "$@"
history="$XDG_DATA_HOME/taldrin/history.tsv"
mkdir -p "$XDG_CONFIG_HOME/vespin" "$XDG_DATA_HOME/taldrin"
printf '[Morphane]\nCorrecting=0\n' >"$XDG_CONFIG_HOME/vespin/vespin.conf"
workdir=$(make_workdir review)
cp "$SOURCE_DIR/tests/data/lesson.ver" "$workdir/irregu.ver"
list=$(realpath "$workdir/irregu.ver")
declare -A answer=([see]=saw [go]=went [take]=took)
# Dark pixels in the status bar right of its messages: the list in use and the count due.
status_ink() {
  screenshot "$window" "$GUI_TMP/status.png"
  local size=($(identify -format '%w %h' "$GUI_TMP/status.png"))
  convert "$GUI_TMP/status.png" -crop "$((size[0] - 220))x20+160+$((size[1] - 20))" +repage "$GUI_TMP/status-right.png"
  count_colour "$GUI_TMP/status-right.png" 0 0 0 110
}
csv_field() { # FILE VERB COLUMN: the column of the row of VERB asked from the Infinitive for the Past Tense
  /usr/bin/python3 -c 'import csv, sys
rows = [r for r in csv.DictReader(open(sys.argv[1], newline="", encoding="utf-8")) if r["verb"] == sys.argv[2] and r["conversion"] == "Infinitive > Past Tense"]
print(rows[0][sys.argv[3]] if len(rows) == 1 else "rows: %d" % len(rows))' "$@"
}

# Without a history nothing is due: the status bar as it is then.
start_welcome "$workdir"
xdotool windowfocus --sync "$window"
ink_none=$(status_ink)
close_program

# see missed three days ago (box 1: due two days ago), go right then (box 2: due yesterday),
# take right an hour ago (box 2: not due).
entry() { printf '%s\t%s\t%s\tInfinitive > Past Tense\t%s\t%s\t%s\t%s\t%s\n' "$(date -u -d "$1" +%FT%TZ)" "$2" "$list" "$3" "$3" "${answer[$3]}" "$4" "$5"; }
{
  printf 'Taldrin history\t2\n'
  entry '-3 days' L1 see sah wrong
  entry '-3 days' L1 go went right
  entry '-1 hour' L2 take took right
} >"$history"
start_welcome "$workdir"
wait_until 20 eval '[ "$(status_ink)" -gt $((ink_none + 150)) ]' || fail "no count of questions due in the status bar"

# review_lesson WRONG: Review Due, answering each question right but, with WRONG 1, the first,
# which is then called a slip and comes back. Prints the questions asked, in the order first asked.
review_lesson() {
  lesson_item r
  wait_until 10 eval '! caption_is "$window" "Statistics - Taldrin"' || fail "Review Due started no lesson"
  answer_lesson "$history" "$1" ctrl+shift+s | awk '!seen[$0]++' | tr '\n' ' '
}

# see, the most overdue, first; then go. Then none is due, and the status bar says so.
[ "$(review_lesson 0)" = "see go " ] || fail "Review Due did not ask see, then go"
wait_until 20 eval 'ink=$(status_ink); [ $ink -lt $((ink_none + 40)) ] && [ $ink -gt $((ink_none - 40)) ]' ||
  fail "the status bar still counts questions due ($ink against $ink_none)"

# Another program's lesson of two days ago, found by Review Due: take, missed, is due. Its
# wrong answer is called a slip, and counts as right: box 2.
entry '-2 days' L3 take tuk wrong >>"$history"
[ "$(review_lesson 1)" = "take " ] && [ "$(cut -f 7 "$history" | grep -cx slip)" = 1 ] || fail "Review Due did not ask take alone, or no slip"

# Nothing due now: said, and nothing changes.
before=$(cat "$history")
lesson_item r
close_with Taldrin Return
[ "$(cat "$history")" = "$before" ] && caption_is "$window" "Statistics - Taldrin" || fail "nothing was due, yet something changed"

# Progress: the boxes bar holds box 2 (see, take), box 3 (go) and the new questions.
lesson_item p
progress=$(wait_for_window Progress)
wait_until 10 eval '[ "$(screenshot "$progress" "$GUI_TMP/progress.png"; count_colour "$GUI_TMP/progress.png" 242 153 50 2)" -gt 300 ]' ||
  fail "no box 2 in Progress"
[ "$(count_colour "$GUI_TMP/progress.png" 232 209 62 2)" -gt 100 ] && [ "$(count_colour "$GUI_TMP/progress.png" 190 190 190 2)" -gt 1000 ] ||
  fail "no box 3 or no new questions in Progress"
[ -z "${TALDRIN_REVIEW_SHOT:-}" ] || cp "$GUI_TMP/progress.png" "$TALDRIN_REVIEW_SHOT"
send_keys "$progress" alt+e
save=$(wait_for_window "Export Progress")
send_keys "$save" ctrl+a
xdotool type --delay 30 "$workdir/dialog.csv"
xdotool key Return
wait_until 10 test -s "$workdir/dialog.csv" || fail "Export... wrote nothing"
close_with Progress Escape
close_program
[ "$(csv_field "$workdir/dialog.csv" see box)" = 2 ] && [ "$(csv_field "$workdir/dialog.csv" go box)" = 3 ] &&
  [ "$(csv_field "$workdir/dialog.csv" take box)" = 2 ] ||
  fail "Export... wrote the wrong boxes: $(cat "$workdir/dialog.csv")"

# The same record without a display; a verb with a comma and quotes comes back whole; a file
# that cannot be written fails with status 1 and says why.
(cd "$workdir" && env -u DISPLAY "$TALDRIN" --export-progress plain.csv) || fail "--export-progress failed"
cmp -s "$workdir/plain.csv" "$workdir/dialog.csv" || fail "--export-progress and Export... differ"
printf '# list\nodd\n#\n#\nbas1\nw\xc3\xa9nt, "so"\ngo, "so"\ngone\n' >"$workdir/odd.ver"
(cd "$workdir" && env -u DISPLAY "$TALDRIN" --list odd.ver --export-progress odd.csv) || fail "--export-progress --list failed"
[ "$(csv_field "$workdir/odd.csv" 'go, "so"' box)" = 0 ] || fail "the odd verb did not come back: $(cat "$workdir/odd.csv")"
for target in "$workdir" "$workdir/none/x.csv"; do
  status=0
  (cd "$workdir" && env -u DISPLAY "$TALDRIN" --export-progress "$target") 2>"$GUI_TMP/export.err" || status=$?
  [ $status = 1 ] && grep -q "taldrin: cannot write" "$GUI_TMP/export.err" || fail "--export-progress $target: status $status, $(cat "$GUI_TMP/export.err")"
done
echo "PASS"
