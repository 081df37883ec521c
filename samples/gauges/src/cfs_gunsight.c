/* A CFS module (kept in a sub-folder of the gauges folder). */
#include "gauge_layout.h"

static GAUGEHDR gunsight, ammo;

ELEMENT_END(sight_pip, SPRITE, 16, 0, 0, 0, 0, gunsight, TRANSPARENT);
ELEMENT_NEXT(sight_glass, STATIC_IMAGE, 16, 0, 0, 0, 0, gunsight, TRANSPARENT, sight_pip);
GAUGE_HEADER(gunsight, 650, "Gunsight", sight_glass, 80);

ELEMENT_END(ammo_tape, MOVING_IMAGE, 15, 44, 0, 0, 0, ammo, OPAQUE);
ELEMENT_NEXT(ammo_count2, STRING, 0, 4, 4, 0, 0, ammo, OPAQUE, ammo_tape);
ELEMENT_NEXT(ammo_count1, STRING, 0, 4, 12, 0, 0, ammo, OPAQUE, ammo_count2);
ELEMENT_NEXT(ammo_plate, STATIC_IMAGE, 18, 0, 0, 0, 0, ammo, OPAQUE, ammo_count1);
GAUGE_HEADER(ammo, 650, "Ammo", ammo_plate, 60);

EXPORT_LINKAGE = {{0}, {&gunsight, &ammo, 0}};
DLL_ENTRY
