#!/usr/bin/env python3
"""Builds the skin directory skins/theme1/: renders every SVG template to PNG with rsvg-convert, makes the
program icon and the loading animation with ImageMagick, draws the keyboard pictures from KeyboardLayout.xml
and extracts the font. Usage: see --help. Exit status 0 on success, 1 on any failure."""

import argparse
import os
import subprocess
import sys
from concurrent.futures import ThreadPoolExecutor

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))

import backdrops  # noqa: E402
import catalogue  # noqa: E402
import keyboard  # noqa: E402
import layout  # noqa: E402
import svg  # noqa: E402


def write_svg(work, rel, made):
    w, h, body = made
    path = os.path.join(work, rel[:-4] + ".svg")
    os.makedirs(os.path.dirname(path), exist_ok=True)
    with open(path, "w", encoding="utf-8") as f:
        f.write(svg.document(w, h, body))
    return path


def render_all(jobs, rsvg, workers=2):
    """jobs: [(svg path, png path)]. Renders with at most `workers` processes; returns the failures."""
    def one(job):
        src, dst = job
        os.makedirs(os.path.dirname(dst), exist_ok=True)
        r = subprocess.run([rsvg, "-f", "png", "-o", dst, src], capture_output=True, text=True)
        return None if r.returncode == 0 else f"{src}: {r.stderr.strip()}"
    with ThreadPoolExecutor(max_workers=workers) as pool:
        return [e for e in pool.map(one, jobs) if e]


def keyboard_jobs(layout_path, out, work):
    """Render jobs for the pictures named by the layout file (none without one)."""
    if not layout_path:
        return []
    sections = layout.read_sections(layout_path)
    if not sections:
        print(f"build_skin: no keyboard sections with a picture in {layout_path}", file=sys.stderr)
    jobs = []
    for s in layout.pictures(sections):
        if s.width <= 0 or s.height <= 0:
            print(f"build_skin: section {s.name} has no size; picture skipped", file=sys.stderr)
            continue
        jobs.append((write_svg(work, s.image, keyboard.picture(s)), os.path.join(out, s.image)))
    return jobs


def build_keyboards(args, out, work):
    failures = render_all(keyboard_jobs(args.layout, out, work), args.rsvg)
    print("\n".join(failures), file=sys.stderr) if failures else None
    if not failures and args.stamp:
        with open(args.stamp, "w") as f:
            f.write("ok\n")
    return 1 if failures else 0


def main():
    ap = argparse.ArgumentParser(description=__doc__)
    ap.add_argument("--out", required=True, help="the theme directory to fill (…/skins/theme1)")
    ap.add_argument("--work", required=True, help="scratch directory for the SVG files")
    ap.add_argument("--layout", help="KeyboardLayout.xml whose pictures to draw")
    ap.add_argument("--rsvg", default="rsvg-convert")
    ap.add_argument("--convert", default="/usr/bin/convert", help="ImageMagick convert (not a wrapper)")
    ap.add_argument("--ttc", help="font collection to take the skin font from")
    ap.add_argument("--ttc-index", type=int, default=0)
    ap.add_argument("--font-family", help="rename the font family (default: keep the collection's name)")
    ap.add_argument("--font-copy", action="append", default=[], help="further path to copy Arial.ttf to")
    ap.add_argument("--font-licence", action="append", default=[],
                    help="licence text shipped beside the font (concatenated into font/LICENSE.txt)")
    ap.add_argument("--embedded", help="directory for the toolkit's embedded default images")
    ap.add_argument("--stamp", help="file touched after a successful build")
    ap.add_argument("--only-keyboards", action="store_true", help="draw only the keyboard pictures of --layout")
    args = ap.parse_args()

    out, work = os.path.abspath(args.out), os.path.abspath(args.work)
    os.makedirs(out, exist_ok=True)
    jobs = []
    if args.only_keyboards:
        return build_keyboards(args, out, work)
    for rel, draw in catalogue.images().items():
        jobs.append((write_svg(work, rel, draw()), os.path.join(out, rel)))
    if args.embedded:
        for rel, draw in catalogue.EMBEDDED.items():
            jobs.append((write_svg(work, "embedded/" + rel, draw()), os.path.join(args.embedded, rel)))

    icon_pngs = []
    for size in catalogue.ICON_SIZES:
        png = os.path.join(work, "ico", f"icon_{size}.png")
        jobs.append((write_svg(work, f"ico/icon_{size}.png", backdrops.app_icon(size)), png))
        icon_pngs.append(png)
    frame_pngs = []
    for i in range(catalogue.LOADING_FRAMES):
        png = os.path.join(work, "loading", f"frame_{i:02d}.png")
        jobs.append((write_svg(work, f"loading/frame_{i:02d}.png", backdrops.loading_frame(i, catalogue.LOADING_FRAMES)), png))
        frame_pngs.append(png)

    jobs += keyboard_jobs(args.layout, out, work)
    failures = render_all(jobs, args.rsvg)
    if failures:
        print("\n".join(failures), file=sys.stderr)
        return 1

    steps = [
        [args.convert, *icon_pngs, os.path.join(out, "QxKBDriver.ico")],
        [args.convert, "-delay", "8", "-loop", "0", "-dispose", "previous", *frame_pngs,
         os.path.join(out, "loading", "loading.gif")],
    ]
    os.makedirs(os.path.join(out, "loading"), exist_ok=True)
    for cmd in steps:
        r = subprocess.run(cmd, capture_output=True, text=True)
        if r.returncode != 0:
            print(f"{' '.join(cmd)}: {r.stderr.strip()}", file=sys.stderr)
            return 1

    if args.ttc:
        import fontfile
        font_dir = os.path.join(out, "font")
        os.makedirs(font_dir, exist_ok=True)
        target = os.path.join(font_dir, "Arial.ttf")
        fontfile.extract(args.ttc, args.ttc_index, target, args.font_family)
        if args.font_licence:
            with open(os.path.join(font_dir, "LICENSE.txt"), "w", encoding="utf-8") as dst:
                dst.write("Arial.ttf is WenQuanYi Micro Hei (face 0 of wqy-microhei.ttc, Debian fonts-wqy-microhei),\n"
                          "taken out of its collection as a single TrueType file; glyphs and tables are unchanged"
                          + (f" except the family name, renamed to {args.font_family}" if args.font_family else "")
                          + ".\n\n")
                for lic in args.font_licence:
                    with open(lic, encoding="utf-8") as src:
                        dst.write(src.read() + "\n")
        for extra in args.font_copy:
            os.makedirs(os.path.dirname(extra), exist_ok=True)
            with open(target, "rb") as src, open(extra, "wb") as dst:
                dst.write(src.read())

    if args.stamp:
        with open(args.stamp, "w") as f:
            f.write("ok\n")
    return 0


if __name__ == "__main__":
    sys.exit(main())
