# Helpers for the end-to-end tests: a private X server, the real program in a scratch
# folder with its own home and settings, window lookups, input and pixel counts. Every
# process started here is killed when the test exits, and the scratch folder removed
# (kept with GUI_KEEP=1). Waits poll a condition against a deadline; none sleeps blindly.
set -euo pipefail

# gui_setup TALDRIN_BINARY SOURCE_DIR: gui_begin, for tests of the program.
gui_setup() {
  TALDRIN=$1 SOURCE_DIR=$2
  [ -x "$TALDRIN" ] || { echo "not an executable: $TALDRIN" >&2; exit 2; }
  gui_begin
}

# gui_begin: GUI_TMP, per-user folders inside it (the user's own are never touched), Xvfb.
gui_begin() {
  GUI_PIDS=() TALDRIN_PID=
  GUI_TMP=$(mktemp -d "${TMPDIR:-/tmp}/taldrin-gui.XXXXXX")
  trap gui_cleanup EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
  export HOME="$GUI_TMP/home" XDG_CONFIG_HOME="$GUI_TMP/config" XDG_CACHE_HOME="$GUI_TMP/cache"
  export XDG_DATA_HOME="$GUI_TMP/data" XDG_RUNTIME_DIR="$GUI_TMP/runtime"
  mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  export NO_AT_BRIDGE=1 GDK_BACKEND=x11 GSETTINGS_BACKEND=memory
  unset WAYLAND_DISPLAY
  start_xvfb
}

# fail MESSAGE: ends the test with a screenshot and the program's output.
fail() {
  echo "FAIL: $*" >&2
  [ -n "${DISPLAY:-}" ] && import -window root "$GUI_TMP/failure.png" 2>/dev/null &&
    echo "screen at failure: $GUI_TMP/failure.png (GUI_KEEP=1 keeps it)" >&2
  for log in "$GUI_TMP"/taldrin*.log; do
    [ -e "$log" ] && { echo "--- $(basename "$log")" >&2; cat "$log" >&2; }
  done
  exit 1
}

gui_cleanup() {
  local status=$? pid
  for pid in "${GUI_PIDS[@]}"; do kill -TERM "$pid" 2>/dev/null || true; done
  for pid in "${GUI_PIDS[@]}"; do
    wait_until 2 process_gone "$pid" || kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  if [ "${GUI_KEEP:-0}" = 1 ]; then echo "kept: $GUI_TMP" >&2; else rm -rf "$GUI_TMP"; fi
  exit $status
}

# wait_until SECONDS COMMAND...: polls the command until it succeeds or time is up.
wait_until() {
  local deadline=$((SECONDS + $1))
  shift
  until "$@"; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.1
  done
}

# Starts Xvfb on a display it finds free itself and exports DISPLAY; XVFB_PID is its pid.
# XVFB_SCREEN sets the screen (default 1024x768x24).
start_xvfb() {
  local fdfile="$GUI_TMP/xvfb.display"
  : >"$fdfile"
  Xvfb -displayfd 3 -screen 0 "${XVFB_SCREEN:-1024x768x24}" -nolisten tcp -noreset 3>"$fdfile" >"$GUI_TMP/xvfb.log" 2>&1 &
  XVFB_PID=$!
  GUI_PIDS+=("$XVFB_PID")
  wait_until 20 test -s "$fdfile" || fail "Xvfb did not start: $(cat "$GUI_TMP/xvfb.log")"
  export DISPLAY=":$(tr -d '[:space:]' <"$fdfile")"
}

# make_workdir NAME [FILE...]: a fresh folder under GUI_TMP with copies of files from data/.
make_workdir() {
  local dir="$GUI_TMP/$1" file
  shift
  mkdir -p "$dir"
  for file in "$@"; do cp "$SOURCE_DIR/data/$file" "$dir/"; done
  echo "$dir"
}

# start_taldrin WORKDIR [ARGS...]: starts the program there; sets TALDRIN_PID.
start_taldrin() {
  GUI_RUNS=$((${GUI_RUNS:-0} + 1))
  (cd "$1" && shift && exec "$TALDRIN" "$@") >"$GUI_TMP/taldrin-$GUI_RUNS.log" 2>&1 &
  TALDRIN_PID=$!
  GUI_PIDS+=("$TALDRIN_PID")
}

title_pattern() { printf '^%s$' "$(printf '%s' "$1" | sed 's/[][\.*^$+?(){}|]/\\&/g')"; }

# wait_for_window TITLE [SECONDS]: prints the id of a visible window titled exactly TITLE.
# Polled: a search fails outright when a window goes while it looks (a dialog closing).
wait_for_window() {
  WINDOW_IDS=
  wait_until "${2:-30}" find_window "$1" ||
    fail "no window titled '$1'; visible: $(xdotool search --onlyvisible --name . getwindowname %@ 2>/dev/null | tr '\n' '|')"
  echo "$WINDOW_IDS" | head -n 1
}
find_window() { WINDOW_IDS=$(xdotool search --onlyvisible --name "$(title_pattern "$1")" 2>/dev/null) && [ -n "$WINDOW_IDS" ]; }

window_gone() { ! xdotool search --onlyvisible --name "$(title_pattern "$1")" >/dev/null 2>&1; }
caption_is() { [ "$(xdotool getwindowname "$1")" = "$2" ]; }

