#!/usr/bin/env bash
# Builds the plain rings and their unit tests with AddressSanitizer and
# UndefinedBehaviorSanitizer into build-asan/ and runs them; any report fails.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

# The library checks catch out-of-range indexing that stays inside allocated memory.
flags="-fsanitize=address,undefined -fno-omit-frame-pointer -fno-sanitize-recover=all"
flags+=" -D_GLIBCXX_ASSERTIONS"
cmake -S . -B build-asan -DTALDRIN_BUILD_GUI=OFF -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_CXX_FLAGS="$flags" -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build build-asan --parallel "$(nproc)"

# A report aborts the test process, so ctest counts it as a failure.
export ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1}"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}"
ctest --test-dir build-asan --output-on-failure --timeout 600 "$@"
