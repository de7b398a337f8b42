"""Takes one face out of a TrueType collection: GDI+ private font collections do not load .ttc files."""

from fontTools.ttLib import TTCollection


def extract(ttc_path, index, out_path, family=None):
    """Writes face `index` of the collection as a single .ttf; with `family`, renames the family.

    Returns the family name the written font carries."""
    collection = TTCollection(ttc_path)
    font = collection.fonts[index]
    name = font["name"]
    if family:
        full = family if not name.getDebugName(2) or name.getDebugName(2) == "Regular" else f"{family} {name.getDebugName(2)}"
        for record in name.names:
            if record.nameID in (1, 16):
                record.string = family
            elif record.nameID == 4:
                record.string = full
            elif record.nameID == 6:
                record.string = full.replace(" ", "")
    font.save(out_path)
    return name.getDebugName(1)
