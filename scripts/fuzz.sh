#!/usr/bin/env bash
# Builds the libFuzzer targets with clang into build-fuzz/ and runs each for the given
# number of seconds (default 60). Fails on any finding and names the saved input.
#   scripts/fuzz.sh [seconds] [extra libFuzzer options...]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:-60}"
shift $(( $# > 0 ? 1 : 0 ))
scripts/install-deps.sh

out=build-fuzz
cmake -S fuzz -B "$out" -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$out" --parallel "$(nproc)"

# Seeds are made afresh from the bundled and test lists, each behind a few choices of
# flags (see fuzz/VerbListFuzzer.cpp): all directions and groups, the alternative file,
# and one direction with one group. The corpus of found inputs is kept between runs.
rm -rf "$out/seeds"
for target in verb_list answer_text checker csv catalog; do
  mkdir -p "$out/seeds/$target" "$out/corpus/$target"
done
mkdir -p "$out/artifacts"
for list in data/*.ver tests/data/*.ver; do
  name=$(basename "$list" .ver)
  for flags in '\x3f\x3f' '\x7f\x00' '\x01\x08'; do
    { printf "$flags"; cat "$list"; } >"$out/seeds/verb_list/$name-${flags//\\x/}"
  done
done
cp fuzz/seeds/answer_text/* "$out/seeds/answer_text/"
cp fuzz/seeds/csv/* "$out/seeds/csv/"
# The checker's first byte holds the group flags (see fuzz/CheckerFuzzer.cpp).
for list in data/*.ver tests/data/*.ver tests/data/checker/*.ver; do
  { printf '\x3f'; cat "$list"; } >"$out/seeds/checker/$(basename "$list" .ver)"
done

# The catalogs of po/, compiled, and a rule of each shape.
for po in po/*.po; do msgfmt -o "$out/seeds/catalog/$(basename "$po" .po).mo" "$po"; done
sed -n 's/^"Plural-Forms: //p' po/*.po | tr -d '"\\' >"$out/seeds/catalog/rules"

status=0
for target in verb_list answer_text checker csv catalog; do
  log="$out/$target.log"
  echo "== $target: ${seconds} s"
  # -timeout: an input taking longer counts as a hang; -rss_limit_mb bounds memory.
  if "$out/${target}_fuzzer" "$out/corpus/$target" "$out/seeds/$target" \
      $(case $target in csv | catalog) ;; *) echo "-dict=fuzz/${target/checker/verb_list}.dict" ;; esac) -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -artifact_prefix="$out/artifacts/$target-" -print_final_stats=1 "$@" >"$log" 2>&1; then
    grep -E '^Done |DONE|stat::(number_of_executed_units|new_units_added|peak_rss_mb)' "$log" || true
  else
    status=1
    echo "FINDING in $target (log: $log)"
    grep -E 'ERROR|invariant broken|Test unit written to|SUMMARY' "$log" || tail -n 30 "$log"
  fi
done
exit "$status"
