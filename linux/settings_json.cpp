#include "linux/settings_json.h"

#include <map>
#include <nlohmann/json.hpp>
#include <set>

#include "device/device_types.h"
#include "linux/command_support.h"
#include "resources/raw_input_event.h"
#include "storage/utf8_text.h"
#include "windows/key_menu_rules.h"
#include "windows/macro_recording.h"

namespace qx::linux_cli {
namespace {

using nlohmann::json;

constexpr int kFirstProfile = 1;
constexpr int kLastProfile = 5;
const wchar_t* const kConfigKeys[] = {L"lightmode", L"version"};

std::string KeyText(uint32_t code) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%02X", code);
    return text;
}

// Reading checks every type before it takes a value: nothing in a damaged file can throw.
class Reader {
public:
    Reader(int deviceType, const ConsoleKeyboardView& keys) : deviceType_(deviceType), keys_(keys) {}

    Parsed<ImportedSettings> Read(const std::string& text);

private:
    bool Fail(const std::string& where, const std::wstring& why) {
        if (error_.empty()) error_ = FromUtf8(where) + L": " + why;
        return false;
    }
    bool Integer(const json& object, const std::string& where, const char* field, long long low, long long high,
                 int& out);
    bool Text(const json& object, const std::string& where, const char* field, std::wstring& out);
    bool Key(const json& object, const std::string& where, int& code);
    bool Profile(const json& item, const std::string& where, ImportedProfile& out);
    bool Colour(const json& item, const std::string& where, KeyRgbRow& out);
    bool Function(const json& item, const std::string& where, KeyMacroRow& out);
    bool Macro(const json& item, const std::string& where, ImportedMacro& out);
    bool Step(const json& item, const std::string& where, MacroRecordRow& out);

