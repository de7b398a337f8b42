#!/usr/bin/env python3
"""Writes KeyboardLayout.xml: one section per keyboard family with the picture's placement and
every key's code (HID usage), device slots and rectangle.

Key geometry is given in key units (1u = one ordinary key) and turned into pixels per model.
Slots follow each family's firmware:
  - LayoutQxKB52 (type 1, feature reports) and LayoutQxKBRS40 (types 2 and 3): key and light
    index = 1 + 21 * row + column, the position in the keyboard's 6 x 21 switch matrix;
  - LayoutQxKB74 (types 5 and 6, output reports): key index = 1 + the factory key-table slot whose
    default is the key's own usage, light index = key index.
Run from the repository root:  python3 resources/make_keyboard_layout.py > resources/KeyboardLayout.xml
"""
from xml.sax.saxutils import quoteattr

# (label, description, HID usage)
K = {
    'esc': ('Esc', 'Escape', 0x29),
    **{f'f{i}': (f'F{i}', f'F{i}', 0x39 + i) for i in range(1, 13)},
    'prtsc': ('PrtSc', 'Print Screen', 0x46), 'scrlk': ('ScrLk', 'Scroll Lock', 0x47),
    'pause': ('Pause', 'Pause', 0x48),
    'grave': ('`', 'Grave Accent', 0x35),
    **{str(i): (str(i), str(i), 0x1D + i) for i in range(1, 10)}, '0': ('0', '0', 0x27),
    'minus': ('-', 'Minus', 0x2D), 'equal': ('=', 'Equal', 0x2E), 'bksp': ('Backspace', 'Backspace', 0x2A),
    'tab': ('Tab', 'Tab', 0x2B),
    **{c: (c.upper(), c.upper(), 0x04 + ord(c) - ord('a')) for c in 'abcdefghijklmnopqrstuvwxyz'},
    'lbracket': ('[', 'Left Bracket', 0x2F), 'rbracket': (']', 'Right Bracket', 0x30),
    'backslash': ('\\', 'Backslash', 0x31), 'caps': ('Caps', 'Caps Lock', 0x39),
    'semicolon': (';', 'Semicolon', 0x33), 'quote': ("'", 'Apostrophe', 0x34), 'enter': ('Enter', 'Enter', 0x28),
    'lshift': ('Shift', 'Left Shift', 0xE1), 'rshift': ('Shift', 'Right Shift', 0xE5),
    'comma': (',', 'Comma', 0x36), 'period': ('.', 'Period', 0x37), 'slash': ('/', 'Slash', 0x38),
    'lctrl': ('Ctrl', 'Left Ctrl', 0xE0), 'lwin': ('Win', 'Left Windows', 0xE3), 'lalt': ('Alt', 'Left Alt', 0xE2),
    'space': ('Space', 'Space', 0x2C), 'ralt': ('Alt', 'Right Alt', 0xE6), 'rwin': ('Win', 'Right Windows', 0xE7),
    'app': ('Menu', 'Application', 0x65), 'rctrl': ('Ctrl', 'Right Ctrl', 0xE4),
    'fn': ('Fn', 'Fn', 0xAF),
    'ins': ('Ins', 'Insert', 0x49), 'home': ('Home', 'Home', 0x4A), 'pgup': ('PgUp', 'Page Up', 0x4B),
    'del': ('Del', 'Delete', 0x4C), 'end': ('End', 'End', 0x4D), 'pgdn': ('PgDn', 'Page Down', 0x4E),
    'up': ('Up', 'Up Arrow', 0x52), 'left': ('Left', 'Left Arrow', 0x50), 'down': ('Down', 'Down Arrow', 0x51),
    'right': ('Right', 'Right Arrow', 0x4F),
    'numlk': ('Num', 'Num Lock', 0x53), 'kpslash': ('/', 'Keypad /', 0x54), 'kpstar': ('*', 'Keypad *', 0x55),
    'kpminus': ('-', 'Keypad -', 0x56), 'kpplus': ('+', 'Keypad +', 0x57), 'kpenter': ('Enter', 'Keypad Enter', 0x58),
    **{f'kp{i}': (str(i), f'Keypad {i}', 0x58 + i) for i in range(1, 10)}, 'kp0': ('0', 'Keypad 0', 0x62),
    'kpdot': ('.', 'Keypad .', 0x63),
}


