#!/usr/bin/env bash
# The Debian package CPack makes from the build folder: named and filed as Debian expects,
# depending on the libraries the program links, and without a lintian error.
set -euo pipefail
out=$(mktemp -d "${TMPDIR:-/tmp}/taldrin-package.XXXXXX")
trap 'rm -rf "$out"' EXIT
cpack --config "$1/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 || { cat "$out/cpack.log"; exit 1; }
deb=$(echo "$out"/taldrin_1.0_*.deb)
fields=$(dpkg-deb -f "$deb" Package Version Section Depends Recommends)
echo "$fields"
grep -q '^Section: education$' <<<"$fields" && grep -q 'libwxgtk3\.2' <<<"$fields" ||
  { echo "FAIL: control fields"; exit 1; }
dpkg-deb -c "$deb" >"$out/contents"
grep -q ' ./usr/share/doc/taldrin/copyright$' "$out/contents" || { echo "FAIL: no copyright"; exit 1; }
grep -q ' ./usr/share/taldrin/COPYING$' "$out/contents" || { echo "FAIL: no licence for the About box"; exit 1; }
grep -q ' ./usr/share/locale/de/LC_MESSAGES/taldrin\.mo$' "$out/contents" || { echo "FAIL: no catalogs"; exit 1; }
grep -q '^Recommends:.*wx3\.2-i18n.*fonts-wqy-microhei.*libespeak-ng1' <<<"$fields" || { echo "FAIL: Recommends"; exit 1; }
for file in share/taldrin/help/de/verbhlp.hhp share/man/de/man1/taldrin.1.gz share/man/de/man1/taldrin-check.1.gz; do
  grep -q " ./usr/$file\$" "$out/contents" || { echo "FAIL: no $file"; exit 1; }
done
lintian --fail-on error --display-info "$deb"
echo "PASS"
