/* A CFS2 module: its radar face has a +500 bitmap for high resolution. */
#include "gauge_layout.h"

static GAUGEHDR radar, fuel;

ELEMENT_END(radar_sweep, SPRITE, 16, 50, 50, 40, 40, radar, OPAQUE);
ELEMENT_NEXT(radar_face, STATIC_IMAGE, 17, 0, 0, 0, 0, radar, OPAQUE, radar_sweep);
GAUGE_HEADER(radar, 750, "Radar", radar_face, 100);

ELEMENT_END(fuel_lever, SLIDER, 12, 20, 0, 0, 0, fuel, OPAQUE);
ELEMENT_NEXT(fuel_plate, STATIC_IMAGE, 18, 0, 0, 0, 0, fuel, OPAQUE, fuel_lever);
GAUGE_HEADER(fuel, 750, "Fuel", fuel_plate, 60);

EXPORT_LINKAGE = {{0}, {&radar, &fuel, 0}};
DLL_ENTRY
