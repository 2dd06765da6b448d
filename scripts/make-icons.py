#!/usr/bin/env python3
"""Draws the toolbar button images (23 x 23), the two tree images (16 x 16,
magenta transparent) and the application icon (48 x 48) into resources/, and
writes resources/rungsmith.qrc. Plain Python, no imaging library."""
import math
import os
import struct
import zlib

ROOT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "resources")

BLACK = (0, 0, 0)
GREY = (128, 128, 128)
LIGHT = (192, 192, 192)
WHITE = (255, 255, 255)
BLUE = (0, 0, 160)
RED = (192, 0, 0)
YELLOW = (230, 200, 60)
GREEN = (0, 128, 0)
MAGENTA = (255, 0, 255)


class Image:
    def __init__(self, w, h, bg):
        self.w, self.h = w, h
        self.px = [[bg for _ in range(w)] for _ in range(h)]

    def put(self, x, y, c):
        if 0 <= x < self.w and 0 <= y < self.h:
            self.px[y][x] = c

    def line(self, x0, y0, x1, y1, c=BLACK):
        dx, dy = abs(x1 - x0), -abs(y1 - y0)
        sx, sy = (1 if x0 < x1 else -1), (1 if y0 < y1 else -1)
        err = dx + dy
        while True:
            self.put(x0, y0, c)
            if x0 == x1 and y0 == y1:
                return
            e2 = 2 * err
            if e2 >= dy:
                err += dy
                x0 += sx
            if e2 <= dx:
                err += dx
                y0 += sy

    def rect(self, x0, y0, x1, y1, c=BLACK, fill=None):
        if fill:
            for y in range(y0, y1 + 1):
                for x in range(x0, x1 + 1):
                    self.put(x, y, fill)
        self.line(x0, y0, x1, y0, c)
        self.line(x1, y0, x1, y1, c)
        self.line(x1, y1, x0, y1, c)
        self.line(x0, y1, x0, y0, c)

    def arc(self, cx, cy, rx, ry, a0, a1, c=BLACK):
        steps = 64
        for i in range(steps + 1):
            a = math.radians(a0 + (a1 - a0) * i / steps)
            self.put(round(cx + rx * math.cos(a)), round(cy - ry * math.sin(a)), c)

    def png(self, path):
        raw = b"".join(b"\x00" + bytes(v for p in row for v in p) for row in self.px)
        def chunk(tag, data):
            return struct.pack(">I", len(data)) + tag + data + struct.pack(
                ">I", zlib.crc32(tag + data) & 0xFFFFFFFF)
        data = (b"\x89PNG\r\n\x1a\n" +
                chunk(b"IHDR", struct.pack(">IIBBBBB", self.w, self.h, 8, 2, 0, 0, 0)) +
                chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))
        with open(path, "wb") as f:
            f.write(data)


def button():
    return Image(23, 23, LIGHT)


# Ladder glyphs on a 23 x 23 button, wire at y = 11.
def contact(img, closed=False, branch=False):
    img.line(1, 11, 8, 11)
    img.line(8, 5, 8, 17)
    img.line(14, 5, 14, 17)
    img.line(14, 11, 21, 11)
    if closed:
        img.line(16, 5, 6, 17)
    if branch:
        img.line(1, 2, 1, 11, BLUE)
        img.line(21, 2, 21, 11, BLUE)
        img.line(1, 2, 4, 2, BLUE)
        img.line(18, 2, 21, 2, BLUE)


def arrow(img, up):
    img.line(11, 7, 11, 15, RED)
    if up:
        img.line(11, 7, 9, 10, RED)
        img.line(11, 7, 13, 10, RED)
    else:
        img.line(11, 15, 9, 12, RED)
        img.line(11, 15, 13, 12, RED)


def cross(img):
    img.line(15, 14, 20, 19, RED)
    img.line(20, 14, 15, 19, RED)


