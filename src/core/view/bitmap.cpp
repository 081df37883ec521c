#include "view/bitmap.h"

#include <bit>
#include <cstdio>
#include <new>

#include "platform/messages.h"
#include "platform/paths.h"
#include "view/bitmap_bytes.h"

namespace brindle {
namespace {

bool Fail(std::string* error, const std::string& text) {
    if (error) *error = text;
    return false;
}

// Scales the bits of one colour mask to 0..255.
struct Channel {
    std::uint32_t mask = 0;
    int shift = 0;
    std::uint64_t max = 0;

    explicit Channel(std::uint32_t m = 0) : mask(m) {
        if (m == 0) return;
        shift = std::countr_zero(m);
        int width = 32 - shift - std::countl_zero(m);
        max = (std::uint64_t{1} << width) - 1;
    }
    int operator()(std::uint32_t px) const {
        if (max == 0) return 0;
        std::uint64_t v = (px & mask) >> shift;
        return static_cast<int>((v * 255 + max / 2) / max);
    }
};

// The file header of a .bmp (its first 14 bytes): where the bits start, counted from the file's
// start; nullopt when the bytes are no bitmap file (too short, or without the "BM" mark).
std::optional<std::uint32_t> BmpFileBitsOffset(std::span<const std::uint8_t> file) {
    CheckedBytes b(file);
    if (b.U8(0) != 'B' || b.U8(1) != 'M') return std::nullopt;
    return b.U32(10);
}

// The bits offset within the packed bitmap that follows the file header, when the file's is usable.
std::optional<std::uint64_t> PackedBitsOffset(std::uint32_t fileOffset) {
    if (fileOffset < 14) return std::nullopt;
    return fileOffset - 14;
}

}  // namespace

std::optional<Dib> Dib::FromPacked(std::vector<std::uint8_t> packed, std::string* error,
                                   std::optional<std::uint64_t> bitsOffset) {
    CheckedBytes b(packed);
    Dib d;
    auto hs = b.U32(0);
    if (!hs) {
        Fail(error, "the bitmap header is cut short");
        return std::nullopt;
    }
    d.headerSize_ = *hs;
    std::uint64_t clrUsed = 0;
    std::uint64_t tableOffset = 0;
    if (*hs == 12) {
        // The old OS/2 form: 16-bit sizes and three-byte colour entries.
        auto w = b.U16(4), h = b.U16(6), bits = b.U16(10);
        if (!w || !h || !bits) {
            Fail(error, "the bitmap header is cut short");
            return std::nullopt;
        }
        d.width_ = *w;
        d.height_ = *h;
        d.bitCount_ = *bits;
        d.compression_ = kBiRgb;
        d.tableEntrySize_ = 3;
        tableOffset = 12;
    } else if (*hs >= 40 && *hs <= 1024) {
        auto w = b.I32(4), h = b.I32(8);
        auto bits = b.U16(14);
        auto comp = b.U32(16), used = b.U32(32);
        if (!w || !h || !bits || !comp || !used || !b.Contains(0, *hs)) {
            Fail(error, "the bitmap header is cut short");
            return std::nullopt;
        }
        d.width_ = *w;
        d.height_ = *h;
        d.bitCount_ = *bits;
        d.compression_ = *comp;
        clrUsed = *used;
        tableOffset = *hs;
        if (d.compression_ == kBiBitfields || d.compression_ == kBiAlphaBitfields) {
            std::uint64_t maskAt = *hs >= 52 ? 40 : *hs;
            for (int i = 0; i < 3; ++i) {
                auto m = b.U32(maskAt + 4 * static_cast<std::uint64_t>(i));
                if (!m) {
                    Fail(error, "the colour masks are cut short");
                    return std::nullopt;
                }
                d.masks_[static_cast<size_t>(i)] = *m;
            }
            if (*hs < 52) tableOffset = *hs + (d.compression_ == kBiAlphaBitfields ? 16 : 12);
        }
    } else {
        Fail(error, "unknown bitmap header size " + std::to_string(*hs));
        return std::nullopt;
    }

    if (d.width_ <= 0 || d.height_ == 0 || d.height_ == INT32_MIN) {
        Fail(error, "bad bitmap size " + std::to_string(d.width_) + " x " + std::to_string(d.height_));
        return std::nullopt;
    }
    int absHeight = d.height_ < 0 ? -d.height_ : d.height_;
    if (d.width_ > kMaxImageSide || absHeight > kMaxImageSide ||
        std::int64_t{d.width_} * absHeight > kMaxImagePixels) {
        Fail(error, "the bitmap is too large (" + std::to_string(d.width_) + " x " +
                        std::to_string(absHeight) + ")");
        return std::nullopt;
    }
    const int bitsPP = d.bitCount_;
    const std::uint32_t c = d.compression_;
    bool ok = false;
    switch (bitsPP) {
        case 1:
            ok = c == kBiRgb;
            break;
        case 4:
            ok = c == kBiRgb || c == kBiRle4;
            break;
        case 8:
            ok = c == kBiRgb || c == kBiRle8;
            break;
        case 16:
        case 32:
            ok = c == kBiRgb || c == kBiBitfields || c == kBiAlphaBitfields;
            break;
        case 24:
            ok = c == kBiRgb;
            break;
        default:
            Fail(error, "unsupported bit count " + std::to_string(bitsPP));
            return std::nullopt;
    }
    if (!ok) {
        Fail(error, "unsupported compression " + std::to_string(c) + " for " + std::to_string(bitsPP) +
                        " bits per pixel");
        return std::nullopt;
    }
    if ((c == kBiRle4 || c == kBiRle8) && d.height_ < 0) {
        Fail(error, "a compressed bitmap can't be top-down");
        return std::nullopt;
    }
    if (c == kBiRgb && bitsPP == 16) d.masks_ = {0x7C00, 0x03E0, 0x001F};
    if (c == kBiRgb && bitsPP == 32) d.masks_ = {0xFF0000, 0x00FF00, 0x0000FF};

    // The colour table: for 8 bits or fewer biClrUsed entries (2^bits when 0); above that the
    // optional biClrUsed entries that only tell the bits where to start.
    std::uint64_t entries = bitsPP <= 8 ? (clrUsed != 0 ? clrUsed : (std::uint64_t{1} << bitsPP)) : clrUsed;
    if (entries > 65536) {
        Fail(error, "the colour table is too large (" + std::to_string(entries) + " entries)");
        return std::nullopt;
    }
    std::uint64_t tableBytes = entries * static_cast<std::uint64_t>(d.tableEntrySize_);
    if (!b.Contains(tableOffset, tableBytes)) {
        Fail(error, "the colour table is cut short");
        return std::nullopt;
    }
    std::uint64_t usable =
        bitsPP <= 8 ? std::min<std::uint64_t>(entries, std::uint64_t{1} << bitsPP) : entries;
    d.table_.reserve(static_cast<size_t>(usable));
    for (std::uint64_t i = 0; i < usable; ++i) {
        auto entry = b.Slice(tableOffset + i * d.tableEntrySize_, 3);
        if (!entry) {
            Fail(error, "the colour table is cut short");
            return std::nullopt;
        }
        d.table_.push_back(MakePixel((*entry)[2], (*entry)[1], (*entry)[0]));
    }
    d.colours_ = clrUsed != 0 ? static_cast<int>(std::min<std::uint64_t>(clrUsed, 1u << 24))
                              : (bitsPP <= 24 ? (1 << bitsPP) : (1 << 24));
    d.tableOffset_ = static_cast<size_t>(tableOffset);
    std::uint64_t bits = tableOffset + tableBytes;
    if (bitsOffset && *bitsOffset >= bits && *bitsOffset <= packed.size()) bits = *bitsOffset;
    d.bitsOffset_ = static_cast<size_t>(bits);
    d.data_ = std::move(packed);
    return d;
}

bool Dib::SetColorTableEntry(int index, Pixel colour) {
    if (index < 0 || static_cast<size_t>(index) >= table_.size()) return false;
    // The entry was read when the bitmap was taken apart, so it lies inside the data.
    const size_t at = tableOffset_ + static_cast<size_t>(index) * tableEntrySize_;
    if (at + 3 > data_.size()) return false;
    table_[static_cast<size_t>(index)] = colour;
    data_[at] = static_cast<std::uint8_t>(BlueOf(colour));
    data_[at + 1] = static_cast<std::uint8_t>(GreenOf(colour));
    data_[at + 2] = static_cast<std::uint8_t>(RedOf(colour));
    return true;
}

Image Dib::Decode() const {
    const int w = width_, h = Height();
    Image img(w, h);
    if (img.Empty()) return img;
    auto colourOf = [&](std::uint32_t index) { return index < table_.size() ? table_[index] : kBlack; };
    const CheckedBytes data(data_);
    const std::size_t size = data_.size();

    if (compression_ == kBiRle8 || compression_ == kBiRle4) {
        // Rows run bottom-up; the walk ends at the end-of-bitmap mark, at the top row or at the end
        // of the data. Pixels the data skips stay black.
        const bool four = compression_ == kBiRle4;
        std::int64_t x = 0, row = 0;
        std::size_t pos = bitsOffset_;
        auto put = [&](std::int64_t px, std::uint32_t index) {
            if (px >= 0 && px < w && row >= 0 && row < h)
                img.At(static_cast<int>(px), static_cast<int>(h - 1 - row)) = colourOf(index);
        };
        while (row < h) {
            const auto count = data.U8(pos), value = data.U8(pos + 1);
            if (!count || !value) break;
            pos += 2;
            if (*count > 0) {
                for (int k = 0; k < *count && x + k < w; ++k) {
                    std::uint32_t idx = four ? ((k & 1) ? (*value & 0x0F) : (*value >> 4)) : *value;
                    put(x + k, idx);
                }
                x += *count;
            } else if (*value == 0) {
                x = 0;
                ++row;
            } else if (*value == 1) {
                break;
            } else if (*value == 2) {
                const auto dx = data.U8(pos), dy = data.U8(pos + 1);
                if (!dx || !dy) break;
                x += *dx;
                row += *dy;
                pos += 2;
            } else {
                std::size_t n = *value;
                std::size_t bytes = four ? (n + 1) / 2 : n;
                for (std::size_t k = 0; k < n && x + static_cast<std::int64_t>(k) < w; ++k) {
                    const auto byte = data.U8(pos + (four ? k / 2 : k));
                    if (!byte) break;
                    std::uint32_t idx = four ? ((k & 1) ? (*byte & 0x0F) : (*byte >> 4)) : *byte;
                    put(x + static_cast<std::int64_t>(k), idx);
                }
                x += static_cast<std::int64_t>(n);
                pos += (bytes + 1) & ~std::size_t{1};
            }
        }
        return img;
    }

    const std::uint64_t stride = ((static_cast<std::uint64_t>(w) * bitCount_ + 31) / 32) * 4;
    const Channel red(masks_[0]), green(masks_[1]), blue(masks_[2]);
    for (int r = 0; r < h; ++r) {
        int y = TopDown() ? r : h - 1 - r;
        std::uint64_t start = bitsOffset_ + stride * static_cast<std::uint64_t>(r);
        if (start >= size) break;
        // A row cut short by the end of the data decodes as far as it goes.
        const std::uint64_t avail = std::min<std::uint64_t>(stride, size - start);
        const auto rowBytes = data.Slice(start, avail);
        if (!rowBytes) break;
        const std::span<const std::uint8_t> row = *rowBytes;
        Pixel* out = &img.At(0, y);
        for (int x = 0; x < w; ++x) {
            std::uint64_t bitPos = static_cast<std::uint64_t>(x) * bitCount_;
            std::uint64_t byte = bitPos / 8;
            std::uint64_t need = (bitCount_ + 7) / 8;
            if (byte + need > avail) break;
            switch (bitCount_) {
                case 1:
                    out[x] = colourOf((row[byte] >> (7 - (x & 7))) & 1);
                    break;
                case 4:
                    out[x] = colourOf((x & 1) ? (row[byte] & 0x0F) : (row[byte] >> 4));
                    break;
                case 8:
                    out[x] = colourOf(row[byte]);
                    break;
                case 16: {
                    std::uint32_t v = row[byte] | (row[byte + 1] << 8);
                    out[x] = MakePixel(red(v), green(v), blue(v));
                    break;
                }
                case 24:
                    out[x] = MakePixel(row[byte + 2], row[byte + 1], row[byte]);
                    break;
                case 32: {
                    std::uint32_t v = static_cast<std::uint32_t>(row[byte]) |
                                      (static_cast<std::uint32_t>(row[byte + 1]) << 8) |
                                      (static_cast<std::uint32_t>(row[byte + 2]) << 16) |
                                      (static_cast<std::uint32_t>(row[byte + 3]) << 24);
                    out[x] = MakePixel(red(v), green(v), blue(v));
                    break;
                }
            }
        }
    }
    return img;
}

int ReadBitmapFile(BitmapFileRequest& request, bool keepData) {
    request.data.reset();
    const std::string& path = request.path;
    std::FILE* f = nullptr;
    if (FileExists(path)) f = std::fopen(ResolvePath(path).c_str(), "rb");
    if (!f) {
        ShowWarning("Can't open Bitmap file: " + path);
        return 0;
    }
    struct Closer {
        std::FILE* f;
        ~Closer() { std::fclose(f); }
    } closer{f};
    std::int64_t length = -1;
    if (std::fseek(f, 0, SEEK_END) == 0) length = std::ftell(f);
    std::fseek(f, 0, SEEK_SET);
    request.length = length;
    std::uint8_t fileHeader[14];
    if (length < 14 || std::fread(fileHeader, 1, 14, f) != 14) {
        ShowWarning("Can't read Bitmap file header");
        return 0;
    }
    const std::optional<std::uint32_t> offBits = BmpFileBitsOffset(fileHeader);
    if (!offBits) {
        ShowWarning("Bad Bitmap file type");
        return 0;
    }
    std::vector<std::uint8_t> rest;
    if (length > kMaxBitmapFileBytes) {
        ShowWarning("Can't allocate memory for Bitmap file");
        return 0;
    }
    try {
        rest.resize(static_cast<size_t>(length - 14));
    } catch (const std::bad_alloc&) {
        ShowWarning("Can't allocate memory for Bitmap file");
        return 0;
    }
    if (std::fread(rest.data(), 1, rest.size(), f) != rest.size()) {
        ShowWarning("Can't read Bitmap file from disk");
        return 0;
    }
    std::string error;
    auto dib = Dib::FromPacked(std::move(rest), &error, PackedBitsOffset(*offBits));
    if (!dib) {
        ShowWarning("Can't use Bitmap file: " + path + "\n\n" + error);
        return 0;
    }
    request.width = dib->Width();
    request.height = dib->RawHeight();
    request.colours = dib->Colours();
    request.palette = dib->FirstColor();
    request.bitsOffset = dib->BitsOffset();
    if (keepData) request.data = std::move(dib);
    return 1;
}

std::optional<Image> LoadBmpImage(const std::string& path, std::string* error) {
    auto bytes = ReadFileBytes(path);
    if (!bytes) {
        if (error) *error = "can't open " + path;
        return std::nullopt;
    }
    const std::optional<std::uint32_t> offBits = BmpFileBitsOffset(*bytes);
    if (!offBits) {
        if (error) *error = "not a bitmap file: " + path;
        return std::nullopt;
    }
    std::vector<std::uint8_t> rest(bytes->begin() + 14, bytes->end());
    auto dib = Dib::FromPacked(std::move(rest), error, PackedBitsOffset(*offBits));
    if (!dib) return std::nullopt;
    return dib->Decode();
}

std::vector<std::uint8_t> EncodeBmp24(const Image& image) {
    const std::uint32_t w = static_cast<std::uint32_t>(image.Width()),
                        h = static_cast<std::uint32_t>(image.Height());
    const std::uint32_t stride = (w * 3 + 3) & ~3u;
    const std::uint32_t bitsSize = stride * h;
    std::vector<std::uint8_t> out(54 + static_cast<size_t>(bitsSize), 0);
    auto put16 = [&](size_t at, std::uint32_t v) {
        out[at] = static_cast<std::uint8_t>(v);
        out[at + 1] = static_cast<std::uint8_t>(v >> 8);
    };
    auto put32 = [&](size_t at, std::uint32_t v) {
        put16(at, v & 0xFFFF);
        put16(at + 2, v >> 16);
    };
    out[0] = 'B';
    out[1] = 'M';
    put32(2, 54 + bitsSize);
    put32(10, 54);
    put32(14, 40);
    put32(18, w);
    put32(22, h);
    put16(26, 1);
    put16(28, 24);
    put32(34, bitsSize);
    put32(38, 2835);  // 72 dots per inch
    put32(42, 2835);
    for (std::uint32_t r = 0; r < h; ++r) {
        int y = static_cast<int>(h - 1 - r);
        std::uint8_t* row = out.data() + 54 + static_cast<size_t>(r) * stride;
        for (std::uint32_t x = 0; x < w; ++x) {
            Pixel p = image.At(static_cast<int>(x), y);
            row[x * 3] = static_cast<std::uint8_t>(BlueOf(p));
            row[x * 3 + 1] = static_cast<std::uint8_t>(GreenOf(p));
            row[x * 3 + 2] = static_cast<std::uint8_t>(RedOf(p));
        }
    }
    return out;
}

bool WriteBmp24(const std::string& path, const Image& image, int* error) {
    auto bytes = EncodeBmp24(image);
    return WriteFileAtomically(
        path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), error);
}

}  // namespace brindle
