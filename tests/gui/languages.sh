#!/usr/bin/env bash
# The language of the texts in the real window, with a catalog made here in share/locale/
# beside the program's bin/: LANGUAGE, and the Language dialog's choice, which wins over it.
source "$(dirname "$0")/lib.sh"
gui_setup "$@"
command -v msgfmt >/dev/null || fail "msgfmt is missing (scripts/install-deps.sh installs gettext)"
prefix=$GUI_TMP/prefix
mkdir -p "$prefix/bin" "$prefix/share/locale/de/LC_MESSAGES"
cp "$TALDRIN" "$prefix/bin/taldrin"
TALDRIN=$prefix/bin/taldrin
cat >"$GUI_TMP/de.po" <<'PO'
msgid ""
msgstr "Content-Type: text/plain; charset=UTF-8\nPlural-Forms: nplurals=2; plural=(n != 1);\n"

msgid "&Lesson"
msgstr "[&Lektion ÄÖÜ ĄŁŻ Щ 中文]"

msgid "Language..."
msgstr "[Sprache...]"

msgctxt "dialog caption"
msgid "Language"
msgstr "[Sprache ÄÖÜ]"

msgctxt "language name"
msgid "English"
msgstr "[Deutsch]"
PO
msgfmt -o "$prefix/share/locale/de/LC_MESSAGES/taldrin.mo" "$GUI_TMP/de.po"
conf=$XDG_CONFIG_HOME/vespin/vespin.conf
workdir=$(make_workdir languages irregu.ver irrtes.ver)

# run LANGUAGE CAPTION SHOT: starts the program, opens Language... (the Lesson menu's item
# above Speech), expects the dialog's caption, and keeps a picture of the menu bar.
open_language_dialog() {
  LC_ALL= LC_MESSAGES= LANG=C LANGUAGE=$1 start_welcome "$workdir"
  screenshot "$window" "$GUI_TMP/$3.png"
  convert "$GUI_TMP/$3.png" -crop 400x24+0+0 +repage "$GUI_TMP/$3-menu.png"
  xdotool windowfocus --sync "$window"
  xdotool key --delay 250 F10 Right Up Up Return
}

open_language_dialog C "Language" english
close_with Language Escape
close_program
[ ! -e "$conf" ] || ! grep -qi '^language=' "$conf" || fail "Escape stored a language: $(cat "$conf")"

open_language_dialog de "[Sprache ÄÖÜ]" german
differing=$(compare -metric AE "$GUI_TMP/english-menu.png" "$GUI_TMP/german-menu.png" null: 2>&1 || true)
[ "${differing%% *}" -gt 50 ] || fail "the menu bar looks as in English ($differing pixels differ)"
# System default, English, [Deutsch]: the third.
close_with "[Sprache ÄÖÜ]" Down Down Return
wait_until 10 grep -q '^Language=de$' "$conf" || fail "the choice was not stored: $(cat "$conf" 2>/dev/null)"
awk '/^\[/ { section = $0 } /^Language=/ { print section }' "$conf" | grep -qx '\[Taldrin\]' ||
  fail "the choice is not in the program's own section: $(cat "$conf")"
close_program

# The stored choice wins over the system's English.
open_language_dialog C "[Sprache ÄÖÜ]" chosen
close_with "[Sprache ÄÖÜ]" Escape
close_program
echo "PASS"
