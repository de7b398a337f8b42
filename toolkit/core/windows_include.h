#pragma once
// The Windows headers every toolkit file needs. WIN32_LEAN_AND_MEAN (set by the build) leaves
// out the COM headers GDI+ depends on, so they are named here once.
#include <windows.h>
#include <objidl.h>
#include <ole2.h>
