#!/usr/bin/env bash
# Menus and mouse reach their commands: Help > About opens the About box, which Esc
# closes; Lesson > Give up asks the view's Yes/No question, which Esc answers; a click on
# the welcome screen opens the two lesson dialogs in turn. The main window survives all.
source "$(dirname "$0")/lib.sh"
gui_setup "$@"

start_taldrin "$(make_workdir run irregu.ver)"
window=$(wait_for_window "New Game - Taldrin")

# Help opens on its first item; Up wraps round to the last, About.
send_keys "$window" alt+h Up Return
about=$(wait_for_window "About Taldrin")
send_keys "$about" Escape
wait_until 10 window_gone "About Taldrin" || fail "Esc did not close the About box"

# F10 opens File; Right moves to Lesson, whose first item is Give up.
send_keys "$window" F10 Right Return
question=$(wait_for_window Taldrin)
send_keys "$question" Escape
wait_until 10 window_gone Taldrin || fail "Esc did not close the Give up question"

xdotool mousemove --window "$window" 350 200 click 1
forms=$(wait_for_window "Choice of forms")
send_keys "$forms" Escape
groups=$(wait_for_window "Choice of verb groups")
send_keys "$groups" Escape
wait_until 10 window_gone "Choice of verb groups" || fail "Esc did not close the groups dialog"

process_gone "$TALDRIN_PID" && fail "the program ended"
wait_for_window "New Game - Taldrin" 5 >/dev/null
echo "PASS"
