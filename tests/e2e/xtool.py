#!/usr/bin/env python3
"""X11 and picture helpers for the window tests: grab a window, ask it to close, read pixels.

Only the standard library and libX11 (through ctypes) are used, so the tests need no image
package. Pictures are PNG files that this tool writes itself with unfiltered rows, so reading
them back is a plain inflate. Every position given to a query is a LOGICAL point of the
game's 900 x 700 space; it is mapped to the picture's pixel size, because the game stretches
its picture over the whole window. Pictures from elsewhere (a compositor's screenshot) may be
8-bit RGBA with filtered rows; their alpha is ignored.

  xtool.py grab WINDOW OUT.png               the window's current content
  xtool.py grab-until WINDOW OUT.png SECONDS points COLOUR LX LY [LX LY ...]
  xtool.py grab-until WINDOW OUT.png SECONDS count X0 Y0 X1 Y1 COLOUR MIN
                                             grabs until all points have the colour, or until the box
                                             holds at least MIN pixels of it; exit 1 after SECONDS.
                                             Conditions can be joined with "and".
  xtool.py close WINDOW                      a WM_DELETE_WINDOW request, as a window manager sends it
  xtool.py fullscreen-manager LOG            logs the _NET_WM_STATE requests sent to the window manager
                                             and grants fullscreen ones, until killed
  xtool.py pixel PNG LX LY [LX LY ...]       "R G B" (0..255) per point
  xtool.py expect PNG COLOUR LX LY [...]     exit 1, naming each point, unless all points have the colour
  xtool.py expect-pixel PNG COLOUR PX PY     the same for one pixel given in pixels, not logical units
  xtool.py count PNG X0 Y0 X1 Y1 COLOUR      pixels of that colour in the box [X0, X1) x [Y0, Y1)
  xtool.py span PNG LY COLOUR [X0 X1]        "MINX MAXX" in logical x of that colour in one row, or "none"
  xtool.py glyphs PNG X Y SCALE TEXT COLOUR  checks the lit and unlit cells of TEXT drawn at (X, Y)
  xtool.py differ A.png B.png X0 Y0 X1 Y1    pixels that differ between two pictures in the box
  xtool.py monsters PNG                      one line "KIND X0 Y0 X1 Y1" per monster body seen in the lane

COLOUR is "r,g,b" in the game's 0..1 floats, optionally followed by ",tolerance" in 8-bit steps
(default 3); it is compared per channel after rounding to 8 bits as the GL does.
"""

import ctypes
import ctypes.util
import struct
import sys
import time
import zlib

LOGICAL_WIDTH = 900.0
LOGICAL_HEIGHT = 700.0
DEFAULT_TOLERANCE = 3

# The 5 x 7 cells of the characters the tests look for, row 0 at the top.
GLYPHS = {
    "0": [".###.", "#...#", "#..##", "#.#.#", "##..#", "#...#", ".###."],
    "1": ["..#..", ".##..", "..#..", "..#..", "..#..", "..#..", ".###."],
    "2": [".###.", "#...#", "....#", "...#.", "..#..", ".#...", "#####"],
    "3": ["####.", "....#", "....#", ".###.", "....#", "....#", "####."],
    "4": ["#...#", "#...#", "#...#", "#####", "....#", "....#", "....#"],
    "5": ["#####", "#....", "#....", "####.", "....#", "....#", "####."],
    "6": [".###.", "#....", "#....", "####.", "#...#", "#...#", ".###."],
    "7": ["#####", "....#", "...#.", "..#..", ".#...", ".#...", ".#..."],
    "8": [".###.", "#...#", "#...#", ".###.", "#...#", "#...#", ".###."],
    "9": [".###.", "#...#", "#...#", ".####", "....#", "....#", ".###."],
    "C": ["#####", "#....", "#....", "#....", "#....", "#....", "#####"],
    "K": ["#...#", "#..#.", "#.#..", "##...", "#.#..", "#..#.", "#...#"],
    "L": ["#....", "#....", "#....", "#....", "#....", "#....", "#####"],
    "O": [".###.", "#...#", "#...#", "#...#", "#...#", "#...#", ".###."],
    "S": ["#####", "#....", "#....", "#####", "....#", "....#", "#####"],
    " ": ["....."] * 7,
}


def fail(message):
    sys.stderr.write("xtool: %s\n" % message)
    sys.exit(2)


# ----------------------------------------------------------------------------- X11

