// The picture strip of the hover button: three pictures side by side (normal, pressed, mouse over)
// and the system's button colours put in place of the strip's grey shades.
#pragma once

#include "view/image.h"

namespace brindle {

struct HoverStrip {
    int pictureWidth = 0;  // a third of the strip (the columns left over are never shown)
    int pictureHeight = 0;

    static HoverStrip FromStripSize(int stripWidth, int stripHeight);
    // Where the picture to show starts in the strip: pressed wins over the mouse being over it.
    int SourceX(bool pressed, bool hover) const;
};

// The system's colours for the four shades a strip is drawn in.
struct ButtonShades {
    Pixel text;       // for black
    Pixel shadow;     // for dark grey (128, 128, 128)
    Pixel face;       // for light grey (192, 192, 192)
    Pixel highlight;  // for white
};
void MapButtonShades(Image& strip, const ButtonShades& shades);

}  // namespace brindle
