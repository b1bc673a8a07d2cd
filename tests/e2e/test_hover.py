"""Orvane.exe end to end: resting the mouse on the main window highlights the
cell under it and sets the tooltip's text to the key and its assignment.

The mouse comes from real X input (xdotool); the tooltip's text is read from
the running program by ReadTooltip.exe, and the highlight from the X screen,
compared with the staged skin images.
"""
import os
import struct
import subprocess
import unittest

import e2e
from test_app import OrvaneTest, read_ini, write_set_ini


def layout(main_ini):
    """{cell number: (x, y, width, height, key code or None, name)}."""
    cells = {}
    for n, value in read_ini(main_ini).get("buttoninfo", {}).items():
        f = [v.strip() for v in value.split(",")]
        if not n.isdigit():
            continue
        n = int(n)
        code = int(f[4]) if n <= 121 else None
        cells[n] = (int(f[0]), int(f[1]), int(f[2]), int(f[3]), code, f[-1])
    return cells


def profile(cells, set_names):
    """A profile section where every key is itself and shows its own name,
    except the key codes in set_names ({65: "B"}), which show that text."""
    lines = []
    for n in range(1, 122):
        code, name = cells[n][4], cells[n][5]
        lines += [f"IndexPic{code}=0", f"MacroIndex{code}=0",
                  f"SetName{code}={set_names.get(code, name)}", f"Key{code}={code}"]
    return lines + ["MacroStrNum=0", "SetIndexNum=0"]


class Bitmap:
    """A 24-bit BMP file: pixel(x, y) -> (r, g, b)."""

    def __init__(self, path):
        with open(path, "rb") as f:
            data = f.read()
        offset = struct.unpack_from("<I", data, 10)[0]
        self.width, height = struct.unpack_from("<ii", data, 18)
        self.bottom_up, self.height = height > 0, abs(height)
        self.stride = (self.width * 3 + 3) & ~3
        self.data, self.offset = data, offset

    def pixel(self, x, y):
        row = self.height - 1 - y if self.bottom_up else y
        b, g, r = self.data[self.offset + row * self.stride + 3 * x:][:3]
        return r, g, b


def screen_pixel(x, y):
    out = subprocess.run(["import", "-window", "root", "-crop", f"1x1+{x}+{y}", "-depth", "8",
                          "txt:-"], capture_output=True, text=True, timeout=e2e.DEFAULT_TIMEOUT,
                         env=os.environ).stdout
    # "# ImageMagick pixel enumeration: ...", then "0,0: (r,g,b)  #RRGGBB  name"
    hexcode = out.splitlines()[-1].split("#")[1][:6]
    return tuple(int(hexcode[i:i + 2], 16) for i in (0, 2, 4))


class HoverTest(OrvaneTest):
    def setUp(self):
        super().setUp()
        self.cells = layout(os.path.join(self.folder, "Main.ini"))
        self.tip_file = os.path.join(e2e.fresh_dir(self), "tip.txt")
        skin = os.path.join(self.folder, "skin")
        self.normal = Bitmap(os.path.join(skin, "main_normal.bmp"))
        self.over = Bitmap(os.path.join(skin, "main_over.bmp"))

    def tip(self):
        if os.path.exists(self.tip_file):
            os.remove(self.tip_file)
        code = subprocess.run(["wine", e2e.prog("ReadTooltip"), e2e.winpath(self.tip_file)],
                              env=e2e.wine_env(), stdout=subprocess.DEVNULL,
                              stderr=subprocess.DEVNULL, timeout=e2e.DEFAULT_TIMEOUT).returncode
        if code != 0:
            return None
        with open(self.tip_file, encoding="utf-8") as f:
            return f.read()

    def rest_on(self, x, y):
        # Two moves, so that the pointer really moves even if it was there.
        e2e.xdotool("mousemove", x + 1, y + 1)
        e2e.xdotool("mousemove", x, y)

    def rest_off_the_window(self):
        """Puts the pointer below and right of the window (at 0,0, the mask's
        size), whatever the tests before left it."""
        mask = Bitmap(os.path.join(self.folder, "skin", "main_mask.bmp"))
        x, y = mask.width + 20, mask.height + 20
        self.assertTrue(x < 1280 and y < 1024, "a place off the window on the screen")
        self.rest_on(x, y)

    def rest_on_cell(self, n):
        x, y, w, h = self.cells[n][:4]
        # Lower right inside the cell: a tip would open below the pointer,
        # outside the cell whose look the test reads.
        self.rest_on(x + w - 5, y + h - 5)

    def wait_tip(self, expected):
        e2e.wait_until(lambda: self.tip() == expected, what=f"the tooltip {expected!r}")

    def probe(self, n):
        """A pixel of cell n whose over look differs most from its normal
        look."""
        x, y, w, h = self.cells[n][:4]
        return max(((px, py) for px in range(x, x + w) for py in range(y, y + h - 8)),
                   key=lambda p: sum(abs(a - b) for a, b in
                                     zip(self.over.pixel(*p), self.normal.pixel(*p))))

    def wait_highlight(self, n):
        px, py = self.probe(n)
        self.assertNotEqual(self.over.pixel(px, py), self.normal.pixel(px, py))
        e2e.wait_until(lambda: screen_pixel(px, py) == self.over.pixel(px, py),
                       what=f"cell {n} drawn with the over picture")

    def test_tooltip_follows_the_cell_under_the_mouse(self):
        by_name = {c[5]: n for n, c in self.cells.items()}
        a, esc, f1 = by_name["A"], by_name["Esc"], by_name["F1"]
        apply_cell = by_name["Apply"]
        write_set_ini(self.set_ini, 1, {1: profile(self.cells, {65: "B", 27: "esc", 112: ""})})
        self.rest_off_the_window()
        self.start()
        self.assertEqual(self.tip(), "ToolTip")

        self.rest_on_cell(a)
        self.wait_tip("A Key, Set As: B")
        self.wait_highlight(a)

        self.rest_on_cell(esc)  # same name in another case: the name alone, upper case
        self.wait_tip("ESC")

        self.rest_on_cell(f1)  # assignment without a name
        self.wait_tip("F1 Key, Set As: ")

        # A command cell takes the highlight but leaves the key's tip.
        self.rest_on_cell(apply_cell)
        self.wait_highlight(apply_cell)
        self.assertEqual(self.tip(), "F1 Key, Set As: ")

        # Between the cells: no highlight, an empty tip.
        ex, ey, ew, eh = self.cells[esc][:4]
        self.rest_on(ex + ew + 10, ey + eh // 2)
        self.wait_tip("")
        px, py = self.probe(apply_cell)
        e2e.wait_until(lambda: screen_pixel(px, py) == self.normal.pixel(px, py),
                       what="the command cell back to its normal picture")


if __name__ == "__main__":
    unittest.main()