class XImage(ctypes.Structure):
    # The leading fields of Xlib's XImage, which is all this tool reads.
    _fields_ = [
        ("width", ctypes.c_int), ("height", ctypes.c_int), ("xoffset", ctypes.c_int),
        ("format", ctypes.c_int), ("data", ctypes.POINTER(ctypes.c_ubyte)),
        ("byte_order", ctypes.c_int), ("bitmap_unit", ctypes.c_int),
        ("bitmap_bit_order", ctypes.c_int), ("bitmap_pad", ctypes.c_int),
        ("depth", ctypes.c_int), ("bytes_per_line", ctypes.c_int),
        ("bits_per_pixel", ctypes.c_int), ("red_mask", ctypes.c_ulong),
        ("green_mask", ctypes.c_ulong), ("blue_mask", ctypes.c_ulong),
    ]


class XClientMessageEvent(ctypes.Structure):
    _fields_ = [
        ("type", ctypes.c_int), ("serial", ctypes.c_ulong), ("send_event", ctypes.c_int),
        ("display", ctypes.c_void_p), ("window", ctypes.c_ulong), ("message_type", ctypes.c_ulong),
        ("format", ctypes.c_int), ("data", ctypes.c_long * 5),
    ]


class XEvent(ctypes.Union):
    _fields_ = [("xclient", XClientMessageEvent), ("pad", ctypes.c_long * 24)]


ZPIXMAP = 2
CLIENT_MESSAGE = 33
LSB_FIRST = 0
ALL_PLANES = ctypes.c_ulong(0xFFFFFFFF)

_x_errors = []
ERROR_HANDLER = ctypes.CFUNCTYPE(ctypes.c_int, ctypes.c_void_p, ctypes.c_void_p)


def _record_x_error(_display, _event):
    # Xlib's default handler ends the process; a test wants a message and an exit code instead.
    _x_errors.append(1)
    return 0


_error_handler = ERROR_HANDLER(_record_x_error)


def open_x():
    name = ctypes.util.find_library("X11")
    if not name:
        fail("libX11 not found")
    x = ctypes.cdll.LoadLibrary(name)
    x.XOpenDisplay.restype = ctypes.c_void_p
    x.XOpenDisplay.argtypes = [ctypes.c_char_p]
    x.XGetImage.restype = ctypes.POINTER(XImage)
    x.XGetImage.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                            ctypes.c_uint, ctypes.c_uint, ctypes.c_ulong, ctypes.c_int]
    x.XGetGeometry.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.POINTER(ctypes.c_ulong)] + \
        [ctypes.POINTER(ctypes.c_int)] * 2 + [ctypes.POINTER(ctypes.c_uint)] * 4
    x.XInternAtom.restype = ctypes.c_ulong
    x.XInternAtom.argtypes = [ctypes.c_void_p, ctypes.c_char_p, ctypes.c_int]
    x.XSendEvent.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_long,
                             ctypes.POINTER(XEvent)]
    x.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
    x.XDestroyImage.argtypes = [ctypes.POINTER(XImage)]
    x.XSetErrorHandler(_error_handler)
    display = x.XOpenDisplay(None)
    if not display:
        fail("cannot open the display")
    return x, display


def grab_rgb(x, display, window):
    """The window's content as (width, height, RGB bytes)."""
    root = ctypes.c_ulong()
    wx, wy = ctypes.c_int(), ctypes.c_int()
    width, height, border, depth = (ctypes.c_uint() for _ in range(4))
    if not x.XGetGeometry(display, window, ctypes.byref(root), ctypes.byref(wx), ctypes.byref(wy),
                          ctypes.byref(width), ctypes.byref(height), ctypes.byref(border),
                          ctypes.byref(depth)):
        fail("no geometry for window %#x" % window)
    image = x.XGetImage(display, window, 0, 0, width.value, height.value, ALL_PLANES, ZPIXMAP)
    if not image or _x_errors:
        fail("XGetImage of window %#x failed (is all of it on the screen?)" % window)
    im = image.contents
    if im.bits_per_pixel != 32 or im.byte_order != LSB_FIRST or im.red_mask != 0xFF0000 \
            or im.green_mask != 0xFF00 or im.blue_mask != 0xFF:
        fail("unexpected pixel layout: %d bpp, byte order %d" % (im.bits_per_pixel, im.byte_order))
    w, h, stride = im.width, im.height, im.bytes_per_line
    raw = ctypes.string_at(im.data, stride * h)
    x.XDestroyImage(image)
    rgb = bytearray(w * h * 3)
    for row in range(h):
        line = raw[row * stride: row * stride + w * 4]
        base = row * w * 3
        rgb[base: base + w * 3: 3] = line[2::4]
        rgb[base + 1: base + w * 3: 3] = line[1::4]
        rgb[base + 2: base + w * 3: 3] = line[0::4]
    return w, h, rgb


