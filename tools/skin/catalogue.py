"""Every image of skins/theme1/ with the template that draws it. Sizes and state counts follow skin/manifest.tsv."""

import backdrops as b
import theme as t
import widgets as wd

# Lighting icons registered with one state (drawn) and those only ever registered with two.
LIGHT_ICONS_ONE = ["continued", "singleon", "singleoff", "adrift", "ripples", "breathing", "spectrumcycle",
                   "flowing", "scrolling", "turnoff"]
LIGHT_ICONS_TWO = ["fallenflowers", "colorful", "series", "pointing", "eggshells"]


def images():
    """{relative path: callable returning (width, height, svg body)}."""
    img = {
        "qxkb_bkg.png": b.main_window,
        "qxkb_light_bkg.png": lambda: b.panel(768, 226, heading_band=(14, 58)),
        "qxkb_macro_bkg.png": lambda: b.macro_panel(242, 226),
        "logo/logo.png": lambda: b.logo(172, 39),
        "logo/logo_loading.png": lambda: b.logo(200, 48),
        "sysbtn_close.png": lambda: wd.title_button("close", danger=True),
        "sysbtn_min.png": lambda: wd.title_button("minimise"),
        "sysbtn_usb_none.png": lambda: wd.title_button("usb_none"),
        "sysbtn_usb.png": _usb_connected,
        "sysbtn_lan_1033.png": lambda: wd.language_button("EN", 13),
        "sysbtn_lan_2052.png": lambda: wd.language_button("中", 15),
        "sysbtn_upgrade.png": lambda: wd.title_button("upgrade"),
        "img_button.png": lambda: wd.dark_button(123, 43),
        "img_btn_addmacro.png": lambda: wd.dark_button(225, 43, primary=True),
        "img_button_macro_save.png": lambda: wd.light_button(180, 36),
        "icon/icon_reset.png": lambda: wd.icon("reset", 20, "#ffffff"),
        "icon/icon_profile.png": lambda: wd.icon("profile", 20, "#ffffff"),
        "icon/icon_addmacro.png": lambda: wd.icon("addmacro", 20, "#ffffff"),
        "icon/icon_macro_rec.png": lambda: wd.icon("macro_rec", 20, t.INK),
        "icon/icon_macro_stoprec.png": lambda: wd.icon("macro_stoprec", 20, t.INK),
        "icon/icon_macro_save.png": lambda: wd.icon("macro_save", 20, t.INK),
        "icon/icon_arrow_right.png": lambda: wd.icon("arrow_right", 12, "#ffffff"),
        "img_key_bkg.png": lambda: b.key_highlight(40, 40),
        "img_btn_del.png": lambda: wd.row_button_icon("delete"),
        "img_btn_edit.png": lambda: wd.row_button_icon("edit"),
        "img_radio_button.png": lambda: wd.bullets(dark=True, round_=True),
        "img_check_macro.png": lambda: wd.bullets(dark=False, round_=False),
        "btn_checkbox.png": lambda: wd.bullets(dark=True, round_=False),
        "img_lightmode_row_bkg.png": lambda: b.lightmode_row(160, 33),
        "img_menubkg_keyfunc.png": lambda: b.card(100, 100, dark=False),
        "img_menubkg.png": lambda: b.card(100, 100, dark=True),
        "img_msgboxbkg.png": lambda: b.card(100, 100, dark=False),
        "img_menu_rowhover.png": lambda: b.row_hover(160, 36),
        "img_macrobkg.png": b.macro_editor,
        "img_btn_macro_close.png": lambda: wd.image_button(
            30, 30, "close", 14, ["#c2ccd6", "#ffffff", "#ffffff", t.GLYPH_DIM],
            pad_fill=[None, t.DANGER, "#b8343a", None]),
        "img_edit.png": lambda: wd.edit_field(50, 30),
        "img_palettebar.png": lambda: wd.hue_bar(80, 60),
        "img_tip_bk.png": lambda: b.key_tip(149, 79),
        "img_tip_arrow_left.png": lambda: b.tip_arrow("left"),
        "img_tip_arrow_right.png": lambda: b.tip_arrow("right"),
        "img_tip_arrow_top.png": lambda: b.tip_arrow("top"),
        "img_scroll_v.png": lambda: wd.scroll_vertical(5, 72),
        "img_scroll_h.png": lambda: wd.scroll_horizontal(24, 5, 72),
        "img_spin_up.png": lambda: wd.image_button(14, 11, "tri_up", 8, ["#6b7886", t.ACCENT, t.ACCENT_DEEP, t.GLYPH_DIM]),
        "img_spin_down.png": lambda: wd.image_button(14, 11, "tri_down", 8, ["#6b7886", t.ACCENT, t.ACCENT_DEEP, t.GLYPH_DIM]),
        "img_palette_thumb.png": wd.palette_thumb,
        "img_sys_close.png": lambda: wd.image_button(
            24, 24, "close", 12, [t.GLYPH, "#ffffff", "#ffffff", t.GLYPH_DIM],
            pad_fill=[None, t.DANGER, "#b8343a", None]),
    }
    for name in LIGHT_ICONS_ONE:
        img[f"icon/icon_light_{name}.png"] = (lambda n: lambda: wd.light_icon("light_" + n, 1))(name)
    for name in LIGHT_ICONS_TWO:
        img[f"icon/icon_light_{name}.png"] = (lambda n: lambda: wd.light_icon("light_" + n, 2))(name)
    return img


def _usb_connected():
    """The connection indicator while a keyboard is attached: the plug glyph in the accent with a lit dot."""
    w, h, body = wd.title_button("usb")
    body = body.replace(f'color="{t.GLYPH}"', f'color="{t.ACCENT}"')
    for i in range(4):
        if i != 3:
            body += f'<circle cx="{i * 43 + 33}" cy="9" r="2.5" fill="#4be37a"/>'
    return w, h, body


# Toolkit's own embedded images (resources 101 and 102), drawn in the same style for the toolkit module.
EMBEDDED = {
    "toolkit_scroll_h.png": lambda: wd.scroll_horizontal(7, 5, 22),
    "toolkit_scroll_v.png": lambda: wd.scroll_vertical(4, 72),
}

ICON_SIZES = [16, 20, 24, 32, 40, 48, 64, 256]
LOADING_FRAMES = 12
