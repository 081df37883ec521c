#include "dialogs/hover_button.h"

namespace brindle {

HoverStrip HoverStrip::FromStripSize(int stripWidth, int stripHeight) {
    HoverStrip s;
    s.pictureWidth = stripWidth > 0 ? stripWidth / 3 : 0;
    s.pictureHeight = stripHeight > 0 ? stripHeight : 0;
    return s;
}

int HoverStrip::SourceX(bool pressed, bool hover) const {
    if (pressed) return pictureWidth;
    if (hover) return 2 * pictureWidth;
    return 0;
}

void MapButtonShades(Image& strip, const ButtonShades& shades) {
    for (int y = 0; y < strip.Height(); ++y) {
        for (int x = 0; x < strip.Width(); ++x) {
            Pixel& p = strip.At(x, y);
            switch (p & 0x00FFFFFF) {
                case 0x000000:
                    p = shades.text;
                    break;
                case 0x808080:
                    p = shades.shadow;
                    break;
                case 0xC0C0C0:
                    p = shades.face;
                    break;
                case 0xFFFFFF:
                    p = shades.highlight;
                    break;
                default:
                    break;
            }
        }
    }
}

}  // namespace brindle
