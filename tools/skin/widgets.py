"""State strips of the toolkit's buttons, boxes and fields. Each function returns (width, height, svg)."""

import os

import svg
import theme as t

G = svg.glyph_dir()


def _g(name):
    return os.path.join(G, name + ".svg")


def title_button(glyph, danger=False):
    """Title-bar button, 43 x 32 per look, drawn unscaled: normal, hover, pressed, disabled."""
    w, h = 43, 32
    looks = []
    for look in range(4):
        body = ""
        colour = t.GLYPH
        if look == 1:
            fill = t.DANGER if danger else t.BG3
            body += svg.rect(3, 3, w - 6, h - 6, r=5, fill=fill)
            if not danger:
                body += svg.rect(3, 3, w - 6, h - 6, r=5, stroke=t.LINE_HI)
                body += svg.rect(13, h - 5, w - 26, 2, r=1, fill=t.ACCENT)
            colour = "#ffffff"
        elif look == 2:
            fill = "#b8343a" if danger else t.ACCENT_DARK
            body += svg.rect(3, 3, w - 6, h - 6, r=5, fill=fill)
            body += svg.rect(3, 3, w - 6, h - 6, r=5, stroke="#ffffff" if danger else t.ACCENT_DEEP)
            colour = "#ffffff" if danger else t.ACCENT_HI
        elif look == 3:
            colour = t.GLYPH_DIM
        if isinstance(glyph, str):
            body += svg.glyph(_g(glyph), (w - 16) / 2, (h - 16) / 2, 16, colour)
        else:
            body += glyph(colour)
        looks.append(body)
    return svg.strip(w, h, looks)


def language_button(label, size):
    def draw(colour):
        return svg.text(21.5, 21, label, size, colour, weight="bold")
    return title_button(draw)


def dark_button(w, h, primary=False):
    """Push-button skin for dark windows, drawn as a nine-part frame with border 8."""
    looks = []
    for look in range(4):
        if look == 0:
            top, bottom, edge = ("#154a5e", "#0e3444", t.ACCENT_DEEP) if primary else (t.BG3, t.BG2, t.LINE_HI)
        elif look == 1:
            top, bottom, edge = ("#1b6a86", "#124c61", t.ACCENT) if primary else ("#233848", "#1a2a37", t.ACCENT)
        elif look == 2:
            top, bottom, edge = t.ACCENT, t.ACCENT_MID, t.ACCENT_HI
        else:
            top, bottom, edge = t.DISABLED_FILL, "#424951", "#5a626c"
        gid, grad = svg.linear([(0, top, 1), (1, bottom, 1)])
        body = f"<defs>{grad}</defs>"
        body += svg.rect(0, 0, w, h, r=6, fill=f"url(#{gid})")
        body += svg.rect(0, 0, w, h, r=6, stroke=edge)
        if look in (0, 1):
            body += svg.rect(7, 1, w - 14, 1, fill="#ffffff", opacity=0.10)
        looks.append(body)
    return svg.strip(w, h, looks)


def light_button(w, h):
    """Push-button skin for the light macro editor (dark normal text, white text when lit)."""
    looks = []
    for look in range(4):
        if look == 0:
            fill, edge, top = "#f7f9fb", t.FIELD_EDGE, "#ffffff"
        elif look == 1:
            fill, edge, top = t.ACCENT_MID, t.ACCENT_DEEP, t.ACCENT
        elif look == 2:
            fill, edge, top = t.ACCENT_DEEP, "#0f5c7a", t.ACCENT_DEEP
        else:
            fill, edge, top = "#e1e5ea", "#cfd6dd", "#e1e5ea"
        gid, grad = svg.linear([(0, top, 1), (1, fill, 1)])
        body = f"<defs>{grad}</defs>"
        body += svg.rect(0, 0, w, h, r=6, fill=f"url(#{gid})")
        body += svg.rect(0, 0, w, h, r=6, stroke=edge)
        looks.append(body)
    return svg.strip(w, h, looks)


def _box(look, checked, dark, round_):
    """One check or radio bullet of 18 x 18."""
    s = 18
    r = 9 if round_ else 4
    if dark:
        base_fill, base_edge = t.BG1, "#5c6b7a"
    else:
        base_fill, base_edge = t.FIELD, "#8c99a6"
    disabled = look == 3
    hover = look == 1
    pressed = look == 2
    body = ""
    if checked:
        fill = "#7d8894" if disabled else (t.ACCENT_DEEP if pressed else (t.ACCENT if hover else t.ACCENT_MID))
        edge = "#6c7782" if disabled else (t.ACCENT_HI if hover else t.ACCENT_DEEP)
        if round_:
            body += svg.rect(2, 2, s - 4, s - 4, r=r - 2, fill="none", stroke=edge, sw=1.5)
            body += f'<circle cx="9" cy="9" r="4" fill="{fill}"/>'
            if hover and not disabled:
                body += f'<circle cx="9" cy="9" r="8" fill="{t.ACCENT}" opacity="0.18"/>'
        else:
            body += svg.rect(1, 1, s - 2, s - 2, r=r, fill=fill)
            body += svg.rect(1, 1, s - 2, s - 2, r=r, stroke=edge)
            body += svg.glyph(_g("check"), 3, 3, 12, "#ffffff")
    else:
        fill = (t.BG2 if dark else "#e6eaee") if disabled else (
            (t.ACCENT_DARK if dark else "#d6eef8") if pressed else base_fill)
        edge = ("#343d47" if dark else "#c4ccd4") if disabled else (t.ACCENT if hover or pressed else base_edge)
        body += svg.rect(2 if round_ else 1, 2 if round_ else 1, s - (4 if round_ else 2), s - (4 if round_ else 2),
                         r=r - (2 if round_ else 0), fill=fill)
        body += svg.rect(2 if round_ else 1, 2 if round_ else 1, s - (4 if round_ else 2), s - (4 if round_ else 2),
                         r=r - (2 if round_ else 0), stroke=edge, sw=1.5 if round_ else 1)
    return body


