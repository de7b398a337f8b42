"""Window backgrounds, popup cards, highlights, tips and the brand marks. Each returns (width, height, svg body)."""

import svg
import theme as t


def _grid(w, h, step, colour, opacity):
    """A faint dot grid that gives large dark areas some texture without noise."""
    pid = svg.uid("p")
    pattern = (f'<pattern id="{pid}" width="{step}" height="{step}" patternUnits="userSpaceOnUse">'
               f'<rect x="0" y="0" width="1" height="1" fill="{colour}"/></pattern>')
    return f'<defs>{pattern}</defs>' + svg.rect(0, 0, w, h, fill=f"url(#{pid})", opacity=opacity)


def main_window():
    """1060 x 720 main window: title band, keyboard stage, and the floor under the two panels."""
    w, h = 1060, 720
    g_body, d_body = svg.linear([(0, "#121821", 1), (0.55, t.BG1, 1), (1, t.BG0, 1)])
    g_title, d_title = svg.linear([(0, "#19212b", 1), (1, "#121820", 1)])
    g_glow, d_glow = svg.radial([(0, t.ACCENT, 0.16), (1, t.ACCENT, 0)], cx=0.5, cy=0.5, r=0.5)
    g_line, d_line = svg.linear([(0, t.ACCENT, 0), (0.5, t.ACCENT, 0.9), (1, t.ACCENT, 0)], x2=1, y2=0)
    body = f"<defs>{d_body}{d_title}{d_glow}{d_line}</defs>"
    body += svg.rect(0, 0, w, h, fill=f"url(#{g_body})")
    body += _grid(w, h, 6, "#ffffff", 0.035)
    # Soft light under the keyboard stage.
    body += f'<ellipse cx="530" cy="250" rx="520" ry="190" fill="url(#{g_glow})"/>'
    # Title band with an angled lower edge and an accent line.
    body += f'<path d="M0 0H{w}V86H700L684 96H376L360 86H0Z" fill="url(#{g_title})"/>'
    body += f'<path d="M0 86.5H360L376 96.5H684L700 86.5H{w}" fill="none" stroke="{t.LINE}" stroke-width="1"/>'
    body += svg.rect(376, 96, 308, 1, fill=f"url(#{g_line})")
    # Corner marks framing the keyboard stage.
    for x, y, dx, dy in ((16, 108, 1, 1), (w - 16, 108, -1, 1), (16, 410, 1, -1), (w - 16, 410, -1, -1)):
        body += (f'<path d="M{x + 0.5 * dx} {y + 18 * dy}V{y + 0.5 * dy}H{x + 18 * dx}" fill="none" '
                 f'stroke="{t.ACCENT}" stroke-opacity="0.45" stroke-width="1"/>')
    # Slanted stripes at the title band's ends.
    for i in range(4):
        x = 262 + i * 9
        body += f'<path d="M{x} 46L{x + 6} 46L{x + 14} 58L{x + 8} 58Z" fill="{t.ACCENT}" opacity="{0.5 - i * 0.1:.2f}"/>'
    # Floor under the panels.
    body += svg.rect(0, 452, w, 1, fill="#ffffff", opacity=0.04)
    # Thin frame around the whole window (the window's own corners are rounded by its region).
    body += svg.rect(0, 0, w, h, r=15, stroke="#2a3542")
    return w, h, body


def panel(w, h, heading_band=None):
    """A raised panel of the main window with a lit top edge."""
    g_fill, d_fill = svg.linear([(0, "#151c25", 0.96), (1, "#0f141a", 0.96)])
    g_top, d_top = svg.linear([(0, t.ACCENT, 0), (0.5, t.ACCENT, 0.8), (1, t.ACCENT, 0)], x2=1, y2=0)
    body = f"<defs>{d_fill}{d_top}</defs>"
    body += svg.rect(0, 0, w, h, r=10, fill=f"url(#{g_fill})")
    body += svg.rect(0, 0, w, h, r=10, stroke=t.LINE)
    body += svg.rect(24, 0, w - 48, 2, r=1, fill=f"url(#{g_top})")
    if heading_band:
        y0, y1 = heading_band
        body += svg.rect(10, y0, w - 20, y1 - y0, r=6, fill="#ffffff", opacity=0.025)
    return w, h, body


def macro_panel(w, h):
    w, h, body = panel(w, h)
    # The list area the macro list and its watermark occupy (808..1033, 490..643 in the window).
    body += svg.rect(10, 26, w - 17, 153, r=6, fill="#000000", opacity=0.22)
    body += svg.rect(10, 26, w - 17, 153, r=6, stroke="#222b36")
    return w, h, body


