#!/bin/sh
# Runs a test program on Qt's Wayland platform under a headless Weston compositor of its own:
# under-weston.sh PROGRAM [ARGUMENT...]
command -v weston >/dev/null 2>&1 || { echo "weston is not installed: the Wayland test cannot run"; exit 1; }
runtime=$(mktemp -d) || exit 1
chmod 700 "$runtime"
XDG_RUNTIME_DIR="$runtime" weston --backend=headless-backend.so --socket=wayland-test --idle-time=0 \
  >"$runtime/weston.log" 2>&1 &
weston=$!
# Waits for its socket, up to a minute on a loaded machine.
tries=0
while [ ! -S "$runtime/wayland-test" ] && [ "$tries" -lt 600 ]; do
  sleep 0.1
  tries=$((tries + 1))
done
if [ -S "$runtime/wayland-test" ]; then
  XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=wayland-test QT_QPA_PLATFORM=wayland "$@"
  status=$?
else
  echo "weston did not start:"
  cat "$runtime/weston.log"
  status=1
fi
kill "$weston" 2>/dev/null
wait "$weston" 2>/dev/null
rm -rf "$runtime"
exit "$status"
