#pragma once

#include <wx/bitmap.h>
#include <wx/image.h>

#include "view/image.h"

// The engine's 0x00RRGGBB pixels as a wx image / bitmap for drawing on screen.
wxImage ToWxImage(const brindle::Image& image);
inline wxBitmap ToWxBitmap(const brindle::Image& image) {
    return wxBitmap(ToWxImage(image));
}
