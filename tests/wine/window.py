#!/usr/bin/env python3
"""The Windows program's window under Wine, on an X server with a window manager, driven by real input:
a texture given on the command line is painted one texel a pixel (every texel compared with a screenshot), two
corner clicks, Ctrl+E and a name, then Ctrl+S through Windows' own Save As dialog write the exact map.

    window.py PROGRAM_FOLDER WORK_FOLDER EXPECTED_HEADER_FILE
Needs DISPLAY, wine, xdotool and ImageMagick's import and convert. Exits non-zero on the first fault."""
import os
import struct
import subprocess
import sys
import time

folder, work, header_file = sys.argv[1:4]
W, H = 64, 48


def colour(x, y):
    return (x * 4, y * 5, 7)


def run(*args):
    return subprocess.run(args, capture_output=True, text=True).stdout


def wait_for(what, test, seconds=60):
    end = time.time() + seconds
    while time.time() < end:
        found = test()
        if found:
            return found
        time.sleep(0.3)
    shot = os.path.join(os.path.dirname(os.path.abspath(folder)), "window-failed.png")  # kept after the run
    subprocess.run(["import", "-window", "root", shot])
    sys.exit(f"window.py: no {what} after {seconds} s (the screen: {shot})")


def windows_named(name):
    return run("xdotool", "search", "--onlyvisible", "--name", name).split()


def screen():
    png = os.path.join(work, "screen.png")
    subprocess.run(["import", "-window", "root", png], check=True)
    raw = subprocess.run(["convert", png, "rgb:-"], capture_output=True, check=True).stdout
    width = int(run("identify", "-format", "%w", png))
    return raw, width


texture = os.path.join(work, "gradient.tga")
with open(texture, "wb") as f:
    f.write(struct.pack("<BBBHHBHHHHBB", 0, 0, 2, 0, 0, 0, 0, 0, W, H, 24, 0x20))
    for y in range(H):
        for x in range(W):
            r, g, b = colour(x, y)
            f.write(bytes((b, g, r)))
saved = os.path.join(work, "typed.ini")
program = subprocess.Popen(["wine", os.path.join(folder, "ravelock.exe"), "Z:" + texture.replace("/", "\\")],
                           stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
try:
    # The first program started in a new prefix may wait on Wine's own start.
    wait_for("splash", lambda: windows_named("Ravelock"), 180)
    time.sleep(1)
    subprocess.run(["xdotool", "key", "space"])  # past the splash
    main = wait_for("main window", lambda: windows_named("Untitled"))[0]
    time.sleep(2)

    # Every texel on the screen, one pixel each: found by its first row, then compared whole.
    raw, width = screen()
    first_row = b"".join(bytes(colour(x, 0)) for x in range(W))
    at = raw.find(first_row)
    while at >= 0 and at % 3:
        at = raw.find(first_row, at + 1)
    if at < 0:
        sys.exit("window.py: the texture's first row is nowhere on the screen")
    ox, oy = at // 3 % width, at // 3 // width
    for y in range(H):
        row = raw[((oy + y) * width + ox) * 3:((oy + y) * width + ox + W) * 3]
        expected = b"".join(bytes(colour(x, y)) for x in range(W))
        if row != expected:
            sys.exit(f"window.py: row {y} of the texture is not painted exactly")

    for tx, ty in ((10, 5), (40, 30)):
        subprocess.run(["xdotool", "mousemove", str(ox + tx), str(oy + ty), "click", "1"])
        time.sleep(0.5)
    subprocess.run(["xdotool", "key", "ctrl+e"])
    wait_for("Entry Name dialog", lambda: windows_named("Entry Name"))
    time.sleep(0.5)
    subprocess.run(["xdotool", "type", "--delay", "50", "Button"])
    subprocess.run(["xdotool", "key", "Return"])
    time.sleep(1)
    subprocess.run(["xdotool", "key", "ctrl+s"])
    wait_for("Save As dialog", lambda: windows_named("Save"))
    time.sleep(1.5)
    # Over the name the dialog proposes, in the texture's folder.
    subprocess.run(["xdotool", "key", "End", "shift+Home"])
    subprocess.run(["xdotool", "type", "--delay", "30", "typed.ini"])
    subprocess.run(["xdotool", "key", "Return"])
    wait_for("saved map", lambda: os.path.exists(saved) and os.path.getsize(saved) > 0, 30)
    time.sleep(0.5)
finally:
    program.kill()
    subprocess.run(["wineserver", "-k"], env=dict(os.environ))

expected = open(header_file, "rb").read() + (
    "MappedImage Button\r\nTexture = gradient.tga\r\nTextureWidth = 64\r\nTextureHeight = 48\r\n"
    "Coords = Left:10 Top:5 Right:40 Bottom:30\r\nStatus = NONE\r\nEnd\r\n \r\n").encode()
if open(saved, "rb").read() != expected:
    sys.exit("window.py: the map written is not the one expected:\n" + open(saved, "rb").read().decode())
print("window.py: painted exactly; the map saved through Save As is exact")
