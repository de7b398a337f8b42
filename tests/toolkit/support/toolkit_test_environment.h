#pragma once
#include <string>

#include "toolkit/core/c_string.h"

namespace qxtest {

// GDI+, COM and OLE for the whole test program, and the executable as the application module.
// Registered once from main (see toolkit_test_main.cpp).
void InitToolkitForTests();
void ShutdownToolkitForTests();

// Processes every message waiting in this thread's queue.
void PumpMessages();
// Pumps messages until `done` returns true or about `maxMs` milliseconds passed; returns done().
template <typename F>
bool PumpUntil(F done, int maxMs = 3000);

// The skin directory of the test program (program directory + "skins\theme1\"), created.
QxUI::CString TestSkinDirectory();
// The test font (WenQuanYi Micro Hei split out of Debian's collection) beside the program.
QxUI::CString TestFontPath();
// A file name under the build tree's screenshot folder (program directory + "screenshots\").
QxUI::CString ScreenshotPath(const wchar_t* name);

}  // namespace qxtest

#include "tests/toolkit/support/toolkit_test_environment_impl.h"
