// Any bytes as a .bmp file or a packed bitmap: header checks, decoding of every format, and the
// drawing operations on what comes out.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "view/bitmap.h"
#include "view/image.h"

using namespace brindle;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> packed(data, data + size);
    std::optional<std::uint64_t> bitsOffset;
    if (size >= 14 && data[0] == 'B' && data[1] == 'M') {
        std::uint32_t off =
            data[10] | (data[11] << 8) | (data[12] << 16) | (static_cast<std::uint32_t>(data[13]) << 24);
        if (off >= 14) bitsOffset = off - 14;
        packed.erase(packed.begin(), packed.begin() + 14);
    }
    auto dib = Dib::FromPacked(std::move(packed), nullptr, bitsOffset);
    if (!dib) return 0;
    // Large but valid headers decode correctly too; skipping them keeps each run short.
    if (std::int64_t{dib->Width()} * dib->Height() > (1 << 20)) return 0;
    Image img = dib->Decode();
    dib->SetColorTableEntry(0, 0x123456);
    Image dst(40, 30, 0x808080);
    const PixelRect clip{3, 2, 37, 28};
    StretchCopy(dst, {-5, -5, 33, 29}, img, img.Bounds(), StretchQuality::kHalftone, clip);
    StretchCopy(dst, {30, 0, 2, 20}, img, {1, 1, 7, 9}, StretchQuality::kColorOnColor, clip);
    TransparentStretch(dst, {0, 0, 40, 30}, img, clip);
    auto bmp = EncodeBmp24(img);
    return bmp.size() >= 54 ? 0 : 1;
}
