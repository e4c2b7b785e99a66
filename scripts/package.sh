#!/usr/bin/env bash
# Builds the Debian package build/taldrin_<version>_<arch>.deb: builds everything into
# build/ (as scripts/test.sh does), then CPack packs what the install rules put under /usr,
# stripped, with the dependencies dpkg-shlibdeps finds for the linked libraries.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh
cpack --config build/CPackConfig.cmake -B build
