#!/bin/bash
# Extracts the interface texts into po/taldrin.pot. With --check it writes nothing and
# fails when the template in po/ is not what the code holds now.
set -euo pipefail
cd "$(dirname "$0")/.."
command -v xgettext >/dev/null || scripts/install-deps.sh gettext

out=po/taldrin.pot
files=po/POTFILES
if [[ ${1:-} == --check ]]; then
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    out=$work/taldrin.pot
    files=$work/POTFILES
fi

# Product sources only, in a stable order.
find app checker dialogs editor framework history lesson res verbdata view \
    -name '*.cpp' -o -name '*.h' | LC_ALL=C sort > "$files"
xgettext --language=C++ --from-code=UTF-8 --add-comments=TRANSLATORS: \
    --keyword=Tr --keyword=TrC:1c,2 --keyword=TrN:1,2 --keyword=TR_NOOP \
    --keyword=TR_NOOP_C:1c,2 --keyword=_ --keyword=wxPLURAL:1,2 --keyword=wxTRANSLATE \
    --package-name=Taldrin --package-version=1.0 --msgid-bugs-address=' ' \
    --sort-by-file --omit-header --files-from="$files" --output="$out.body"
{
    printf '# The interface texts of Taldrin. Made by scripts/update-pot.sh: do not edit.\n'
    printf 'msgid ""\nmsgstr ""\n"Project-Id-Version: Taldrin 1.0\\n"\n'
    printf '"MIME-Version: 1.0\\n"\n"Content-Type: text/plain; charset=UTF-8\\n"\n'
    printf '"Content-Transfer-Encoding: 8bit\\n"\n"Plural-Forms: nplurals=INTEGER; plural=EXPRESSION;\\n"\n\n'
    [[ -s $out.body ]] && cat "$out.body"
} > "$out.new"
rm -f "$out.body"
mv "$out.new" "$out"
# The texts and their comments must match; the line numbers of the references may drift
# with edits that move no text.
if [[ ${1:-} == --check ]]; then
    texts() { grep -v '^#:' "$1"; }
    if ! cmp -s <(texts "$out") <(texts po/taldrin.pot); then
        echo "po/taldrin.pot is out of date: run scripts/update-pot.sh" >&2
        diff -u <(texts po/taldrin.pot) <(texts "$out") | head -40 >&2
        exit 1
    fi
fi
