#!/usr/bin/env python3
"""Contact sheet of a built skin: every image of the manifest with its states pulled apart, and one overlay per
keyboard picture with the layout's key rectangles outlined. Usage:
  contact_sheet.py --skin DIR --manifest skin/manifest.tsv --out DIR [--layout KeyboardLayout.xml]
Writes DIR/contact_sheet.png and DIR/keyboard_<section>_overlay.png."""

import argparse
import base64
import os
import struct
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import keyboard  # noqa: E402
import layout  # noqa: E402
import svg  # noqa: E402

SHEET_W = 1560
GAP = 6
PAD = 14


def png_size(path):
    with open(path, "rb") as f:
        head = f.read(24)
    if head[:8] != b"\x89PNG\r\n\x1a\n":
        return None
    return struct.unpack(">II", head[16:24])


def data_uri(path):
    with open(path, "rb") as f:
        return "data:image/png;base64," + base64.b64encode(f.read()).decode()


def read_manifest(path):
    rows = []
    with open(path, encoding="utf-8") as f:
        lines = [ln.rstrip("\n") for ln in f if ln.strip() and not ln.startswith("#")]
    header = lines[0].split("\t")
    for ln in lines[1:]:
        rows.append(dict(zip(header, ln.split("\t"))))
    return rows


def tile(path, states, lay, zoom):
    """SVG of one image cut into its states, each on a checkerboard, side by side."""
    w, h = png_size(path)
    n = states if lay in ("h", "v") else 1
    sw, sh = (w // n, h) if lay == "h" else ((w, h // n) if lay == "v" else (w, h))
    uri = data_uri(path)
    body, x = "", 0
    for i in range(n):
        sx, sy = (i * sw, 0) if lay == "h" else ((0, i * sh) if lay == "v" else (0, 0))
        tw, th = sw * zoom, sh * zoom
        body += (f'<rect x="{x}" y="0" width="{tw}" height="{th}" fill="url(#checker)"/>'
                 f'<svg x="{x}" y="0" width="{tw}" height="{th}" viewBox="{sx} {sy} {sw} {sh}">'
                 f'<image width="{w}" height="{h}" href="{uri}" style="image-rendering:pixelated" '
                 f'image-rendering="optimizeSpeed"/></svg>')
        x += tw + GAP
    return x - GAP, sh * zoom, body


def contact_sheet(skin, manifest, out_png, rsvg):
    entries = []
    for row in read_manifest(manifest):
        name = row["file"]
        path = os.path.join(skin, name)
        if not name.endswith(".png") or not os.path.exists(path):
            continue
        states = int(row["states"].split("/")[-1])
        lay = row["layout"] if row["layout"] in ("h", "v") else "-"
        size = png_size(path)
        zoom = 3 if max(size) <= 40 else (2 if size[1] <= 40 and size[0] <= 300 else 1)
        entries.append((name, row["states"], lay, *tile(path, states, lay, zoom), zoom))
    keyboards = sorted(p for p in _walk(os.path.join(skin, "keyboard")) if p.endswith(".png"))
    for p in keyboards:
        entries.append((os.path.relpath(p, skin), "1", "-", *tile(p, 1, "-", 1), 1))

    body, x, y, line_h = "", PAD, PAD, 0
    for name, states, lay, w, h, tiles, zoom in entries:
        cell_w = max(w, 230)
        if x + cell_w > SHEET_W - PAD and x > PAD:
            x, y, line_h = PAD, y + line_h + 18, 0
        label = f"{name}  [{states}{'' if lay == '-' else ' ' + lay}]{'  x' + str(zoom) if zoom > 1 else ''}"
        body += svg.text(x, y + 11, label, 11, "#e6e6e6", anchor="start", family="DejaVu Sans")
        body += svg.group(tiles, dx=x, dy=y + 16)
        x += cell_w + 22
        line_h = max(line_h, h + 16)
    height = y + line_h + PAD
    defs = ('<pattern id="checker" width="16" height="16" patternUnits="userSpaceOnUse">'
            '<rect width="16" height="16" fill="#3a3f46"/><rect width="8" height="8" fill="#50565e"/>'
            '<rect x="8" y="8" width="8" height="8" fill="#50565e"/></pattern>')
    doc = svg.document(SHEET_W, height, svg.rect(0, 0, SHEET_W, height, fill="#202428") + body, defs)
    return _render(doc, out_png, rsvg)


def overlays(skin, layout_path, out_dir, rsvg):
    ok = True
    for s in layout.pictures(layout.read_sections(layout_path)):
        pic = os.path.join(skin, s.image)
        if not os.path.exists(pic):
            print(f"contact_sheet: {pic} is missing", file=sys.stderr)
            ok = False
            continue
        w, h, body = keyboard.overlay(s, data_uri(pic))
        ok &= _render(svg.document(w, h, body), os.path.join(out_dir, f"keyboard_{s.name}_overlay.png"), rsvg)
    return ok


def _walk(root):
    for d, _, files in os.walk(root):
        for f in files:
            yield os.path.join(d, f)


def _render(doc, out_png, rsvg):
    src = out_png[:-4] + ".svg"
    os.makedirs(os.path.dirname(out_png), exist_ok=True)
    with open(src, "w", encoding="utf-8") as f:
        f.write(doc)
    r = subprocess.run([rsvg, "-f", "png", "-o", out_png, src], capture_output=True, text=True)
    if r.returncode != 0:
        print(r.stderr, file=sys.stderr)
    return r.returncode == 0


def main():
    ap = argparse.ArgumentParser(description=__doc__)
    ap.add_argument("--skin", required=True)
    ap.add_argument("--manifest", required=True)
    ap.add_argument("--out", required=True)
    ap.add_argument("--layout")
    ap.add_argument("--rsvg", default="rsvg-convert")
    args = ap.parse_args()
    ok = contact_sheet(args.skin, args.manifest, os.path.join(args.out, "contact_sheet.png"), args.rsvg)
    if args.layout:
        ok &= overlays(args.skin, args.layout, args.out, args.rsvg)
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