def grab_window(window, out_path):
    x, display = open_x()
    w, h, rgb = grab_rgb(x, display, window)
    write_png(out_path, w, h, bytes(rgb))


def grab_until(window, out_path, seconds, condition):
    """Grabs again and again, in this one process so it is quick, until the picture meets the
    condition; saves the last picture either way. Exit code 0 when the condition was met."""
    x, display = open_x()
    deadline = time.monotonic() + seconds
    while True:
        w, h, rgb = grab_rgb(x, display, window)
        picture = Picture.from_rgb(w, h, rgb)
        met = condition(picture)
        if met or time.monotonic() >= deadline:
            write_png(out_path, w, h, bytes(rgb))
            sys.exit(0 if met else 1)
        time.sleep(0.02)


def send_delete_window(window):
    x, display = open_x()
    event = XEvent()
    event.xclient.type = CLIENT_MESSAGE
    event.xclient.send_event = 1
    event.xclient.window = window
    event.xclient.message_type = x.XInternAtom(display, b"WM_PROTOCOLS", 0)
    event.xclient.format = 32
    event.xclient.data[0] = x.XInternAtom(display, b"WM_DELETE_WINDOW", 0)
    event.xclient.data[1] = 0  # CurrentTime
    x.XSendEvent(display, window, 0, 0, ctypes.byref(event))
    x.XSync(display, 0)
    if _x_errors:
        fail("sending WM_DELETE_WINDOW to %#x failed" % window)


SUBSTRUCTURE_NOTIFY_MASK = 1 << 19
XA_ATOM = 4
PROP_MODE_REPLACE = 0
NET_WM_STATE_ACTIONS = {0: "remove", 1: "add", 2: "toggle"}


def manage_fullscreen(log_path):
    """The fullscreen part of a window manager, which the test display does not have otherwise.

    A client asks for fullscreen by sending a _NET_WM_STATE message to the root window; this
    listens there, logs every such request, and grants fullscreen ones as a manager does: it
    records the state in the window's _NET_WM_STATE property and gives the window the whole
    screen, or its earlier place and size back. Runs until killed."""
    x, display = open_x()
    x.XDefaultRootWindow.restype = ctypes.c_ulong
    x.XDefaultRootWindow.argtypes = [ctypes.c_void_p]
    x.XSelectInput.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_long]
    x.XNextEvent.argtypes = [ctypes.c_void_p, ctypes.POINTER(XEvent)]
    x.XGetAtomName.restype = ctypes.c_void_p
    x.XGetAtomName.argtypes = [ctypes.c_void_p, ctypes.c_ulong]
    x.XFree.argtypes = [ctypes.c_void_p]
    x.XChangeProperty.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_ulong, ctypes.c_ulong,
                                  ctypes.c_int, ctypes.c_int, ctypes.c_void_p, ctypes.c_int]
    x.XMoveResizeWindow.argtypes = [ctypes.c_void_p, ctypes.c_ulong, ctypes.c_int, ctypes.c_int,
                                    ctypes.c_uint, ctypes.c_uint]
    x.XDisplayWidth.argtypes = x.XDisplayHeight.argtypes = [ctypes.c_void_p, ctypes.c_int]
    x.XFlush.argtypes = [ctypes.c_void_p]

    def atom_name(atom):
        if atom == 0:
            return "-"
        pointer = x.XGetAtomName(display, atom)
        name = ctypes.string_at(pointer).decode() if pointer else str(atom)
        if pointer:
            x.XFree(pointer)
        return name

    def geometry(window):
        root = ctypes.c_ulong()
        wx, wy = ctypes.c_int(), ctypes.c_int()
        width, height, border, depth = (ctypes.c_uint() for _ in range(4))
        x.XGetGeometry(display, window, ctypes.byref(root), ctypes.byref(wx), ctypes.byref(wy),
                       ctypes.byref(width), ctypes.byref(height), ctypes.byref(border),
                       ctypes.byref(depth))
        return wx.value, wy.value, width.value, height.value

    def set_state(window, atoms):
        data = (ctypes.c_ulong * max(1, len(atoms)))(*atoms)
        x.XChangeProperty(display, window, state_atom, XA_ATOM, 32, PROP_MODE_REPLACE, data, len(atoms))

    state_atom = x.XInternAtom(display, b"_NET_WM_STATE", 0)
    fullscreen_atom = x.XInternAtom(display, b"_NET_WM_STATE_FULLSCREEN", 0)
    screen = (x.XDisplayWidth(display, 0), x.XDisplayHeight(display, 0))
    windowed = {}  # window -> its place and size before fullscreen
    x.XSelectInput(display, x.XDefaultRootWindow(display), SUBSTRUCTURE_NOTIFY_MASK)
    x.XSync(display, 0)
    with open(log_path, "a") as log:
        log.write("ready\n")
        log.flush()
        event = XEvent()
        while True:
            x.XNextEvent(display, ctypes.byref(event))
            message = event.xclient
            if message.type != CLIENT_MESSAGE or message.message_type != state_atom:
                continue
            window, action = message.window, message.data[0]
            log.write("%#x %s %s %s\n" % (window, NET_WM_STATE_ACTIONS.get(action, "?"),
                                          atom_name(message.data[1]), atom_name(message.data[2])))
            log.flush()
            if fullscreen_atom not in (message.data[1], message.data[2]):
                continue
            want = action == 1 or (action == 2 and window not in windowed)
            if want and window not in windowed:
                windowed[window] = geometry(window)
                set_state(window, [fullscreen_atom])
                x.XMoveResizeWindow(display, window, 0, 0, screen[0], screen[1])
            elif not want and window in windowed:
                set_state(window, [])
                x.XMoveResizeWindow(display, window, *windowed.pop(window))
            x.XFlush(display)


