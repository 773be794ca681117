#!/bin/sh
# Runs a command on a new X server of 1280 x 800 with a window manager, as a
# user's desktop has: frames, focus and placement go through it.
exec xvfb-run -a -s "-screen 0 1280x800x24" sh -c '
  openbox >/dev/null 2>&1 &
  wm=$!
  for i in $(seq 200); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break
    sleep 0.1
  done
  "$@"
  status=$?
  kill $wm 2>/dev/null
  exit $status' run-under-wm "$@"
