#!/usr/bin/env bash
# Starts vantry on the demo store under Xvfb and saves screenshots of its window for review.
# Usage: scripts/screenshots.sh [output folder]   (default: build/screenshots)
# Uses the build folder $VANTRY_BUILD_DIR (default: build); builds vantry and, where the
# project has it, vantry-store. The store, settings and working directory are temporary.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${VANTRY_BUILD_DIR:-build}
out=$(realpath -m "${1:-$build/screenshots}")
mkdir -p "$out"

cmake -S . -B "$build" -DVANTRY_BUILD_GUI=ON >/dev/null
cmake --build "$build" -j2 --target vantry
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export VANTRY_STORE=$work/store XDG_CONFIG_HOME=$work/config XDG_DATA_HOME=$work/data HOME=$work/home
mkdir -p "$HOME" "$work/cwd"
if grep -q 'vantry-store' < <(cmake --build "$build" --target help); then
  cmake --build "$build" -j2 --target vantry-store
  "$build/tools/vantry-store/vantry-store" demo >/dev/null
else
  echo "screenshots: no vantry-store in this build; the store stays empty" >&2
fi
cp "$build/app/ebstract.htm" "$work/cwd/"

export QTWEBENGINE_DISABLE_SANDBOX=1 QTWEBENGINE_CHROMIUM_FLAGS=${QTWEBENGINE_CHROMIUM_FLAGS:---disable-gpu}
export QT_QPA_PLATFORM=xcb
cat >"$work/shoot.py" <<'PYTHON'
# Drives the X display with XTest key presses and saves the root window as PNG files.
import ctypes, ctypes.util, struct, sys, time, zlib

x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
xtst = ctypes.cdll.LoadLibrary("libXtst.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XDefaultRootWindow.restype = ctypes.c_ulong
x11.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
x11.XGetImage.restype = ctypes.c_void_p
x11.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int, ctypes.c_uint,
                          ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
x11.XStringToKeysym.restype = ctypes.c_ulong
x11.XStringToKeysym.argtypes = [ctypes.c_char_p]
x11.XKeysymToKeycode.restype = ctypes.c_ubyte
x11.XKeysymToKeycode.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
xtst.XTestFakeKeyEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]
x11.XFlush.argtypes = [ctypes.c_void_p]

class XImage(ctypes.Structure):
    _fields_ = [("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
                ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_ubyte)),
                ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int), ("bitmap_bit_order", ctypes.c_int),
                ("bitmap_pad", ctypes.c_int), ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
                ("bits_per_pixel", ctypes.c_int)]

display = x11.XOpenDisplay(None)
root = x11.XDefaultRootWindow(display)

def save(path, width, height):
    image = ctypes.cast(x11.XGetImage(display, root, 0, 0, width, height, 0xFFFFFFFF, 2),
                        ctypes.POINTER(XImage)).contents
    raw = ctypes.string_at(image.data, image.bytes_per_line * image.height)
    rows = bytearray()
    for y in range(image.height):
        line = raw[y * image.bytes_per_line: y * image.bytes_per_line + image.width * 4]
        rows.append(0)
        pixels = bytearray(image.width * 3)
        pixels[0::3], pixels[1::3], pixels[2::3] = line[2::4], line[1::4], line[0::4]  # BGRX to RGB
        rows += pixels
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    png = b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack(">IIBBBBB", image.width, image.height, 8, 2, 0, 0, 0))
    png += chunk(b"IDAT", zlib.compress(bytes(rows), 6)) + chunk(b"IEND", b"")
    open(path, "wb").write(png)
    print("saved", path)

def keys(*names, wait=1.5):
    """Presses the keys of a chord together, e.g. keys("Alt_L", "h"), and lets the window settle."""
    codes = [x11.XKeysymToKeycode(display, x11.XStringToKeysym(name.encode())) for name in names]
    for code in codes:
        xtst.XTestFakeKeyEvent(display, code, True, 0)
    for code in reversed(codes):
        xtst.XTestFakeKeyEvent(display, code, False, 0)
    x11.XFlush(display)
    time.sleep(wait)

xtst.XTestFakeMotionEvent.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int, ctypes.c_int, ctypes.c_ulong]
xtst.XTestFakeButtonEvent.argtypes = [ctypes.c_void_p, ctypes.c_uint, ctypes.c_int, ctypes.c_ulong]