# ----------------------------------------------------------------------------- PNG

def _chunk(kind, data):
    body = kind + data
    return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)


def write_png(path, width, height, rgb):
    stride = width * 3
    rows = b"".join(b"\x00" + rgb[y * stride:(y + 1) * stride] for y in range(height))
    with open(path, "wb") as f:
        f.write(b"\x89PNG\r\n\x1a\n")
        f.write(_chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 2, 0, 0, 0)))
        f.write(_chunk(b"IDAT", zlib.compress(rows, 6)))
        f.write(_chunk(b"IEND", b""))


def unfilter(kind, line, above, step):
    """A PNG row as it was before its filter (None, Sub, Up, Average or Paeth) was applied."""
    if kind == 0:
        return line
    for i in range(len(line)):
        left = line[i - step] if i >= step else 0
        up = above[i]
        if kind == 1:
            guess = left
        elif kind == 2:
            guess = up
        elif kind == 3:
            guess = (left + up) // 2
        else:
            up_left = above[i - step] if i >= step else 0
            p = left + up - up_left
            guess = min((abs(p - left), 0, left), (abs(p - up), 1, up), (abs(p - up_left), 2, up_left))[2]
        line[i] = (line[i] + guess) & 0xFF
    return line


class Picture:
    @classmethod
    def from_rgb(cls, width, height, rgb):
        picture = cls.__new__(cls)
        picture.width, picture.height, picture.rgb = width, height, rgb
        return picture

    def __init__(self, path):
        with open(path, "rb") as f:
            data = f.read()
        if data[:8] != b"\x89PNG\r\n\x1a\n":
            fail("%s is not a PNG" % path)
        pos, idat = 8, []
        while pos < len(data):
            (length,) = struct.unpack(">I", data[pos:pos + 4])
            kind = data[pos + 4:pos + 8]
            body = data[pos + 8:pos + 8 + length]
            if kind == b"IHDR":
                self.width, self.height, bits, colour_type, _, _, interlace = struct.unpack(">IIBBBBB", body)
                if bits != 8 or colour_type not in (2, 6) or interlace:
                    fail("%s: only 8-bit RGB or RGBA pictures without interlacing are read" % path)
                channels = 3 if colour_type == 2 else 4
            elif kind == b"IDAT":
                idat.append(body)
            pos += 12 + length
        rows = zlib.decompress(b"".join(idat))
        stride = self.width * channels
        self.rgb = bytearray()
        line = bytearray(stride)
        for y in range(self.height):
            start = y * (stride + 1)
            line = unfilter(rows[start], bytearray(rows[start + 1:start + 1 + stride]), line, channels)
            self.rgb += line if channels == 3 else b"".join(line[x:x + 3] for x in range(0, stride, 4))

    def column(self, lx):
        return min(self.width - 1, max(0, int(lx * self.width / LOGICAL_WIDTH)))

    def row(self, ly):
        return min(self.height - 1, max(0, int(ly * self.height / LOGICAL_HEIGHT)))

    def at_pixel(self, px, py):
        i = (py * self.width + px) * 3
        return tuple(self.rgb[i:i + 3])

    def at(self, lx, ly):
        return self.at_pixel(self.column(lx), self.row(ly))


