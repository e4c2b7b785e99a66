#!/usr/bin/env bash
# The learner's history in the real window: a lesson with two wrong answers, a restart,
# Practise Mistakes asking exactly those two until two later lessons got them right at
# the first asking, and the Progress dialog. With correcting off every answer is judged
# at once; each one is a line of the history, which the test waits for.
source "$(dirname "$0")/lib.sh"
gui_setup "$@"
history="$XDG_DATA_HOME/taldrin/history.tsv"
mkdir -p "$XDG_CONFIG_HOME/vespin"
printf '[Morphane]\nCorrecting=0\n' >"$XDG_CONFIG_HOME/vespin/vespin.conf"
workdir=$(make_workdir history)
cp "$SOURCE_DIR/tests/data/lesson.ver" "$workdir/irregu.ver"
declare -A answer
while read -r past infinitive; do answer[$infinitive]=$past; done < <(
  awk 'NR > 4 { l[n++] = $0 } END { for (i = 0; i + 3 < n; i += 4) print l[i+1], l[i+2] }' "$workdir/irregu.ver")

start_welcome "$workdir"
[ ! -e "$history" ] || fail "start-up touched the history"
set_up "space Return" "space Tab space Return"
wait_until 10 eval '! caption_is "$window" "New Game - Taldrin"' || fail "no lesson"
answer_lesson "$history" 2 >/dev/null
wrong=$(awk -F'\t' '$9 == "wrong" { print $5 }' "$history" | sort -u | tr '\n' ' ')
[ "$(echo $wrong | wc -w)" = 2 ] || fail "two wrong questions expected in the history: $(cat "$history")"
close_program

# After the restart: two lessons of exactly the two mistakes, answered right; then none.
start_welcome "$workdir"
for lesson in 1 2; do
  lesson_item m
  wait_until 10 eval '! caption_is "$window" "New Game - Taldrin" && ! caption_is "$window" "Statistics - Taldrin"' ||
    fail "Practise Mistakes started no lesson ($lesson)"
  asked=$(answer_lesson "$history" 0 | sort | tr '\n' ' ')
  [ "$asked" = "$wrong" ] || fail "practice $lesson asked '$asked', the mistakes were '$wrong'"
done
before=$(cat "$history")
lesson_item m
close_with Taldrin Return
caption_is "$window" "Statistics - Taldrin" && [ "$(cat "$history")" = "$before" ] || fail "no mistakes, yet something changed"

# Progress: three lessons as bars, the first in the chart's green, the two of Practise
# Mistakes in their blue. Opened by the keys: Alt+L, then P for Progress.
lesson_item p
progress=$(wait_for_window Progress)
wait_until 10 eval '[ "$(screenshot "$progress" "$GUI_TMP/progress.png"; count_colour "$GUI_TMP/progress.png" 46 139 87 2)" -gt 500 ]' ||
  fail "no bars in the progress chart"
[ "$(count_colour "$GUI_TMP/progress.png" 65 105 225 2)" -gt 2000 ] || fail "no practice lessons in the progress chart"
[ -z "${TALDRIN_PROGRESS_SHOT:-}" ] || cp "$GUI_TMP/progress.png" "$TALDRIN_PROGRESS_SHOT"
close_with Progress Escape

# A file that is no history: Progress names it; an answer is not kept, and the status bar
# says so; Forget History asks before it replaces the file with an empty history.
printf 'name,age\n' >"$history.new" && mv "$history.new" "$history"
lesson_item p
screenshot "$(wait_for_window Taldrin)" "$GUI_TMP/unreadable.png"
close_with Taldrin Return
menu "$window" 0 0
wait_until 10 caption_is "$window" "New Game - Taldrin" || fail "no new lesson"
set_up "space Return" "space Tab space Return"
wait_until 10 eval '! caption_is "$window" "New Game - Taldrin"' || fail "no lesson after New lesson"
status_bar() { screenshot "$window" "$GUI_TMP/notkept.png"; convert "$GUI_TMP/notkept.png" -gravity South -crop 100%x28+0+0 +repage txt:- | md5sum; }
before=$(status_bar)
send_keys "$window" x y z Return
wait_until 10 eval '[ "$(status_bar)" != "$before" ]' || fail "the status bar did not change after an answer not kept"
[ "$(cat "$history")" = "name,age" ] || fail "the file that is no history was written to"
lesson_item f
box=$(wait_for_window Taldrin)
screenshot "$box" "$GUI_TMP/replace.png"
[ "$(cat "$history")" = "name,age" ] || fail "replaced before the answer"
send_keys "$box" Return
wait_until 10 eval '[ "$(cat "$history")" = "Taldrin history	3" ]' || fail "Forget History did not replace the file: $(cat "$history")"
[ -z "${TALDRIN_UNREADABLE_SHOTS:-}" ] || cp "$GUI_TMP/unreadable.png" "$GUI_TMP/notkept.png" "$GUI_TMP/replace.png" "$TALDRIN_UNREADABLE_SHOTS"
close_program
echo "PASS"
