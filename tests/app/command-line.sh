#!/bin/sh
# The program's answers at the command line, without a display: command-line.sh PROGRAM
program="$1"
failures=0
check() { # what, expected status, expected start of the program's own line, then the command
  what="$1" status="$2" text="$3"
  shift 3
  output=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" 2>&1)
  actual=$?
  case "$output" in
  "$text"* | *"
$text"*) ;;
  *) echo "FAIL $what: printed: $output"; failures=$((failures + 1)) ;;
  esac
  [ "$actual" = "$status" ] || { echo "FAIL $what: exit status $actual, not $status"; failures=$((failures + 1)); }
}
check "--help" 0 "Usage: brindlecove [ALBUM]" "$program" --help
check "--version" 0 "Brindlecove 0.8.0" "$program" --version
check "an option after --" 1 "brindlecove: there is no screen" "$program" -- --help
check "two albums" 2 "brindlecove: one album at a time" QT_QPA_PLATFORM=offscreen "$program" a.xml b.xml
check "an unknown option" 2 "brindlecove: unknown option --album" QT_QPA_PLATFORM=offscreen "$program" --album
check "an unknown option without a screen" 2 "brindlecove: unknown option --album" "$program" --album
check "two albums without a screen" 2 "brindlecove: one album at a time" "$program" a.xml b.xml
check "Wayland without a compositor" 1 "brindlecove: there is no screen to open the window on: no Wayland" \
  QT_QPA_PLATFORM=wayland XDG_RUNTIME_DIR=/nonexistent "$program"
[ "$failures" = 0 ] && echo "command line: all answers as expected"
exit "$failures"