def row(y, start, *keys):
    """Keys left to right from x = start; each entry is a name, (name, width) or (name, width, height),
    or a float that is a gap."""
    out, x = [], start
    for k in keys:
        if isinstance(k, float):
            x += k
            continue
        name, w, h = (k, 1.0, 1.0) if isinstance(k, str) else (k + (1.0,))[:3]
        out.append((name, x, y, w, h))
        x += w
    return out


ALNUM_ROWS = [
    ['grave', '1', '2', '3', '4', '5', '6', '7', '8', '9', '0', 'minus', 'equal', ('bksp', 2.0)],
    [('tab', 1.5)] + list('qwertyuiop') + ['lbracket', 'rbracket', ('backslash', 1.5)],
    [('caps', 1.75)] + list('asdfghjkl') + ['semicolon', 'quote', ('enter', 2.25)],
    [('lshift', 2.25)] + list('zxcvbnm') + ['comma', 'period', 'slash'],
]


def full_size():
    rows = [row(0, 0, 'esc', 1.0, 'f1', 'f2', 'f3', 'f4', 0.5, 'f5', 'f6', 'f7', 'f8', 0.5,
                'f9', 'f10', 'f11', 'f12', 0.25, 'prtsc', 'scrlk', 'pause')]
    y = 1.5
    rows.append(row(y, 0, *ALNUM_ROWS[0], 0.25, 'ins', 'home', 'pgup', 0.25, 'numlk', 'kpslash', 'kpstar', 'kpminus'))
    rows.append(row(y + 1, 0, *ALNUM_ROWS[1], 0.25, 'del', 'end', 'pgdn', 0.25, 'kp7', 'kp8', 'kp9', ('kpplus', 1.0, 2.0)))
    rows.append(row(y + 2, 0, *ALNUM_ROWS[2], 3.5, 'kp4', 'kp5', 'kp6'))
    rows.append(row(y + 3, 0, *ALNUM_ROWS[3], ('rshift', 2.75), 1.25, 'up', 1.25, 'kp1', 'kp2', 'kp3', ('kpenter', 1.0, 2.0)))
    rows.append(row(y + 4, 0, ('lctrl', 1.25), ('lwin', 1.25), ('lalt', 1.25), ('space', 6.25), ('ralt', 1.25),
                    ('rwin', 1.25), ('app', 1.25), ('rctrl', 1.25), 0.25, 'left', 'down', 'right', 0.25,
                    ('kp0', 2.0), 'kpdot'))
    return rows


def sixty():
    return [
        row(0, 0, 'esc', *ALNUM_ROWS[0][1:]),
        row(1, 0, *ALNUM_ROWS[1]),
        row(2, 0, *ALNUM_ROWS[2]),
        row(3, 0, *ALNUM_ROWS[3], ('rshift', 2.75)),
        row(4, 0, ('lctrl', 1.25), ('lwin', 1.25), ('lalt', 1.25), ('space', 6.25), ('ralt', 1.25),
            ('fn', 1.25), ('app', 1.25), ('rctrl', 1.25)),
    ]


def seventy_five():
    y = 1.25
    return [
        row(0, 0, 'esc', 0.25, 'f1', 'f2', 'f3', 'f4', 0.25, 'f5', 'f6', 'f7', 'f8', 0.25,
            'f9', 'f10', 'f11', 'f12', 1.5, 'del'),
        row(y, 0, *ALNUM_ROWS[0], 0.25, 'ins'),
        row(y + 1, 0, *ALNUM_ROWS[1], 0.25, 'end'),
        row(y + 2, 0, *ALNUM_ROWS[2], 0.25, 'pgup'),
        row(y + 3, 0, *ALNUM_ROWS[3], ('rshift', 1.75), 0.25, 'up', 'pgdn'),
        row(y + 4, 0, ('lctrl', 1.25), ('lwin', 1.25), ('lalt', 1.25), ('space', 6.25), 'ralt', 'fn', 'rctrl',
            0.25, 'left', 'down', 'right'),
    ]


