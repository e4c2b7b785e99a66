#!/usr/bin/env bash
# The Windows installer under Wine, on a private X server and in a fresh Wine prefix: a
# silent install for all users; the installed program started from a folder without lists
# (so it reads the installed ones), its welcome screen, the forms and groups dialogs and
# one question answered, then a screenshot; the statistics from the toolbar; the help
# window by F1 and by the menu; a silent uninstall, which leaves nothing but the user's
# settings. Run by scripts/windows.sh check.
#   tests/gui/wine-installer.sh SETUP.EXE SCREENSHOT.PNG
set -euo pipefail
setup=$(realpath "$1") shot=$(realpath -m "$2")
source "$(dirname "$0")/lib.sh"
gui_begin

# Pixels of the colour (within 12 on every channel) in the window, or in its crop WxH+X+Y.
count_in() {
  screenshot "$1" "$GUI_TMP/now.png"
  count_colour "$GUI_TMP/now.png" "$2" "$3" "$4" 12 ${5:+"$5"}
}

wine=/usr/lib/wine/wine64
export WINEPREFIX="$GUI_TMP/wine" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
/usr/lib/wine/wineserver -p
trap 'status=$?; set +e; /usr/lib/wine/wineserver -k 2>/dev/null; (exit $status); gui_cleanup' EXIT
"$wine" wineboot --init >"$GUI_TMP/wineboot.log" 2>&1

installed="$WINEPREFIX/drive_c/Program Files/Taldrin"
menu_entry="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/Taldrin.lnk"
uninstall_key='HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Taldrin'
"$wine" "$setup" /S /AllUsers >"$GUI_TMP/setup.log" 2>&1
for file in taldrin.exe taldrin-check.exe irregu.ver irrtes.ver COPYING.txt help/verbhlp.hhp help/de/verbhlp.hhp \
    locale/de/LC_MESSAGES/taldrin.mo locale/zh_CN/LC_MESSAGES/wxstd-3.2.mo uninstall.exe; do
  [ -f "$installed/$file" ] || fail "not installed: $file"
done
[ -f "$menu_entry" ] || fail "no Start menu entry"
"$wine" reg query "$uninstall_key" /v UninstallString >/dev/null 2>&1 || fail "no uninstaller among the installed programs"

# The program from a folder without lists; a lesson on the installed main list.
mkdir -p "$GUI_TMP/work"
(cd "$GUI_TMP/work" && exec "$wine" 'C:\Program Files\Taldrin\taldrin.exe') >"$GUI_TMP/taldrin-1.log" 2>&1 &
GUI_PIDS+=("$!")
window=$(wait_for_window "New Game - Taldrin" 90)
wait_until 30 eval '[ "$(count_in "$window" 160 160 255)" -gt 3000 ]' || fail "no blue title word on the welcome screen"
screenshot "$window" "${shot%.png}-welcome.png"
xdotool mousemove --window "$window" 350 200 click 1
send_keys "$(wait_for_window "Choice of forms")" space Return
send_keys "$(wait_for_window "Choice of verb groups")" space Return
wait_until 20 eval '! caption_is "$window" "New Game - Taldrin"' || fail "no lesson"
xdotool windowfocus --sync "$window"
xdotool type --delay 80 "went"
wait_until 10 eval '[ "$(count_in "$window" 0 0 0)" -gt 0 ]' || fail "the answer did not show"
white=$(count_in "$window" 255 255 255)
xdotool key Return
# Right or wrong, the verdict shows a picture where the view was white.
wait_until 20 eval '[ "$(count_in "$window" 255 255 255)" -lt $((white - 1000)) ]' || fail "no verdict"
screenshot "$window" "$shot"
echo "screenshot: $shot"

# A command as Windows carries it, in 16 bits: the toolbar's Statistics (id 32772).
xdotool mousemove --window "$window" 42 32 click 1
send_keys "$(wait_for_window "Statistics" 20)" Return
wait_until 20 window_gone "Statistics" || fail "the statistics stayed open"

# The installed help book, by F1 and by Help > Help; Alt+F4 closes the help window.
for keys in F1 "alt+h Return"; do
  send_keys "$window" $keys
  help=$(wait_for_window "Help: Taldrin Help" 60)
  send_keys "$help" alt+F4
  wait_until 20 window_gone "Help: Taldrin Help" || fail "the help window stayed open"
done

# The settings are the user's; the uninstaller must leave them.
"$wine" reg add 'HKCU\Software\Vespin\vespin\Morphane' /v Right /t REG_DWORD /d 700 /f >/dev/null 2>&1
"$wine" taskkill /f /im taldrin.exe >/dev/null 2>&1 || true
# The uninstaller copies itself away and returns at once: wait for the folder to go.
"$wine" "$installed/uninstall.exe" /S /AllUsers >"$GUI_TMP/uninstall.log" 2>&1
wait_until 60 eval '[ ! -e "$installed" ]' || fail "left behind: $(find "$installed" | tr '\n' ' ')"
[ ! -e "$menu_entry" ] || fail "the Start menu entry stayed"
! "$wine" reg query "$uninstall_key" >/dev/null 2>&1 || fail "the uninstaller is still listed"
"$wine" reg query 'HKCU\Software\Vespin\vespin\Morphane' /v Right >/dev/null 2>&1 ||
  fail "the uninstaller removed the user's settings"
echo "installed, played and uninstalled under Wine"
