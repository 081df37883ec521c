/* The static structures a simulator finds through a gauge module's "Linkage" export: gauge
   headers and their chains of drawing elements, with bitmaps named by resource number. Only the
   fields the editor reads carry meaning here; the rest is padding of the right size. */
#ifndef SAMPLE_GAUGE_LAYOUT_H
#define SAMPLE_GAUGE_LAYOUT_H

#include <stddef.h>

typedef struct ELEMENT ELEMENT;
typedef struct GAUGEHDR GAUGEHDR;

struct GAUGEHDR {
    unsigned version;   /* 610 FS98, 650 CFS, 700 FS2000, 750 CFS2 */
    const char* name;
    ELEMENT** elements; /* pointer to the pointer to the first element */
    unsigned unused[8];
    int design_width;
};

struct ELEMENT {
    unsigned type; /* 0 static, 1 needle, 2 string, 3 slider, 4 icon, 5 moving image, 6 sprite */
    unsigned resource;
    int x, y;
    unsigned unused1[2];
    int offset_x, offset_y;
    GAUGEHDR* owner;
    unsigned unused2;
    ELEMENT** next; /* pointer to the pointer to the next element */
    unsigned unused3;
    unsigned image_flags; /* bit 0: drawn with transparency */
};

typedef struct {
    unsigned unused[6];
    GAUGEHDR* gauges[];
} LINKAGE;

_Static_assert(offsetof(GAUGEHDR, design_width) == 44, "header layout");
_Static_assert(offsetof(ELEMENT, offset_x) == 24, "element layout");
_Static_assert(offsetof(ELEMENT, owner) == 32, "element layout");
_Static_assert(offsetof(ELEMENT, next) == 40, "element layout");
_Static_assert(offsetof(ELEMENT, image_flags) == 48, "element layout");
_Static_assert(offsetof(LINKAGE, gauges) == 24, "linkage layout");

enum { STATIC_IMAGE = 0, NEEDLE = 1, STRING = 2, SLIDER = 3, ICON = 4, MOVING_IMAGE = 5, SPRITE = 6 };
enum { OPAQUE = 0, TRANSPARENT = 1 };

#define GAUGE_HEADER(var, ver, text, first, width) \
    static ELEMENT* var##_list[] = {&first, 0};   \
    static GAUGEHDR var = {ver, text, var##_list, {0}, width}

/* An element that ends a chain, and one that continues with `next_elem`. Elements are declared
   last-first, so that each can name the one after it. */
#define ELEMENT_END(var, type, res, x, y, ox, oy, owner, flags) \
    static ELEMENT var = {type, res, x, y, {0, 0}, ox, oy, &owner, 0, 0, 0, flags}
#define ELEMENT_NEXT(var, type, res, x, y, ox, oy, owner, flags, next_elem) \
    static ELEMENT* var##_next[] = {&next_elem, 0};                       \
    static ELEMENT var = {type, res, x, y, {0, 0}, ox, oy, &owner, 0, var##_next, 0, flags}

/* A data export; no code of the module is ever run by the editor, but a module still needs an
   entry point to link as a DLL. */
#define EXPORT_LINKAGE __declspec(dllexport) LINKAGE Linkage
#define DLL_ENTRY \
    int __stdcall DllMainCRTStartup(void* h, unsigned r, void* p) { (void)h; (void)r; (void)p; return 1; }

#endif
