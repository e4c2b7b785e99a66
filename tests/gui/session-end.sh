#!/usr/bin/env bash
# The session ends while something is open: each of the states below gets a signal, or
# loses its display, in a program of its own. Every time the program must write the
# settings once and end with status 0. The last one runs at GDK_SCALE=2, where the window
# must still fit the screen.
source "$(dirname "$0")/lib.sh"
gui_setup "$@"
settings="$XDG_CONFIG_HOME/vespin/vespin.conf"
workdir=$(make_workdir run)
cp "$SOURCE_DIR/tests/data/lesson.ver" "$workdir/irregu.ver"

# open STATE: from the welcome screen in $window to STATE; prints the title of what is open.
open() {
  case $1 in
    forms | groups | choose)
      xdotool mousemove --window "$window" 350 200 click 1
      local forms
      forms=$(wait_for_window "Choice of forms")
      case $1 in forms) echo "Choice of forms" ;; groups) send_keys "$forms" space Return; echo "Choice of verb groups" ;;
        choose) send_keys "$forms" Return; echo Taldrin ;; esac ;;
    giveup) menu "$window" 1 0 && echo Taldrin ;;
    options) menu "$window" 1 2 && echo Option ;;
    statistics)
      set_up "space Return" "space Return"
      wait_until 10 caption_is "$window" "go - Taldrin" || fail "no lesson"
      send_keys "$window" x Return
      menu "$window" 1 1 && echo Statistics ;;
    print) send_keys "$window" ctrl+p && echo Print ;;
    open) send_keys "$window" ctrl+o && echo Open ;;
    about) send_keys "$window" alt+h Up Return && echo "About Taldrin" ;;
    help) menu "$window" 2 0 && echo "Help: Taldrin Help" ;;
  esac
}

# end_during HOW STATE: HOW is a signal, or "display" to kill the X server.
end_during() {
  rm -f "$settings"
  start_welcome "$workdir"
  eval "$(xdotool getwindowgeometry --shell "$window")"
  read -r screen_width screen_height < <(xdotool getdisplaygeometry)
  [ "$WIDTH" -le "$screen_width" ] && [ "$HEIGHT" -le "$screen_height" ] || fail "window ${WIDTH}x$HEIGHT"
  wait_for_window "$(open "$2")" 15 >/dev/null
  if [ "$1" = display ]; then kill -KILL "$XVFB_PID"; else kill "-$1" "$TALDRIN_PID"; fi
  wait_for_exit "$TALDRIN_PID" 20
  [ "$EXIT_STATUS" = 0 ] || fail "$1 during $2: status $EXIT_STATUS"
  [ "$(grep -c '^\[Morphane\]$' "$settings" 2>/dev/null)" = 1 ] && grep -qx Right=400 "$settings" ||
    fail "$1 during $2: settings $(cat "$settings" 2>&1)"
}

end_during TERM forms
end_during INT groups
end_during HUP choose
end_during TERM giveup
end_during INT options
end_during HUP statistics
end_during TERM print
end_during INT open
end_during HUP about
end_during TERM help
GDK_SCALE=2 end_during display print
echo "PASS"
