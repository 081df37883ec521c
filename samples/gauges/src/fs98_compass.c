/* An FS98 module: only its first gauge counts. Its chain has a string between the face and the
   needle, and the module holds a +500 bitmap that an FS98 gauge never uses. */
#include "gauge_layout.h"

static GAUGEHDR compass, extra;

ELEMENT_END(compass_needle, NEEDLE, 2, 50, 50, 4, 40, compass, TRANSPARENT);
ELEMENT_NEXT(compass_text, STRING, 0, 10, 80, 0, 0, compass, OPAQUE, compass_needle);
ELEMENT_NEXT(compass_face, STATIC_IMAGE, 17, 0, 0, 0, 0, compass, OPAQUE, compass_text);
GAUGE_HEADER(compass, 610, "Compass", compass_face, 100);

ELEMENT_END(extra_plate, STATIC_IMAGE, 18, 0, 0, 0, 0, extra, OPAQUE);
GAUGE_HEADER(extra, 610, "Extra", extra_plate, 60);

EXPORT_LINKAGE = {{0}, {&compass, &extra, 0}};
DLL_ENTRY
