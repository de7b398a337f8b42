#pragma once
#include <vector>

#include "toolkit/core/qxui_export.h"
#include "toolkit/core/windows_include.h"

struct IDropTargetHelper;

namespace QxUI {

// OLE drop target of one window. It is embedded in its owner (the paint manager), so its
// reference count never deletes it; the owner revokes the registration before it goes away.
// The first supported format the data object offers is fetched and handed to OnDrop.
class QXUI_API CIDropTarget : public IDropTarget {
public:
    CIDropTarget();
    virtual ~CIDropTarget();
    CIDropTarget(const CIDropTarget&) = delete;
    CIDropTarget& operator=(const CIDropTarget&) = delete;

    // The dropped data; return true when the medium may be released afterwards.
    virtual bool OnDrop(FORMATETC* format, STGMEDIUM& medium, DWORD* effect) = 0;

    void SetTargetWnd(HWND hwnd) { m_hwnd = hwnd; }
    void AddSuportedFormat(const FORMATETC& format) { m_formats.push_back(format); }
    // The drop effect for the key state: Ctrl+Shift link, Ctrl copy, Shift move (each only if
    // allowed, else none); without modifiers the first allowed of copy, move, link.
    static DWORD EffectFor(DWORD keyState, DWORD allowed);

    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** object) override;
    ULONG STDMETHODCALLTYPE AddRef() override;
    ULONG STDMETHODCALLTYPE Release() override;
    HRESULT STDMETHODCALLTYPE DragEnter(IDataObject* data, DWORD keyState, POINTL pt, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragOver(DWORD keyState, POINTL pt, DWORD* effect) override;
    HRESULT STDMETHODCALLTYPE DragLeave() override;
    HRESULT STDMETHODCALLTYPE Drop(IDataObject* data, DWORD keyState, POINTL pt, DWORD* effect) override;

protected:
    HWND m_hwnd;

private:
    LONG m_refs;
    std::vector<FORMATETC> m_formats;
    const FORMATETC* m_chosen;
    IDropTargetHelper* m_helper;
};

}  // namespace QxUI
