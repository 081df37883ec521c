/* A module whose "Linkage" lists no gauge. */
#include "gauge_layout.h"

EXPORT_LINKAGE = {{0}, {0}};
DLL_ENTRY
