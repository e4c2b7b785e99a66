#!/usr/bin/env bash
# `cmake --install` into a scratch prefix: the expected files and nothing stray, valid desktop
# and AppStream files, the type of verb lists and its program; the installed program finds the
# installed lists, help book and licence, and prefers lists in the user's data folder.
source "$2/tests/gui/lib.sh"
gui_begin
prefix="$GUI_TMP/prefix"
cmake --install "$1" --prefix "$prefix" >"$GUI_TMP/install.log" || fail "$(cat "$GUI_TMP/install.log")"

expected="bin/taldrin bin/taldrin-check share/man/man1/taldrin-check.1.gz share/taldrin/irregu.ver share/taldrin/irrtes.ver share/taldrin/COPYING share/taldrin/help/verbhlp.hhp
  share/applications/org.taldrin.Taldrin.desktop share/metainfo/org.taldrin.Taldrin.metainfo.xml
  share/mime/packages/org.taldrin.Taldrin.xml
  share/icons/hicolor/scalable/apps/org.taldrin.Taldrin.svg share/man/man1/taldrin.1.gz
  share/doc/taldrin/copyright share/doc/taldrin/changelog.gz
  share/man/de/man1/taldrin.1.gz share/man/de/man1/taldrin-check.1.gz"
for lang in $(grep -v '^#' "$2/po/LINGUAS"); do expected+=" share/locale/$lang/LC_MESSAGES/taldrin.mo"; done
for n in 16 32 48 64 128; do
  icon="share/icons/hicolor/${n}x$n/apps/org.taldrin.Taldrin.png"
  [ "$(identify -format %wx%h "$prefix/$icon")" = "${n}x$n" ] || fail "$icon is not $n pixels"
done
for file in $expected; do [ -f "$prefix/$file" ] || fail "not installed: $file"; done
stray=$(cd "$prefix" && find . -type f | grep -Ev '^\./(bin/taldrin|share/(taldrin/|doc/taldrin/|applications/org\.taldrin\.|mime/packages/org\.taldrin\.|metainfo/org\.taldrin\.|icons/hicolor/.*/org\.taldrin\.|locale/[^/]+/LC_MESSAGES/taldrin\.mo$|man/(de/)?man1/taldrin))' || true)
[ -z "$stray" ] || fail "installed outside the program's places: $stray"
# Each translated help book is installed whole, beside the English one.
english=$(cd "$prefix/share/taldrin/help" && find . -maxdepth 1 -type f -printf '%f\n' | sort)
for book in "$2"/res/help/*/verbhlp.hhp; do
  language=$(basename "$(dirname "$book")")
  [ "$(cd "$prefix/share/taldrin/help/$language" && find . -type f -printf '%f\n' | sort)" = "$english" ] ||
    fail "the help book in $language is not installed whole"
done
for page in "$prefix"/share/man/de/man1/*.gz; do
  warnings=$(zcat "$page" | groff -k -man -Tutf8 -ww -z 2>&1) && [ -z "$warnings" ] || fail "$page: $warnings"
done
desktop-file-validate "$prefix/share/applications/org.taldrin.Taldrin.desktop" || fail "desktop entry"
appstreamcli validate --no-net "$prefix/share/metainfo/org.taldrin.Taldrin.metainfo.xml" || fail "metainfo"

for option in --help --version; do
  out=$(env -u DISPLAY "$prefix/bin/taldrin" $option) || fail "$option ended with $?"
  grep -q '^Usage: taldrin\|^taldrin 1\.0$' <<<"$out" || fail "$option printed: $out"
done
status=0
err=$(env -u DISPLAY "$prefix/bin/taldrin" --bogus 2>&1 >/dev/null) || status=$?
[ $status = 2 ] && [ "$(wc -l <<<"$err")" = 1 ] || fail "--bogus: status $status, said: $err"

# The type and its program, as a desktop finds them once the package's triggers have run.
update-mime-database "$prefix/share/mime"
update-desktop-database "$prefix/share/applications"
lists=$(make_workdir "verb lists")
printf '#\nClean\n#\n#\nbas1\ndrank\ndrink\ndrunk\n' >"$lists/class 7b.ver"
export XDG_DATA_DIRS="$prefix/share:/usr/share"
[ "$(xdg-mime query filetype "$lists/class 7b.ver")" = application/x-taldrin-verb-list ] ||
  fail "type of a .ver file: $(xdg-mime query filetype "$lists/class 7b.ver")"
[ "$(xdg-mime query default application/x-taldrin-verb-list)" = org.taldrin.Taldrin.desktop ] ||
  fail "no program for verb lists"

# first_question DIALOG...: clicks the welcome screen of the program just started, ticks
# the first box of each dialog, and waits for the first question in the caption.
first_question() {
  window=$(wait_for_window "New Game - Taldrin")
  xdotool mousemove --window "$window" 350 200 click 1
  tick_dialogs "$@"
  wait_until 20 asking
}
asking() { [ "$(xdotool getwindowname "$window")" != "New Game - Taldrin" ]; }

TALDRIN="$prefix/bin/taldrin"

start_taldrin "$(make_workdir empty)"
first_question "Choice of forms" "Choice of verb groups" || fail "no question from the installed lists"
send_keys "$window" alt+h Return
wait_for_window "Help: Taldrin Help" 20 >/dev/null
# The About box shows the installed licence.
send_keys "$window" alt+h Up Return
about=$(wait_for_window "About Taldrin")
send_keys "$about" alt+l
close_with Licence Escape
close_with "About Taldrin" Escape

# The user's data folder comes before the installed lists: its alternative list is taken.
mkdir "$XDG_DATA_HOME/taldrin" && cp "$2/data/irrtes.ver" "$XDG_DATA_HOME/taldrin/"
start_taldrin "$(make_workdir empty-too)"
first_question "Choice of forms" || fail "the alternative list in the data folder was not taken"

# The desktop entry's command line opens the list it is given
# (and keeps it for the runs after this one).
read -r -a command < <(sed -n 's/^Exec=//p' "$prefix/share/applications/org.taldrin.Taldrin.desktop")
[ "${command[0]}" = taldrin ] && [ "${command[-1]}" = %f ] || fail "Exec=${command[*]}"
start_taldrin "$(make_workdir opened)" "${command[@]:1:${#command[@]}-2}" "$lists/class 7b.ver"
first_question "Choice of forms" "Choice of verb groups"
[ "$(xdotool getwindowname "$window")" = "drink - Taldrin" ] || fail "the opened list was not asked"
echo "PASS"
