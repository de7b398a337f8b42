#pragma once
// Loading one keyboard model's section of KeyboardLayout.xml: the view gets the picture and one
// item per key, the two lookup tables get each key's slots on the device, and on the first load
// of a model's database the rows for the keys' custom colours are created.
#include <cstdint>
#include <map>
#include <string>
#include <string_view>

#include "resources/keyboard_layout_view.h"

namespace qx {

class ConfigDatabase;

constexpr wchar_t kKeyboardLayoutFileName[] = L"KeyboardLayout.xml";
// The main window's layout name before any keyboard of a known type was connected.
constexpr wchar_t kInitialLayoutSection[] = L"LayoutQxKBRS40-24G";
// Put in front of the section's "image" value; the view resolves it in the skin directory.
constexpr wchar_t kKeyboardImagePrefix[] = L"keyboard\\";
constexpr int kLayoutProfileCount = 5;

// The layout's key slots, by key code (a HID keyboard usage). Only keys whose key_index and
// light_index are both above 0 are in them; a later key with the same code wins.
struct KeyboardLayoutTables {
    std::map<uint32_t, int> keyIndex;     // slot in the device's key-assignment table
    std::map<uint32_t, int> lightIndex;   // slot in the device's per-key colour report
};

// The section for deviceType: LayoutQxKB52 (1), LayoutQxKBRS40 (2, 3), LayoutQxKB74 (5, 6); any
// other type keeps current.
std::wstring LayoutSectionForDevice(int deviceType, const std::wstring& current);

// programDirectory joined with "KeyboardLayout.xml" (a separator is added when missing).
std::wstring KeyboardLayoutFilePath(const std::wstring& programDirectory);

// How far a load got; the program ignores it, tests and diagnostics read it.
enum class LayoutLoadResult {
    Loaded,
    FileFailed,       // unreadable or not well formed: the view stays empty
    NoRoot,           // no KeyboardLayout element: view empty
    NoSection,        // no element named section: view empty
    NoKeyItems,       // the section has no KeyItems: rectangle and picture set, no keys
};

struct KeyboardLayoutRequest {
    std::wstring filePath;
    std::wstring section;    // from LayoutSectionForDevice
    int deviceType = 0;      // chooses the profiles that get colour rows
    int currentProfile = 0;
};

// Empties view and tables, then fills them from the request's section. The colour rows (light
// 20, key_rgb 0, one per key and profile: the current profile for type 1, profiles 1-5 for types
// 2, 3, 5 and 6, none otherwise) are written only when database holds no colour row at all, all
// in one transaction; when that transaction cannot be had (no connection, a lock held by another
// program) none are written. Failures to write them are ignored.
LayoutLoadResult LoadKeyboardLayout(const KeyboardLayoutRequest& request, KeyboardLayoutView& view,
                                    ConfigDatabase& database, KeyboardLayoutTables& tables);
// The same over the bytes a layout file would hold; request.filePath is not used.
LayoutLoadResult LoadKeyboardLayoutFromBytes(std::string_view bytes, const KeyboardLayoutRequest& request,
                                             KeyboardLayoutView& view, ConfigDatabase& database,
                                             KeyboardLayoutTables& tables);

}  // namespace qx
