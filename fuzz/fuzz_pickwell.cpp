// Any bytes as a module for Pickwell: the scan, every found bitmap made into a .bmp, and each of those
// written back into the module (the unchanged picture of an RLE8 bitmap must fit where it came from),
// plus the input's own tail as a replacement .bmp. A replacement never changes the module's size and
// never touches a byte outside the bitmap's palette and stored pixels.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "lib/bitmap_file.h"
#include "lib/rle8.h"
#include "lib/scan.h"

using namespace pickwell;

namespace {

void CheckReplace(std::vector<std::uint8_t>& module, const BitmapEntry& entry,
                  std::span<const std::uint8_t> bmp, bool own, bool mustFit) {
    const auto layout = LayoutOf(entry, module.size(), nullptr);
    std::vector<std::uint8_t> patched = module;
    const bool ok = ReplaceBitmap(patched, entry, bmp, nullptr);
    if (mustFit && !ok) __builtin_trap();
    if (!ok && patched != module) __builtin_trap();  // a refusal leaves the module untouched
    if (!ok) return;
    const std::size_t from = layout->paletteOffset, to = layout->pixelOffset + layout->storedBytes;
    for (std::size_t i = 0; i < module.size(); ++i) {
        if ((i < from || i >= to) && patched[i] != module[i]) __builtin_trap();
    }
    // The module's own picture, once written back, comes out again.
    const auto back = BuildBmp(patched, entry, nullptr);
    if (!back) __builtin_trap();
    if (own && (back->size() != bmp.size() ||
                !std::equal(back->begin() + kBmpHeaderArea, back->end(), bmp.begin() + kBmpHeaderArea)))
        __builtin_trap();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::uint8_t> module(data, data + size);
    const ScanResult found = ScanBytes(module);
    const ScanResult portable = detail::ScanBytesWithMemchr(module);
    if (found.bitmaps.size() != portable.bitmaps.size()) __builtin_trap();
    std::size_t tried = 0;
    for (const BitmapEntry& entry : found.bitmaps) {
        if (++tried > 16) break;
        const auto bmp = BuildBmp(module, entry, nullptr);
        if (!bmp) continue;
        if (bmp->size() != LayoutOf(entry, module.size(), nullptr)->bmpFileSize) __builtin_trap();
        // A plain bitmap's own picture always fits; an RLE8 one's fits when its codes spelt every pixel,
        // which is not so for codes that skip pixels, so only the checks of a refusal apply there.
        CheckReplace(module, entry, *bmp, true, entry.compression != kCompressionRle8);
        if (size > 64) CheckReplace(module, entry, std::span(data + size / 2, size - size / 2), false, false);
    }
    return 0;
}
