#!/usr/bin/env python3
"""Tests of the skin generator: layout reading, keyboard pictures lined up with their key rectangles, and the
manifest checker catching wrong files. Needs rsvg-convert (path in QX_SKIN_RSVG)."""

import os
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest
import zlib

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.normpath(os.path.join(HERE, "..", ".."))
sys.path.insert(0, HERE)
sys.path.insert(0, os.path.join(ROOT, "tools", "skin"))

import check_skin  # noqa: E402
import keyboard  # noqa: E402
import layout  # noqa: E402
import pngread  # noqa: E402

SAMPLE = os.path.join(HERE, "data", "KeyboardLayout.xml")
RSVG = os.environ.get("QX_SKIN_RSVG", "rsvg-convert")


def write_png(path, width, height, rgba=(0, 0, 0, 0)):
    raw = b"".join(b"\x00" + bytes(rgba) * width for _ in range(height))

    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(">I", zlib.crc32(kind + data))
    with open(path, "wb") as f:
        f.write(pngread.SIGNATURE + chunk(b"IHDR", struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0))
                + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


class LayoutReading(unittest.TestCase):
    def test_numbers_convert_like_the_program(self):
        cases = [("12", 10, 12), ("  -7", 10, -7), ("12px", 10, 12), ("", 10, 0), ("x1", 10, 0),
                 ("0x2C", 16, 0x2C), ("2c", 16, 0x2C), ("E0", 16, 0xE0), ("0xg", 16, 0), (None, 10, 0)]
        for text, base, want in cases:
            with self.subTest(text=text, base=base):
                self.assertEqual(layout.to_int(text, base), want)

    def test_sections_with_a_picture_are_read_with_offsets_applied(self):
        sections = layout.read_sections(SAMPLE)
        self.assertEqual([s.name for s in sections], ["LayoutSample52", "LayoutSampleMini"])
        mini = sections[1]
        self.assertEqual(mini.image, "keyboard/sub/mini.png")
        self.assertEqual((mini.width, mini.height, mini.key_x, mini.key_y), (200, 120, 10, 12))
        space = mini.keys[2]
        self.assertEqual((space.code, space.left, space.top, space.right, space.bottom), (0x2C, 18, 56, 128, 86))
        self.assertEqual(mini.keys[1].name, "")

    def test_unreadable_layouts_give_no_sections(self):
        with tempfile.TemporaryDirectory() as tmp:
            bad = os.path.join(tmp, "bad.xml")
            for content in ("<KeyboardLayout><Layout", "<Other><LayoutX image='a.png'/></Other>", ""):
                with open(bad, "w") as f:
                    f.write(content)
                with self.subTest(content=content):
                    self.assertEqual(layout.read_sections(bad), [])
            self.assertEqual(layout.read_sections(os.path.join(tmp, "absent.xml")), [])


