#!/usr/bin/env bash
# Builds the benchmarks into build-bench/ (Release, with the window) and runs them: the
# verb list reader, the lesson operations, the drawing, speech, then start-up time and memory
# under Xvfb. Arguments go to bench/startup.sh, e.g. --with-peers or --runs 9.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build-bench -DCMAKE_BUILD_TYPE=Release -DTALDRIN_BUILD_GUI=ON >/dev/null
cmake --build build-bench --parallel "$(nproc)" --target \
  taldrin taldrin-check checker_bench verblist_bench lesson_bench history_bench editor_bench drawing_bench minimal_wx first_paint \
  speech_bench
echo "== checker"
build-bench/bench/checker_bench build-bench/checker/taldrin-check
for benchmark in verblist_bench lesson_bench history_bench editor_bench drawing_bench; do
  echo "== $benchmark"
  "build-bench/bench/$benchmark"
done
echo "== speech: from Say to the first sample"
build-bench/bench/speech_bench
build-bench/bench/speech_bench --cold
echo "== start-up"
bench/startup.sh "$@" build-bench/taldrin