def card(w, h, dark, radius=10):
    """Popup card drawn as a nine-part frame: rounded, one-pixel edge, accent line along the top."""
    if dark:
        fill_a, fill_b, edge = "#19212b", "#131920", t.LINE_HI
    else:
        fill_a, fill_b, edge = "#f7f9fb", t.CARD, t.CARD_EDGE
    g_fill, d_fill = svg.linear([(0, fill_a, 1), (1, fill_b, 1)])
    body = f"<defs>{d_fill}</defs>"
    body += svg.rect(0, 0, w, h, r=radius, fill=f"url(#{g_fill})")
    body += svg.rect(0, 0, w, h, r=radius, stroke=edge)
    body += svg.rect(radius + 2, 1, w - 2 * radius - 4, 2, r=1, fill=t.ACCENT)
    return w, h, body


def row_hover(w, h):
    g, d = svg.linear([(0, t.ACCENT_MID, 1), (1, t.ACCENT, 1)], x2=1, y2=0)
    body = f"<defs>{d}</defs>" + svg.rect(0, 0, w, h, r=4, fill=f"url(#{g})")
    body += svg.rect(0, 0, w, 1, fill="#ffffff", opacity=0.25)
    return w, h, body


def lightmode_row(w, h):
    g, d = svg.linear([(0, t.ACCENT, 0.30), (1, t.ACCENT, 0.04)], x2=1, y2=0)
    body = f"<defs>{d}</defs>" + svg.rect(0, 1, w - 4, h - 2, r=5, fill=f"url(#{g})")
    body += svg.rect(0, 1, w - 4, h - 2, r=5, stroke=t.ACCENT, extra='stroke-opacity="0.35"')
    body += svg.rect(0, 6, 3, h - 12, r=1.5, fill=t.ACCENT)
    return w, h, body


def key_highlight(w, h):
    """Nine-part (border 10) highlight over a hovered or frame-selected key; the key shows through."""
    body = svg.rect(0, 0, w, h, r=6, fill=t.ACCENT, opacity=0.28)
    body += svg.rect(0, 0, w, h, r=6, stroke=t.ACCENT_HI, sw=2)
    body += svg.rect(3, 3, w - 6, h - 6, r=4, stroke="#ffffff", extra='stroke-opacity="0.25"')
    return w, h, body


def key_tip(w, h):
    """Key tip bubble for a 150 x 80 window (drawn into 149 x 79); its point sits on the key's top edge."""
    cx = 74.5
    top, bottom = 20.5, 71.5
    path = (f"M8.5 {top}H{w - 8.5}Q{w - 0.5} {top} {w - 0.5} {top + 8}V{bottom - 8}"
            f"Q{w - 0.5} {bottom} {w - 8.5} {bottom}H{cx + 7}L{cx} {h - 0.5}L{cx - 7} {bottom}H8.5"
            f"Q0.5 {bottom} 0.5 {bottom - 8}V{top + 8}Q0.5 {top} 8.5 {top}Z")
    body = f'<path d="{path}" fill="#10161d" fill-opacity="0.96" stroke="{t.ACCENT}" stroke-width="1"/>'
    body += svg.rect(20, top + 1.5, w - 40, 1, fill=t.ACCENT, opacity=0.6)
    return w, h, body


def tip_arrow(direction):
    w, h = (8, 16) if direction in ("left", "right") else (16, 8)
    path = {
        "left": "M7.5 0.5L0.5 8L7.5 15.5Z",
        "right": "M0.5 0.5L7.5 8L0.5 15.5Z",
        "top": "M0.5 7.5L8 0.5L15.5 7.5Z",
    }[direction]
    return w, h, f'<path d="{path}" fill="#10161d" stroke="{t.ACCENT}" stroke-width="1"/>'