    int deviceType_;
    const ConsoleKeyboardView& keys_;
    std::wstring error_;
};

bool Reader::Integer(const json& object, const std::string& where, const char* field, long long low, long long high,
                     int& out) {
    const auto found = object.find(field);
    if (found == object.end()) return Fail(where, L"missing \"" + FromUtf8(field) + L"\"");
    if (!found->is_number_integer()) return Fail(where + "." + field, L"not a whole number");
    const long long value = found->is_number_unsigned() ? static_cast<long long>(std::min<uint64_t>(found->get<uint64_t>(), INT64_MAX))
                                                        : found->get<long long>();
    if (value < low || value > high) {
        return Fail(where + "." + field, std::to_wstring(value) + L" is out of range " + std::to_wstring(low) + L"-" +
                                             std::to_wstring(high));
    }
    out = static_cast<int>(value);
    return true;
}

bool Reader::Text(const json& object, const std::string& where, const char* field, std::wstring& out) {
    const auto found = object.find(field);
    if (found == object.end()) return Fail(where, L"missing \"" + FromUtf8(field) + L"\"");
    if (!found->is_string()) return Fail(where + "." + field, L"not a text");
    out = FromUtf8(found->get_ref<const std::string&>());
    return true;
}

bool Reader::Key(const json& object, const std::string& where, int& code) {
    std::wstring text;
    if (!Text(object, where, "key", text)) return false;
    const KeyLookup key = keys_.FindKey(text);
    if (!key.key) return Fail(where + ".key", key.error);
    code = static_cast<int>(key.key->code);
    return true;
}

bool Reader::Colour(const json& item, const std::string& where, KeyRgbRow& out) {
    if (!item.is_object()) return Fail(where, L"not an object");
    if (!Key(item, where, out.keyCode)) return false;
    const auto rgb = item.find("rgb");
    if (rgb == item.end() || !rgb->is_array() || rgb->size() != 3) return Fail(where + ".rgb", L"needs [red, green, blue]");
    int parts[3] = {};
    for (std::size_t i = 0; i < 3; ++i) {
        const json& part = (*rgb)[i];
        if (!part.is_number_integer()) return Fail(where + ".rgb", L"colour parts are whole numbers");
        const long long value = part.is_number_unsigned() ? static_cast<long long>(std::min<uint64_t>(part.get<uint64_t>(), 256))
                                                          : part.get<long long>();
        if (value < 0 || value > 255) return Fail(where + ".rgb", L"colour part " + std::to_wstring(value) + L" is out of range 0-255");
        parts[i] = static_cast<int>(value);
    }
    out.light = kKeyRgbLight;
    out.keyRgb = parts[0] | (parts[1] << 8) | (parts[2] << 16);
    return true;
}

bool Reader::Function(const json& item, const std::string& where, KeyMacroRow& out) {
    if (!item.is_object()) return Fail(where, L"not an object");
    if (!Key(item, where, out.keyCode)) return false;
    if (!Integer(item, where, "type", kCategorySystem, kCategoryKeyCombination, out.macroType)) return false;
    if (!Integer(item, where, "value", 0, INT32_MAX, out.macroValue)) return false;
    if (!Integer(item, where, "value2", 0, 255, out.macroValue2)) return false;
    if (!Integer(item, where, "value3", 0, INT32_MAX, out.macroValue3)) return false;
    if (!Text(item, where, "desc", out.macroDesc)) return false;
    switch (out.macroType) {
        case kCategorySystem:
        case kCategoryMultimedia:
        case kCategoryMouse:
            if (CategoryOfSubmenuItem(out.macroValue) != out.macroType) {
                return Fail(where + ".value", L"no item " + std::to_wstring(out.macroValue) + L" in function type " +
                                                  std::to_wstring(out.macroType));
            }
            return true;
        case kCategoryKeyCombination:
            if (out.macroValue > 255 || (out.macroValue == 0 && out.macroValue2 == 0)) {
                return Fail(where + ".value", L"a key combination needs a key usage 1-255");
            }
            return true;
        default: return true;   // macros are checked once all of them are read
    }
}

bool Reader::Step(const json& item, const std::string& where, MacroRecordRow& out) {
    if (!item.is_object()) return Fail(where, L"not an object");
    if (!Integer(item, where, "type", kMacroStepDelay, kMacroStepMouseUp, out.type)) return false;
    if (!Text(item, where, "desc", out.desc)) return false;
    switch (out.type) {
        case kMacroStepDelay: return Integer(item, where, "value", 0, kMaxRecordedDelayMs, out.value);
        case kMacroStepKeyDown:
        case kMacroStepKeyUp: return Integer(item, where, "value", 1, 255, out.value);
        default:
            if (!Integer(item, where, "value", kMouseCodeLeft, kMouseCodeExtraReleased, out.value)) return false;
            if (out.value > kMouseCodeRight && out.value < kMouseCodeExtraPressed) {
                return Fail(where + ".value", L"no mouse button " + std::to_wstring(out.value));
            }
            return true;
    }
}

bool Reader::Macro(const json& item, const std::string& where, ImportedMacro& out) {
    if (!item.is_object()) return Fail(where, L"not an object");
    MacroRow& macro = out.macro;
    if (!Integer(item, where, "id", 1, INT32_MAX, macro.macroId) || !Text(item, where, "name", macro.name) ||
        !Integer(item, where, "play_times", kMinPlayTimes, kMaxPlayTimes, macro.playTimes) ||
        !Integer(item, where, "delay_type", 0, INT32_MAX, macro.delayType) ||
        !Integer(item, where, "delay_time", 0, INT32_MAX, macro.delayTime)) {
        return false;
    }
    if (macro.name.empty()) return Fail(where + ".name", L"a macro needs a name");
    const auto steps = item.find("steps");
    if (steps == item.end() || !steps->is_array()) return Fail(where + ".steps", L"needs a list of steps");
    for (std::size_t i = 0; i < steps->size(); ++i) {
        MacroRecordRow step;
        if (!Step((*steps)[i], where + ".steps[" + std::to_string(i) + "]", step)) return false;
        step.recordIndex = static_cast<int>(i);
        out.steps.push_back(step);
    }
    return true;
}

bool Reader::Profile(const json& item, const std::string& where, ImportedProfile& out) {
    if (!item.is_object()) return Fail(where, L"not an object");
    if (!Integer(item, where, "profile", kFirstProfile, kLastProfile, out.profile)) return false;
    const auto config = item.find("config");
    if (config != item.end()) {
        if (!config->is_object()) return Fail(where + ".config", L"not an object");
        for (const auto& [name, value] : config->items()) {
            const std::wstring key = FromUtf8(name);
            if (key != kConfigKeys[0] && key != kConfigKeys[1]) return Fail(where + ".config", L"unknown value \"" + key + L"\"");
            if (!value.is_string()) return Fail(where + ".config." + name, L"not a text");
            out.config.emplace_back(key, FromUtf8(value.get_ref<const std::string&>()));
        }
    }
    std::set<int> seen;
    for (const char* list : {"colours", "functions"}) {
        const auto entries = item.find(list);
        if (entries == item.end()) continue;
        if (!entries->is_array()) return Fail(where + "." + list, L"not a list");
        seen.clear();
        for (std::size_t i = 0; i < entries->size(); ++i) {
            const std::string at = where + "." + list + "[" + std::to_string(i) + "]";
            if (std::string(list) == "colours") {
                KeyRgbRow row;
                if (!Colour((*entries)[i], at, row)) return false;
                row.profile = out.profile;
                if (!seen.insert(row.keyCode).second) return Fail(at, L"the key is listed twice");
                out.colours.push_back(row);
            } else {
                KeyMacroRow row;
                if (!Function((*entries)[i], at, row)) return false;
                row.profile = out.profile;
                if (!seen.insert(row.keyCode).second) return Fail(at, L"the key is listed twice");
                out.functions.push_back(row);
            }
        }
    }
    return true;
}

Parsed<ImportedSettings> Reader::Read(const std::string& text) {
    const json root = json::parse(text, nullptr, false);
    if (root.is_discarded()) return Parsed<ImportedSettings>::Fail(L"not a JSON file (damaged or cut short)");
    ImportedSettings settings;
    const auto done = [&]() -> Parsed<ImportedSettings> {
        if (!error_.empty()) return Parsed<ImportedSettings>::Fail(error_);
        return {std::move(settings), {}};
    };
    if (!root.is_object()) {
        Fail("file", L"not a settings object");
        return done();
    }
    std::wstring format;
    int version = 0;
    if (!Text(root, "file", "format", format)) return done();
    if (format != FromUtf8(kSettingsFormatName)) {
        Fail("format", L"not a qxkb settings file");
        return done();
    }
    if (!Integer(root, "file", "version", INT32_MIN, INT32_MAX, version)) return done();
    if (version != kSettingsFormatVersion) {
        Fail("version", L"version " + std::to_wstring(version) + L" is not supported; this qxkb reads version " +
                            std::to_wstring(kSettingsFormatVersion));
        return done();
    }
    std::wstring model;
    if (!Text(root, "file", "model", model)) return done();
    if (model != ModelNameOf(deviceType_)) {
        Fail("model", L"the file is for " + model + L", the keyboard is " + ModelNameOf(deviceType_));
        return done();
    }
    const auto profiles = root.find("profiles");
    if (profiles == root.end() || !profiles->is_array()) {
        Fail("profiles", L"needs a list of profiles");
        return done();
    }
    std::set<int> seenProfiles;
    for (std::size_t i = 0; i < profiles->size(); ++i) {
        const std::string at = "profiles[" + std::to_string(i) + "]";
        ImportedProfile profile;
        if (!Profile((*profiles)[i], at, profile)) return done();
        if (!seenProfiles.insert(profile.profile).second) {
            Fail(at, L"profile " + std::to_wstring(profile.profile) + L" is listed twice");
            return done();
        }
        settings.profiles.push_back(std::move(profile));
    }
    const auto macros = root.find("macros");
    if (macros == root.end() || !macros->is_array()) {
        Fail("macros", L"needs a list of macros");
        return done();
    }
    std::set<int> macroIds;
    for (std::size_t i = 0; i < macros->size(); ++i) {
        const std::string at = "macros[" + std::to_string(i) + "]";
        ImportedMacro macro;
        if (!Macro((*macros)[i], at, macro)) return done();
        if (!macroIds.insert(macro.macro.macroId).second) {
            Fail(at + ".id", L"macro id " + std::to_wstring(macro.macro.macroId) + L" is used twice");
            return done();
        }
        settings.macros.push_back(std::move(macro));
    }
    for (std::size_t p = 0; p < settings.profiles.size(); ++p) {
        const ImportedProfile& profile = settings.profiles[p];
        for (std::size_t f = 0; f < profile.functions.size(); ++f) {
            const KeyMacroRow& row = profile.functions[f];
            if (row.macroType == kCategoryMacro && !macroIds.count(row.macroValue)) {
                Fail("profiles[" + std::to_string(p) + "].functions[" + std::to_string(f) + "].value",
                     L"no macro with id " + std::to_wstring(row.macroValue) + L" in the file");
                return done();
            }
        }
    }
    return done();
}

}  // namespace

