/* Gauges whose bitmaps are missing: resources the module lacks, a first element without a
   bitmap number, no element list, and an element pointer that leads outside the module. */
#include "gauge_layout.h"

static GAUGEHDR missing, zero, bare, dangling;

ELEMENT_END(missing2, NEEDLE, 91, 0, 0, 0, 0, missing, OPAQUE);
ELEMENT_NEXT(missing1, STATIC_IMAGE, 90, 0, 0, 0, 0, missing, OPAQUE, missing2);
GAUGE_HEADER(missing, 700, "Missing", missing1, 40);

ELEMENT_END(zero2, NEEDLE, 2, 0, 0, 0, 0, zero, TRANSPARENT);
ELEMENT_NEXT(zero1, STATIC_IMAGE, 0, 0, 0, 0, 0, zero, OPAQUE, zero2);
GAUGE_HEADER(zero, 700, "Zero", zero1, 40);

static GAUGEHDR bare = {700, "Bare", 0, {0}, 40};

static ELEMENT* dangling_list[] = {(ELEMENT*)0x7ff00000, 0};
static GAUGEHDR dangling = {700, "Dangling", dangling_list, {0}, 40};

EXPORT_LINKAGE = {{0}, {&missing, &zero, &bare, &dangling, 0}};
DLL_ENTRY
