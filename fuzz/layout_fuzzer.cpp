// Feeds arbitrary layout files to the layout loader: the XML, the numbers and the rectangles on
// their way into the view and the lookup tables. The first byte chooses the device type and the
// current profile, the rest is the file. The database stays closed, so no file is written; the
// colour rows' path is covered by the layout tests. Any crash, hang, sanitizer report or broken
// invariant is a finding.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <set>
#include <string>
#include <string_view>

#include "resources/keyboard_layout.h"
#include "storage/config_database.h"

namespace {

void Check(bool condition)
{
    if (!condition) std::abort();
}

// Checks the order of the loader's calls as they come and keeps what it was given.
class CheckingView : public qx::KeyboardLayoutView {
public:
    void ClearItem() override
    {
        Check(clears == 0 && !rectSet && keys == 0);
        ++clears;
    }
    void SetRect(const qx::LayoutRect&) override
    {
        Check(clears == 1 && !rectSet);
        rectSet = true;
    }
    void SetKeyboardImage(const std::wstring& file) override
    {
        Check(rectSet && !imageSet);
        Check(std::wstring_view(file).substr(0, 9) == qx::kKeyboardImagePrefix);
        imageSet = true;
    }
    void SetKeyPosition(int, int) override
    {
        Check(imageSet && !positionSet);
        positionSet = true;
    }
    int AddKeyItem(const wchar_t* name, const wchar_t* desc, uint32_t keyValue, const qx::LayoutRect&) override
    {
        Check(positionSet && name != nullptr && desc != nullptr);
        codes.insert(keyValue);
        return keys++;
    }

    int clears = 0;
    bool rectSet = false;
    bool imageSet = false;
    bool positionSet = false;
    int keys = 0;
    std::set<uint32_t> codes;
};

constexpr int kDeviceTypes[] = {0, 1, 2, 3, 4, 5, 6};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    if (size == 0) return 0;
    const int deviceType = kDeviceTypes[data[0] % 7];
    const int profile = 1 + (data[0] >> 3) % 5;
    const std::string_view file(reinterpret_cast<const char*>(data + 1), size - 1);

    CheckingView view;
    qx::ConfigDatabase database;
    qx::KeyboardLayoutTables tables;
    tables.keyIndex[1] = 1;   // stale entries the load must drop
    const qx::KeyboardLayoutRequest request{L"", qx::LayoutSectionForDevice(deviceType, qx::kInitialLayoutSection),
                                            deviceType, profile};
    const qx::LayoutLoadResult result = qx::LoadKeyboardLayoutFromBytes(file, request, view, database, tables);

    Check(view.clears == 1);
    Check(view.rectSet == (result == qx::LayoutLoadResult::Loaded || result == qx::LayoutLoadResult::NoKeyItems));
    Check(view.positionSet == view.rectSet);
    if (result != qx::LayoutLoadResult::Loaded) Check(view.keys == 0);
    Check(tables.keyIndex.size() == tables.lightIndex.size());
    for (auto key = tables.keyIndex.begin(), light = tables.lightIndex.begin(); key != tables.keyIndex.end();
         ++key, ++light) {
        Check(key->first == light->first && key->second > 0 && light->second > 0);
        Check(view.codes.count(key->first) == 1);
    }
    Check(!database.HasConnection());
    return 0;
}
