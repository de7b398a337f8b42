#include "toolkit/controls/menu_item.h"

#include "toolkit/controls/m_menu_window.h"
#include "toolkit/controls/menu_wnd.h"
#include "toolkit/core/control_factory.h"
#include "toolkit/core/img_res_info.h"
#include "toolkit/core/look_strip.h"
#include "toolkit/core/paint_manager.h"
#include "toolkit/core/ui_notify.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"MenuItem", [](MObject* p, UINT id, CRect r, const wchar_t* t, int a, int b) -> MControl* {
    return new MenuItem(p, id, r, t, a, b);
});

namespace {
constexpr int kLooks = 4;  // normal, hover, pressed (also checked), disabled
constexpr Gdiplus::ARGB kDisabledText = 0xFE808080;
}  // namespace

MenuItem::MenuItem(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, TRUE),
      m_look(0),
      m_check(0),
      m_pressed(FALSE),
      m_separator(FALSE),
      m_popup(FALSE),
      m_popupMenu(nullptr),
      m_popupWindow(nullptr),
      m_iconWidth(0),
      m_frameWidth(0),
      m_groupName(L"Menu Group"),
      m_hoverFillColor(0xFF9CA18A),
      m_hoverTextColor(0xFFFFFFFF),
      m_rowHoverImage(nullptr),
      m_rowHoverWidth(0),
      m_rowHoverHeight(0),
      m_arrow(nullptr) {
    m_stateCount = 3;
    m_hAlign = 1;  // titles are centred in the row
    m_vAlign = 4;
}

MenuItem::~MenuItem() {
    if (m_popupWindow && ::IsWindow(m_popupWindow)) ::PostMessageW(m_popupWindow, WM_CLOSE, 0, 0);
}

void MenuItem::SetPopupMenu(MenuWnd* menu) {
    m_popupMenu = menu;
    m_popupWindow = menu ? menu->GetSafeHwnd() : nullptr;
}

MMenuWindow* MenuItem::GetParentMenu() const { return dynamic_cast<MMenuWindow*>(m_parent); }

void MenuItem::ShowPopupMenu() {
    if (m_popupWindow && ::IsWindow(m_popupWindow)) ::ShowWindow(m_popupWindow, SW_SHOW);
}

void MenuItem::SetLook(int look) {
    if (look == m_look) return;
    m_look = look;
    UpdateControl(FALSE);  // the looks are all in the strip already
}

void MenuItem::SetPopup(int popup) {
    m_popup = popup != 0;
    if (m_popup && m_manager) {
        m_arrow = m_manager->AddImgResInfo(L"icon\\icon_arrow_right.png", 1);
        UpdateControl(TRUE);
    }
}

void MenuItem::SetSeparator(int separator) {
    m_separator = separator != 0;
    UpdateControl(TRUE);
}

void MenuItem::SetControlCheck(int check) {
    m_check = check;
    m_look = check ? 2 : 0;
    UpdateControl(FALSE);
}

void MenuItem::SetControlEnabled(BOOL enabled) {
    if ((enabled != FALSE) == (m_enabled != FALSE)) return;
    m_enabled = enabled;
    m_look = !enabled ? 3 : m_check ? 2 : 0;
    UpdateControl(FALSE);
}

void MenuItem::SetFrameWidth(int width) {
    if (width == m_frameWidth) return;
    m_frameWidth = width;
    UpdateControl(TRUE);
}

void MenuItem::SetIconWidth(int width) {
    if (width == m_iconWidth) return;
    m_iconWidth = width;
    UpdateControl(TRUE);
}

void MenuItem::SetRowHoverImage(Gdiplus::Image* image, int width, int height) {
    if (image == m_rowHoverImage && width == m_rowHoverWidth && height == m_rowHoverHeight) return;
    m_rowHoverImage = image;
    m_rowHoverWidth = width;
    m_rowHoverHeight = height;
    UpdateControl(TRUE);
}

void MenuItem::SetHoverFillColor(Gdiplus::ARGB colour) {
    if (colour == m_hoverFillColor) return;
    m_hoverFillColor = colour;
    UpdateControl(TRUE);
}

void MenuItem::SetHoverTextColor(Gdiplus::ARGB colour) {
    if (colour == m_hoverTextColor) return;
    m_hoverTextColor = colour;
    UpdateControl(TRUE);
}

void MenuItem::SetTextColor(Gdiplus::Color colour) {
    if (colour.GetValue() == m_textColor) return;
    MControlFont::SetTextColor(colour);
    UpdateControl(TRUE);
}