def bullets(dark, round_):
    """8 looks: normal, hover, pressed, disabled, then the same four checked."""
    looks = [_box(look % 4, look >= 4, dark, round_) for look in range(8)]
    return svg.strip(18, 18, looks)


def edit_field(w, h):
    """Edit field skin, nine-part border 4: normal, hover, editing, disabled."""
    looks = []
    for look in range(4):
        fill = "#e6eaee" if look == 3 else t.FIELD
        edge = {0: t.FIELD_EDGE, 1: t.ACCENT_MID, 2: t.ACCENT_DEEP, 3: "#cfd6dd"}[look]
        body = svg.rect(0, 0, w, h, r=3, fill=fill)
        body += svg.rect(0, 0, w, h, r=3, stroke=edge, sw=2 if look == 2 else 1)
        looks.append(body)
    return svg.strip(w, h, looks)


def image_button(w, h, glyph, size, colours, pad_fill=None):
    """Unscaled small button (spin arrows, close buttons): one glyph per look on an optional pad."""
    looks = []
    for look in range(4):
        body = ""
        if pad_fill and pad_fill[look]:
            body += svg.rect(1, 1, w - 2, h - 2, r=min(w, h) / 2 - 1, fill=pad_fill[look])
        body += svg.glyph(_g(glyph), (w - size) / 2, (h - size) / 2, size, colours[look])
        looks.append(body)
    return svg.strip(w, h, looks)


def icon(glyph, size, colour):
    body = svg.glyph(_g(glyph), 0, 0, size, colour)
    return size, size, body


def light_icon(glyph, states):
    """Lighting effect icon of 12 x 12: state 0 in the glyph colour, state 1 (when registered) in the accent.

    The row draws the title 12 pixels after the icon's left edge, so the glyph keeps 2 pixels free on the right."""
    looks = [svg.glyph(_g(glyph), 0, 1, 10, t.GLYPH if i == 0 else t.ACCENT) for i in range(states)]
    return svg.strip(12, 12, looks)


def row_button_icon(glyph):
    """Delete and edit buttons of the hovered macro row (row fill is the list's blue)."""
    body = '<circle cx="10" cy="10" r="9.5" fill="#0a1620" fill-opacity="0.55"/>'
    body += svg.glyph(_g(glyph), 3, 3, 14, "#ffffff")
    return 20, 20, body


def scroll_vertical(col_w, h):
    """Three columns: track, thumb under the pointer, thumb."""
    cols = [
        svg.rect(0, 0, col_w, h, r=col_w / 2, fill="#ffffff", opacity=0.07),
        svg.rect(0, 0, col_w, h, r=col_w / 2, fill=t.ACCENT),
        svg.rect(0, 0, col_w, h, r=col_w / 2, fill="#5f6d7b"),
    ]
    return svg.strip(col_w, h, cols)


def scroll_horizontal(used_w, row_h, width):
    """Four rows: track (unused), thumb, thumb under the pointer, thumb dragged; first used_w pixels."""
    rows = [
        svg.rect(0, (row_h - 1) / 2, used_w, 1, fill="#ffffff", opacity=0.12),
        svg.rect(0, 0, used_w, row_h, r=row_h / 2, fill="#5f6d7b"),
        svg.rect(0, 0, used_w, row_h, r=row_h / 2, fill=t.ACCENT),
        svg.rect(0, 0, used_w, row_h, r=row_h / 2, fill=t.ACCENT_HI),
    ]
    _, _, body = svg.strip(width, row_h, rows, layout="v")
    return width, row_h * 4, body


def palette_thumb():
    looks = []
    for look, fill in enumerate(["#ffffff", t.ACCENT_HI, t.ACCENT, "#8a949e"]):
        looks.append(f'<path d="M0.5 5.5L7.5 0.5V10.5Z" fill="{fill}" stroke="#10151c" stroke-width="1"/>')
    return svg.strip(8, 11, looks)


def hue_bar(w, h):
    """A vertical hue spectrum, identical in every column, so any state count shows the same picture."""
    stops = [(i / 6, c, 1) for i, c in enumerate(
        ["#ff0000", "#ffff00", "#00ff00", "#00ffff", "#0000ff", "#ff00ff", "#ff0000"])]
    gid, grad = svg.linear(stops)
    return w, h, svg.rect(0, 0, w, h, fill=f"url(#{gid})").replace("<rect", f"<defs>{grad}</defs><rect", 1)
