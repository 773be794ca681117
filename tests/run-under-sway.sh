#!/bin/sh
# Runs a command as a Wayland client of a new headless sway of 1280 x 800
# device pixels at the scale $RAVELOCK_OUTPUT_SCALE (default 1), windows
# floating as on a desktop. sway refuses root, so it runs as nobody; the
# command keeps the caller's user. Exits 77 (skipped) when sway cannot start.
# Windows open at a whole-pixel position: sway draws a window it centred at
# half a pixel half a pixel away from where it sends the pointer.
skip() { echo "SKIP: $1"; exit 77; }
command -v sway >/dev/null || skip "sway is not installed"
command -v setpriv >/dev/null || skip "setpriv is not installed"
runtime=$(mktemp -d /tmp/ravelock-sway.XXXXXX) || skip "no temporary folder"
trap 'kill $compositor 2>/dev/null; wait $compositor 2>/dev/null; rm -rf "$runtime"' EXIT
cat > "$runtime/config" <<CONFIG
output HEADLESS-1 resolution 1280x800 scale ${RAVELOCK_OUTPUT_SCALE:-1}
for_window [app_id=".*"] floating enable, move position 40 30
default_border normal
xwayland disable
CONFIG
chmod 700 "$runtime"
user=nobody
[ "$(id -u)" -eq 0 ] || user=$(id -un)
[ "$(id -u)" -eq 0 ] && chown -R nobody:nogroup "$runtime"
if [ "$(id -u)" -eq 0 ]; then as_user="setpriv --reuid=nobody --regid=nogroup --clear-groups"; else as_user=""; fi
$as_user env -i HOME="$runtime" XDG_RUNTIME_DIR="$runtime" PATH="$PATH" WLR_BACKENDS=headless \
  WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman sway -c "$runtime/config" >"$runtime/sway.log" 2>&1 &
compositor=$!
for i in $(seq 50); do
  [ -S "$runtime/wayland-1" ] && ls "$runtime"/sway-ipc.*.sock >/dev/null 2>&1 && break
  kill -0 $compositor 2>/dev/null || skip "sway did not start: $(tail -n 3 "$runtime/sway.log")"
  sleep 0.1
done
[ -S "$runtime/wayland-1" ] || skip "sway did not open its socket"
client() {
  XDG_RUNTIME_DIR="$runtime" WAYLAND_DISPLAY=wayland-1 SWAYSOCK=$(ls "$runtime"/sway-ipc.*.sock) \
    QT_QPA_PLATFORM=wayland "$@" >"$runtime/client.log" 2>&1
  status=$?
  cat "$runtime/client.log"
  return $status
}
client "$@" && exit 0
# Qt 6.4's Wayland client can abort in its own event thread when a window goes while a frame callback is
# still pending (later Qt versions mend it). Only that abort earns a second run.
grep -q "wl_proxy_unref: Assertion" "$runtime/client.log" || exit $status
echo "Qt's Wayland client aborted in its event thread; running once more"
client "$@"
