#pragma once
#include "toolkit/core/c_string.h"
#include "toolkit/core/off_screen_surface.h"

namespace QxUI {
class PaintManager;
}

namespace qxtest {

// Writes the surface as a PNG (GDI+ encoder). `layered`: the pixels are premultiplied ARGB
// and their alpha is kept, as a layered window shows them; otherwise the colours are written
// opaque, as an ordinary window shows them. FALSE if the encoder or the file fails.
bool SaveSurfacePng(const QxUI::OffScreenSurface& surface, const QxUI::CString& path, bool layered);
// Composes the whole client area of the manager's window exactly as a paint would, and
// writes it as a PNG (layered or opaque as the window is).
bool SaveWindowPng(QxUI::PaintManager& manager, const QxUI::CString& path);

}  // namespace qxtest
