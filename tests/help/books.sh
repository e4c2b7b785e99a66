#!/usr/bin/env bash
# The translated help books, res/help/<language>/: each holds every file of the English
# book (the editor opens editor.html by name) and its anchors; its links and its contents
# and index entries lead to pages and anchors of its own book; its pages are marked with
# their language and as UTF-8, and its project file names a language other than English.
set -uo pipefail
book=$1
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# The pages a file links to, each with its #anchor if it has one.
targets() { grep -oE '(href|value)="[^"#:]+\.html(#[^"]*)?"' "$1" | sed -E 's/^[a-z]+="//; s/"$//'; }
anchors() { grep -oE 'name="[^"]+"' "$1" | sort -u; }

languages=0
for project in "$book"/*/verbhlp.hhp; do
  [ -f "$project" ] || continue
  folder=$(dirname "$project")
  language=$(basename "$folder")
  languages=$((languages + 1))
  for english in "$book"/*.html "$book"/*.hhc "$book"/*.hhk "$book"/*.hhp; do
    name=$(basename "$english")
    if [ ! -f "$folder/$name" ]; then fail "$language: no $name"; continue; fi
    missing=$(comm -23 <(anchors "$english") <(anchors "$folder/$name"))
    [ -z "$missing" ] || fail "$language/$name lacks the anchors" $missing
  done
  for page in "$folder"/*.html "$folder"/*.hhc "$folder"/*.hhk; do
    for target in $(targets "$page"); do
      file=${target%%#*}
      if [ ! -f "$folder/$file" ]; then fail "$language/$(basename "$page"): $target leads nowhere"; continue; fi
      [ "$file" = "$target" ] || grep -q "name=\"${target#*#}\"" "$folder/$file" ||
        fail "$language/$(basename "$page"): $target has no such anchor"
    done
  done
  for page in "$folder"/*.html; do
    grep -q "<html lang=\"${language/_/-}\">" "$page" || fail "$language/$(basename "$page"): not marked lang=\"${language/_/-}\""
    grep -qi 'charset=utf-8' "$page" || fail "$language/$(basename "$page"): no UTF-8 charset"
  done
  for listed in $(sed -n '/^\[FILES\]/,/^\[/{/^[^[]/p}' "$project" | tr -d '\r'); do
    [ -f "$folder/$listed" ] || fail "$language/verbhlp.hhp lists $listed, which is not there"
  done
  grep -Eq '^Language=0x[0-9a-f]+ ' "$project" && ! grep -q '^Language=0x409 ' "$project" ||
    fail "$language/verbhlp.hhp does not name its language"
done
[ "$languages" -gt 0 ] || fail "no translated book in $book"
[ "$failures" = 0 ] && echo "PASS: $languages translated books"
exit $((failures > 0))
