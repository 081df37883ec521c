/* Chains without any element that takes a slot: strings only, strings that loop back on
   themselves, and an element of an unknown type. */
#include "gauge_layout.h"

static GAUGEHDR text, loop, ghost;

ELEMENT_END(text2, STRING, 0, 0, 10, 0, 0, text, OPAQUE);
ELEMENT_NEXT(text1, STRING, 0, 0, 0, 0, 0, text, OPAQUE, text2);
GAUGE_HEADER(text, 700, "Text", text1, 50);

static ELEMENT loop_a;
ELEMENT_NEXT(loop_b, STRING, 0, 0, 10, 0, 0, loop, OPAQUE, loop_a);
static ELEMENT* loop_a_next[] = {&loop_b, 0};
static ELEMENT loop_a = {STRING, 0, 0, 0, {0, 0}, 0, 0, &loop, 0, loop_a_next, 0, 0};
GAUGE_HEADER(loop, 700, "Loop", loop_a, 50);

ELEMENT_END(ghost1, 9, 18, 0, 0, 0, 0, ghost, OPAQUE);
GAUGE_HEADER(ghost, 700, "Ghost", ghost1, 50);

EXPORT_LINKAGE = {{0}, {&text, &loop, &ghost, 0}};
DLL_ENTRY
