#!/usr/bin/env bash
# Installs what is missing and builds into build/: the targets given, or everything.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTALDRIN_BUILD_GUI=ON >/dev/null
cmake --build build --parallel "$(nproc)" ${1:+--target "$@"}
