#!/usr/bin/env bash
# Builds the trainer and starts it on the bundled verb lists.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
if [ ! -x build/taldrin ]; then
  echo "The verb data is built and tested; the trainer's window does not exist yet."
  exit 0
fi
cd data
exec ../build/taldrin "$@"
