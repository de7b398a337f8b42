#!/usr/bin/env python3
"""x_keymap.py bind TEXT | restore: a keyboard layout with the characters of TEXT.

`bind` puts each character of TEXT on one of the main-block punctuation keys ([ ] \\ ; ' ` and
the 102nd key), as a national layout would, keeping the old rows in a file beside the display's
lock; `restore` puts the old rows back. Clients learn of the change through MappingNotify like
any layout switch. Wine gives such a key its own virtual-key code and turns it into the
character through its input context, so the characters arrive as WM_CHAR."""
import ctypes
import json
import os
import sys

x11 = ctypes.cdll.LoadLibrary("libX11.so.6")
x11.XOpenDisplay.restype = ctypes.c_void_p
x11.XOpenDisplay.argtypes = [ctypes.c_char_p]
x11.XDisplayKeycodes.argtypes = [ctypes.c_void_p, ctypes.POINTER(ctypes.c_int), ctypes.POINTER(ctypes.c_int)]
x11.XGetKeyboardMapping.restype = ctypes.POINTER(ctypes.c_ulong)
x11.XGetKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_ubyte, ctypes.c_int, ctypes.POINTER(ctypes.c_int)]
x11.XChangeKeyboardMapping.argtypes = [ctypes.c_void_p, ctypes.c_int, ctypes.c_int,
                                       ctypes.POINTER(ctypes.c_ulong), ctypes.c_int]
x11.XSync.argtypes = [ctypes.c_void_p, ctypes.c_int]
x11.XFree.argtypes = [ctypes.c_void_p]
x11.XCloseDisplay.argtypes = [ctypes.c_void_p]

# bracketleft, bracketright, backslash, semicolon, apostrophe, grave, less
DONORS = [0x5B, 0x5D, 0x5C, 0x3B, 0x27, 0x60, 0x3C]


def saved_path():
    display = os.environ.get("DISPLAY", ":0").replace(":", "").replace("/", "_")
    return "/tmp/qx-x-keymap-%s.json" % display


def keysym(ch):
    code = ord(ch)
    return code if code < 0x100 else 0x01000000 | code


def set_row(display, code, per, row):
    values = (ctypes.c_ulong * per)(*(list(row) + [0] * per)[:per])
    x11.XChangeKeyboardMapping(display, code, per, values, 1)


def main():
    if len(sys.argv) < 2 or sys.argv[1] not in ("bind", "restore"):
        print(__doc__, file=sys.stderr)
        return 2
    display = x11.XOpenDisplay(None)
    if not display:
        return 1
    low, high = ctypes.c_int(), ctypes.c_int()
    x11.XDisplayKeycodes(display, ctypes.byref(low), ctypes.byref(high))
    count = high.value - low.value + 1
    per = ctypes.c_int()
    table = x11.XGetKeyboardMapping(display, low.value, count, ctypes.byref(per))
    rows = {low.value + i: [table[i * per.value + j] for j in range(per.value)] for i in range(count)}
    x11.XFree(table)
    status = 0
    path = saved_path()
    if sys.argv[1] == "restore":
        if os.path.exists(path):
            with open(path) as f:
                for code, row in json.load(f).items():
                    set_row(display, int(code), per.value, row)
            os.remove(path)
    else:
        saved = {}
        if os.path.exists(path):
            with open(path) as f:
                saved = json.load(f)
        # Donor keys by their original first symbol (rows already changed keep their saved one).
        original = {code: (saved.get(str(code)) or row) for code, row in rows.items()}
        donors = [code for sym in DONORS for code, row in sorted(original.items()) if row and row[0] == sym]
        chars = []
        for ch in "".join(sys.argv[2:]):
            if ch not in chars:
                chars.append(ch)
        if len(chars) > len(donors):
            status = 1
        for ch, code in zip(chars, donors):
            saved.setdefault(str(code), rows[code])
            set_row(display, code, per.value, [keysym(ch), keysym(ch)])
        with open(path, "w") as f:
            json.dump(saved, f)
    x11.XSync(display, 0)
    x11.XCloseDisplay(display)
    return status


if __name__ == "__main__":
    sys.exit(main())
