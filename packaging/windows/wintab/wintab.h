// The tablet interface that Qt's Windows platform plugin is built against. Debian's Qt source
// leaves its headers out; Wine's own (LGPL), which scripts/build-qt-windows unpacks beside this
// file, declare the same interface, with two words of Wine's own headers that MinGW lacks.
#pragma once
#include <windows.h>

#ifndef WINELIB_NAME_AW
#ifdef UNICODE
#define WINELIB_NAME_AW(name) name##W
#else
#define WINELIB_NAME_AW(name) name##A
#endif
#define DECL_WINELIB_TYPE_AW(type) typedef WINELIB_NAME_AW(type) type;
#endif

#include "wine/wintab.h"

// The calling convention of the interface's functions, as its original header names it.
#ifndef API
#define API WINAPI
#endif
