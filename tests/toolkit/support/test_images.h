#pragma once
#include <functional>

#include "toolkit/core/c_string.h"
#include "toolkit/core/windows_include.h"

namespace qxtest {

// Pixel colour (0xAARRGGBB, straight alpha) of an image at (x, y).
using PixelFunction = std::function<DWORD(int x, int y)>;

// Writes a PNG of width x height pixels into the test skin directory under `name`.
bool WriteSkinPng(const QxUI::CString& name, int width, int height, const PixelFunction& pixel);

// Reusable test images.
// A strip of `count` equally wide states, state i filled with colours[i].
bool WriteStateStrip(const QxUI::CString& name, int width, int height, int count, const DWORD* colours);
// A square frame image: `border` wide corners `corner`, edges `edge`, centre `centre`.
bool WriteFrameImage(const QxUI::CString& name, int size, int border, DWORD corner, DWORD edge, DWORD centre);

}  // namespace qxtest