def macro_editor():
    """850 x 475 macro editor: dark header, light body with the fields the editor draws no skin for."""
    w, h = 850, 475
    head = 62
    g_head, d_head = svg.linear([(0, "#19212b", 1), (1, "#121820", 1)])
    g_body, d_body = svg.linear([(0, "#f3f5f8", 1), (1, "#e7ebf0", 1)])
    g_line, d_line = svg.linear([(0, t.ACCENT, 0), (0.5, t.ACCENT, 1), (1, t.ACCENT, 0)], x2=1, y2=0)
    body = f"<defs>{d_head}{d_body}{d_line}</defs>"
    body += svg.rect(0, 0, w, h, r=15, fill=f"url(#{g_body})")
    body += f'<path d="M15 0H{w - 15}Q{w} 0 {w} 15V{head}H0V15Q0 0 15 0Z" fill="url(#{g_head})"/>'
    body += svg.rect(0, head, w, 2, fill=f"url(#{g_line})")
    body += mark(30, 16, 30)
    body += svg.text(70, 38, "QxKB", 18, t.TEXT, weight="bold", anchor="start", extra='font-style="italic"')
    body += svg.rect(128, 24, 1, 16, fill=t.LINE_HI)
    body += svg.glyph(svg.glyph_dir() + "/light_breathing.svg", 140, 24, 16, t.ACCENT)
    # Macro name field (the edit has no skin of its own) and the step list well.
    body += svg.rect(45, 80, 315, 47, r=5, fill=t.FIELD)
    body += svg.rect(45, 80, 315, 47, r=5, stroke=t.FIELD_EDGE)
    body += svg.glyph(svg.glyph_dir() + "/edit.svg", 334, 94, 18, t.INK_MUTED)
    body += svg.rect(44, 138, 329, 214, r=5, fill=t.FIELD)
    body += svg.rect(44, 138, 329, 214, r=5, stroke=t.FIELD_EDGE)
    # Option cards behind the two option groups.
    for x0, x1 in ((390, 590), (600, 820)):
        body += svg.rect(x0, 92, x1 - x0, 172, r=8, fill="#ffffff", opacity=0.6)
        body += svg.rect(x0, 92, x1 - x0, 172, r=8, stroke=t.CARD_EDGE)
        body += svg.rect(x0 + 60, 131, x1 - x0 - 120, 1, fill=t.CARD_EDGE)
    body += svg.rect(30, 412, w - 60, 1, fill=t.CARD_EDGE)
    body += svg.rect(0, 0, w, h, r=15, stroke="#2a3542")
    return w, h, body


def mark(x, y, size, colour=None):
    """The product mark: a tilted keycap with a lit edge."""
    s = size / 30
    c = colour or t.ACCENT
    g, d = svg.linear([(0, "#2a3644", 1), (1, "#151b23", 1)])
    return (f'<g transform="translate({x:g},{y:g}) scale({s:g})"><defs>{d}</defs>'
            f'<path d="M5 3H25L29 7V23L25 27H5L1 23V7Z" fill="url(#{g})" stroke="{c}" stroke-width="2"/>'
            f'<path d="M8 8H22V19H8Z" fill="none" stroke="#ffffff" stroke-opacity="0.18" stroke-width="1.5"/>'
            f'<path d="M10 22.5H20" stroke="{c}" stroke-width="2.5" stroke-linecap="round"/>'
            f'<path d="M11.5 12.5L18.5 12.5" stroke="#ffffff" stroke-width="2" stroke-linecap="round"/></g>')


def logo(w, h, with_tagline=True):
    size = h
    body = mark(0, 0, size)
    word = size * 0.72
    body += svg.text(size + 8, size * 0.64, "QxKB", word * 0.78, "#ffffff", weight="bold", anchor="start",
                     extra='font-style="italic" letter-spacing="1"')
    if with_tagline:
        body += svg.text(size + 10, size * 0.93, "GAMING KEYBOARD", size * 0.2, t.ACCENT, anchor="start",
                         extra='letter-spacing="1.6"')
    return w, h, body


def app_icon(size):
    """The program icon at one size: the mark on a dark rounded tile; small sizes drop the inner detail."""
    r = size * 0.22
    body = svg.rect(0, 0, size, size, r=r, fill=t.BG1)
    body += svg.rect(0, 0, size, size, r=r, stroke=t.ACCENT, sw=max(1, size / 24))
    if size <= 20:
        k = size / 16
        body += (f'<g transform="scale({k:g})"><rect x="3.5" y="4" width="9" height="7" rx="1" fill="none" '
                 f'stroke="#ffffff" stroke-width="1.4"/><path d="M5.5 12.6H10.5" stroke="{t.ACCENT}" '
                 f'stroke-width="1.6" stroke-linecap="round"/></g>')
    else:
        body += mark(size * 0.14, size * 0.14, size * 0.72)
    return size, size, body


def loading_frame(i, frames):
    """One frame of the loading animation: a wave of light running along a row of keycaps."""
    w, h = 232, 58
    body = ""
    n = 8
    for k in range(n):
        phase = (k - i * n / frames) % n
        lit = max(0.0, 1 - min(phase, n - phase) / 2.2)
        x = 10 + k * 27
        body += svg.rect(x, 17, 23, 23, r=4, fill=t.BG3)
        body += svg.rect(x, 17, 23, 23, r=4, stroke=t.LINE_HI)
        if lit > 0:
            body += svg.rect(x + 3, 20, 17, 17, r=3, fill=t.ACCENT, opacity=f"{0.15 + 0.85 * lit:.2f}")
    return w, h, svg.rect(0, 0, w, h, r=8, fill=t.BG1) + body
