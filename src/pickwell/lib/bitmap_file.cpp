#include "lib/bitmap_file.h"

#include <algorithm>
#include <cstring>
#include <limits>

#include "lib/bytes.h"
#include "lib/rle8.h"

namespace pickwell {

namespace {

void Say(std::string* why, std::string text) {
    if (why != nullptr) *why = std::move(text);
}

std::uint32_t ColoursOf(const BitmapEntry& entry) {
    return entry.paletteCount == 0 ? 256 : entry.paletteCount;
}

// Without an image size in the header, the original's codes end at its end-of-bitmap code, and the
// end-of-bitmap codes an earlier replacement left after it belong to the bitmap too.
std::uint64_t UnsizedRoom(std::span<const std::uint8_t> stored, const BitmapEntry& entry,
                          const BitmapLayout& l) {
    std::uint64_t room =
        DecodeRle8(stored, static_cast<std::uint32_t>(entry.width), l.rows, l.rowBytes).consumed;
    while (room + 1 < stored.size() && stored[room] == 0 && stored[room + 1] == 1) room += 2;
    return room;
}

}  // namespace

std::optional<BitmapLayout> LayoutOf(const BitmapEntry& entry, std::uint64_t fileSize, std::string* why) {
    if (entry.width <= 0) {
        Say(why, "its width (" + std::to_string(entry.width) + ") is not a positive number");
        return std::nullopt;
    }
    if (entry.height == 0) {
        Say(why, "its height is 0");
        return std::nullopt;
    }
    if (entry.headerPos == 0 || entry.headerPos - 1 > fileSize ||
        fileSize - (entry.headerPos - 1) < kInfoHeaderSize) {
        Say(why, "its header lies outside the file");
        return std::nullopt;
    }
    BitmapLayout l;
    l.colours = ColoursOf(entry);
    l.paletteOffset = entry.headerPos - 1 + kInfoHeaderSize;
    l.pixelOffset = l.paletteOffset + std::uint64_t{4} * l.colours;
    // Both factors are below 2^32, so the product fits in 64 bits.
    l.rowBytes = (static_cast<std::uint64_t>(entry.width) + 3) & ~std::uint64_t{3};
    l.rows = entry.height < 0 ? static_cast<std::uint64_t>(-static_cast<std::int64_t>(entry.height))
                              : static_cast<std::uint64_t>(entry.height);
    l.pixelBytes = l.rowBytes * l.rows;
    l.bmpFileSize = l.pixelBytes + kBmpHeaderArea;
    l.rle8 = entry.compression == kCompressionRle8;
    if (l.bmpFileSize > std::numeric_limits<std::uint32_t>::max() ||
        (l.rle8 && l.pixelBytes > kMaxDecodedPixelBytes)) {
        Say(why, "its width and height (" + std::to_string(entry.width) + " x " +
                     std::to_string(entry.height) + ") are too large for a .bmp file");
        return std::nullopt;
    }
    if (l.rle8) {
        if (l.pixelOffset > fileSize || fileSize - l.pixelOffset < entry.imageSize) {
            Say(why, "its " + std::to_string(l.colours) + " colours and " + std::to_string(entry.imageSize) +
                         " bytes of RLE8-compressed pixels would run past the end of the file");
            return std::nullopt;
        }
        l.storedBytes = entry.imageSize != 0 ? entry.imageSize : fileSize - l.pixelOffset;
        return l;
    }
    l.storedBytes = l.pixelBytes;
    if (l.pixelOffset > fileSize || fileSize - l.pixelOffset < l.pixelBytes) {
        Say(why, "its " + std::to_string(l.colours) + " colours and " + std::to_string(l.pixelBytes) +
                     " bytes of pixels (" + std::to_string(entry.width) + " x " +
                     std::to_string(entry.height) + ") would run past the end of the file");
        return std::nullopt;
    }
    return l;
}

std::optional<std::vector<std::uint8_t>> BuildBmp(std::span<const std::uint8_t> file,
                                                  const BitmapEntry& entry, std::string* why) {
    const auto layout = LayoutOf(entry, file.size(), why);
    if (!layout) return std::nullopt;
    std::vector<std::uint8_t> bmp(layout->bmpFileSize, 0);
    std::uint8_t* h = bmp.data();
    h[0] = 'B';
    h[1] = 'M';
    WriteU32(h + 2, static_cast<std::uint32_t>(layout->bmpFileSize));
    WriteU32(h + 10, kBmpHeaderArea);
    WriteU32(h + 14, kInfoHeaderSize);
    WriteU32(h + 18, static_cast<std::uint32_t>(entry.width));
    WriteU32(h + 22, static_cast<std::uint32_t>(entry.height));
    WriteU16(h + 26, 1);
    WriteU16(h + 28, 8);
    WriteU32(h + 34, static_cast<std::uint32_t>(layout->pixelBytes));
    // The file always carries a full palette, so it always declares 256 colours used.
    WriteU32(h + 46, 256);
    std::memcpy(h + kBmpPaletteOffset, file.data() + layout->paletteOffset, std::size_t{4} * layout->colours);
    const std::uint8_t* stored = file.data() + layout->pixelOffset;
    if (layout->rle8) {
        // Written out decoded, so that any program reads it like the others.
        const Rle8Picture picture =
            DecodeRle8({stored, layout->storedBytes}, static_cast<std::uint32_t>(entry.width), layout->rows,
                       layout->rowBytes);
        std::memcpy(h + kBmpHeaderArea, picture.pixels.data(), layout->pixelBytes);
    } else {
        std::memcpy(h + kBmpHeaderArea, stored, layout->pixelBytes);
    }
    return bmp;
}

std::optional<BmpInfo> ParseBmp(std::span<const std::uint8_t> bmp, std::string* why) {
    if (bmp.size() < 14 + kInfoHeaderSize) {
        Say(why, "the file is too short to be a bitmap (" + std::to_string(bmp.size()) + " bytes)");
        return std::nullopt;
    }
    const std::uint8_t* h = bmp.data();
    if (h[0] != 'B' || h[1] != 'M') {
        Say(why, "the file does not start with \"BM\"; it is not a .bmp file");
        return std::nullopt;
    }
    const std::uint32_t infoSize = ReadU32(h + 14);
    if (infoSize < kInfoHeaderSize || infoSize > bmp.size() - 14) {
        Say(why, "its info header size (" + std::to_string(infoSize) + ") is not one this tool can read");
        return std::nullopt;
    }
    BmpInfo info;
    info.width = ReadI32(h + 18);
    info.height = ReadI32(h + 22);
    info.bitCount = ReadU16(h + 28);
    info.compression = ReadU32(h + 30);
    info.paletteOffset = 14 + std::uint64_t{infoSize};
    info.pixelOffset = ReadU32(h + 10);
    if (info.pixelOffset < info.paletteOffset || info.pixelOffset > bmp.size()) {
        Say(why, "its pixel data offset (" + std::to_string(info.pixelOffset) + ") lies outside the file");
        return std::nullopt;
    }
    std::uint64_t declared = ReadU32(h + 46);
    if (declared == 0 || declared > 256) declared = 256;
    info.paletteEntries = static_cast<std::uint32_t>(
        std::min<std::uint64_t>(declared, (info.pixelOffset - info.paletteOffset) / 4));
    info.pixelBytes = bmp.size() - info.pixelOffset;
    return info;
}

bool ReplaceBitmap(std::span<std::uint8_t> file, const BitmapEntry& entry, std::span<const std::uint8_t> bmp,
                   std::string* why) {
    std::string reason;
    const auto layout = LayoutOf(entry, file.size(), &reason);
    if (!layout) {
        Say(why, "the bitmap in the module cannot be replaced: " + reason);
        return false;
    }
    const auto info = ParseBmp(bmp, &reason);
    if (!info) {
        Say(why, reason);
        return false;
    }
    if (info->bitCount != 8 || info->compression != 0) {
        Say(why, "the .bmp has " + std::to_string(info->bitCount) + " bits per pixel" +
                     (info->compression != 0 ? " and is compressed" : "") +
                     "; only uncompressed 8-bit bitmaps can be written into the module");
        return false;
    }
    if (info->width != entry.width || info->height != entry.height) {
        Say(why, "the .bmp is " + std::to_string(info->width) + " x " + std::to_string(info->height) +
                     " but the bitmap in the module is " + std::to_string(entry.width) + " x " +
                     std::to_string(entry.height) + "; the sizes must be the same");
        return false;
    }
    if (info->pixelBytes < layout->pixelBytes) {
        Say(why, "the .bmp holds only " + std::to_string(info->pixelBytes) +
                     " bytes of pixels; the bitmap needs " + std::to_string(layout->pixelBytes));
        return false;
    }
    if (info->pixelBytes > layout->pixelBytes) {
        Say(why, "the .bmp has " + std::to_string(info->pixelBytes) +
                     " bytes after its palette, which would run " +
                     std::to_string(info->pixelBytes - layout->pixelBytes) + " bytes past the bitmap's own " +
                     std::to_string(layout->pixelBytes) + " bytes in the module");
        return false;
    }
    std::uint8_t* stored = file.data() + layout->pixelOffset;
    std::vector<std::uint8_t> encoded;
    std::uint64_t room = 0;
    if (layout->rle8) {
        encoded = EncodeRle8({bmp.data() + info->pixelOffset, layout->pixelBytes},
                             static_cast<std::uint32_t>(entry.width), layout->rows, layout->rowBytes);
        room = entry.imageSize != 0 ? entry.imageSize
                                    : UnsizedRoom({stored, layout->storedBytes}, entry, *layout);
        if (encoded.size() > room) {
            Say(why,
                "the bitmap in the module is stored RLE8-compressed in " + std::to_string(room) +
                    " bytes, but the .bmp compresses to " + std::to_string(encoded.size()) +
                    " bytes and does not fit; use a picture with fewer changes of colour along its rows");
            return false;
        }
    }
    // Palette entries the .bmp does not have keep the module's colours.
    const std::uint32_t entries = std::min(layout->colours, info->paletteEntries);
    std::memcpy(file.data() + layout->paletteOffset, bmp.data() + info->paletteOffset,
                std::size_t{4} * entries);
    if (layout->rle8) {
        std::memcpy(stored, encoded.data(), encoded.size());
        // The space left over holds end-of-bitmap codes, so the module's sizes and offsets stay as they were.
        for (std::uint64_t i = encoded.size(); i < room; ++i)
            stored[i] = (i - encoded.size()) % 2 == 0 ? 0 : 1;
    } else {
        std::memcpy(stored, bmp.data() + info->pixelOffset, layout->pixelBytes);
    }
    return true;
}

}  // namespace pickwell
