#!/usr/bin/env bash
# Start-up time and peak memory, watched from outside under a private Xvfb: from exec to
# the first paint of the window, for taldrin, the minimal wx window (the floor) and, with
# --with-peers, the kwordquiz vocabulary trainer as a reference. One warm-up round, then
# N measured rounds, the programs taking turns within each round.
#
# usage: bench/startup.sh [--runs N] [--with-peers] [--languages LIST] [--helpers DIR] [TALDRIN]
#   TALDRIN        the program (default build/taldrin)
#   --helpers DIR  where minimal_wx and first_paint are (default: bench/ beside TALDRIN)
#   --runs N       measured rounds after the warm-up (default 5)
#   --with-peers   also kwordquiz, installed with apt-get when missing (never in CI)
#   --languages "de zh_CN"  taldrin also in these languages, chosen in its settings, beside
#                  taldrin chosen English: the cost of the catalogs alone, the system's
#                  language (LANGUAGE) being the same for all
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD

runs=5
with_peers=0
languages=
helpers=
taldrin=build/taldrin
while [ $# -gt 0 ]; do
  case $1 in
    --runs) runs=$2; shift 2 ;;
    --with-peers) with_peers=1; shift ;;
    --helpers) helpers=$2; shift 2 ;;
    --languages) languages=$2; shift 2 ;;
    -h|--help) sed -n '2,14p' "$0"; exit 0 ;;
    *) taldrin=$1; shift ;;
  esac
done
taldrin=$(realpath "$taldrin")
helpers=$(realpath "${helpers:-$(dirname "$taldrin")/bench}")
for exe in "$taldrin" "$helpers/minimal_wx" "$helpers/first_paint"; do
  [ -x "$exe" ] || { echo "not built: $exe" >&2; exit 2; }
done

if [ $with_peers = 1 ] && ! command -v kwordquiz >/dev/null; then
  echo "Installing kwordquiz for the comparison"
  sudo=()
  [ "$(id -u)" -ne 0 ] && sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends kwordquiz >/dev/null
fi

tmp=$(mktemp -d "${TMPDIR:-/tmp}/taldrin-startup.XXXXXX")
xvfb_pid=
cleanup() {
  if [ -n "$xvfb_pid" ]; then
    kill -TERM "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$tmp"
}
trap cleanup EXIT

# A scratch home and settings folder, and a working directory holding the verb lists.
export HOME=$tmp/home XDG_CONFIG_HOME=$tmp/config XDG_CACHE_HOME=$tmp/cache
export XDG_DATA_HOME=$tmp/data XDG_RUNTIME_DIR=$tmp/runtime
mkdir -p "$HOME" "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" "$XDG_DATA_HOME" "$XDG_RUNTIME_DIR" "$tmp/work" "$tmp/results"
chmod 700 "$XDG_RUNTIME_DIR"
cp "$source_dir/data/irregu.ver" "$source_dir/data/irrtes.ver" "$tmp/work/"
export NO_AT_BRIDGE=1 GDK_BACKEND=x11 GSETTINGS_BACKEND=memory
unset WAYLAND_DISPLAY

: >"$tmp/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp -noreset 3>"$tmp/display" >"$tmp/xvfb.log" 2>&1 &
xvfb_pid=$!
for _ in $(seq 100); do
  [ -s "$tmp/display" ] && break
  sleep 0.1
done
[ -s "$tmp/display" ] || { echo "Xvfb did not start: $(cat "$tmp/xvfb.log")" >&2; exit 1; }
export DISPLAY=":$(tr -d '[:space:]' <"$tmp/display")"

# name|first_paint options|command. The colour is one each program fills large areas
# with on its first screen: the welcome screen's blue title word (its caption in any language
# holds "Taldrin"), the minimal window's
# block, kwordquiz's selection blue.
programs=(
  "taldrin|--title-contains|Taldrin|160,160,255|$taldrin"
  "minimal wx|--title|Minimal wx|160,160,255|$helpers/minimal_wx"
)
[ $with_peers = 1 ] && programs+=("kwordquiz|--title|KWordQuiz|48,140,198|kwordquiz")