def click(x, y, wait=1.5):
    """Clicks the left mouse button at a point of the screen and lets the window settle."""
    xtst.XTestFakeMotionEvent(display, -1, x, y, 0)
    xtst.XTestFakeButtonEvent(display, 1, True, 0)
    xtst.XTestFakeButtonEvent(display, 1, False, 0)
    x11.XFlush(display)
    time.sleep(wait)

def focus_largest_window():
    """Without a window manager nobody gives the program the keyboard: hand it over here."""
    root_return, parent = ctypes.c_ulong(), ctypes.c_ulong()
    children, count = ctypes.POINTER(ctypes.c_ulong)(), ctypes.c_uint()
    x11.XQueryTree.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong),
                               ctypes.POINTER(ctypes.c_ulong), ctypes.POINTER(ctypes.POINTER(ctypes.c_ulong)),
                               ctypes.POINTER(ctypes.c_uint)]
    x11.XQueryTree(display, root, ctypes.byref(root_return), ctypes.byref(parent), ctypes.byref(children),
                   ctypes.byref(count))
    class Attributes(ctypes.Structure):
        _fields_ = [("x", ctypes.c_int), ("y", ctypes.c_int), ("width", ctypes.c_int), ("height", ctypes.c_int),
                    ("border_width", ctypes.c_int), ("depth", ctypes.c_int), ("visual", ctypes.c_void_p),
                    ("root", ctypes.c_ulong), ("class_", ctypes.c_int), ("bit_gravity", ctypes.c_int),
                    ("win_gravity", ctypes.c_int), ("backing_store", ctypes.c_int),
                    ("backing_planes", ctypes.c_ulong), ("backing_pixel", ctypes.c_ulong),
                    ("save_under", ctypes.c_int), ("colormap", ctypes.c_ulong), ("map_installed", ctypes.c_int),
                    ("map_state", ctypes.c_int), ("all_event_masks", ctypes.c_long),
                    ("your_event_mask", ctypes.c_long), ("do_not_propagate_mask", ctypes.c_long),
                    ("override_redirect", ctypes.c_int), ("screen", ctypes.c_void_p)]
    x11.XGetWindowAttributes.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(Attributes)]
    best, area = None, 0
    for i in range(count.value):
        attributes = Attributes()
        x11.XGetWindowAttributes(display, children[i], ctypes.byref(attributes))
        if attributes.map_state == 2 and attributes.width * attributes.height > area:
            best, area = children[i], attributes.width * attributes.height
    if best:
        x11.XSetInputFocus.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_ulong]
        x11.XSetInputFocus(display, best, 2, 0)
        x11.XFlush(display)
        time.sleep(1)

out, width, height = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
focus_largest_window()
save(f"{out}/1-start-page.png", width, height)
keys("Alt_L", "v")
save(f"{out}/2-view-menu.png", width, height)
keys("Escape"); keys("Escape")
keys("Alt_L", "h"); keys("h", wait=4)
save(f"{out}/3-help-page.png", width, height)
keys("Alt_L", "o")
save(f"{out}/4-options-menu.png", width, height)
keys("Escape"); keys("Escape")
keys("Alt_L", "h"); keys("a")
save(f"{out}/5-about-box.png", width, height)
keys("Return")
click(19, 9)
save(f"{out}/6-file-menu.png", width, height)
keys("Escape"); keys("Escape")
# The AlphaSort list expanded (the arrow of its root), then its third address selected.
click(12, 197, wait=3)
save(f"{out}/7-alphasort-list.png", width, height)
click(150, 251, wait=4)
save(f"{out}/8-entry-selected.png", width, height)
# The History tab with its age folders.
click(258, 173); click(12, 197, wait=3)
save(f"{out}/9-history-list.png", width, height)
PYTHON

width=1280 height=800
cat >"$work/run.sh" <<RUN
cd "$work/cwd"
"$root/$build/app/vantry" &
sleep 8
python3 "$work/shoot.py" "$out" $width $height
kill %1
wait
RUN
xvfb-run -a -s "-screen 0 ${width}x${height}x24" bash "$work/run.sh" || true
echo "screenshots in $out"
