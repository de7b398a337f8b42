"""Colours of the QxKB skin: a dark body with one cyan accent; popups that carry dark text are light cards."""

# Dark surfaces, from the deepest to the most raised.
BG0 = "#0a0d12"
BG1 = "#10151c"
BG2 = "#161d26"
BG3 = "#1d2631"
LINE = "#28333f"
LINE_HI = "#3a4756"

# Text and glyphs on dark surfaces.
TEXT = "#e6e6e6"
GLYPH = "#9aa8b6"
GLYPH_DIM = "#3d4753"

# The one accent colour and its shades.
ACCENT = "#27b4e8"
ACCENT_HI = "#7fd8fa"
ACCENT_MID = "#1e9ccb"
ACCENT_DEEP = "#157aa0"
ACCENT_DARK = "#0d3a4c"
RULE = "#156984"  # the lighting title rules the main window draws itself

# Light cards (message box, key-function menu, macro editor body).
CARD = "#f2f4f7"
CARD_EDGE = "#c6cfd9"
CARD_SUNK = "#e4e8ed"
FIELD = "#ffffff"
FIELD_EDGE = "#b4bfcb"
INK = "#2b3540"
INK_MUTED = "#8a96a3"

DANGER = "#e5484d"
DISABLED_FILL = "#4a525c"