def parse_colour(text):
    parts = [float(p) for p in text.split(",")]
    if len(parts) not in (3, 4):
        fail("colour %r is not r,g,b[,tolerance]" % text)
    rgb = tuple(int(round(c * 255.0)) for c in parts[:3])
    tolerance = int(parts[3]) if len(parts) == 4 else DEFAULT_TOLERANCE
    return rgb, tolerance


def matches(pixel, colour):
    (r, g, b), tolerance = colour
    return abs(pixel[0] - r) <= tolerance and abs(pixel[1] - g) <= tolerance and abs(pixel[2] - b) <= tolerance


def count_matches(picture, columns, rows, colour):
    (r, g, b), tolerance = colour
    data, n = picture.rgb, 0
    for py in rows:
        base = py * picture.width * 3
        for px in columns:
            i = base + px * 3
            if abs(data[i] - r) <= tolerance and abs(data[i + 1] - g) <= tolerance \
                    and abs(data[i + 2] - b) <= tolerance:
                n += 1
    return n


def pixel_box(picture, x0, y0, x1, y1):
    """Pixel index ranges of the logical box [x0, x1) x [y0, y1)."""
    return (range(picture.column(x0), max(picture.column(x0) + 1, picture.column(x1))),
            range(picture.row(y0), max(picture.row(y0) + 1, picture.row(y1))))


# ----------------------------------------------------------------------------- commands

def cmd_pixel(args):
    picture = Picture(args[0])
    coords = [float(a) for a in args[1:]]
    for lx, ly in zip(coords[0::2], coords[1::2]):
        print("%d %d %d" % picture.at(lx, ly))


def cmd_expect(args):
    picture = Picture(args[0])
    colour = parse_colour(args[1])
    coords = [float(a) for a in args[2:]]
    wrong = 0
    for lx, ly in zip(coords[0::2], coords[1::2]):
        pixel = picture.at(lx, ly)
        if not matches(pixel, colour):
            wrong += 1
            print("(%g, %g) is pixel (%d, %d): got %s, want %s +-%d" % (
                lx, ly, picture.column(lx), picture.row(ly), pixel, colour[0], colour[1]))
    sys.exit(1 if wrong else 0)


def cmd_expect_pixel(args):
    picture = Picture(args[0])
    colour = parse_colour(args[1])
    px, py = int(args[2]), int(args[3])
    pixel = picture.at_pixel(px, py)
    if not matches(pixel, colour):
        print("pixel (%d, %d) of a %dx%d picture: got %s, want %s +-%d" % (
            px, py, picture.width, picture.height, pixel, colour[0], colour[1]))
        sys.exit(1)


def cmd_count(args):
    picture = Picture(args[0])
    x0, y0, x1, y1 = (float(a) for a in args[1:5])
    colour = parse_colour(args[5])
    columns, rows = pixel_box(picture, x0, y0, x1, y1)
    print(count_matches(picture, columns, rows, colour))


def cmd_span(args):
    picture = Picture(args[0])
    py = picture.row(float(args[1]))
    colour = parse_colour(args[2])
    x0, x1 = (float(args[3]), float(args[4])) if len(args) >= 5 else (0.0, LOGICAL_WIDTH)
    columns, _ = pixel_box(picture, x0, 0, x1, 1)
    hits = [px for px in columns if matches(picture.at_pixel(px, py), colour)]
    if not hits:
        print("none")
        return
    scale = LOGICAL_WIDTH / picture.width
    print("%.1f %.1f" % (hits[0] * scale, (hits[-1] + 1) * scale))


