#!/usr/bin/env bash
# Without either verb list in the working directory the program says so in a box
# captioned "vespin" and ends with status 255 once the box is closed; the alternative
# list alone is enough to start.
source "$(dirname "$0")/lib.sh"
gui_setup "$@"

start_taldrin "$(make_workdir empty)"
box=$(wait_for_window vespin)
window_gone "New Game - Taldrin" || fail "the main window opened without a verb list"
process_gone "$TALDRIN_PID" && fail "the program ended before the box was closed"
send_keys "$box" Return
wait_for_exit "$TALDRIN_PID" 20
[ "$EXIT_STATUS" = 255 ] || fail "exit status: expected 255, got $EXIT_STATUS"

start_taldrin "$(make_workdir alternative irrtes.ver)"
wait_for_window "New Game - Taldrin" >/dev/null
window_gone vespin || fail "the error box appeared although irrtes.ver was there"
echo "PASS"
