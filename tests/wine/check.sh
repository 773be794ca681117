#!/usr/bin/env bash
# The Windows program under Wine, after scripts/windows --tests: the test suites, the console commands from
# cmd.exe, the executables' subsystems, the window with real input on an X server with a window manager, and a
# silent install and uninstall.
set -euo pipefail
cd "$(dirname "$0")/../.."
root=$PWD
version=$(sed -n 's/^project(Ravelock VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
out=$root/build/windows
stage=$out/ravelock-$version
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export WINEPREFIX=${RAVELOCK_WINEPREFIX:-$HOME/.cache/ravelock/wine}
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
windows_path() { printf 'Z:%s' "${1//\//\\}"; }
# A new machine has no prefix yet: made once here, before the suites start side by side.
mkdir -p "$(dirname "$WINEPREFIX")"
wineboot --init >/dev/null 2>&1

echo "== The test suites, built for Windows, under Wine (offscreen)"
ctest --test-dir "$out/app" --output-on-failure

echo "== The executables' subsystems"
subsystem() { x86_64-w64-mingw32-objdump -p "$1" | sed -n 's/^Subsystem[[:space:]]*//p'; }
[ "$(subsystem "$stage/ravelock.exe")" = "00000002	(Windows GUI)" ] || { echo "ravelock.exe is not a GUI program"; exit 1; }
[ "$(subsystem "$stage/ravelock.com")" = "00000003	(Windows CUI)" ] || { echo "ravelock.com is not a console program"; exit 1; }

echo "== The commands from cmd.exe, as typed there"
# A texture whose name goes beyond ASCII, mapped by the Windows program and by Linux's.
texture="$work/Grüße.tga"
python3 - "$texture" <<'PY'
import struct, sys
rows = ["........", ".##..#..", ".##.....", "......#."]
with open(sys.argv[1], "wb") as f:
    f.write(struct.pack("<BBBHHBHHHHBB", 0, 0, 2, 0, 0, 0, 0, 0, 8, 4, 32, 0x28))
    for row in rows:
        for c in row:
            f.write(bytes((9, 9, 9, 255 if c == "#" else 0)))
PY
mkdir -p "$work/linux"
"$root/build/test/src/app/ravelock" shapes "$texture" --name Dot -o "$work/linux/dots.ini" > /dev/null
# "ravelock" typed in the program's folder, as cmd.exe finds it (ravelock.com first), and its status.
in_cmd() {
  { wine cmd /v:on /c "cd /d $(windows_path "$stage") && ravelock $1 & echo status=!ERRORLEVEL!" 2>&1 || true; } |
    tr -d '\r'
}
in_cmd "shapes $(windows_path "$texture") --name Dot -o $(windows_path "$work/dots.ini")" > "$work/shapes.txt"
printf 'wrote 3 entries to %s\nstatus=0\n' "$(windows_path "$work/dots.ini")" | diff - "$work/shapes.txt"
cmp "$work/dots.ini" "$work/linux/dots.ini" # the same bytes as on Linux
[ "$(in_cmd "check $(windows_path "$texture") $(windows_path "$work/dots.ini")")" = "status=0" ]
in_cmd "check $(windows_path "$work/none.tga") $(windows_path "$work/dots.ini")" > "$work/missing.txt"
grep -q "^ravelock: .*none.tga: " "$work/missing.txt" && grep -qx 'status=2' "$work/missing.txt" ||
  { cat "$work/missing.txt"; exit 1; }

echo "== The window under Wine, with real input"
# The commands above left Wine's session running without a display, and a program joining it would show its
# windows nowhere: this one starts a new session on the X server.
wineserver -k 2>/dev/null || true
wineserver -w
head -c "$(grep -b -m1 '^MappedImage' "$work/linux/dots.ini" | cut -d: -f1)" "$work/linux/dots.ini" > "$work/header"
xvfb-run -a -s "-screen 0 1280x800x24" sh -c '
  openbox >/dev/null 2>&1 &
  for i in $(seq 100); do xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q "window id" && break; sleep 0.1; done
  python3 tests/wine/window.py "$1" "$2" "$3"
  status=$?
  wineserver -k 2>/dev/null
  exit $status' window "$stage" "$work" "$work/header"

echo "== A silent install for the current user, and its uninstall"
wine "$out/ravelock-$version-windows-x86_64-setup.exe" /S /CurrentUser
key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Ravelock'
location=$(wine reg query "$key" /v InstallLocation 2>/dev/null | tr -d '\r' | sed -n 's/.*REG_SZ[[:space:]]*//p')
[ -n "$location" ] || { echo "no uninstall entry"; exit 1; }
installed=$(winepath -u "$location")
for file in ravelock.exe ravelock.com Qt6Widgets.dll platforms/qwindows.dll Uninstall.exe; do
  [ -f "$installed/$file" ] || { echo "not installed: $file"; exit 1; }
done
wine reg query 'HKCU\Software\Classes\Ravelock.tga\shell\open\command' 2>/dev/null | grep -q 'ravelock.exe' ||
  { echo "no Open with Ravelock"; exit 1; }
wine reg query 'HKCU\Software\Classes\.tga\OpenWithProgids' /v Ravelock.tga > /dev/null 2>&1 ||
  { echo ".tga does not offer Ravelock"; exit 1; }
wine "$installed/Uninstall.exe" /S /CurrentUser
for i in $(seq 100); do [ -e "$installed" ] || break; sleep 0.3; done
[ ! -e "$installed" ] || { echo "the uninstaller left $installed"; exit 1; }
! wine reg query "$key" > /dev/null 2>&1 || { echo "the uninstaller left its registry entry"; exit 1; }
! wine reg query 'HKCU\Software\Classes\Ravelock.tga' > /dev/null 2>&1 || { echo "the uninstaller left the file type"; exit 1; }
wineserver -w
echo "The Windows program passed under Wine"
