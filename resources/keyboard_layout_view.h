#pragma once
// The part of the keyboard view control the layout loader fills. The toolkit's QxKeyboardCtrl
// implements it in the program; tests record the calls.
#include <cstdint>
#include <string>

namespace qx {

// A rectangle as the toolkit's CRect holds it: right and bottom lie outside.
struct LayoutRect {
    int left = 0;
    int top = 0;
    int right = 0;
    int bottom = 0;
    friend bool operator==(const LayoutRect&, const LayoutRect&) = default;
};

class KeyboardLayoutView {
public:
    virtual ~KeyboardLayoutView() = default;
    // Destroys every key item.
    virtual void ClearItem() = 0;
    // Places the view in the main window's client area.
    virtual void SetRect(const LayoutRect& rect) = 0;
    // The keyboard picture, a name relative to the skin directory ("keyboard\..."); a picture
    // that does not load leaves the view without one.
    virtual void SetKeyboardImage(const std::wstring& file) = 0;
    // Offset added to the rectangles of the keys added afterwards.
    virtual void SetKeyPosition(int x, int y) = 0;
    // Appends a key; name and desc may be null (empty). Returns the new key's index.
    virtual int AddKeyItem(const wchar_t* name, const wchar_t* desc, uint32_t keyValue, const LayoutRect& rect) = 0;
};

}  // namespace qx
