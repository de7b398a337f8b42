// The commands that show and change what the keyboard holds.
#include <set>

#include "device/device_types.h"
#include "linux/command_support.h"
#include "linux/function_names.h"
#include "resources/ui_texts.h"
#include "sim/keyboard_models.h"
#include "storage/utf8_text.h"
#include "windows/key_menu_rules.h"

namespace qx::linux_cli {
namespace {

struct PresentKeyboard {
    int deviceType = 0;
    uint16_t vendorId = 0;
    uint16_t productId = 0;
    std::string node;
    std::wstring displayName;
};

// What the device manager would find: the table's keyboards whose vendor interface is listed.
std::vector<PresentKeyboard> PresentKeyboards(HidApi& api, bool hidraw) {
    std::vector<PresentKeyboard> present;
    if (api.Init() != 0) return present;
    const std::vector<HidInterfaceInfo> interfaces = api.EnumerateAll();
    api.Exit();
    for (const HidInterfaceInfo& info : interfaces) {
        for (const SupportedKeyboardRow& row : SupportedKeyboardTable()) {
            if (row.vendorId != info.vendorId || row.productId != info.productId) continue;
            if (InterfacePathToWide(info.path).find(row.interfacePattern) == std::wstring::npos) continue;
            present.push_back({row.deviceType, info.vendorId, info.productId, hidraw ? HidrawBackend::NodeOf(info.path) : info.path,
                               row.displayName});
        }
    }
    return present;
}

std::wstring EffectTitle(int deviceType, int effect, int language) {
    for (const EffectName& name : EffectNamesOf(deviceType)) {
        if (name.effect == effect) return GetUIText(name.textId, language);
    }
    return L"none";
}

// The first-level menu row's text of category, as the key menu shows it.
std::wstring CategoryTitle(int category, int language) {
    for (const KeyMenuItem& item : FirstLevelMenuItems()) {
        if (item.id == category) return GetUIText(item.textId, language);
    }
    return {};
}

std::wstring FunctionText(const KeyMacroRow& row, int language, const std::vector<MacroRow>& macros) {
    switch (row.macroType) {
        case kCategorySystem:
        case kCategoryMultimedia:
        case kCategoryMouse: {
            const std::wstring item = MenuItemText(row.macroType, row.macroValue, language);
            return CategoryTitle(row.macroType, language) + L": " + (item.empty() ? row.macroDesc : item);
        }
        case kCategoryMacro: {
            std::wstring name = row.macroDesc;
            for (const MacroRow& macro : macros) {
                if (macro.macroId == row.macroValue) name = macro.name;
            }
            return CategoryTitle(kCategoryMacro, language) + L": " + name;
        }
        case kCategoryKeyCombination: return CategoryTitle(kCategoryKeyCombination, language) + L": " + row.macroDesc;
        default: return row.macroDesc;
    }
}

}  // namespace

int ListKeyboards(const SessionOptions& options, Streams io) {
    std::unique_ptr<HidApi> api;
    sim::WireLog log;
    if (options.simulate) {
        std::wstring error;
        api = SimulateKeyboards(*options.simulate, log, error);
        if (!api) return Fail(io, error);
    } else {
        api = std::make_unique<HidrawBackend>();
    }
    const std::vector<PresentKeyboard> present = PresentKeyboards(*api, !options.simulate);
    if (present.empty()) return Fail(io, L"no supported keyboard found");
    for (const PresentKeyboard& keyboard : present) {
        char ids[16];
        std::snprintf(ids, sizeof ids, "%04x:%04x", keyboard.vendorId, keyboard.productId);
        io.out << "type " << keyboard.deviceType << "  " << Narrow(keyboard.displayName) << "  " << ids << "  " << keyboard.node;
        if (!options.simulate && ::access(keyboard.node.c_str(), R_OK | W_OK) != 0) io.out << "  (no access)";
        io.out << '\n';
    }
    return kExitOk;
}

int ShowProfile(Session& session, std::optional<int> profile, Streams io) {
    QxKBController& c = session.Controller();
    const int shown = profile.value_or(c.CurrentProfile());
    if (shown < 1 || shown > 5) return Fail(io, L"profiles are numbered 1 to 5");
    const int language = session.View().Language();
    ConfigDatabase& db = c.Database();
    const ConsoleKeyboardView& keys = session.View().Keyboard();

    io.out << "model " << Narrow(ModelNameOf(c.DeviceType())) << " (type " << c.DeviceType() << "), "
           << (c.IsConnected() ? "connected" : "not connected") << '\n';
    io.out << "profile " << shown << (shown == c.CurrentProfile() ? " (current)" : "") << '\n';
    std::wstring mode;
    db.GetConfigValue(shown, L"lightmode", mode);
    const int effect = DecimalTextToInt(mode);
    io.out << "effect " << effect << " " << Narrow(EffectTitle(c.DeviceType(), effect, language)) << '\n';

    std::vector<MacroRow> macros;
    db.GetMacros(macros);
    std::vector<KeyMacroRow> functions;
    db.GetKeyMacros(shown, functions);
    io.out << "key functions:" << (functions.empty() ? " none" : "") << '\n';
    for (const KeyMacroRow& row : functions) {
        io.out << "  " << Narrow(keys.NameOf(static_cast<uint32_t>(row.keyCode))) << "  "
               << Narrow(FunctionText(row, language, macros)) << '\n';
    }
    std::vector<KeyRgbRow> colours;
    db.GetKeyRgbs(shown, colours);
    io.out << "colours:" << (colours.empty() ? " none" : "") << '\n';
    for (const KeyRgbRow& row : colours) {
        io.out << "  " << Narrow(keys.NameOf(static_cast<uint32_t>(row.keyCode))) << "  "
               << Narrow(ColourText(static_cast<uint32_t>(row.keyRgb))) << '\n';
    }
    io.out << "macros:" << (macros.empty() ? " none" : "") << '\n';
    for (const MacroRow& macro : macros) {
        std::vector<MacroRecordRow> steps;
        db.GetMacroRecords(macro.macroId, steps);
        io.out << "  " << Narrow(macro.name) << "  " << steps.size() << " steps, repeat " << macro.playTimes << '\n';
    }
    return kExitOk;
}

int ListEffects(Session& session, Streams io) {
    const int type = session.Controller().DeviceType();
    for (const EffectName& name : EffectNamesOf(type)) {
        io.out << name.effect << "  " << Narrow(GetUIText(name.textId, session.View().Language())) << '\n';
    }
    return kExitOk;
}

int ChooseEffect(Session& session, const std::string& effect, Streams io) {
    QxKBController& c = session.Controller();
    const Parsed<int> mode = ParseEffect(c.DeviceType(), FromUtf8(effect));
    if (!mode.value) return Fail(io, mode.error);
    if (auto failed = RequireKeyboard(session, io)) return *failed;
    if (auto failed = RequireWritableDatabase(session, io)) return *failed;
    c.ChooseLightMode(*mode.value);
    io.out << "effect " << *mode.value << " " << Narrow(EffectTitle(c.DeviceType(), *mode.value, session.View().Language()))
           << '\n';
    return kExitOk;
}

int ColourKeys(Session& session, const std::string& colour, const std::vector<std::string>& keys, Streams io) {
    const Parsed<uint32_t> rgb = ParseColour(FromUtf8(colour));
    if (!rgb.value) return Fail(io, rgb.error);
    ConsoleKeyboardView& view = session.View().Keyboard();
    std::vector<uint32_t> codes;
    for (const std::string& key : keys) {
        const KeyLookup found = view.FindKey(FromUtf8(key));
        if (!found.key) return Fail(io, found.error);
        codes.push_back(found.key->code);
    }
    if (auto failed = RequireKeyboard(session, io)) return *failed;
    if (auto failed = RequireWritableDatabase(session, io)) return *failed;
    view.Select(codes);
    session.Controller().SetSelectedKeysColor(*rgb.value);
    return kExitOk;
}

int AssignFunction(Session& session, const std::string& key, const FunctionChoice& choice, Streams io) {
    QxKBController& c = session.Controller();
    const KeyLookup found = session.View().Keyboard().FindKey(FromUtf8(key));
    if (!found.key) return Fail(io, found.error);
    const int language = session.View().Language();
    Parsed<KeyMacroRow> row;
    if (choice.system) {
        row = ParseMenuFunction(kCategorySystem, FromUtf8(*choice.system), language);
    } else if (choice.multimedia) {
        row = ParseMenuFunction(kCategoryMultimedia, FromUtf8(*choice.multimedia), language);
    } else if (choice.mouse) {
        row = ParseMenuFunction(kCategoryMouse, FromUtf8(*choice.mouse), language);
    } else if (choice.combination) {
        row = ParseCombination(FromUtf8(*choice.combination), session.View().Keyboard());
    } else if (choice.macro) {
        if (auto failed = RequireWritableDatabase(session, io)) return *failed;
        const std::wstring name = FromUtf8(*choice.macro);
        const int id = FindMacroId(session, name);
        if (id == 0) return Fail(io, L"no macro named '" + name + L"' (qxkb macro list)");
        row = {MacroChoiceRecord(id, name), {}};
    } else {
        row = {DefaultKeyRecord(), {}};
    }
    if (!row.value) return Fail(io, row.error);
    if (auto failed = RequireKeyboard(session, io)) return *failed;
    if (auto failed = RequireWritableDatabase(session, io)) return *failed;
    c.SetSelectedKey(found.key->code);
    c.AssignKeyFunction(*row.value);
    return kExitOk;
}

int SelectProfile(Session& session, int profile, Streams io) {
    if (auto failed = RequireKeyboard(session, io)) return *failed;
    session.Controller().ChangeProfile(profile);
    io.out << "profile " << profile << '\n';
    return kExitOk;
}

int ResetKeyboard(Session& session, Streams io) {
    if (auto failed = RequireKeyboard(session, io)) return *failed;
    if (auto failed = RequireWritableDatabase(session, io)) return *failed;
    return session.Controller().ResetSettings() ? kExitOk : kExitFailure;
}

int ApplyStored(Session& session, Streams io) {
    if (auto failed = RequireKeyboard(session, io)) return *failed;
    session.Controller().RefreshCurrentModel();
    return kExitOk;
}

}  // namespace qx::linux_cli
