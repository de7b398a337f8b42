#!/usr/bin/env python3
"""Contact sheet of a built skin: every image of the manifest with its states pulled apart, and one overlay per
keyboard picture with the layout's key rectangles outlined. Usage:
  contact_sheet.py --skin DIR --manifest skin/manifest.tsv --out DIR [--layout KeyboardLayout.xml]
Writes DIR/contact_sheet.png, DIR/main_window_mock.png and DIR/keyboard_<section>_overlay.png."""

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


def _crop(path, state, states, x, y, w=None, h=None):
    """State `state` of a side-by-side strip placed at x, y (stretched to w x h when given)."""
    iw, ih = png_size(path)
    sw = iw // states
    w, h = w or sw, h or ih
    return (f'<svg x="{x}" y="{y}" width="{w}" height="{h}" viewBox="{state * sw} 0 {sw} {ih}" '
            f'preserveAspectRatio="none"><image width="{iw}" height="{ih}" href="{data_uri(path)}"/></svg>')


def _nine(path, state, states, x, y, w, h, b):
    """A nine-part frame of one state, as the toolkit draws frame-like skins."""
    iw, ih = png_size(path)
    sw = iw // states
    sx = state * sw
    uri = data_uri(path)
    out = ""
    cols = [(0, b, x, b), (b, sw - 2 * b, x + b, w - 2 * b), (sw - b, b, x + w - b, b)]
    rows = [(0, b, y, b), (b, ih - 2 * b, y + b, h - 2 * b), (ih - b, b, y + h - b, b)]
    for csx, csw, cdx, cdw in cols:
        for rsy, rsh, rdy, rdh in rows:
            if cdw > 0 and rdh > 0:
                out += (f'<svg x="{cdx}" y="{rdy}" width="{cdw}" height="{rdh}" viewBox="{sx + csx} {rsy} {csw} {rsh}" '
                        f'preserveAspectRatio="none"><image width="{iw}" height="{ih}" href="{uri}"/></svg>')
    return out


def mock_main(skin, keyboard_png, out_png, rsvg):
    """The main window's skin images at their places, to judge the whole (no toolkit text rendering)."""
    p = lambda n: os.path.join(skin, n)  # noqa: E731
    W, H = 1060, 720
    body = _crop(p("qxkb_bkg.png"), 0, 1, 0, 0)
    body += _crop(p("qxkb_light_bkg.png"), 0, 1, 20, H - 256)
    body += _crop(p("qxkb_macro_bkg.png"), 0, 1, W - 262, H - 256)
    for i, (name, x) in enumerate([("sysbtn_upgrade", W - 262), ("sysbtn_usb", W - 219), ("sysbtn_lan_1033", W - 176),
                                   ("sysbtn_min", W - 133), ("sysbtn_close", W - 90)]):
        body += _crop(p(name + ".png"), 1 if i == 1 else 0, 4, x, 33)
    body += _crop(p("logo/logo.png"), 0, 1, 55, 33)
    if keyboard_png and os.path.exists(keyboard_png):
        kw, kh = png_size(keyboard_png)
        body += f'<image x="{(W - kw) // 2}" y="100" width="{kw}" height="{kh}" href="{data_uri(keyboard_png)}"/>'
    for x, state, icon, text in ((20, 0, "icon_reset", "Reset"), (918, 1, "icon_profile", "Profile A")):
        body += _nine(p("img_button.png"), state, 4, x, 418, 123, 43, 8)
        body += _crop(p(f"icon/{icon}.png"), 0, 1, x + 20, 429)
        body += svg.text(x + 48, 445, text, 14, "#ffffff", anchor="start", family="DejaVu Sans")
    body += _nine(p("img_btn_addmacro.png"), 0, 4, 808, 643, 225, 43, 8)
    body += _crop(p("icon/icon_addmacro.png"), 0, 1, 860, 654)
    body += svg.text(888, 670, "Create Macro", 14, "#ffffff", anchor="start", family="DejaVu Sans")
    body += svg.rect(30, 500, 300, 3, fill="#156984") + svg.rect(480, 500, 300, 3, fill="#156984")
    body += svg.text(405, 506, "Lighting Effects", 18, "#e6e6e6", family="DejaVu Sans")
    body += f'<rect x="808" y="490" width="225" height="36" fill="#479cfc"/>'
    body += svg.text(818, 513, "Macro 1", 13, "#ffffff", anchor="start", family="DejaVu Sans")
    body += _crop(p("img_btn_del.png"), 0, 1, 808 + 225 - 30, 498) + _crop(p("img_btn_edit.png"), 0, 1, 808 + 225 - 56, 498)
    names = ["Continued", "SingleOff", "SingleOn", "Adrift", "Ripples", "Breathing", "Spectrum", "Flowing", "Scrolling", "Turn Off"]
    icons = ["continued", "singleoff", "singleon", "adrift", "ripples", "breathing", "spectrumcycle", "flowing", "scrolling", "turnoff"]
    for i, (name, icon) in enumerate(zip(names, icons)):
        x, y = (90, 260, 430, 600)[i % 4], (535, 570, 605)[i // 4]
        look = 4 if i == 1 else (1 if i == 5 else 0)
        if look in (1, 4):
            body += _crop(p("img_lightmode_row_bkg.png"), 0, 1, x, y)
        body += _crop(p("img_radio_button.png"), look, 8, x, y + 7)
        body += _crop(p(f"icon/icon_light_{icon}.png"), 0, 1, x + 26, y + 10)
        body += svg.text(x + 38, y + 21, name, 13, "#fff600" if look else "#ffffff", anchor="start", family="DejaVu Sans")
    return _render(svg.document(W, H, body), out_png, rsvg)


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
    ap.add_argument("--keyboard", help="keyboard picture for the main window mock when the skin has none")
    args = ap.parse_args()
    ok = contact_sheet(args.skin, args.manifest, os.path.join(args.out, "contact_sheet.png"), args.rsvg)
    keyboards = sorted(p for p in _walk(os.path.join(args.skin, "keyboard")) if p.endswith(".png"))
    if os.path.exists(os.path.join(args.skin, "qxkb_bkg.png")):
        ok &= mock_main(args.skin, keyboards[0] if keyboards else args.keyboard,
                        os.path.join(args.out, "main_window_mock.png"), args.rsvg)
    if args.layout:
        ok &= overlays(args.skin, args.layout, args.out, args.rsvg)
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