std::string ExportSettings(ConfigDatabase& database, int deviceType, const ConsoleKeyboardView& keys) {
    json root = json::object();
    root["format"] = kSettingsFormatName;
    root["version"] = kSettingsFormatVersion;
    root["model"] = ToUtf8(ModelNameOf(deviceType));
    json profiles = json::array();
    for (int profile = kFirstProfile; profile <= kLastProfile; ++profile) {
        json entry = json::object();
        entry["profile"] = profile;
        json config = json::object();
        for (const wchar_t* key : kConfigKeys) {
            std::wstring value;
            if (database.GetConfigValue(profile, key, value)) config[ToUtf8(key)] = ToUtf8(value);
        }
        entry["config"] = config;
        std::vector<KeyRgbRow> colours;
        database.GetKeyRgbs(profile, colours);
        json colourList = json::array();
        for (const KeyRgbRow& row : colours) {
            const uint32_t rgb = static_cast<uint32_t>(row.keyRgb);
            colourList.push_back({{"key", KeyText(static_cast<uint32_t>(row.keyCode))},
                                  {"name", ToUtf8(keys.NameOf(static_cast<uint32_t>(row.keyCode)))},
                                  {"rgb", {rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF}}});
        }
        entry["colours"] = colourList;
        std::vector<KeyMacroRow> functions;
        database.GetKeyMacros(profile, functions);
        json functionList = json::array();
        for (const KeyMacroRow& row : functions) {
            functionList.push_back({{"key", KeyText(static_cast<uint32_t>(row.keyCode))},
                                    {"name", ToUtf8(keys.NameOf(static_cast<uint32_t>(row.keyCode)))},
                                    {"type", row.macroType},
                                    {"value", row.macroValue},
                                    {"value2", row.macroValue2},
                                    {"value3", row.macroValue3},
                                    {"desc", ToUtf8(row.macroDesc)}});
        }
        entry["functions"] = functionList;
        profiles.push_back(entry);
    }
    root["profiles"] = profiles;
    std::vector<MacroRow> macros;
    database.GetMacros(macros);
    json macroList = json::array();
    for (const MacroRow& macro : macros) {
        std::vector<MacroRecordRow> steps;
        database.GetMacroRecords(macro.macroId, steps);
        json stepList = json::array();
        for (const MacroRecordRow& step : steps) {
            stepList.push_back({{"type", step.type}, {"value", step.value}, {"desc", ToUtf8(step.desc)}});
        }
        macroList.push_back({{"id", macro.macroId},
                             {"name", ToUtf8(macro.name)},
                             {"play_times", macro.playTimes},
                             {"delay_type", macro.delayType},
                             {"delay_time", macro.delayTime},
                             {"steps", stepList}});
    }
    root["macros"] = macroList;
    // Names may hold any character; a text the database holds that is not UTF-8 becomes U+FFFD
    // instead of making the dump throw.
    return root.dump(2, ' ', false, json::error_handler_t::replace) + "\n";
}

