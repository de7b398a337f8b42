#include "toolkit/controls/m_progress.h"

#include "toolkit/core/control_factory.h"
#include "toolkit/core/img_res_info.h"
#include "toolkit/core/look_strip.h"
#include "toolkit/core/m_render.h"
#include "toolkit/core/paint_manager.h"

namespace QxUI {

QXUI_REGISTER_CONTROL(L"MProgress", [](MObject* p, UINT id, CRect r, const wchar_t* t, int a, int b) -> MControl* {
    return new MProgress(p, id, r, t, a, b);
});

CString ProgressText(const CString& title, int progress, int maximum) {
    CString text;
    text.Format(L"%ls%d%ls", title.GetString(), progress, maximum == 100 ? L"%" : L"");
    return text;
}

int ProgressFill(int width, int progress, int maximum) {
    if (maximum <= 0) return 0;
    return static_cast<int>(static_cast<long long>(width) * progress / maximum);
}

MProgress::MProgress(MObject* parent, UINT id, CRect rect, const wchar_t* title, BOOL visible, BOOL enabled)
    : MControlFont(parent, id, rect, title, visible, enabled, TRUE),
      m_ticks(0),
      m_ticksPerStep(3),
      m_endBorder(12),
      m_barHeight(14),
      m_lineColour(0x64050505),
      m_barColour(0xFEFFE100),
      m_back(nullptr),
      m_backWidth(0),
      m_backHeight(0),
      m_fore(nullptr),
      m_foreWidth(0),
      m_foreHeight(0),
      m_maximum(100),
      m_progress(0),
      m_showText(0),
      m_running(0) {
    SetTextColor(Gdiplus::Color(0xFE808080));
    m_hAlign = 1;
    m_vAlign = 4;
    m_stateCount = 2;
}

namespace {
bool Take(ImgResInfo* info, Gdiplus::Image*& image, int& width, int& height) {
    if (!info || !info->image) return false;
    image = info->image;
    width = info->width;
    height = info->height;
    return true;
}
}  // namespace

bool MProgress::SetBackGroundImage(CString file) {
    bool ok = m_manager && Take(m_manager->AddImgResInfo(file, 1), m_back, m_backWidth, m_backHeight);
    if (ok) UpdateControl(TRUE);
    return ok;
}

bool MProgress::SetBackGroundImage(UINT resId) {
    bool ok = m_manager && Take(m_manager->AddImgResInfo(resId, L"PNG", 1, TRUE), m_back, m_backWidth, m_backHeight);
    if (ok) UpdateControl(TRUE);
    return ok;
}

bool MProgress::SetForeGroundImage(CString file) {
    bool ok = m_manager && Take(m_manager->AddImgResInfo(file, 1), m_fore, m_foreWidth, m_foreHeight);
    if (ok) UpdateControl(TRUE);
    return ok;
}

bool MProgress::SetForeGroundImage(UINT resId) {
    bool ok = m_manager && Take(m_manager->AddImgResInfo(resId, L"PNG", 1, TRUE), m_fore, m_foreWidth, m_foreHeight);
    if (ok) UpdateControl(TRUE);
    return ok;
}

int MProgress::SetProgress(int progress) {
    if (!m_enabled) return m_progress;
    if (progress > m_maximum) progress = m_maximum;
    if (progress >= 0 && progress != m_progress) {
        m_progress = progress;
        UpdateControl(TRUE);
    }
    return m_progress;
}

void MProgress::SetMaxProgress(int maximum) {
    m_maximum = maximum;
    UpdateControl(TRUE);
}

int MProgress::SetRun(int run, int progress) {
    if (!m_enabled) return m_running;
    bool changed = (run != 0) != (m_running != 0);
    m_running = run ? TRUE : FALSE;
    if (progress >= 0 && progress <= m_maximum && progress != m_progress) {
        m_progress = progress;
        changed = true;
    }
    if (changed) UpdateControl(TRUE);
    return m_running;
}

void MProgress::EnableShowText(BOOL on) {
    m_showText = on;
    UpdateControl(TRUE);
}

BOOL MProgress::OnControlTimer() {
    if (!m_running) return 0;
    if (++m_ticks % m_ticksPerStep != 0) return 0;
    m_progress = (m_progress + 1 >= m_maximum) ? 0 : m_progress + 1;
    UpdateControl(TRUE);
    return 1;
}

void MProgress::Render(HDC dc, const CRect& frame) {
    const int W = frame.Width(), H = frame.Height();
    const int fill = ProgressFill(W, m_progress, m_maximum);
    Gdiplus::Graphics g(dc);
    if (m_fore) {
        if (m_back)
            MRender::DrawImageFrameMID(g, m_back, frame, 0, 0, m_backWidth, m_backHeight, m_endBorder, 0, m_endBorder, 0);
        CRect part(frame.left, frame.top, frame.left + fill, frame.bottom);
        if (fill > 0 && fill < m_endBorder)
            g.DrawImage(m_fore, Gdiplus::Rect(part.left, part.top, part.Width(), part.Height()), 0, 0, m_foreWidth,
                        m_foreHeight, Gdiplus::UnitPixel);
        else if (fill > 0)
            MRender::DrawImageFrameMID(g, m_fore, part, 0, 0, m_foreWidth, m_foreHeight, m_endBorder, 0, m_endBorder, 0);
    } else if (m_image) {
        DrawImageStateFrame(g, m_image, m_stateWidth, m_stateHeight, 0,
                            CRect(frame.left, frame.top, frame.right, frame.top + m_barHeight), 2);
        if (m_progress != 0)
            DrawImageStateFrame(g, m_image, m_stateWidth, m_stateHeight, 1,
                                CRect(frame.left, frame.top, frame.left + fill, frame.top + m_barHeight), 2);
    } else {
        Gdiplus::Pen line{Gdiplus::Color(m_lineColour)};
        g.DrawLine(&line, static_cast<INT>(frame.left + 1), static_cast<INT>(frame.top + H - 2),
                   static_cast<INT>(frame.left + W), static_cast<INT>(frame.top + H - 2));
        if (m_progress != 0) MRender::DrawColor(dc, CRect(frame.left, frame.top + H - 3, frame.left + fill, frame.top + H), m_barColour);
    }
    if (m_showText) {
        CString text = ProgressText(m_title, m_progress, m_maximum);
        DrawTitle(g, text,
                  Gdiplus::RectF(static_cast<float>(frame.left + (W - 60) / 2), static_cast<float>(frame.top), 60.0f,
                                 20.0f),
                  m_textColor);
    }
}

void MProgress::DrawControl(HDC& hdc, CRect) {
    PaintLookStrip(*this, hdc, 1, 0, [&](HDC dc, int, const CRect& frame) { Render(dc, frame); });
}

}  // namespace QxUI