# send_keys ID KEY...: focuses the window and types xdotool key names; wait for the effect.
send_keys() {
  # Empty when the window was looked for inside $(...), whose failure cannot end the test.
  [ -n "$1" ] || fail "no window to send keys to"
  xdotool windowfocus --sync "$1"
  shift
  xdotool key --delay 50 "$@"
}

# menu ID MENU ITEM: F10 opens the menu bar; MENU counts from File (0), ITEM from the
# first item, separators not counted. Keys sent before a menu is open are lost: slowly.
menu() {
  local keys=(F10) i
  for ((i = 0; i < $2; i++)); do keys+=(Right); done
  for ((i = 0; i <= $3; i++)); do keys+=(Down); done
  xdotool windowfocus --sync "$1"
  xdotool key --delay 250 "${keys[@]}" Return
}

screenshot() { import -window "$1" "$2"; }

# start_welcome WORKDIR [ARGS...]: start_taldrin; window is then its welcome screen.
start_welcome() {
  start_taldrin "$@"
  window=$(wait_for_window "New Game - Taldrin")
}

# set_up FORMS_KEYS [GROUPS_KEYS]: a click on the welcome screen in $window, then the keys
# (split at blanks) to each set-up dialog; without GROUPS_KEYS no groups dialog is expected.
set_up() {
  xdotool mousemove --window "$window" 350 200 click 1
  send_keys "$(wait_for_window "Choice of forms")" $1
  [ $# -lt 2 ] || send_keys "$(wait_for_window "Choice of verb groups")" $2
}

# answer_lesson HISTORY WRONG [KEY...]: answers the lesson in $window until its end by the
# array answer (prompt to answer), each answer awaited as a line of HISTORY; the first WRONG
# questions wrongly, each then followed by the keys and one more line. Prints the prompts.
answer_lesson() {
  local history=$1 wrong=$2 prompt given=0 missed=" " lines
  shift 2
  while ! caption_is "$window" "Statistics - Taldrin"; do
    prompt=$(xdotool getwindowname "$window")
    prompt=${prompt% - Taldrin}
    [ -n "${answer[$prompt]:-}" ] && [ $((given++)) -lt 20 ] || fail "unexpected question '$prompt'"
    echo "$prompt"
    lines=$(cat "$history" 2>/dev/null | wc -l) || true
    xdotool windowfocus --sync "$window"
    if [ $(echo $missed | wc -w) -lt "$wrong" ] && [[ $missed != *" $prompt "* ]]; then
      missed+="$prompt "
      xdotool type --delay 30 "x${answer[$prompt]}"
      xdotool key Return
      [ $# = 0 ] || { wait_until 10 eval '[ "$(wc -l <"$history")" -gt $lines ]' && send_keys "$window" "$@" && lines=$((lines + 1)); }
    else
      xdotool type --delay 30 "${answer[$prompt]}"
      xdotool key Return
    fi
    wait_until 10 eval '[ "$(cat "$history" 2>/dev/null | wc -l)" -gt $lines ]' || fail "answer $given to '$prompt' is not in the history"
  done
}

# lesson_item KEY: the item of the Lesson menu of $window with the underlined letter KEY.
lesson_item() { xdotool windowfocus --sync "$window" && xdotool key --delay 250 alt+l "$1"; }

# close_with TITLE KEY...: sends the keys to the window titled TITLE and waits for it to go.
close_with() {
  local title=$1
  shift
  send_keys "$(wait_for_window "$title")" "$@"
  wait_until 10 window_gone "$title" || fail "'$title' stayed open"
}

# tick_dialogs DIALOG...: ticks the first box of each set-up dialog in turn and says OK.
tick_dialogs() {
  local name
  for name in "$@"; do send_keys "$(wait_for_window "$name")" space Return; done
}

# close_program: File > Close of the lesson window $window; the program must end cleanly.
close_program() {
  menu "$window" 0 1
  wait_for_exit "$TALDRIN_PID" 15
  [ "$EXIT_STATUS" = 0 ] || fail "File > Close ended with $EXIT_STATUS"
}

# count_colour FILE R G B [TOLERANCE [GEOMETRY]]: pixels within TOLERANCE (default 12)
# of the colour on every channel, in the whole picture or the crop WxH+X+Y.
count_colour() {
  convert "$1" ${6:+-crop "$6" +repage} -depth 8 -format %c histogram:info:- |
    awk -v r="$2" -v g="$3" -v b="$4" -v t="${5:-12}" '
      function near(x, y) { return (x > y ? x - y : y - x) <= t }
      match($0, /\(([0-9]+),([0-9]+),([0-9]+)/) {
        split(substr($0, RSTART + 1, RLENGTH - 1), c, ",")
        if (near(c[1], r) && near(c[2], g) && near(c[3], b)) total += $1 + 0
      }
      END { print total + 0 }'
}

# wait_for_exit PID SECONDS: waits for the process to end and sets EXIT_STATUS. Call it
# directly, not in $(...): only this shell can collect its child's status.
wait_for_exit() {
  wait_until "$2" process_gone "$1" || fail "process $1 still running after $2 s"
  EXIT_STATUS=0
  wait "$1" || EXIT_STATUS=$?
}

# process_gone PID: true once the process has ended (a zombie counts as ended).
process_gone() {
  local state
  state=$(sed 's/.*) //' "/proc/$1/stat" 2>/dev/null | cut -c1) || true
  [ -z "$state" ] || [ "$state" = Z ] || [ "$state" = X ]
}
