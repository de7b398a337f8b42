#pragma once
// QXUI_API marks what QxUI.dll exports. The library itself is built with QXUI_BUILD_DLL
// (set by toolkit/CMakeLists.txt); everything linking it sees dllimport.
#if defined(QXUI_BUILD_DLL)
#define QXUI_API __declspec(dllexport)
#else
#define QXUI_API __declspec(dllimport)
#endif
