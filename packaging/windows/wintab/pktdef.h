// The tablet packet layout, generated from PACKETDATA by Wine's header (see wintab.h here).
#ifndef PACKETMODE
#define PACKETMODE 0
#endif
#include "wine/pktdef.h"
