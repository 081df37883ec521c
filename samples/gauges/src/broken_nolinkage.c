/* A module that exports its gauge table under another name. */
#include "gauge_layout.h"

static GAUGEHDR plate;
ELEMENT_END(plate_image, STATIC_IMAGE, 18, 0, 0, 0, 0, plate, OPAQUE);
GAUGE_HEADER(plate, 700, "Plate", plate_image, 60);

__declspec(dllexport) LINKAGE Gauges = {{0}, {&plate, 0}};
DLL_ENTRY
