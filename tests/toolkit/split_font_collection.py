#!/usr/bin/env python3
"""split_font_collection.py COLLECTION.ttc INDEX OUT.ttf

GDI+ cannot load a .ttc collection; this writes one font of it as a plain .ttf
(Debian package python3-fonttools)."""
import os
import sys

from fontTools.ttLib import TTCollection

collection, index, out = sys.argv[1], int(sys.argv[2]), sys.argv[3]
os.makedirs(os.path.dirname(out) or ".", exist_ok=True)
TTCollection(collection).fonts[index].save(out)
