#!/bin/bash
# Checks the translations: the template is what the code holds now, every catalog compiles
# (msgfmt --check), and every language in po/LINGUAS is complete (no untranslated or fuzzy
# message) with the same {n} placeholders as the English in every translation.
# --allow-incomplete reports incomplete languages without failing for them.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v msgfmt >/dev/null || scripts/install-deps.sh gettext
allow_incomplete=false
[[ ${1:-} == --allow-incomplete ]] && allow_incomplete=true

status=0
scripts/update-pot.sh --check || status=1
while read -r lang; do
    [[ -z $lang || $lang == \#* ]] && continue
    po=po/$lang.po
    if [[ ! -f $po ]]; then
        echo "$po: missing (po/LINGUAS names $lang)" >&2
        status=1
        continue
    fi
    if ! stats=$(msgfmt --check --statistics -o /dev/null "$po" 2>&1); then
        echo "$stats" >&2
        status=1
        continue
    fi
    echo "$lang: $stats"
    if [[ $stats == *untranslated* || $stats == *fuzzy* ]]; then
        if $allow_incomplete; then
            echo "$lang: incomplete (allowed for now)"
        else
            echo "$po: incomplete: $stats" >&2
            status=1
        fi
    fi
    # Each translation (every plural form) against its English: the same {n}, each as often.
    if ! msgcat --no-wrap --no-location "$po" | awk -v po="$po" '
        # The sorted {n} of a text.
        function marks(text,    list, count, i, j, t, out) {
            count = 0
            while (match(text, /\{[0-9]+\}/)) {
                list[++count] = substr(text, RSTART, RLENGTH)
                text = substr(text, RSTART + RLENGTH)
            }
            for (i = 2; i <= count; i++)
                for (j = i; j > 1 && list[j - 1] > list[j]; j--) { t = list[j]; list[j] = list[j - 1]; list[j - 1] = t }
            out = ""
            for (i = 1; i <= count; i++) out = out list[i]
            return out
        }
        function check(text) {
            if (text == "" || id == "") return
            if (marks(text) == marks(id) || (plural != "" && marks(text) == marks(plural))) return
            printf "%s: the placeholders of \"%s\" differ in \"%s\"\n", po, id, text > "/dev/stderr"
            bad = 1
        }
        function unquote(line) { sub(/^[^"]*"/, "", line); sub(/"$/, "", line); return line }
        /^msgid / { id = unquote($0); plural = "" }
        /^msgid_plural / { plural = unquote($0) }
        /^msgstr/ { check(unquote($0)) }
        END { exit bad }
    '; then
        status=1
    fi
done < po/LINGUAS
exit $status