# Usage -> 0-based slot of the output-report keyboards' factory key table; the modifiers and Fn
# sit in slots whose default holds their modifier bit or internal function instead of a usage.
KB74_SLOTS = {
    0x29: 0, **{0x3A + i: 1 + i for i in range(12)}, 0x4C: 13, 0x35: 15,
    **{0x1E + i: 16 + i for i in range(10)}, 0x2D: 26, 0x2E: 27, 0x2A: 28, 0x49: 29,
    0x2B: 30, 0x14: 31, 0x1A: 32, 0x08: 33, 0x15: 34, 0x17: 35, 0x1C: 36, 0x18: 37, 0x0C: 38, 0x12: 39,
    0x13: 40, 0x2F: 41, 0x30: 42, 0x31: 43, 0x4D: 44,
    0x39: 45, 0x04: 46, 0x16: 47, 0x07: 48, 0x09: 49, 0x0A: 50, 0x0B: 51, 0x0D: 52, 0x0E: 53, 0x0F: 54,
    0x33: 55, 0x34: 56, 0x28: 58, 0x4B: 59,
    0xE1: 60, 0x1D: 62, 0x1B: 63, 0x06: 64, 0x19: 65, 0x05: 66, 0x11: 67, 0x10: 68, 0x36: 69, 0x37: 70,
    0x38: 71, 0xE5: 72, 0x52: 73, 0x4E: 74,
    0xE0: 75, 0xE3: 76, 0xE2: 77, 0x2C: 81, 0xE6: 84, 0xAF: 85, 0xE4: 86, 0x50: 87, 0x51: 88, 0x4F: 89,
}


def matrix_slots(rows):
    return {k[0]: 1 + 21 * r + c for r, keys in enumerate(rows) for c, k in enumerate(keys)}


def section(name, model_rows, unit, view, image, slots_of):
    left, top, width, height = view
    keys = [k for r in model_rows for k in r]
    grid_w = max(x + w for _, x, _, w, _ in keys) * unit
    grid_h = max(y + h for _, _, y, _, h in keys) * unit
    xpos, ypos = round((width - grid_w) / 2), round((height - grid_h) / 2)
    slots = slots_of(model_rows)
    out = [f'  <{name} left="{left}" top="{top}" width="{width}" height="{height}" type="0" '
           f'image="{image}" key_xpos="{xpos}" key_ypos="{ypos}">', '    <KeyItems>']
    for key, x, y, w, h in keys:
        label, desc, code = K[key]
        index = slots[key]
        # 2 pixels of the picture's frame on every side of a key.
        rl, rt = round(x * unit) + 2, round(y * unit) + 2
        rw, rh = round((x + w) * unit) - 2 - rl, round((y + h) * unit) - 2 - rt
        out.append(f'      <key code="0x{code:02X}" key_index="{index}" light_index="{index}" '
                   f'name={quoteattr(label)} desc={quoteattr(desc)} '
                   f'rect_left="{rl}" rect_top="{rt}" rect_width="{rw}" rect_height="{rh}"/>')
    out += ['    </KeyItems>', f'  </{name}>']
    return out


def kb74_slots(rows):
    return {k[0]: KB74_SLOTS[K[k[0]][2]] + 1 for r in rows for k in r}


def main():
    lines = ['<?xml version="1.0" encoding="UTF-8"?>',
             '<!-- Keyboard pictures and keys of each keyboard family. Generated by make_keyboard_layout.py. -->',
             '<KeyboardLayout>']
    lines += section('LayoutQxKB52', full_size(), 42, (20, 80, 1020, 330), 'kb_qxkb52.png', matrix_slots)
    lines += section('LayoutQxKBRS40', sixty(), 52, (120, 80, 820, 330), 'kb_qxkbrs40.png', matrix_slots)
    # The window's layout name before a keyboard of a known type was seen: the same 60% board.
    lines += section('LayoutQxKBRS40-24G', sixty(), 52, (120, 80, 820, 330), 'kb_qxkbrs40.png', matrix_slots)
    lines += section('LayoutQxKB74', seventy_five(), 48, (110, 80, 840, 330), 'kb_qxkb74.png', kb74_slots)
    lines.append('</KeyboardLayout>')
    print('\r\n'.join(lines), end='\r\n')


if __name__ == '__main__':
    main()
