# Helpers for the end-to-end tests: a private X server, the real program in a scratch
# working directory with its own settings folder, window lookups, input, screenshots and
# colour counts. A test sources this file and calls gui_setup "$@" first (gui_begin when
# it runs no program of ours).
#
# Every process started here is killed when the test exits, however it exits; the
# scratch folder is removed too (kept with GUI_KEEP=1). Waits poll a condition with a
# deadline; none of them hangs.

set -euo pipefail

# gui_setup TALDRIN_BINARY SOURCE_DIR: gui_begin, for tests of the program.
gui_setup() {
  [ $# -ge 2 ] || { echo "usage: $0 TALDRIN_BINARY SOURCE_DIR" >&2; exit 2; }
  TALDRIN=$1
  SOURCE_DIR=$2
  [ -x "$TALDRIN" ] || { echo "not an executable: $TALDRIN" >&2; exit 2; }
  gui_begin
}

# gui_begin: makes GUI_TMP, arranges the cleanup, points HOME, XDG_CONFIG_HOME and the
# other per-user folders into GUI_TMP so the user's own settings are never touched, and
# starts the X server.
gui_begin() {
  GUI_PIDS=()
  TALDRIN_PID=
  GUI_TMP=$(mktemp -d "${TMPDIR:-/tmp}/taldrin-gui.XXXXXX")
  trap gui_cleanup EXIT
  trap 'exit 130' INT
  trap 'exit 143' TERM
  export HOME="$GUI_TMP/home"
  export XDG_CONFIG_HOME="$GUI_TMP/config"
  export XDG_CACHE_HOME="$GUI_TMP/cache"
  export XDG_DATA_HOME="$GUI_TMP/data"
  export XDG_RUNTIME_DIR="$GUI_TMP/runtime"
  mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR"
  chmod 700 "$XDG_RUNTIME_DIR"
  export NO_AT_BRIDGE=1 GDK_BACKEND=x11 GSETTINGS_BACKEND=memory
  unset WAYLAND_DISPLAY
  start_xvfb
}

# fail MESSAGE: ends the test, showing the program's output.
fail() {
  echo "FAIL: $*" >&2
  if [ -n "${DISPLAY:-}" ] && [ -n "${GUI_TMP:-}" ]; then
    import -window root "$GUI_TMP/failure.png" 2>/dev/null && echo "screen at failure: $GUI_TMP/failure.png (GUI_KEEP=1 keeps it)" >&2
  fi
  if [ -n "${GUI_TMP:-}" ] && compgen -G "$GUI_TMP/taldrin*.log" >/dev/null; then
    for log in "$GUI_TMP"/taldrin*.log; do
      echo "--- $(basename "$log")" >&2
      cat "$log" >&2
    done
  fi
  exit 1
}

# Kills what this test started (TERM, then KILL) and removes the scratch folder.
gui_cleanup() {
  local status=$?
  local pid
  for pid in "${GUI_PIDS[@]}"; do
    kill -TERM "$pid" 2>/dev/null || true
  done
  for pid in "${GUI_PIDS[@]}"; do
    local n=0
    while ! process_gone "$pid" && [ $n -lt 20 ]; do
      sleep 0.1
      n=$((n + 1))
    done
    kill -KILL "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  if [ -n "${GUI_TMP:-}" ]; then
    if [ "${GUI_KEEP:-0}" = 1 ]; then
      echo "kept: $GUI_TMP" >&2
    else
      rm -rf "$GUI_TMP"
    fi
  fi
  exit $status
}

# wait_until SECONDS COMMAND...: polls the command every tenth of a second until it
# succeeds; fails when the time is up.
wait_until() {
  local seconds=$1
  shift
  local deadline=$((SECONDS + seconds))
  until "$@"; do
    [ $SECONDS -lt $deadline ] || return 1
    sleep 0.1
  done
}

# Starts Xvfb on a display number it finds free itself and exports DISPLAY.
start_xvfb() {
  local fdfile="$GUI_TMP/xvfb.display"
  : >"$fdfile"
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset \
    3>"$fdfile" >"$GUI_TMP/xvfb.log" 2>&1 &
  local pid=$!
  GUI_PIDS+=("$pid")
  wait_until 20 test -s "$fdfile" || fail "Xvfb did not start: $(cat "$GUI_TMP/xvfb.log")"
  export DISPLAY=":$(tr -d '[:space:]' <"$fdfile")"
}

# make_workdir NAME [VERB_LIST...]: a fresh working directory under GUI_TMP holding
# copies of the named files from data/; prints its path.
make_workdir() {
  local dir="$GUI_TMP/$1"
  shift
  mkdir -p "$dir"
  local file
  for file in "$@"; do
    cp "$SOURCE_DIR/data/$file" "$dir/"
  done
  echo "$dir"
}

# start_taldrin WORKDIR [ARGS...]: starts the program there and sets TALDRIN_PID. Its
# output goes to $GUI_TMP/taldrin-<run>.log, shown when the test fails.
start_taldrin() {
  local dir=$1
  shift
  GUI_RUNS=$((${GUI_RUNS:-0} + 1))
  (cd "$dir" && exec "$TALDRIN" "$@") >"$GUI_TMP/taldrin-$GUI_RUNS.log" 2>&1 &
  TALDRIN_PID=$!
  GUI_PIDS+=("$TALDRIN_PID")
}

# wait_for_window TITLE [SECONDS]: prints the id of a visible window whose title is
# exactly TITLE.
wait_for_window() {
  local title=$1 seconds=${2:-30}
  local pattern
  pattern="^$(printf '%s' "$title" | sed 's/[][\.*^$+?(){}|]/\\&/g')\$"
  local ids
  ids=$(timeout "$seconds" xdotool search --sync --onlyvisible --name "$pattern" 2>/dev/null) ||
    fail "no window titled '$title' within ${seconds}s; visible: $(visible_titles)"
  echo "$ids" | head -n 1
}

# window_gone TITLE: true while no visible window has exactly this title.
window_gone() {
  local pattern
  pattern="^$(printf '%s' "$1" | sed 's/[][\.*^$+?(){}|]/\\&/g')\$"
  ! xdotool search --onlyvisible --name "$pattern" >/dev/null 2>&1
}

# The titles of all visible named windows, for failure messages.
visible_titles() {
  local id
  for id in $(xdotool search --onlyvisible --name '.' 2>/dev/null); do
    printf "'%s' " "$(xdotool getwindowname "$id" 2>/dev/null)"
  done
}

# window_size ID: prints WIDTHxHEIGHT.
window_size() {
  local WIDTH HEIGHT X Y SCREEN WINDOW
  eval "$(xdotool getwindowgeometry --shell "$1")"
  echo "${WIDTH}x${HEIGHT}"
}

# send_keys ID KEY...: gives the window the keyboard focus and types the keys (xdotool
# key names, e.g. alt+f Return). The program sees them later: wait for their effect.
send_keys() {
  local id=$1
  shift
  xdotool windowfocus --sync "$id"
  xdotool key --delay 50 "$@"
}

# screenshot ID FILE: the window's current pixels as PNG.
screenshot() {
  import -window "$1" "$2"
}

# count_colour FILE R G B [TOLERANCE]: prints how many pixels lie within TOLERANCE
# (default 12) of the colour on every channel.
count_colour() {
  local file=$1 r=$2 g=$3 b=$4 tolerance=${5:-12}
  convert "$file" -depth 8 -format %c histogram:info:- |
    awk -v r="$r" -v g="$g" -v b="$b" -v t="$tolerance" '
      function near(x, y) { return (x > y ? x - y : y - x) <= t }
      match($0, /\(([0-9]+),([0-9]+),([0-9]+)/) {
        split(substr($0, RSTART + 1, RLENGTH - 1), c, ",")
        if (near(c[1], r) && near(c[2], g) && near(c[3], b)) total += $1 + 0
      }
      END { print total + 0 }'
}

# wait_for_exit PID SECONDS: waits for the program to end and sets EXIT_STATUS; fails
# when it is still running after SECONDS. Call it directly, not in $(...): only this
# shell can collect its child's status.
wait_for_exit() {
  local pid=$1 seconds=$2
  wait_until "$seconds" process_gone "$pid" || fail "process $pid still running after ${seconds}s"
  EXIT_STATUS=0
  wait "$pid" || EXIT_STATUS=$?
}

# process_gone PID: true once the process has ended; an ended child stays a zombie
# until waited for, and kill -0 still reaches a zombie.
process_gone() {
  local state
  state=$(sed 's/.*) //' "/proc/$1/stat" 2>/dev/null | cut -c1) || true
  [ -z "$state" ] || [ "$state" = Z ] || [ "$state" = X ]
}
