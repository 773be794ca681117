#!/bin/sh
# Runs a command as a Wayland client of a new virtual KWin of 1280 x 800
# device pixels at the scale $RAVELOCK_OUTPUT_SCALE (default 1), every window
# put at (40, 30) without a frame, as the sway runner puts them; the command
# learns the place from $RAVELOCK_WINDOW_AT. The first argument is the program
# the command takes screenshots with: KWin lets only a program that a desktop
# entry names do that. Exits 77 (skipped) when KWin cannot start or takes no
# screenshots.
skip() { echo "SKIP: $1"; exit 77; }
if [ "$1" != --inside ]; then
  command -v kwin_wayland >/dev/null || skip "KWin is not installed"
  command -v dbus-run-session >/dev/null || skip "dbus-run-session is not installed"
  runtime=$(mktemp -d /tmp/ravelock-kwin.XXXXXX) || skip "no temporary folder"
  trap 'rm -rf "$runtime"' EXIT
  mkdir -p "$runtime/config" "$runtime/data/applications"
  cat > "$runtime/config/kwinrulesrc" <<RULES
[General]
count=1
rules=tests

[tests]
Description=Every window of the tests
wmclass=.*
wmclassmatch=3
position=40,30
positionrule=2
noborder=true
noborderrule=2
RULES
  shot=$1
  cat > "$runtime/data/applications/ravelock-kwin-shot.desktop" <<ENTRY
[Desktop Entry]
Type=Application
Name=Ravelock tests' screenshots
Exec=$shot
NoDisplay=true
X-KDE-DBUS-Restricted-Interfaces=org.kde.KWin.ScreenShot2
ENTRY
  shift
  # The installed KWin may hold file capabilities that a container refuses: a copy has none.
  cp "$(command -v kwin_wayland)" "$runtime/kwin_wayland" || skip "KWin cannot be copied"
  chmod 700 "$runtime"
  HOME="$runtime" XDG_RUNTIME_DIR="$runtime" XDG_CONFIG_HOME="$runtime/config" XDG_DATA_HOME="$runtime/data" \
    XDG_CACHE_HOME="$runtime/cache" dbus-run-session -- "$0" --inside "$shot" "$@"
  exit $?
fi
shot=$2
shift 2
runtime=$XDG_RUNTIME_DIR
KWIN_WAYLAND_NO_PERMISSION_CHECKS=1 "$runtime/kwin_wayland" --virtual --width 1280 --height 800 \
  --scale "${RAVELOCK_OUTPUT_SCALE:-1}" --socket wayland-ravelock >"$runtime/kwin.log" 2>&1 </dev/null &
compositor=$!
trap 'kill $compositor 2>/dev/null; wait $compositor 2>/dev/null' EXIT
for i in $(seq 100); do
  [ -S "$runtime/wayland-ravelock" ] && break
  kill -0 $compositor 2>/dev/null || skip "KWin did not start: $(tail -n 3 "$runtime/kwin.log")"
  sleep 0.1
done
[ -S "$runtime/wayland-ravelock" ] || skip "KWin did not open its socket"
# KWin takes screenshots only when it draws with OpenGL, which KWin 6 does only where the machine has a GPU.
shots=""
for i in $(seq 50); do
  "$shot" >/dev/null 2>"$runtime/shot.log" && shots=yes && break
  sleep 0.1
done
[ -n "$shots" ] || skip "KWin takes no screenshots here: $(tail -n 1 "$runtime/shot.log")"
client() {
  WAYLAND_DISPLAY=wayland-ravelock QT_QPA_PLATFORM=wayland XDG_CURRENT_DESKTOP=KDE RAVELOCK_WINDOW_AT=40,30 \
    "$@" >"$runtime/client.log" 2>&1
  status=$?
  cat "$runtime/client.log"
  return $status
}
client "$@" && exit 0
# As under sway: Qt 6.4's Wayland client can abort in its own event thread when a window goes.
grep -q "wl_proxy_unref: Assertion" "$runtime/client.log" || exit $status
echo "Qt's Wayland client aborted in its event thread; running once more"
client "$@"
