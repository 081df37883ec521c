#include "ui/view/image_convert.h"

wxImage ToWxImage(const brindle::Image& image) {
    wxImage out(image.Width(), image.Height(), false);
    if (!out.IsOk()) return out;
    unsigned char* rgb = out.GetData();
    for (brindle::Pixel p : image.Pixels()) {
        *rgb++ = static_cast<unsigned char>(brindle::RedOf(p));
        *rgb++ = static_cast<unsigned char>(brindle::GreenOf(p));
        *rgb++ = static_cast<unsigned char>(brindle::BlueOf(p));
    }
    return out;
}
