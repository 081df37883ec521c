/* An FS2000 module with several gauges: a string inside a chain, needles with offsets,
   transparency bits, a moving image and a sprite, high-resolution bitmaps at +500, design widths
   of 0 and above 2000, and a chain longer than the 28 slots. */
#include "gauge_layout.h"

static GAUGEHDR airspeed, altimeter, attitude, switches, clock_gauge, wide, annunciator;

/* Airspeed: static image, string, needle. */
ELEMENT_END(airspeed_needle, NEEDLE, 2, 48, 48, 4, 40, airspeed, TRANSPARENT);
ELEMENT_NEXT(airspeed_text, STRING, 0, 30, 60, 0, 0, airspeed, OPAQUE, airspeed_needle);
ELEMENT_NEXT(airspeed_face, STATIC_IMAGE, 1, 0, 0, 0, 0, airspeed, OPAQUE, airspeed_text);
GAUGE_HEADER(airspeed, 700, "Airspeed", airspeed_face, 96);

/* Altimeter: two needles over the face. */
ELEMENT_END(alt_short, NEEDLE, 5, 48, 48, 5, 23, altimeter, TRANSPARENT);
ELEMENT_NEXT(alt_long, NEEDLE, 4, 48, 48, 4, 38, altimeter, TRANSPARENT, alt_short);
ELEMENT_NEXT(alt_face, STATIC_IMAGE, 3, 0, 0, 0, 0, altimeter, OPAQUE, alt_long);
GAUGE_HEADER(altimeter, 700, "Altimeter", alt_face, 96);

/* Attitude: a transparent bezel, the horizon moving behind it, a sprite pointer. */
ELEMENT_END(att_pointer, SPRITE, 8, 48, 48, 3, 38, attitude, OPAQUE);
ELEMENT_NEXT(att_horizon, MOVING_IMAGE, 6, 0, -48, 0, 0, attitude, OPAQUE, att_pointer);
ELEMENT_NEXT(att_bezel, STATIC_IMAGE, 7, 0, 0, 0, 0, attitude, TRANSPARENT, att_horizon);
GAUGE_HEADER(attitude, 700, "Attitude", att_bezel, 96);

/* Switches: a plate with two lamps and a toggle switch (a slider). */
ELEMENT_END(sw_toggle, SLIDER, 12, 90, 2, 0, 0, switches, OPAQUE);
ELEMENT_NEXT(sw_lamp2, ICON, 10, 40, 8, 0, 0, switches, TRANSPARENT, sw_toggle);
ELEMENT_NEXT(sw_lamp1, ICON, 9, 8, 8, 0, 0, switches, TRANSPARENT, sw_lamp2);
ELEMENT_NEXT(sw_plate, STATIC_IMAGE, 11, 0, 0, 0, 0, switches, OPAQUE, sw_lamp1);
GAUGE_HEADER(switches, 700, "Switches", sw_plate, 120);

/* Clock: design width 0, so a panel line without a width leaves it 0. */
ELEMENT_END(clock_tape, MOVING_IMAGE, 15, 24, 0, 0, 0, clock_gauge, OPAQUE);
ELEMENT_NEXT(clock_face, STATIC_IMAGE, 14, 0, 0, 0, 0, clock_gauge, OPAQUE, clock_tape);
GAUGE_HEADER(clock_gauge, 700, "Clock", clock_face, 0);

/* Wide: a design width of 2000 or more is not taken as a width. */
ELEMENT_END(wide_plate, STATIC_IMAGE, 11, 0, 0, 0, 0, wide, OPAQUE);
GAUGE_HEADER(wide, 700, "Wide", wide_plate, 2500);

/* Annunciator: a plate and 30 lamps, more than the 28 slots hold. */
#define LAMP(n, next) ELEMENT_NEXT(lamp##n, ICON, 9 + (n % 2), 4 + 4 * n, 8, 0, 0, annunciator, TRANSPARENT, next)
ELEMENT_END(lamp30, ICON, 9, 124, 8, 0, 0, annunciator, TRANSPARENT);
LAMP(29, lamp30); LAMP(28, lamp29); LAMP(27, lamp28); LAMP(26, lamp27); LAMP(25, lamp26); LAMP(24, lamp25);
LAMP(23, lamp24); LAMP(22, lamp23); LAMP(21, lamp22); LAMP(20, lamp21); LAMP(19, lamp20); LAMP(18, lamp19);
LAMP(17, lamp18); LAMP(16, lamp17); LAMP(15, lamp16); LAMP(14, lamp15); LAMP(13, lamp14); LAMP(12, lamp13);
LAMP(11, lamp12); LAMP(10, lamp11); LAMP(9, lamp10); LAMP(8, lamp9); LAMP(7, lamp8); LAMP(6, lamp7);
LAMP(5, lamp6); LAMP(4, lamp5); LAMP(3, lamp4); LAMP(2, lamp3); LAMP(1, lamp2);
ELEMENT_NEXT(annun_plate, STATIC_IMAGE, 11, 0, 0, 0, 0, annunciator, OPAQUE, lamp1);
GAUGE_HEADER(annunciator, 700, "Annunciator", annun_plate, 120);

EXPORT_LINKAGE = {{0}, {&airspeed, &altimeter, &attitude, &switches, &clock_gauge, &wide, &annunciator, 0}};
DLL_ENTRY