def cmd_glyphs(args):
    """Samples the centre of every cell of the text: lit cells must have the colour, unlit ones not."""
    picture = Picture(args[0])
    x, y, scale = float(args[1]), float(args[2]), float(args[3])
    text = args[4]
    colour = parse_colour(args[5])
    wrong = []
    for i, ch in enumerate(text):
        if ch not in GLYPHS:
            fail("no test glyph for %r" % ch)
        for j, row in enumerate(GLYPHS[ch]):
            for k, cell in enumerate(row):
                cx = x + i * 6 * scale + (k + 0.5) * scale
                cy = y + (j + 0.5) * scale
                pixel = picture.at(cx, cy)
                if matches(pixel, colour) != (cell == "#"):
                    wrong.append("%r row %d col %d %s at (%.1f, %.1f): %s" % (
                        ch, j, k, "lit" if cell == "#" else "unlit", cx, cy, pixel))
    for line in wrong:
        print(line)
    sys.exit(1 if wrong else 0)


MONSTER_BODIES = (("small", "1.0,0.88,0.1"), ("medium", "0.1,0.4,1.0"), ("big", "1.0,0.1,0.08"))


def cmd_monsters(args):
    """Connected areas of each monster colour in the lane, looked at on a 2-unit grid."""
    picture = Picture(args[0])
    step = 2.0
    xs = [150 + step * i for i in range(int(600 / step))]
    ys = [90 + step * j for j in range(int(570 / step))]
    for kind, text in MONSTER_BODIES:
        colour = parse_colour(text)
        lit = {(i, j) for j, ly in enumerate(ys) for i, lx in enumerate(xs)
               if matches(picture.at(lx, ly), colour)}
        while lit:
            todo = [lit.pop()]
            cells = []
            while todo:
                i, j = todo.pop()
                cells.append((i, j))
                for n in ((i + 1, j), (i - 1, j), (i, j + 1), (i, j - 1)):
                    if n in lit:
                        lit.remove(n)
                        todo.append(n)
            if len(cells) < 20:
                continue  # a speck, not a body
            ci = [c[0] for c in cells]
            cj = [c[1] for c in cells]
            print("%s %.0f %.0f %.0f %.0f" % (kind, xs[min(ci)], ys[min(cj)], xs[max(ci)] + step,
                                              ys[max(cj)] + step))


def cmd_differ(args):
    a, b = Picture(args[0]), Picture(args[1])
    if (a.width, a.height) != (b.width, b.height):
        fail("the pictures differ in size")
    x0, y0, x1, y1 = (float(v) for v in args[2:6])
    columns, rows = pixel_box(a, x0, y0, x1, y1)
    print(sum(1 for py in rows for px in columns if a.at_pixel(px, py) != b.at_pixel(px, py)))


def parse_condition(args):
    """One condition, or several joined by "and", all of which must hold."""
    if "and" in args:
        at = args.index("and")
        first, rest = parse_single_condition(args[:at]), parse_condition(args[at + 1:])
        return lambda picture: first(picture) and rest(picture)
    return parse_single_condition(args)


def parse_single_condition(args):
    if args and args[0] == "points" and len(args) >= 4 and len(args) % 2 == 0:
        colour = parse_colour(args[1])
        coords = [float(a) for a in args[2:]]
        points = list(zip(coords[0::2], coords[1::2]))
        return lambda picture: all(matches(picture.at(lx, ly), colour) for lx, ly in points)
    if args and args[0] == "count" and len(args) == 7:
        x0, y0, x1, y1 = (float(a) for a in args[1:5])
        colour, least = parse_colour(args[5]), int(args[6])
        return lambda picture: count_matches(picture, *pixel_box(picture, x0, y0, x1, y1), colour) >= least
    fail("a condition is 'points COLOUR LX LY ...' or 'count X0 Y0 X1 Y1 COLOUR MIN'")


def main():
    if len(sys.argv) < 3:
        fail(__doc__)
    command, args = sys.argv[1], sys.argv[2:]
    if command == "grab":
        grab_window(int(args[0], 0), args[1])
    elif command == "grab-until":
        grab_until(int(args[0], 0), args[1], float(args[2]), parse_condition(args[3:]))
    elif command == "close":
        send_delete_window(int(args[0], 0))
    elif command == "fullscreen-manager":
        manage_fullscreen(args[0])
    else:
        handlers = {"pixel": cmd_pixel, "expect": cmd_expect, "expect-pixel": cmd_expect_pixel, "count": cmd_count, "span": cmd_span,
                    "glyphs": cmd_glyphs, "differ": cmd_differ, "monsters": cmd_monsters}
        if command not in handlers:
            fail("unknown command %r" % command)
        handlers[command](args)


if __name__ == "__main__":
    main()
