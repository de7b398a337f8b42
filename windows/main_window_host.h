#pragma once
// What the entry point needs of the main window, whichever window implements it.
#include <windows.h>

#include <memory>

#include "platform/app_registry.h"
#include "toolkit/core/image_preload.h"

namespace qx {
namespace sim { class SimulatedHid; }

class MainWindowHost {
public:
    virtual ~MainWindowHost() = default;
    virtual HWND Handle() const = 0;
};

// Hands the module instance to the window code (the toolkit keeps it for its resources).
void SetToolkitInstance(HINSTANCE instance);
// Starts decoding the first frame's images for the keyboard type last seen (the default type when
// none was) on a thread of their own. The result lives until GDI+ shuts down.
std::unique_ptr<QxUI::ImagePreload> PreloadFirstFrameImages(AppRegistry& registry);
// Creates the main window: title "QxKBMainDlg", popup style, 1060 x 720. simulator may be null.
std::unique_ptr<MainWindowHost> CreateMainWindow(AppRegistry& registry, sim::SimulatedHid* simulator);
// Centres the window on the screen, shows it and runs it modally until it is closed.
void RunMainWindowModal(MainWindowHost& window);

}  // namespace qx