Parsed<ImportedSettings> ReadSettings(const std::string& text, int deviceType, const ConsoleKeyboardView& keys) {
    Reader reader(deviceType, keys);
    return reader.Read(text);
}

bool WriteSettings(ConfigDatabase& database, const ImportedSettings& settings, std::wstring& error) {
    ConfigDatabase::Batch batch(database);
    if (!batch.IsActive()) {
        error = LockedDatabaseMessage(database, L" (or cannot be written)");
        return false;
    }
    const auto fail = [&](const std::wstring& what) {
        batch.Abandon();
        error = L"writing the settings failed (" + what + L"); nothing was changed";
        return false;
    };
    // Everything goes first: the key functions and colours of every profile, then the macro
    // library and its numbering, so the file's macros get the first ids again.
    database.ResetAllKeyData();
    database.ResetProfileData(kFirstProfile);
    std::map<int, int> newIds;
    for (const ImportedMacro& imported : settings.macros) {
        MacroRow row = imported.macro;
        const int id = database.InsertMacro(row);
        if (id < 1) return fail(L"macro " + row.name);
        newIds[imported.macro.macroId] = id;
        for (MacroRecordRow step : imported.steps) {
            step.macroId = id;
            if (database.InsertMacroRecord(step) < 1) return fail(L"a step of macro " + row.name);
        }
    }
    for (const ImportedProfile& profile : settings.profiles) {
        for (const auto& [key, value] : profile.config) {
            if (!database.SetConfigValue(profile.profile, key, value)) return fail(key);
        }
        for (const KeyRgbRow& colour : profile.colours) {
            if (!database.UpdateKeyRgb(colour)) return fail(L"a key colour");
        }
        for (KeyMacroRow function : profile.functions) {
            if (function.macroType == kCategoryMacro) function.macroValue = newIds.at(function.macroValue);
            if (database.SetKeyMacro(function) < 1) return fail(L"a key function");
        }
    }
    return true;
}

}  // namespace qx::linux_cli
