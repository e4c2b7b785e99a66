#!/usr/bin/env bash
# On demand: scripts/soak-window.sh (after scripts/build.sh). A long lesson in the real window: 400 answers on the bundled list, correcting off, about
# half of them right, with random typing and editing keys (Backspace, Delete, Home, End,
# Left, Right, clicks in the answer box) on the way. The program's resident memory is
# sampled as the lesson goes on: once warmed up it does not keep growing.
top=$(cd "$(dirname "$0")/.." && pwd)
source "$top/tests/gui/lib.sh"
gui_setup "${1:-$top/build/taldrin}" "$top"

workdir=$(make_workdir run irregu.ver)
mkdir -p "$XDG_CONFIG_HOME/vespin"
printf '[Morphane]\nCorrecting=0\n' >"$XDG_CONFIG_HOME/vespin/vespin.conf"

# Infinitive -> the first Past Tense, from the bundled list.
declare -A past
while read -r tense infinitive; do
  past[$infinitive]=${tense#/}
done < <(awk 'NR > 11 && !/^#/ { line[n++] = $0 }
              END { for (i = 0; i + 3 < n; i += 4) { split(line[i+1], p, " "); print p[1], line[i+2] } }' \
             "$workdir/irregu.ver")

rss_kb() { awk '/^VmRSS/ { print $2 }' "/proc/$TALDRIN_PID/status"; }
caption_is_not() { [ "$(xdotool getwindowname "$window")" != "$1" ]; }

start_taldrin "$workdir"
window=$(wait_for_window "New Game - Taldrin")
xdotool mousemove --window "$window" 350 200 click 1
forms=$(wait_for_window "Choice of forms")
send_keys "$forms" space Return
groups=$(wait_for_window "Choice of verb groups")
send_keys "$groups" space Tab space Tab space Tab space Tab space Tab space Return
wait_until 10 caption_is_not "New Game - Taldrin" || fail "no lesson"
xdotool windowfocus --sync "$window"

RANDOM=20021
echo "seed 20021"
samples=()
declare -A seen
for ((answer = 1; answer <= 400; answer++)); do
  caption=$(xdotool getwindowname "$window")
  [ "$caption" = "Statistics - Taldrin" ] && fail "the lesson ended after $answer answers"
  prompt=${caption% - Taldrin}
  seen[$prompt]=1
  text=${past[$prompt]:-x}
  ((RANDOM % 2)) && text="${text}q"
  # Noise that the editing keys take back again.
  case $((RANDOM % 4)) in
    0) xdotool type --delay 2 "zz"; xdotool key --delay 2 BackSpace BackSpace ;;
    1) xdotool type --delay 2 "y"; xdotool key --delay 2 Left Delete End ;;
    2) xdotool key --delay 2 Home Right Left End ;;
    3) xdotool mousemove --window "$window" 20 80 click 1 ;;
  esac
  xdotool type --delay 2 "$text"
  xdotool key Return
  if ((answer % 50 == 0)); then
    # The keys are handled in order: once the caption is read back, all before it are.
    wait_until 20 test -n "$(xdotool getwindowname "$window")" || fail "no caption"
    samples+=("$(rss_kb)")
    echo "after $answer answers: ${samples[-1]} kB"
  fi
done

process_gone "$TALDRIN_PID" && fail "the program ended"
# Each Return moves on to another question: the lesson went round the list.
[ ${#seen[@]} -gt 100 ] || fail "only ${#seen[@]} different questions in 400 answers"
# From 100 answers on the memory stays within 2 MB of its level then.
base=${samples[1]}
for kb in "${samples[@]:2}"; do
  [ $((kb - base)) -lt 2048 ] || fail "memory grew from $base kB to $kb kB"
done
echo "PASS: 400 answers, ${#seen[@]} different questions, memory ${samples[*]} kB"
