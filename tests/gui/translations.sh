#!/usr/bin/env bash
# Every shipped language in the real window: each window's caption as gettext reads the built
# catalog; pictures of the welcome screen and a wrong answer kept in <build>/translations/;
# last, the same round in a pseudo-language.
source "$(dirname "$0")/lib.sh"
gui_setup "$@"
command -v gettext >/dev/null || fail "gettext is missing (scripts/install-deps.sh installs it)"
locale=$(dirname "$TALDRIN")/locale
pictures=$(dirname "$TALDRIN")/translations
mkdir -p "$pictures"

# tr [CONTEXT] TEXT: the text in $lang, from the built catalog.
tr_() {
  if [ $# = 2 ]; then
    TEXTDOMAINDIR=$locale LC_ALL=C.UTF-8 LANGUAGE=$lang gettext -d taldrin -c "$1" "$2"
  else
    TEXTDOMAINDIR=$locale LC_ALL=C.UTF-8 LANGUAGE=$lang gettext -d taldrin "$1"
  fi
}
caption() { local pattern; pattern=$(tr_ "{1} - Taldrin"); printf '%s' "${pattern/\{1\}/$1}"; }

# open_dialog CAPTION KEYS...: a menu's keys open a window captioned CAPTION; Escape closes it.
open_dialog() {
  local expected=$1; shift
  xdotool windowfocus --sync "$window"
  xdotool key --delay 250 "$@"
  close_with "$expected" Escape
}

# play LANG: the whole round in one language.
play() {
  lang=$1
  [ -f "$locale/$lang/LC_MESSAGES/taldrin.mo" ] || fail "no catalog built for $lang"
  [ "$(tr_ "New Game")" != "New Game" ] || fail "$lang: the catalog does not translate 'New Game'"
  # Both programs' --help, and taldrin-check's findings, in the language.
  for program in "$TALDRIN" "$(dirname "$TALDRIN")/checker/taldrin-check"; do
    [ ! -x "$program" ] || [ "$(LANGUAGE=$lang "$program" --help)" != "$(LANGUAGE=C "$program" --help)" ] ||
      fail "$lang: $(basename "$program") --help is in English"
  done
  workdir=$(make_workdir "$lang")
  cp "$SOURCE_DIR/tests/data/lesson.ver" "$workdir/irregu.ver"
  LC_ALL= LC_MESSAGES= LANG=C.UTF-8 LANGUAGE=$lang start_taldrin "$workdir"
  window=$(wait_for_window "$(caption "$(tr_ "New Game")")" 30) || fail "$lang: no translated welcome caption"
  THRESHOLD=3000 wait_until 20 eval '[ "$(screenshot "$window" "$pictures/$lang-welcome.png"; count_colour "$pictures/$lang-welcome.png" 160 160 255 12)" -gt 3000 ]' ||
    fail "$lang: no title on the welcome screen"

  # The verb list editor, before a lesson, so that opening it ends none.
  editor=$(tr_ "{1} - {2}"); editor=${editor/\{1\}/irregu.ver}; editor=${editor/\{2\}/$(tr_ "Verb List Editor")}
  xdotool windowfocus --sync "$window"
  xdotool key --delay 250 F10 Right Down Down Down Down Down Down Return
  close_with "$editor" ctrl+w

  # The lesson's set-up, then a wrong answer: its verdict is drawn in red.
  xdotool mousemove --window "$window" 350 200 click 1
  tick_dialogs "$(tr_ "Choice of forms")" "$(tr_ "Choice of verb groups")"
  wait_until 10 eval '! caption_is "$window" "$(caption "$(tr_ "New Game")")"' || fail "$lang: no lesson"
  send_keys "$window" x y z Return
  wait_until 5 eval '[ "$(screenshot "$window" "$pictures/$lang-wrong.png"; count_colour "$pictures/$lang-wrong.png" 220 0 0 12)" -gt 100 ]' ||
    fail "$lang: no wrong verdict drawn"

  # Lesson: Statistics, View (the options), Progress, Language; Help: About.
  open_dialog "$(tr_ "Statistics")" F10 Right Down Down Return
  open_dialog "$(tr_ "Option")" F10 Right Down Down Down Return
  open_dialog "$(tr_ "window title" "Progress")" F10 Right Up Up Up Up Return
  open_dialog "$(tr_ "dialog caption" "Language")" F10 Right Up Up Return
  open_dialog "$(tr_ "About Taldrin")" F10 Left Up Return

  kill -TERM "$TALDRIN_PID"
  wait_for_exit "$TALDRIN_PID" 20
  [ "$EXIT_STATUS" = 0 ] || fail "$lang: ended with $EXIT_STATUS"
  echo "$lang: PASS"
}

for lang in $(sed 's/#.*//' "$SOURCE_DIR/po/LINGUAS"); do
  play "$lang"
done

# The pseudo-language made from the template (each text longer, accented, with a Cyrillic
# tail): a caption still in English escaped the catalog. It is installed as Esperanto,
# which Taldrin lacks, in a scratch prefix.
prefix=$GUI_TMP/prefix
mkdir -p "$prefix/bin" "$prefix/share/locale/eo/LC_MESSAGES"
cp "$TALDRIN" "$prefix/bin/taldrin"
TALDRIN=$prefix/bin/taldrin locale=$prefix/share/locale
msgen "$SOURCE_DIR/po/taldrin.pot" |
  sed 's/nplurals=INTEGER; plural=EXPRESSION;/nplurals=2; plural=(n != 1);/' |
  msgfilter --keep-header -o "$GUI_TMP/eo.po" awk -f "$SOURCE_DIR/tests/support/pseudo_translate.awk"
msgfmt --check-format -o "$locale/eo/LC_MESSAGES/taldrin.mo" "$GUI_TMP/eo.po" || fail "the pseudo-language does not compile"
lang=eo
[[ $(tr_ "Choice of forms") == *Жщ* ]] || fail "the pseudo-language lacks its tail"
play eo
echo "PASS"
