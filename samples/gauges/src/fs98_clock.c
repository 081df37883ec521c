/* An FS98 module whose gauge has an empty internal name. */
#include "gauge_layout.h"

static GAUGEHDR clock_gauge;

ELEMENT_END(clock_face, STATIC_IMAGE, 14, 0, 0, 0, 0, clock_gauge, OPAQUE);
GAUGE_HEADER(clock_gauge, 610, "", clock_face, 64);

EXPORT_LINKAGE = {{0}, {&clock_gauge, 0}};
DLL_ENTRY
