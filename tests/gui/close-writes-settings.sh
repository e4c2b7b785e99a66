#!/usr/bin/env bash
# File > Close, chosen with the keyboard, ends the program with status 0 after writing
# the four settings it read at start-up to section [Morphane] of the settings file.
source "$(dirname "$0")/lib.sh"
gui_setup "$@"

settings="$XDG_CONFIG_HOME/vespin/vespin.conf"
mkdir -p "$(dirname "$settings")"
# Values other than the defaults, under lower-case names: the document writes its own
# spelling, so "Hase=0" afterwards shows the value was read and written back.
printf '[Morphane]\nhase=0\ncorrecting=0\nright=750\nwrong=3000\n' >"$settings"

start_taldrin "$(make_workdir run irregu.ver)"
window=$(wait_for_window "New Game - Taldrin")
send_keys "$window" alt+f c
wait_for_exit "$TALDRIN_PID" 20
[ "$EXIT_STATUS" = 0 ] || fail "exit status: expected 0, got $EXIT_STATUS"

grep -qx '\[Morphane\]' "$settings" || fail "no [Morphane] section in: $(cat "$settings")"
for entry in Hase=0 Correcting=0 Right=750 Wrong=3000; do
  grep -qx "$entry" "$settings" || fail "expected $entry in: $(cat "$settings")"
done

# Without a settings file the defaults are written.
rm -rf "$XDG_CONFIG_HOME/vespin"
start_taldrin "$(make_workdir second irregu.ver)"
window=$(wait_for_window "New Game - Taldrin")
send_keys "$window" alt+f c
wait_for_exit "$TALDRIN_PID" 20
[ "$EXIT_STATUS" = 0 ] || fail "exit status: expected 0, got $EXIT_STATUS"
for entry in Hase=1 Correcting=1 Right=400 Wrong=2000; do
  grep -qx "$entry" "$settings" || fail "expected $entry in: $(cat "$settings" 2>&1)"
done
echo "PASS"
