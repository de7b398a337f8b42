"""Keyboard pictures: a chassis with one keycap under every clickable key rectangle of the layout.

Each keycap fills its rectangle minus one pixel on every side, so the one-pixel seam along the rectangle's
border is chassis: the hover highlight (nine-part, stretched to the rectangle) frames the keycap exactly.
"""

import svg
import theme as t

CHASSIS_PAD = 12
CHASSIS = "#141a21"
RIM = "#3b4654"
FACE_TOP = "#2d3743"
FACE_BOTTOM = "#222a34"
LEGEND = "#d9e2ea"


def _legend_lines(name, width, height):
    """Splits a long label on its blank when the key is tall enough and picks a size that fits."""
    lines = [name]
    if " " in name and height >= 30 and len(name) > 5:
        head, _, tail = name.partition(" ")
        lines = [head, tail]
    size = 11.0 if height >= 24 else 9.0

    def width_of(s, px):
        return sum(px if ord(c) > 0x2E80 else px * (0.62 if c.isupper() or c.isdigit() else 0.52) for c in s)

    room = width - 8
    while size > 7 and max(width_of(s, size) for s in lines) > room:
        size -= 0.5
    return lines, size


def keycap(key):
    x, y = key.left + 1, key.top + 1
    w, h = key.right - key.left - 2, key.bottom - key.top - 2
    if w <= 0 or h <= 0:
        return ""
    gid, grad = svg.linear([(0, FACE_TOP, 1), (1, FACE_BOTTOM, 1)])
    body = f"<defs>{grad}</defs>"
    body += svg.rect(x, y, w, h, r=3, fill=RIM)
    inset = 2 if min(w, h) >= 12 else 1
    body += svg.rect(x + inset, y + 1, w - 2 * inset, h - inset - 2, r=2.5, fill=f"url(#{gid})")
    body += svg.rect(x + 3, y + h - 2, w - 6, 1, fill=t.ACCENT, opacity=0.35)
    if key.name:
        lines, size = _legend_lines(key.name, w, h)
        face_h = h - inset - 2
        total = size * 1.1 * len(lines)
        base = y + 1 + (face_h - total) / 2 + size * 0.9
        for i, line in enumerate(lines):
            body += svg.text(x + w / 2, base + i * size * 1.1, line, size, LEGEND)
    return body


def chassis(section):
    if not section.keys:
        return ""
    left = max(0, min(k.left for k in section.keys) - CHASSIS_PAD)
    top = max(0, min(k.top for k in section.keys) - CHASSIS_PAD)
    right = min(section.width, max(k.right for k in section.keys) + CHASSIS_PAD)
    bottom = min(section.height, max(k.bottom for k in section.keys) + CHASSIS_PAD)
    w, h = right - left, bottom - top
    if w <= 0 or h <= 0:
        return ""
    g_glow, d_glow = svg.linear([(0, t.ACCENT, 0), (0.5, t.ACCENT, 0.85), (1, t.ACCENT, 0)], x2=1, y2=0)
    body = f"<defs>{d_glow}</defs>"
    body += svg.rect(left, top + 4, w, h - 4, r=12, fill="#000000", opacity=0.45)
    body += svg.rect(left, top, w, h - 3, r=12, fill=CHASSIS)
    body += svg.rect(left, top, w, h - 3, r=12, stroke="#2c3744")
    body += svg.rect(left + 30, bottom - 3, w - 60, 2, r=1, fill=f"url(#{g_glow})")
    return body


def picture(section):
    """(width, height, svg body) of the section's picture."""
    body = chassis(section) + "".join(keycap(k) for k in section.keys)
    return section.width, section.height, body


def overlay(section, picture_png_uri):
    """The picture with every clickable rectangle outlined, to check by eye that keys and rectangles line up."""
    w, h = section.width, section.height
    body = f'<image x="0" y="0" width="{w}" height="{h}" href="{picture_png_uri}"/>'
    for k in section.keys:
        body += (f'<rect x="{k.left + 0.5}" y="{k.top + 0.5}" width="{k.right - k.left - 1}" '
                 f'height="{k.bottom - k.top - 1}" fill="none" stroke="#ff3b30" stroke-width="1"/>')
    return w, h, body