def draw_all():
    icons = {}

    img = button()
    img.rect(5, 2, 16, 20, BLACK, WHITE)
    img.line(13, 2, 16, 5)
    icons["new_project"] = img

    img = button()
    img.rect(2, 7, 19, 18, BLACK, YELLOW)
    img.rect(2, 5, 9, 7, BLACK, YELLOW)
    img.line(6, 11, 21, 11)
    icons["open_project"] = img

    img = button()
    img.rect(3, 3, 19, 19, BLACK, BLUE)
    img.rect(6, 3, 16, 9, BLACK, WHITE)
    img.rect(7, 13, 15, 19, BLACK, LIGHT)
    icons["save"] = img

    img = button()
    img.line(7, 3, 14, 13)
    img.line(15, 3, 8, 13)
    img.arc(6, 16, 3, 3, 0, 360)
    img.arc(16, 16, 3, 3, 0, 360)
    icons["cut"] = img

    img = button()
    img.rect(3, 3, 12, 14, BLACK, WHITE)
    img.rect(9, 8, 18, 19, BLACK, WHITE)
    icons["copy"] = img

    img = button()
    img.rect(4, 4, 17, 20, BLACK, YELLOW)
    img.rect(8, 2, 13, 5, BLACK, GREY)
    img.rect(10, 10, 19, 20, BLACK, WHITE)
    icons["paste"] = img

    img = button()
    img.rect(4, 3, 18, 19, BLACK, WHITE)
    img.arc(11, 8, 3, 3, -60, 180, BLUE)
    img.line(12, 11, 11, 13, BLUE)
    img.line(11, 13, 11, 14, BLUE)
    img.put(11, 17, BLUE)
    icons["user_index"] = img

    for name, closed, branch in [("open_contact", False, False), ("close_contact", True, False),
                                 ("open_branch", False, True), ("close_branch", True, True)]:
        img = button()
        contact(img, closed, branch)
        icons[name] = img

    img = button()
    img.line(1, 11, 6, 11)
    img.arc(11, 11, 5, 6, 110, 250)
    img.arc(11, 11, 5, 6, -70, 70)
    img.line(16, 11, 21, 11)
    icons["coil"] = img

    img = button()
    img.line(1, 11, 4, 11)
    img.line(4, 5, 4, 17)
    img.line(4, 5, 7, 5)
    img.line(4, 17, 7, 17)
    img.line(18, 5, 18, 17)
    img.line(18, 5, 15, 5)
    img.line(18, 17, 15, 17)
    img.line(18, 11, 21, 11)
    img.line(8, 11, 14, 11, BLUE)
    icons["app_instruction"] = img

    img = button()
    img.line(1, 11, 21, 11)
    icons["horizontal_line"] = img

    img = button()
    img.line(11, 1, 11, 21)
    icons["vertical_line"] = img

    img = button()
    img.line(1, 8, 21, 8)
    cross(img)
    icons["delete_horizontal_line"] = img

    img = button()
    img.line(8, 1, 8, 21)
    cross(img)
    icons["delete_vertical_line"] = img

    for name, up, branch in [("rising_pulse", True, False), ("falling_pulse", False, False),
                             ("rising_pulse_branch", True, True),
                             ("falling_pulse_branch", False, True)]:
        img = button()
        contact(img, False, branch)
        arrow(img, up)
        icons[name] = img

    img = button()
    img.rect(3, 2, 19, 20, BLACK, WHITE)
    for y in (6, 10, 14):
        img.line(5, y, 7, y, BLUE)
        img.line(9, y, 17, y)
    icons["instruction_list"] = img

    tree = {}
    img = Image(16, 16, MAGENTA)
    img.rect(1, 4, 14, 13, BLACK, YELLOW)
    img.rect(1, 2, 6, 4, BLACK, YELLOW)
    tree["project"] = img
    img = Image(16, 16, MAGENTA)
    img.rect(3, 1, 12, 14, BLACK, WHITE)
    for y in (4, 7, 10):
        img.line(5, y, 10, y, GREEN)
    tree["program"] = img

    app = Image(48, 48, WHITE)
    app.line(4, 2, 4, 45)
    app.line(43, 2, 43, 45)
    for y in (14, 34):
        app.line(4, y, 16, y)
        app.line(16, y - 6, 16, y + 6)
        app.line(22, y - 6, 22, y + 6)
        app.line(22, y, 30, y)
        app.arc(34, y, 4, 6, 100, 260)
        app.arc(34, y, 4, 6, -80, 80)
        app.line(38, y, 43, y)
    return icons, tree, app


def main():
    icons, tree, app = draw_all()
    for name, img in icons.items():
        img.png(os.path.join(ROOT, "toolbar", name + ".png"))
    for name, img in tree.items():
        img.png(os.path.join(ROOT, "tree", name + ".png"))
    app.png(os.path.join(ROOT, "rungsmith.png"))
    entries = ["toolbar/%s.png" % n for n in sorted(icons)] + \
              ["tree/%s.png" % n for n in sorted(tree)] + ["rungsmith.png"]
    with open(os.path.join(ROOT, "rungsmith.qrc"), "w") as f:
        f.write("<RCC>\n  <qresource prefix=\"/\">\n")
        for e in entries:
            f.write("    <file>%s</file>\n" % e)
        f.write("  </qresource>\n</RCC>\n")


if __name__ == "__main__":
    main()