class KeyboardPictures(unittest.TestCase):
    """Renders the sample's pictures and checks every keycap against its clickable rectangle."""

    @classmethod
    def setUpClass(cls):
        cls.tmp = tempfile.mkdtemp()
        r = subprocess.run([sys.executable, "-B", os.path.join(ROOT, "tools", "skin", "build_skin.py"),
                            "--only-keyboards", "--out", cls.tmp, "--work", os.path.join(cls.tmp, "svg"),
                            "--layout", SAMPLE, "--rsvg", RSVG], capture_output=True, text=True)
        assert r.returncode == 0, r.stderr
        cls.sections = layout.read_sections(SAMPLE)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.tmp)

    @staticmethod
    def lum(px):
        r, g, b, a = px
        return (0.2126 * r + 0.7152 * g + 0.0722 * b) * a / 255

    def test_pictures_have_the_section_size(self):
        for s in self.sections:
            with self.subTest(section=s.name):
                head = pngread.header(os.path.join(self.tmp, s.image))
                self.assertEqual((head[0], head[1]), (s.width, s.height))

    def test_keycaps_fill_their_rectangles_and_the_seams_stay_chassis(self):
        keycap_min = self.lum(tuple(int(keyboard.FACE_BOTTOM[i:i + 2], 16) for i in (1, 3, 5)) + (255,)) * 0.8
        chassis_max = self.lum(tuple(int(keyboard.CHASSIS[i:i + 2], 16) for i in (1, 3, 5)) + (255,)) + 6
        for s in self.sections:
            _, _, rows = pngread.pixels(os.path.join(self.tmp, s.image))
            for k in s.keys:
                cy, cx = (k.top + k.bottom) // 2, (k.left + k.right) // 2
                inside = [(k.left + 2, cy), (k.right - 3, cy), (cx, k.top + 2), (k.left + 2, k.top + 2),
                          (k.right - 3, k.bottom - 3)]
                seams = [(k.left, cy), (k.right - 1, cy), (cx, k.top), (cx, k.bottom - 1)]
                for x, y in inside:
                    with self.subTest(section=s.name, key=k.name, inside=(x, y)):
                        self.assertGreater(self.lum(rows[y][x]), keycap_min)
                for x, y in seams:
                    with self.subTest(section=s.name, key=k.name, seam=(x, y)):
                        self.assertLess(self.lum(rows[y][x]), chassis_max)

    def test_rectangles_are_not_covered_outside_the_keys(self):
        """A point just beyond a key, inside no other rectangle, is plain chassis."""
        for s in self.sections:
            _, _, rows = pngread.pixels(os.path.join(self.tmp, s.image))
            chassis_max = self.lum(tuple(int(keyboard.CHASSIS[i:i + 2], 16) for i in (1, 3, 5)) + (255,)) + 6
            for k in s.keys:
                cy = (k.top + k.bottom) // 2
                for x in (k.left - 2, k.right + 1):
                    if any(o.left <= x < o.right and o.top <= cy < o.bottom for o in s.keys):
                        continue
                    with self.subTest(section=s.name, key=k.name, x=x):
                        self.assertLess(self.lum(rows[cy][x]), chassis_max)


class ManifestChecker(unittest.TestCase):
    ROWS = ("file\tstates\tlayout\tstate\timage\tdrawn_by\tdrawn_at\n"
            "strip.png\t4\th\t10x8\t40x8\tbutton\tunscaled\n"
            "rows.png\t4\tv\t12x5\t12x20\tscroll\trows\n"
            "both.png\t1/4\th\t20x6\t20x6\tpalette\tstretched\n")

    def run_check(self, files):
        with tempfile.TemporaryDirectory() as tmp:
            manifest = os.path.join(tmp, "manifest.tsv")
            with open(manifest, "w") as f:
                f.write(self.ROWS)
            for name, (w, h) in files.items():
                write_png(os.path.join(tmp, name), w, h)
            return check_skin.check(manifest, tmp)

    def test_matching_files_pass(self):
        self.assertEqual(self.run_check({"strip.png": (40, 8), "rows.png": (12, 20), "both.png": (20, 6)}), [])

    def test_wrong_files_are_reported(self):
        cases = [
            ({"strip.png": (44, 8), "rows.png": (12, 20), "both.png": (20, 6)}, "strip.png: 44x8"),
            ({"strip.png": (40, 8), "rows.png": (12, 21), "both.png": (20, 6)}, "rows.png: 12x21"),
            ({"strip.png": (40, 8), "both.png": (20, 6)}, "rows.png: missing"),
        ]
        for files, expected in cases:
            with self.subTest(expected=expected):
                errors = self.run_check(files)
                self.assertTrue(any(e.startswith(expected) for e in errors), errors)

    def test_state_counts_that_do_not_divide_are_reported(self):
        rows = self.ROWS.replace("both.png\t1/4\th\t20x6\t20x6", "both.png\t1/3\th\t20x6\t20x6")
        with tempfile.TemporaryDirectory() as tmp:
            manifest = os.path.join(tmp, "manifest.tsv")
            with open(manifest, "w") as f:
                f.write(rows)
            for name, (w, h) in {"strip.png": (40, 8), "rows.png": (12, 20), "both.png": (20, 6)}.items():
                write_png(os.path.join(tmp, name), w, h)
            errors = check_skin.check(manifest, tmp)
        self.assertTrue(any("do not split into 3 states" in e for e in errors), errors)


if __name__ == "__main__":
    unittest.main()
