// The window's drop shadow: the manager's side of MShadow.
#include "toolkit/core/manager.h"
#include "toolkit/core/paint_manager.h"

namespace QxUI {

void PaintManager::CreateShadow(BOOL show, bool force) {
    MShadow::Initialize(Manager::m_hInstance, force);
    m_shadow.ShowShadow(show);
    m_shadow.Create(this);
}

BOOL PaintManager::SetSize(int size) { return m_shadow.SetSize(size); }
BOOL PaintManager::SetSharpness(UINT sharpness) { return m_shadow.SetSharpness(sharpness); }
BOOL PaintManager::SetDarkness(UINT darkness) { return m_shadow.SetDarkness(darkness); }
BOOL PaintManager::SetPosition(int x, int y) { return m_shadow.SetPosition(x, y); }
BOOL PaintManager::SetShadowColor(DWORD colour) { return m_shadow.SetColor(colour); }
BOOL PaintManager::SetShadowImage(const wchar_t* file) { return m_shadow.SetImage(file); }
BOOL PaintManager::SetShadowImage(UINT resId) { return m_shadow.SetImage(resId); }
BOOL PaintManager::SetShadowCorner(RECT corners) { return m_shadow.SetShadowCorner(corners); }
void PaintManager::SetShadowShow(BOOL show) { m_shadow.ShowShadow(show); }
void PaintManager::DisableShadow(BOOL disable) { m_shadow.DisableShadow(disable); }

}  // namespace QxUI
