"""Reads the sections of KeyboardLayout.xml the way the program does: picture name, size, key grid offset, keys."""

import re
import xml.etree.ElementTree as ET
from dataclasses import dataclass, field


def to_int(text, base=10):
    """Leading-number conversion: blanks and a sign, then digits up to the first other character; else 0."""
    s = (text or "").lstrip()
    if base == 16:
        m = re.match(r"([+-]?)(?:0[xX])?([0-9a-fA-F]+)", s)
    else:
        m = re.match(r"([+-]?)([0-9]+)", s)
    if not m:
        return 0
    value = int(m.group(2), base)
    return -value if m.group(1) == "-" else value


@dataclass
class Key:
    name: str
    code: int
    left: int
    top: int
    right: int
    bottom: int


@dataclass
class Section:
    name: str
    image: str            # picture file below the skin directory, "/"-separated (e.g. "keyboard/kb52.png")
    width: int
    height: int
    key_x: int
    key_y: int
    keys: list = field(default_factory=list)   # rectangles in picture coordinates (offset applied)


def picture_path(image_attr):
    """The view loads "keyboard\\" + the attribute from the skin directory."""
    rel = ("keyboard\\" + (image_attr or "")).replace("\\", "/")
    return re.sub(r"/+", "/", rel)


def read_sections(path):
    """Every section element under the root that names a picture. Unreadable files give no sections."""
    try:
        root = ET.parse(path).getroot()
    except (ET.ParseError, OSError):
        return []
    if root.tag != "KeyboardLayout":
        return []
    sections = []
    for sec in root:
        image = sec.get("image")
        if not image:
            continue
        s = Section(sec.tag, picture_path(image), to_int(sec.get("width")), to_int(sec.get("height")),
                    to_int(sec.get("key_xpos")), to_int(sec.get("key_ypos")))
        items = sec.find("KeyItems")
        for k in (items.findall("key") if items is not None else []):
            left = to_int(k.get("rect_left")) + s.key_x
            top = to_int(k.get("rect_top")) + s.key_y
            s.keys.append(Key(k.get("name") or "", to_int(k.get("code"), 16), left, top,
                              left + to_int(k.get("rect_width")), top + to_int(k.get("rect_height"))))
        sections.append(s)
    return sections


def pictures(sections):
    """One section per picture file (the first one wins when several name the same picture)."""
    seen = {}
    for s in sections:
        seen.setdefault(s.image, s)
    return list(seen.values())
