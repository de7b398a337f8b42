#include "linux/cli.h"

#include <CLI/CLI.hpp>
#include <cstdlib>
#include <functional>
#include <iostream>
#include <string>

#include "app/language.h"
#include "linux/commands.h"
#include "linux/xdg_paths.h"

namespace qx::linux_cli {
namespace {

// Chinese output for a Chinese locale, English for every other; names are read in both anyway.
int LanguageFromLocale() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (!value || !*value) continue;
        return std::string(value).rfind("zh", 0) == 0 ? kLangChinese : kLangEnglish;
    }
    return kLangEnglish;
}

struct GlobalOptions {
    std::optional<std::string> simulate;
    std::string wireLog;
    int deviceType = 0;
};

}  // namespace

int RunQxkb(int argc, const char* const* argv) {
    Streams io{std::cout, std::cerr};
    CLI::App app{"qxkb: lighting, key functions and macros of QxKB RGB keyboards"};
    app.name("qxkb");
    app.require_subcommand(1);
    GlobalOptions global;
    app.add_option("--simulate", global.simulate,
                   "Work on simulated keyboards of these device types (\"5\", \"3,6\", \"none\") instead of hidraw");
    app.add_option("--wire-log", global.wireLog, "With --simulate: write every report, answer and pause to FILE")
        ->needs("--simulate");
    app.add_option("-t,--type", global.deviceType, "Work on this model's settings when no keyboard is connected (1, 2, 3, 5, 6)")
        ->check(CLI::IsMember({1, 2, 3, 5, 6}));

    // Each subcommand sets the function that runs it once parsing succeeded.
    std::function<int(Session&)> run;
    bool watching = false;
    bool listing = false;

    app.add_subcommand("list", "List the supported keyboards that are present")->callback([&] {
        listing = true;
    });

    auto* show = app.add_subcommand("show", "Show a profile's stored effect, key functions, colours and macros");
    std::optional<int> showProfile;
    show->add_option("-p,--profile", showProfile, "Profile 1-5 (default: the current one)")->check(CLI::Range(1, 5));
    show->callback([&] { run = [&](Session& s) { return ShowProfile(s, showProfile, io); }; });

    auto* effect = app.add_subcommand("effect", "Choose the light effect by number or by name");
    std::string effectValue;
    bool effectList = false;
    effect->add_option("effect", effectValue, "Effect number (from 1) or name, English or Chinese");
    effect->add_flag("-l,--list", effectList, "List the effects of the keyboard");
    effect->callback([&] {
        run = [&](Session& s) {
            if (effectList) return ListEffects(s, io);
            if (effectValue.empty()) return Fail(io, L"name an effect, or --list");
            return ChooseEffect(s, effectValue, io);
        };
    });

    auto* colour = app.add_subcommand("colour", "Colour keys, named as the layout names them, with RRGGBB");
    colour->alias("color");
    std::string colourValue;
    std::vector<std::string> colourKeys;
    colour->add_option("colour", colourValue, "Colour as hexadecimal RRGGBB (\"#ff8000\", \"ff8000\")")->required();
    colour->add_option("keys", colourKeys, "Keys: labels (\"Esc\", \"F1\"), descriptions (\"Left Shift\") or codes (\"0x29\")")
        ->required();
    colour->callback([&] { run = [&](Session& s) { return ColourKeys(s, colourValue, colourKeys, io); }; });

    auto* assign = app.add_subcommand("assign", "Give a key a function, or its default back");
    std::string assignKey;
    FunctionChoice choice;
    assign->add_option("key", assignKey, "The key, as the layout names it")->required();
    auto* functions = assign->add_option_group("function", "The function to assign");
    functions->add_option("--system", choice.system, "System command (\"Lock PC\", \"Show Desktop\", ...)");
    functions->add_option("--multimedia", choice.multimedia, "Multimedia (\"Play/Pause\", \"Mute\", ...)");
    functions->add_option("--mouse", choice.mouse, "Mouse button (\"Left Button\", \"Forward\", ...)");
    functions->add_option("--combo", choice.combination, "Key combination (\"Ctrl+A\", \"Right Alt+F4\", \"Esc\")");
    functions->add_option("--macro", choice.macro, "A stored macro by name");
    functions->add_flag("--default", choice.toDefault, "The key's own function");
    functions->require_option(1);
    assign->callback([&] { run = [&](Session& s) { return AssignFunction(s, assignKey, choice, io); }; });

    auto* macro = app.add_subcommand("macro", "Create, list, show, rename and delete macros");
    macro->require_subcommand(1);
    auto* create = macro->add_subcommand("create", "Store a macro with steps from a file");
    std::string macroName, macroNewName;
    MacroOptions macroOptions;
    create->add_option("name", macroName, "Name of the new macro")->required();
    create->add_option("-s,--steps", macroOptions.stepsFile,
                       "File of steps, one a line: down KEY, up KEY, delay MS, mouse-down BUTTON, mouse-up BUTTON")
        ->required();
    create->add_option("-r,--repeat", macroOptions.repeat, "Times the macro plays (1-255)")->check(CLI::Range(1, 255));
    create->add_option("-d,--repeat-delay", macroOptions.repeatDelay, "Delay between repeats in milliseconds")
        ->check(CLI::Range(0, 65535));
    create->callback([&] { run = [&](Session& s) { return CreateMacro(s, macroName, macroOptions, io); }; });
    macro->add_subcommand("list", "List the stored macros")->callback([&] {
        run = [&](Session& s) { return ListMacros(s, io); };
    });
    auto* showMacro = macro->add_subcommand("show", "Print a macro's steps in the steps file's form");
    showMacro->add_option("name", macroName, "Macro name")->required();
    showMacro->callback([&] { run = [&](Session& s) { return ShowMacro(s, macroName, io); }; });
    auto* rename = macro->add_subcommand("rename", "Rename a macro");
    rename->add_option("name", macroName, "Macro name")->required();
    rename->add_option("new-name", macroNewName, "New name")->required();
    rename->callback([&] { run = [&](Session& s) { return RenameMacro(s, macroName, macroNewName, io); }; });
    auto* remove = macro->add_subcommand("delete", "Delete a macro");
    remove->add_option("name", macroName, "Macro name")->required();
    remove->callback([&] { run = [&](Session& s) { return DeleteMacro(s, macroName, io); }; });

    auto* profile = app.add_subcommand("profile", "Make a profile the current one and send it");
    int profileNumber = 1;
    profile->add_option("profile", profileNumber, "Profile 1-5")->required()->check(CLI::Range(1, 5));
    profile->callback([&] { run = [&](Session& s) { return SelectProfile(s, profileNumber, io); }; });

    app.add_subcommand("reset", "Reset the keyboard and the stored settings to their defaults")->callback([&] {
        run = [&](Session& s) { return ResetKeyboard(s, io); };
    });
    app.add_subcommand("apply", "Send everything stored for the current profile again")->callback([&] {
        run = [&](Session& s) { return ApplyStored(s, io); };
    });

    auto* exportCommand = app.add_subcommand("export", "Write all settings of the model to a JSON file");
    std::string exportFile;
    exportCommand->add_option("file", exportFile, "The file, or - for the output")->required();
    exportCommand->callback([&] { run = [&](Session& s) { return ExportTo(s, exportFile, io); }; });
    auto* importCommand = app.add_subcommand("import", "Replace all settings of the model with a JSON file's");
    std::string importFile;
    importCommand->add_option("file", importFile, "A file written by qxkb export")->required();
    importCommand->callback([&] { run = [&](Session& s) { return ImportFrom(s, importFile, io); }; });

    auto* watch = app.add_subcommand("watch", "Send the stored settings to every supported keyboard that arrives");
    std::string arrivals;
    watch->add_option("--arrivals", arrivals, "With --simulate: a pipe of \"add TYPE\" / \"remove TYPE\" lines")
        ->group("");
    watch->callback([&] {
        watching = true;
        run = [&](Session& s) { return Watch(s, arrivals, io); };
    });

    try {
        app.parse(argc, argv);
    } catch (const CLI::Error& e) {
        return app.exit(e, io.out, io.err);
    }

    SessionOptions options;
    options.simulate = global.simulate;
    options.wireLog = global.wireLog;
    options.deviceType = global.deviceType;
    options.language = LanguageFromLocale();
    options.openDatabaseWithoutKeyboard = !watching;
    if (listing) return ListKeyboards(options, io);

    const auto dataRoot = DataRoot();
    const auto configDirectory = ConfigDirectory();
    if (!dataRoot || !configDirectory) return Fail(io, L"neither XDG_DATA_HOME/XDG_CONFIG_HOME nor HOME is set");
    const auto layout = LayoutDirectory();
    if (!layout) return Fail(io, L"KeyboardLayout.xml is not installed beside qxkb or in ../share/qxkb");
    options.dataRoot = *dataRoot;
    options.settingsFile = *configDirectory / "settings";
    options.layoutDirectory = *layout;

    Session session(options, io.out);
    if (const auto error = session.Start()) return Fail(io, *error);
    return run(session);
}

}  // namespace qx::linux_cli