# Each language through a wrapper that gives taldrin a settings folder choosing it; English
# goes through the same wrapper, so that both pay the same for it.
if [ -n "$languages" ]; then
  for code in en $languages; do
    mkdir -p "$tmp/config-$code/vespin"
    printf '[Taldrin]\nLanguage=%s\n' "$code" >"$tmp/config-$code/vespin/vespin.conf"
    printf '#!/bin/sh\nXDG_CONFIG_HOME=%s exec %s "$@"\n' "$tmp/config-$code" "$taldrin" >"$tmp/taldrin-$code"
    chmod +x "$tmp/taldrin-$code"
    programs+=("taldrin $code|--title-contains|Taldrin|160,160,255|$tmp/taldrin-$code")
  done
fi

measure() {
  local name=$1 title_option=$2 title=$3 colour=$4 command=$5 round=$6
  local line
  line=$(cd "$tmp/work" && timeout 60 "$helpers/first_paint" "$title_option" "$title" \
    --colour "$colour" --min-pixels 1000 --settle-ms 1000 -- "$command" 2>>"$tmp/programs.log") ||
    { echo "$name: no first paint (${line:-nothing}); its output:" >&2; tail -20 "$tmp/programs.log" >&2; exit 1; }
  echo "round $round  $name: $line"
  [ "$round" -gt 0 ] && echo "$line" >>"$tmp/results/$name"
  return 0
}

echo "Start-up under Xvfb $DISPLAY: 1 warm-up round, then $runs; load average $(cut -d' ' -f1-3 /proc/loadavg)"
for round in $(seq 0 "$runs"); do
  for entry in "${programs[@]}"; do
    IFS='|' read -r name title_option title colour command <<<"$entry"
    measure "$name" "$title_option" "$title" "$colour" "$command" "$round"
  done
done

# stats NAME KEY: "median min max" of KEY over the measured rounds.
stats() {
  tr ' ' '\n' <"$tmp/results/$1" | sed -n "s/^$2=//p" | sort -g |
    awk '{ v[NR] = $1 } END { m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2; print m, v[1], v[NR] }'
}

echo
printf '%-11s %-24s %-10s %-24s %-24s\n' "" "first paint ms" "CPU ms" "settled ms" "peak RSS MB"
printf '%-11s %-24s %-10s %-24s %-24s\n' "" "median [min-max]" "median" "median [min-max]" "median [min-max]"
declare -A paint cpu rss
for entry in "${programs[@]}"; do
  IFS='|' read -r name _ <<<"$entry"
  read -r p pmin pmax < <(stats "$name" paint_ms)
  read -r c _ _ < <(stats "$name" paint_cpu_ms)
  read -r s smin smax < <(stats "$name" settled_ms)
  read -r r rmin rmax < <(stats "$name" vmhwm_kb)
  paint[$name]=$p
  cpu[$name]=$c
  rss[$name]=$r
  printf '%-11s %-24s %-10s %-24s %-24s\n' "$name" \
    "$(printf '%.1f [%.1f-%.1f]' "$p" "$pmin" "$pmax")" "$(printf '%.1f' "$c")" \
    "$(printf '%.1f [%.1f-%.1f]' "$s" "$smin" "$smax")" \
    "$(awk -v a="$r" -v b="$rmin" -v c="$rmax" 'BEGIN { printf "%.1f [%.1f-%.1f]", a / 1024, b / 1024, c / 1024 }')"
done

echo
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
echo "first paint, taldrin / minimal wx: $(ratio "${paint[taldrin]}" "${paint[minimal wx]}") (target at most 1.10)"
echo "CPU to it,   taldrin / minimal wx: $(ratio "${cpu[taldrin]}" "${cpu[minimal wx]}") (less disturbed by other load)"
if [ $with_peers = 1 ]; then
  echo "first paint, taldrin / kwordquiz:  $(ratio "${paint[taldrin]}" "${paint[kwordquiz]}") (target at most 0.65)"
  echo "peak RSS,    taldrin / kwordquiz:  $(ratio "${rss[taldrin]}" "${rss[kwordquiz]}") (target below 1)"
fi
for code in $languages; do
  echo "CPU to it,   taldrin $code / taldrin en: $(ratio "${cpu[taldrin $code]}" "${cpu[taldrin en]}") (target at most 1.05)"
done
