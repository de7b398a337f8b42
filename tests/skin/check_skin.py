#!/usr/bin/env python3
"""Checks a built skin directory against skin/manifest.tsv: every listed file exists, every image has the listed
size and state count, the icon holds the listed sizes, the font is one TrueType face, the loading animation
has its frames, and every keyboard picture named by the layout file has the section's size.
Usage: check_skin.py --manifest FILE --skin DIR [--layout KeyboardLayout.xml]. Exit 0 when all match."""

import argparse
import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "..", "tools", "skin"))

import layout  # noqa: E402
import pngread  # noqa: E402


def read_manifest(path):
    with open(path, encoding="utf-8") as f:
        lines = [ln.rstrip("\n") for ln in f if ln.strip() and not ln.startswith("#")]
    header = lines[0].split("\t")
    rows = []
    for n, ln in enumerate(lines[1:], start=2):
        cells = ln.split("\t")
        if len(cells) != len(header):
            raise ValueError(f"manifest row {n} has {len(cells)} columns, expected {len(header)}: {ln!r}")
        rows.append(dict(zip(header, cells)))
    return rows


def size(text):
    w, h = text.split("x")
    return int(w), int(h)


def check_png(row, path):
    head = pngread.header(path)
    if not head:
        return [f"{row['file']}: not a PNG"]
    w, h = head[0], head[1]
    errors = []
    want_w, want_h = size(row["image"])
    if (w, h) != (want_w, want_h):
        errors.append(f"{row['file']}: {w}x{h}, the manifest says {want_w}x{want_h}")
    counts = [int(c) for c in row["states"].split("/")]
    sw, sh = size(row["state"])
    lay = row["layout"]
    along = w if lay in ("h", "-") else h
    for c in counts:
        if along % c:
            errors.append(f"{row['file']}: {along} pixels do not split into {c} states")
    first = counts[0]
    expect = {"h": (sw * first, sh), "v": (sw, sh * first), "-": (sw, sh)}.get(lay)
    if expect is None:
        errors.append(f"{row['file']}: unknown layout {lay!r}")
    elif lay == "-" and first != 1:
        errors.append(f"{row['file']}: {first} states need a layout")
    elif expect != (want_w, want_h):
        errors.append(f"{row['file']}: {first} states of {sw}x{sh} ({lay}) do not make {want_w}x{want_h}")
    return errors


def check_icon(row, path):
    with open(path, "rb") as f:
        data = f.read()
    reserved, kind, count = struct.unpack("<HHH", data[:6])
    if reserved != 0 or kind != 1 or count == 0:
        return [f"{row['file']}: not an icon file"]
    sizes = set()
    for i in range(count):
        w, h = data[6 + 16 * i], data[7 + 16 * i]
        sizes.add((w or 256, h or 256))
    want = {(int(s), int(s)) for s in row["states"].split(",")}
    missing = sorted(want - sizes)
    return [f"{row['file']}: lacks the sizes {missing}"] if missing else []


def check_font(row, path):
    with open(path, "rb") as f:
        head = f.read(12)
    tag = head[:4]
    if tag == b"ttcf":
        return [f"{row['file']}: a font collection; a single face is needed"]
    if tag not in (b"\x00\x01\x00\x00", b"true", b"OTTO"):
        return [f"{row['file']}: not a TrueType font"]
    return []


def check_text(row, path):
    return [] if os.path.getsize(path) > 0 else [f"{row['file']}: empty"]


def check_gif(row, path):
    with open(path, "rb") as f:
        data = f.read()
    if data[:6] not in (b"GIF87a", b"GIF89a"):
        return [f"{row['file']}: not a GIF"]
    w, h = struct.unpack("<HH", data[6:10])
    errors = []
    if (w, h) != size(row["state"]):
        errors.append(f"{row['file']}: {w}x{h}, the manifest says {row['state']}")
    frames = gif_frames(data)
    if frames != int(row["states"]):
        errors.append(f"{row['file']}: {frames} frames, the manifest says {row['states']}")
    return errors


def gif_frames(data):
    """Number of image descriptors, walking the GIF block structure; -1 when the file is damaged."""
    def skip_sub_blocks(pos):
        while pos < len(data) and data[pos]:
            pos += data[pos] + 1
        return pos + 1
    flags = data[10]
    pos = 13 + (3 * 2 ** ((flags & 7) + 1) if flags & 0x80 else 0)
    frames = 0
    while pos < len(data):
        block = data[pos]
        if block == 0x3B:
            return frames
        if block == 0x21:
            pos = skip_sub_blocks(pos + 2)
        elif block == 0x2C:
            frames += 1
            local = data[pos + 9]
            pos += 10 + (3 * 2 ** ((local & 7) + 1) if local & 0x80 else 0)
            pos = skip_sub_blocks(pos + 1)
        else:
            return -1
    return -1


def check_keyboards(skin, layout_path):
    errors = []
    sections = layout.read_sections(layout_path)
    if not sections:
        return [f"{layout_path}: no section names a keyboard picture"]
    for s in sections:
        path = os.path.join(skin, s.image)
        head = pngread.header(path) if os.path.exists(path) else None
        if not head:
            errors.append(f"{s.image} (section {s.name}): missing or not a PNG")
        elif (head[0], head[1]) != (s.width, s.height):
            errors.append(f"{s.image} (section {s.name}): {head[0]}x{head[1]}, the section is {s.width}x{s.height}")
    return errors


def check(manifest, skin, layout_path=None):
    errors = []
    for row in read_manifest(manifest):
        name = row["file"]
        if name == "keyboard/*":
            if layout_path:
                errors += check_keyboards(skin, layout_path)
            continue
        path = os.path.join(skin, name)
        if not os.path.isfile(path):
            errors.append(f"{name}: missing")
            continue
        kind = row["layout"]
        checker = {"icon": check_icon, "font": check_font, "frames": check_gif, "text": check_text}.get(kind, check_png)
        errors += checker(row, path)
    return errors


def main():
    ap = argparse.ArgumentParser(description=__doc__)
    ap.add_argument("--manifest", required=True)
    ap.add_argument("--skin", required=True)
    ap.add_argument("--layout")
    args = ap.parse_args()
    errors = check(args.manifest, args.skin, args.layout)
    for e in errors:
        print(e)
    print(f"{len(errors)} problem(s) in {args.skin}")
    return 1 if errors else 0


if __name__ == "__main__":
    sys.exit(main())
