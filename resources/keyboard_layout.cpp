#include "resources/keyboard_layout.h"

#include <climits>
#include <optional>

#include "resources/layout_numbers.h"
#include "resources/xml_document.h"
#include "storage/config_database.h"

namespace qx {
namespace {

// left + extent without overflowing, for rectangles read from an untrusted file.
int Extend(int origin, int extent)
{
    const long long sum = static_cast<long long>(origin) + extent;
    if (sum > INT_MAX) return INT_MAX;
    if (sum < INT_MIN) return INT_MIN;
    return static_cast<int>(sum);
}

int Decimal(const XmlDocument& doc, const wchar_t* name)
{
    return ParseLayoutDecimal(doc.GetAttribute(name));
}

void InsertColourRows(ConfigDatabase& database, int deviceType, int currentProfile, uint32_t code)
{
    KeyRgbRow row;
    row.light = kKeyRgbLight;
    row.keyCode = static_cast<int>(code);
    row.keyRgb = 0;
    if (deviceType == 1) {
        row.profile = currentProfile;
        database.InsertKeyRgb(row);
    } else if (deviceType == 2 || deviceType == 3 || deviceType == 5 || deviceType == 6) {
        for (int profile = 1; profile <= kLayoutProfileCount; ++profile) {
            row.profile = profile;
            database.InsertKeyRgb(row);
        }
    }
}

}  // namespace

std::wstring LayoutSectionForDevice(int deviceType, const std::wstring& current)
{
    switch (deviceType) {
    case 1: return L"LayoutQxKB52";
    case 2:
    case 3: return L"LayoutQxKBRS40";
    case 5:
    case 6: return L"LayoutQxKB74";
    default: return current;
    }
}

std::wstring KeyboardLayoutFilePath(const std::wstring& programDirectory)
{
#ifdef _WIN32
    constexpr wchar_t kSeparator = L'\\';
#else
    constexpr wchar_t kSeparator = L'/';
#endif
    std::wstring path = programDirectory;
    if (!path.empty() && path.back() != L'\\' && path.back() != L'/') path.push_back(kSeparator);
    return path + kKeyboardLayoutFileName;
}

namespace {

// Everything after reading the file: view and tables are already empty.
LayoutLoadResult LoadFromDocument(XmlDocument& doc, const KeyboardLayoutRequest& request, KeyboardLayoutView& view,
                                  ConfigDatabase& database, KeyboardLayoutTables& tables)
{
    if (!doc.FindElement(L"KeyboardLayout")) return LayoutLoadResult::NoRoot;
    doc.EnterElement();
    if (!doc.FindElement(request.section)) return LayoutLoadResult::NoSection;

    const int left = Decimal(doc, L"left");
    const int top = Decimal(doc, L"top");
    const int width = Decimal(doc, L"width");
    const int height = Decimal(doc, L"height");
    (void)Decimal(doc, L"type");   // carried by the file, used by nobody
    view.SetRect({left, top, Extend(left, width), Extend(top, height)});
    view.SetKeyboardImage(kKeyboardImagePrefix + doc.GetAttribute(L"image"));
    view.SetKeyPosition(Decimal(doc, L"key_xpos"), Decimal(doc, L"key_ypos"));

    // Colour rows are made only for a model whose table is still completely empty, that is on
    // the first load after its database file was created. They are written in one transaction or
    // not at all, so a file locked by another program leaves no partial set behind, and the next
    // load tries again. A count that failed on a lock also reads as 0: only the count taken
    // inside the transaction can tell that the table really is empty.
    std::optional<ConfigDatabase::Batch> batch;
    if (database.CountKeyRgbs() < 1) batch.emplace(database);
    const bool createColourRows = batch && batch->IsActive() && database.CountKeyRgbs() < 1;

    doc.EnterElement();
    if (!doc.FindElement(L"KeyItems")) return LayoutLoadResult::NoKeyItems;
    doc.EnterElement();
    while (doc.FindElement(L"key")) {
        const uint32_t code = ParseLayoutHex(doc.GetAttribute(L"code"));
        const int keyIndex = Decimal(doc, L"key_index");
        const int lightIndex = Decimal(doc, L"light_index");
        if (keyIndex > 0 && lightIndex > 0) {
            tables.keyIndex[code] = keyIndex;
            tables.lightIndex[code] = lightIndex;
        }
        if (createColourRows) InsertColourRows(database, request.deviceType, request.currentProfile, code);

        const std::wstring name = doc.GetAttribute(L"name");
        const std::wstring desc = doc.GetAttribute(L"desc");
        const int keyLeft = Decimal(doc, L"rect_left");
        const int keyTop = Decimal(doc, L"rect_top");
        const LayoutRect rect{keyLeft, keyTop, Extend(keyLeft, Decimal(doc, L"rect_width")),
                              Extend(keyTop, Decimal(doc, L"rect_height"))};
        view.AddKeyItem(name.c_str(), desc.c_str(), code, rect);
    }
    return LayoutLoadResult::Loaded;
}

template <typename Read>
LayoutLoadResult Load(Read read, const KeyboardLayoutRequest& request, KeyboardLayoutView& view,
                      ConfigDatabase& database, KeyboardLayoutTables& tables)
{
    view.ClearItem();
    tables.keyIndex.clear();
    tables.lightIndex.clear();
    XmlDocument doc;
    if (!read(doc)) return LayoutLoadResult::FileFailed;
    return LoadFromDocument(doc, request, view, database, tables);
}

}  // namespace

LayoutLoadResult LoadKeyboardLayout(const KeyboardLayoutRequest& request, KeyboardLayoutView& view,
                                    ConfigDatabase& database, KeyboardLayoutTables& tables)
{
    return Load([&](XmlDocument& doc) { return doc.LoadFile(request.filePath); }, request, view, database, tables);
}

LayoutLoadResult LoadKeyboardLayoutFromBytes(std::string_view bytes, const KeyboardLayoutRequest& request,
                                             KeyboardLayoutView& view, ConfigDatabase& database,
                                             KeyboardLayoutTables& tables)
{
    return Load([&](XmlDocument& doc) { return doc.LoadFromBytes(bytes); }, request, view, database, tables);
}

}  // namespace qx
