// The tablet interface that Qt's Windows platform plugin is built against. Debian's Qt source
// leaves its headers out; Wine's own (LGPL), which scripts/build-qt-windows unpacks beside this
// file, declare the same interface.
#pragma once
#include "wine/wintab.h"
