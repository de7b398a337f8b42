#pragma once
// Helpers of the layout tests: a view that records what the loader does with it, and a scratch
// data directory with a layout file and a model database in it.
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

#include "resources/keyboard_layout_view.h"

namespace qx::test {

struct RecordedKey {
    std::wstring name;
    std::wstring desc;
    uint32_t keyValue = 0;
    LayoutRect rect;   // as the view stores it: the key offset added
};

class RecordingView : public KeyboardLayoutView {
public:
    void ClearItem() override
    {
        ++clears;
        keys.clear();
    }
    void SetRect(const LayoutRect& r) override
    {
        rect = r;
        rectSet = true;
    }
    void SetKeyboardImage(const std::wstring& file) override { images.push_back(file); }
    void SetKeyPosition(int x, int y) override
    {
        offsetX = x;
        offsetY = y;
        positionSet = true;
    }
    int AddKeyItem(const wchar_t* name, const wchar_t* desc, uint32_t keyValue, const LayoutRect& r) override
    {
        keys.push_back({name ? name : L"", desc ? desc : L"", keyValue,
                        {r.left + offsetX, r.top + offsetY, r.right + offsetX, r.bottom + offsetY}});
        return static_cast<int>(keys.size()) - 1;
    }

    int clears = 0;
    bool rectSet = false;
    bool positionSet = false;
    LayoutRect rect;
    std::vector<std::wstring> images;
    int offsetX = 50, offsetY = 40;   // the control's initial key offset
    std::vector<RecordedKey> keys;
};

// A fresh directory under the system's temporary folder with a "db" folder inside, as the
// program's data directory has; removed afterwards.
class ScratchDataDir {
public:
    ScratchDataDir();
    ~ScratchDataDir();
    ScratchDataDir(const ScratchDataDir&) = delete;
    ScratchDataDir& operator=(const ScratchDataDir&) = delete;

    std::wstring DataDir() const;   // ends in a separator
    // Writes name inside the directory and returns its full path.
    std::wstring WriteFile(const std::wstring& name, std::string_view bytes) const;

private:
    std::filesystem::path path_;
};

}  // namespace qx::test
