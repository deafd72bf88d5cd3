#!/bin/sh
# Runs a test program on Qt's X11 platform under an Xvfb server of its own, where the clipboard is
# the X server's and other programs can own it: under-xvfb.sh PROGRAM [ARGUMENT...]
command -v xvfb-run >/dev/null 2>&1 || { echo "xvfb-run is not installed: the X11 test cannot run"; exit 1; }
exec xvfb-run -a env QT_QPA_PLATFORM=xcb "$@"
