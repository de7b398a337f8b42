#include "toolkit/core/windows_include.h"  // before the other system headers
#include "toolkit/core/drop_target.h"

#include <shlobj.h>

namespace QxUI {

CIDropTarget::CIDropTarget() : m_hwnd(nullptr), m_refs(0), m_chosen(nullptr), m_helper(nullptr) {
    // The drag-image helper is optional: without it drops still work, only without the image.
    if (FAILED(::CoCreateInstance(CLSID_DragDropHelper, nullptr, CLSCTX_INPROC_SERVER, IID_IDropTargetHelper,
                                  reinterpret_cast<void**>(&m_helper))))
        m_helper = nullptr;
}

CIDropTarget::~CIDropTarget() {
    if (m_helper) m_helper->Release();
}

DWORD CIDropTarget::EffectFor(DWORD keyState, DWORD allowed) {
    bool ctrl = (keyState & MK_CONTROL) != 0, shift = (keyState & MK_SHIFT) != 0;
    if (ctrl && shift) return (allowed & DROPEFFECT_LINK) ? DROPEFFECT_LINK : DROPEFFECT_NONE;
    if (ctrl) return (allowed & DROPEFFECT_COPY) ? DROPEFFECT_COPY : DROPEFFECT_NONE;
    if (shift) return (allowed & DROPEFFECT_MOVE) ? DROPEFFECT_MOVE : DROPEFFECT_NONE;
    if (allowed & DROPEFFECT_COPY) return DROPEFFECT_COPY;
    if (allowed & DROPEFFECT_MOVE) return DROPEFFECT_MOVE;
    if (allowed & DROPEFFECT_LINK) return DROPEFFECT_LINK;
    return DROPEFFECT_NONE;
}

HRESULT CIDropTarget::QueryInterface(REFIID riid, void** object) {
    if (!object) return E_POINTER;
    if (riid == IID_IUnknown || riid == IID_IDropTarget) {
        *object = static_cast<IDropTarget*>(this);
        AddRef();
        return S_OK;
    }
    *object = nullptr;
    return E_NOINTERFACE;
}

ULONG CIDropTarget::AddRef() { return static_cast<ULONG>(::InterlockedIncrement(&m_refs)); }
ULONG CIDropTarget::Release() { return static_cast<ULONG>(::InterlockedDecrement(&m_refs)); }

HRESULT CIDropTarget::DragEnter(IDataObject* data, DWORD keyState, POINTL pt, DWORD* effect) {
    if (!effect) return E_INVALIDARG;
    m_chosen = nullptr;
    for (auto& f : m_formats) {
        FORMATETC query = f;
        if (data && data->QueryGetData(&query) == S_OK) {
            m_chosen = &f;
            break;
        }
    }
    *effect = m_chosen ? EffectFor(keyState, *effect) : DROPEFFECT_NONE;
    if (m_helper) {
        POINT p = {pt.x, pt.y};
        m_helper->DragEnter(m_hwnd, data, &p, *effect);
    }
    return S_OK;
}

HRESULT CIDropTarget::DragOver(DWORD keyState, POINTL pt, DWORD* effect) {
    if (!effect) return E_INVALIDARG;
    *effect = m_chosen ? EffectFor(keyState, *effect) : DROPEFFECT_NONE;
    if (m_helper) {
        POINT p = {pt.x, pt.y};
        m_helper->DragOver(&p, *effect);
    }
    return S_OK;
}

HRESULT CIDropTarget::DragLeave() {
    if (m_helper) m_helper->DragLeave();
    m_chosen = nullptr;
    return S_OK;
}

HRESULT CIDropTarget::Drop(IDataObject* data, DWORD keyState, POINTL pt, DWORD* effect) {
    if (!effect) return E_INVALIDARG;
    DWORD dropEffect = m_chosen ? EffectFor(keyState, *effect) : DROPEFFECT_NONE;
    if (m_helper) {
        POINT p = {pt.x, pt.y};
        m_helper->Drop(data, &p, dropEffect);
    }
    if (m_chosen && data && dropEffect != DROPEFFECT_NONE) {
        FORMATETC format = *m_chosen;
        STGMEDIUM medium = {};
        if (data->GetData(&format, &medium) == S_OK) {
            if (OnDrop(&format, medium, effect)) ::ReleaseStgMedium(&medium);
        }
    }
    m_chosen = nullptr;
    *effect = DROPEFFECT_NONE;
    return S_OK;
}

}  // namespace QxUI
