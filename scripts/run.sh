#!/usr/bin/env bash
# Builds the trainer and starts it on the bundled verb lists (data/ is its working
# directory). Arguments are passed to the program.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh taldrin
cd data
exec ../build/taldrin "$@"
