"""Small helpers that write SVG text. Coordinates are pixels; 1-pixel strokes sit on half pixels so they stay crisp."""

import os
import re

_ids = [0]


def uid(prefix):
    """A document-unique id for gradients and clip paths."""
    _ids[0] += 1
    return f"{prefix}{_ids[0]}"


def document(width, height, body, defs=""):
    return (f'<svg xmlns="http://www.w3.org/2000/svg" width="{width}" height="{height}" '
            f'viewBox="0 0 {width} {height}">'
            f'<defs>{defs}</defs>{body}</svg>\n')


def rect(x, y, w, h, r=0, fill="none", stroke=None, sw=1, opacity=None, extra=""):
    """A rectangle; with a stroke the outline is drawn inside the box, on half pixels."""
    attrs = f'fill="{fill}"'
    if opacity is not None:
        attrs += f' opacity="{opacity}"'
    if stroke:
        inset = sw / 2
        x, y, w, h = x + inset, y + inset, w - sw, h - sw
        r = max(0, r - inset)
        attrs += f' stroke="{stroke}" stroke-width="{sw}"'
    return f'<rect x="{x:g}" y="{y:g}" width="{w:g}" height="{h:g}" rx="{r:g}" {attrs} {extra}/>'


def linear(stops, x1=0, y1=0, x2=0, y2=1):
    """A gradient definition; returns (id, definition). stops: [(offset, colour, opacity)]."""
    gid = uid("g")
    parts = "".join(f'<stop offset="{o}" stop-color="{c}" stop-opacity="{a}"/>' for o, c, a in stops)
    return gid, (f'<linearGradient id="{gid}" x1="{x1}" y1="{y1}" x2="{x2}" y2="{y2}">{parts}</linearGradient>')


def radial(stops, cx=0.5, cy=0.5, r=0.5):
    gid = uid("r")
    parts = "".join(f'<stop offset="{o}" stop-color="{c}" stop-opacity="{a}"/>' for o, c, a in stops)
    return gid, f'<radialGradient id="{gid}" cx="{cx}" cy="{cy}" r="{r}">{parts}</radialGradient>'


def group(body, dx=0, dy=0, extra=""):
    return f'<g transform="translate({dx:g},{dy:g})" {extra}>{body}</g>'


def text(x, y, s, size, fill, weight="normal", anchor="middle", family=None, extra=""):
    family = family or "Liberation Sans, WenQuanYi Micro Hei, sans-serif"
    s = s.replace("&", "&amp;").replace("<", "&lt;").replace(">", "&gt;")
    return (f'<text x="{x:g}" y="{y:g}" font-family="{family}" font-size="{size:g}" font-weight="{weight}" '
            f'fill="{fill}" text-anchor="{anchor}" {extra}>{s}</text>')


_glyph_cache = {}


def glyph_source(path):
    """Inner content and view box size of a glyph SVG (skin/glyphs/*.svg)."""
    if path not in _glyph_cache:
        with open(path, encoding="utf-8") as f:
            src = f.read()
        box = re.search(r'viewBox="0 0 ([\d.]+) ([\d.]+)"', src)
        root = re.search(r"<svg([^>]*)>(.*)</svg>", src, re.S)
        if not box or not root:
            raise ValueError(f"{path}: a glyph needs a viewBox starting at 0 0 and a body")
        # Presentation attributes of the root element (fill, stroke, …) apply to the whole glyph.
        keep = re.findall(r'\s((?:fill|stroke)[\w-]*="[^"]*")', root.group(1))
        inner = f'<g {" ".join(keep)}>{root.group(2)}</g>'
        _glyph_cache[path] = (inner, float(box.group(1)), float(box.group(2)))
    return _glyph_cache[path]


def glyph(path, x, y, size, colour, opacity=1):
    """Places a glyph (drawn with currentColor) into a size x size box at x, y."""
    inner, bw, bh = glyph_source(path)
    s = size / max(bw, bh)
    return (f'<g transform="translate({x:g},{y:g}) scale({s:g})" color="{colour}" '
            f'opacity="{opacity}">{inner}</g>')


def strip(width, height, states, layout="h"):
    """One image holding the states side by side (h) or stacked (v); states are SVG bodies per state."""
    n = len(states)
    if layout == "h":
        total_w, total_h = width * n, height
        body = "".join(group(s, dx=i * width) for i, s in enumerate(states))
    else:
        total_w, total_h = width, height * n
        body = "".join(group(s, dy=i * height) for i, s in enumerate(states))
    return total_w, total_h, body


def glyph_dir():
    here = os.path.dirname(os.path.abspath(__file__))
    return os.path.normpath(os.path.join(here, "..", "..", "skin", "glyphs"))
