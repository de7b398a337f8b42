#pragma once
#include "toolkit/core/c_string.h"
#include "toolkit/core/gdiplus_include.h"
#include "toolkit/core/qxui_export.h"

namespace QxUI {

// Process-wide toolkit state: the module whose instance registers window classes and holds
// the application's resources, the skin theme, the default text font, the selection colour,
// GDI+/COM/OLE start-up and a plain message loop. Used on the user-interface thread only.
class QXUI_API Manager {
public:
    static HINSTANCE m_hInstance;
    static ULONG_PTR m_gdiplusToken;
    static Gdiplus::GdiplusStartupInput m_gdiplusStartupInput;
    static CString m_fontname;
    static int m_fontwidth;
    static Gdiplus::Color m_select_color;
    static bool m_win10system;

    static void SetInstance(HINSTANCE instance) { m_hInstance = instance; }
    static HINSTANCE GetInstance() { return m_hInstance; }

    // GDI+ start-up, then CoInitialize and OleInitialize; UnInitGdiplus undoes all three.
    static void InitGdiplus();
    static void UnInitGdiplus();

    // GetMessageW until WM_QUIT; drops every message while Alt and F4 are both held down.
    static void MessageLoop();
    // TRUE (swallow the message) while Alt and F4 are both held down.
    static BOOL PreTranslateMessage(MSG* msg);

    static CString GetTheme() { return CString(L"theme1\\"); }
    static void SetFont(CString face, int size) { m_fontname = face; m_fontwidth = size; }
    static CString GetFontName() { return m_fontname; }
    static int GetFontWidth() { return m_fontwidth; }
    static Gdiplus::Color GetSelectColor() { return m_select_color; }

    // Directory of the running executable, with a trailing backslash.
    static CString GetProgramDirectory();
    // Program directory + "skins\" + GetTheme(): where skin images are looked up.
    static CString GetSkinDirectory();
    // The module QxUI itself was loaded from (its embedded images and font live there).
    static HINSTANCE GetToolkitModule();
};

}  // namespace QxUI