BOOL MenuItem::OnControlMouseMove(UINT, CPoint point) {
    if (!m_enabled || m_pressed || m_separator) return 0;
    bool inside = CRect(m_rect).PtInRect(point) != FALSE;
    // Sent on every move over the row: the menu's creator follows the pointer with it.
    if (inside) SendMessageW(NOTIFY_HOVER_ITEM, NOTIFY_HOVER_ITEM, 0);
    // The checked look lasts until the pointer next comes over the row.
    int look = inside ? 1 : (m_check && m_look == 2) ? 2 : 0;
    if (look == m_look) return 0;
    SetLook(look);
    return 1;
}

BOOL MenuItem::OnControlLButtonDown(UINT, CPoint point) {
    if (!m_enabled || m_separator || !CRect(m_rect).PtInRect(point)) return 0;
    m_pressed = TRUE;
    int old = m_look;
    SetLook(2);
    return old != 2;
}

BOOL MenuItem::OnControlLButtonUp(UINT, CPoint point) {
    if (!m_enabled || m_separator) return 0;
    m_pressed = FALSE;
    int look = CRect(m_rect).PtInRect(point) ? 1 : m_check ? 2 : 0;
    if (look == m_look) return 0;
    SetLook(look);
    if (look == 1) SendMessageW(NOTIFY_CLICK, NOTIFY_CLICK, 0);
    return 1;
}

void MenuItem::DrawControl(HDC& hdc, CRect) {
    if (m_separator) {
        PaintLookStrip(*this, hdc, 1, 0, [this](HDC dc, int, const CRect& frame) { PaintLook(dc, 0, frame); });
        return;
    }
    PaintLookStrip(*this, hdc, kLooks, m_look,
                   [this](HDC dc, int look, const CRect& frame) { PaintLook(dc, look, frame); });
}

void MenuItem::PaintLook(HDC dc, int look, const CRect& frame) {
    Gdiplus::Graphics g(dc);
    const int x0 = frame.left, w = frame.Width(), h = frame.Height();
    const bool lit = !m_separator && (look == 1 || look == 2);
    if (lit) {
        Gdiplus::Rect area(x0 + m_frameWidth, 0, w - 2 * m_frameWidth, h);
        if (m_rowHoverImage) {
            g.DrawImage(m_rowHoverImage, area, 0, 0, m_rowHoverWidth, m_rowHoverHeight, Gdiplus::UnitPixel);
        } else {
            Gdiplus::SolidBrush fill{Gdiplus::Color(m_hoverFillColor)};
            g.FillRectangle(&fill, area);
        }
    }
    if (m_image && m_stateWidth > 0 && m_stateHeight > 0) {
        if (m_separator) {
            // The line image is tiled along the row at its own height.
            Gdiplus::TextureBrush tile(m_image);
            int y = (h - m_stateHeight) / 2;
            tile.TranslateTransform(static_cast<Gdiplus::REAL>(x0 + m_frameWidth), static_cast<Gdiplus::REAL>(y));
            g.FillRectangle(&tile, x0 + m_frameWidth, y, w - 2 * m_frameWidth, m_stateHeight);
        } else if (!m_popup || m_arrow) {
            int state = look < m_stateCount ? look : 0;
            CRect dst(x0 + (m_iconWidth - m_stateWidth) / 2, (h - m_stateHeight) / 2, 0, 0);
            dst.right = dst.left + m_stateWidth;
            dst.bottom = dst.top + m_stateHeight;
            DrawImageState(g, m_image, m_stateWidth, m_stateHeight, state, dst);
        } else {
            // Without the skin's arrow a popup row's own image is its two-state arrow.
            int full = static_cast<int>(m_image->GetWidth());
            int half = full / 2;
            CRect dst(x0 + w - 6 - half, (h - m_stateHeight) / 2, x0 + w - 6, (h - m_stateHeight) / 2 + m_stateHeight);
            DrawImageState(g, m_image, half, m_stateHeight, look % 2, dst);
        }
    }
    if (lit && m_popup && m_arrow && m_arrow->image) {
        CRect dst(x0 + w - m_arrow->width, (h - m_arrow->height) / 2, x0 + w, (h - m_arrow->height) / 2 + m_arrow->height);
        DrawImageState(g, m_arrow->image, m_arrow->width, m_arrow->height, 0, dst);
    }
    if (!m_separator && !m_title.IsEmpty()) {
        Gdiplus::ARGB colour = look == 0 ? m_textColor : look == 3 ? kDisabledText : m_hoverTextColor;
        Gdiplus::RectF box(static_cast<Gdiplus::REAL>(x0 + m_iconWidth), 0, static_cast<Gdiplus::REAL>(w - 20),
                           static_cast<Gdiplus::REAL>(h));
        DrawTitle(g, m_title, box, colour);
    }
}

}  // namespace QxUI
