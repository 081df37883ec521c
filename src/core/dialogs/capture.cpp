#include "dialogs/capture.h"

#include <cerrno>
#include <cstdio>
#include <map>
#include <string_view>

#include "app/settings.h"
#include "platform/messages.h"
#include "platform/paths.h"

namespace brindle {

namespace {

void Put16(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}
void Put32(std::vector<std::uint8_t>& b, std::size_t at, std::uint32_t v) {
    for (int i = 0; i < 4; ++i) b[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
}

int Nearest(const std::vector<Pixel>& palette, Pixel p) {
    int best = 0;
    long bestDistance = -1;
    for (int i = 0; i < static_cast<int>(palette.size()); ++i) {
        long dr = RedOf(p) - RedOf(palette[i]), dg = GreenOf(p) - GreenOf(palette[i]),
             db = BlueOf(p) - BlueOf(palette[i]);
        long d = dr * dr + dg * dg + db * db;
        if (bestDistance < 0 || d < bestDistance) {
            best = i;
            bestDistance = d;
            if (d == 0) break;
        }
    }
    return best;
}

// Errors that mean the file could not be created at all.
bool IsOpenError(int e) {
    return e == ENOENT || e == ENOTDIR || e == EACCES || e == EPERM || e == EROFS || e == EISDIR ||
           e == ENAMETOOLONG || e == EEXIST;
}

}  // namespace

std::vector<Pixel> DisplayPalette(int displayBits) {
    const int bits = CaptureBitCount(displayBits);
    if (bits == 24) return {};
    std::vector<Pixel> p;
    if (bits == 1) {
        p = {kBlack, kWhite};
    } else if (bits == 4) {
        p = {MakePixel(0, 0, 0),      MakePixel(128, 0, 0),     MakePixel(0, 128, 0),
             MakePixel(128, 128, 0),  MakePixel(0, 0, 128),     MakePixel(128, 0, 128),
             MakePixel(0, 128, 128),  MakePixel(192, 192, 192), MakePixel(128, 128, 128),
             MakePixel(255, 0, 0),    MakePixel(0, 255, 0),     MakePixel(255, 255, 0),
             MakePixel(0, 0, 255),    MakePixel(255, 0, 255),   MakePixel(0, 255, 255),
             MakePixel(255, 255, 255)};
    } else {
        for (int r = 0; r < 6; ++r)
            for (int g = 0; g < 6; ++g)
                for (int b = 0; b < 6; ++b) p.push_back(MakePixel(r * 51, g * 51, b * 51));
        for (int i = 0; p.size() < 256; ++i) p.push_back(MakePixel(i * 255 / 39, i * 255 / 39, i * 255 / 39));
    }
    return p;
}

void CaptureBitmap::Capture(const Image& source, const PixelRect& rect, int displayBits,
                            std::vector<Pixel> palette) {
    Release();
    width_ = rect.Width();
    height_ = rect.Height();
    if (width_ <= 0 || height_ <= 0 || width_ > kMaxImageSide || height_ > kMaxImageSide) {
        width_ = height_ = 0;
        return;
    }
    bitCount_ = CaptureBitCount(displayBits);
    pixels_ = Image(width_, height_);
    for (int y = 0; y < height_; ++y)
        for (int x = 0; x < width_; ++x) pixels_.At(x, y) = source.Get(rect.left + x, rect.top + y);
    if (bitCount_ < 24) {
        palette_ = palette.empty() ? DisplayPalette(displayBits) : std::move(palette);
        palette_.resize(std::size_t{1} << bitCount_, kBlack);
    }
}

void CaptureBitmap::Release() {
    width_ = height_ = 0;
    palette_.clear();
    pixels_ = Image();
}

std::vector<std::uint8_t> CaptureBitmap::BuildDib() const {
    if (Empty()) return {};
    const std::int64_t stride = CaptureRowStride(width_, bitCount_);
    const std::size_t tableBytes = bitCount_ == 24 ? 0 : (std::size_t{4} << bitCount_);
    const std::size_t imageBytes = static_cast<std::size_t>(stride * height_);
    std::vector<std::uint8_t> b(40 + tableBytes + imageBytes, 0);
    Put32(b, 0, 40);
    Put32(b, 4, static_cast<std::uint32_t>(width_));
    Put32(b, 8, static_cast<std::uint32_t>(height_));
    Put16(b, 12, 1);
    Put16(b, 14, static_cast<std::uint32_t>(bitCount_));
    Put32(b, 16, 0);
    Put32(b, 20, static_cast<std::uint32_t>(imageBytes));
    for (std::size_t i = 0; i < tableBytes / 4; ++i) {
        const Pixel p = palette_[i];
        b[40 + i * 4] = static_cast<std::uint8_t>(BlueOf(p));
        b[40 + i * 4 + 1] = static_cast<std::uint8_t>(GreenOf(p));
        b[40 + i * 4 + 2] = static_cast<std::uint8_t>(RedOf(p));
    }
    std::map<Pixel, int> indexOf;
    const std::size_t bits = 40 + tableBytes;
    for (int y = 0; y < height_; ++y) {
        std::uint8_t* row = b.data() + bits + static_cast<std::size_t>(stride) * (height_ - 1 - y);
        for (int x = 0; x < width_; ++x) {
            const Pixel p = pixels_.At(x, y);
            if (bitCount_ == 24) {
                row[x * 3] = static_cast<std::uint8_t>(BlueOf(p));
                row[x * 3 + 1] = static_cast<std::uint8_t>(GreenOf(p));
                row[x * 3 + 2] = static_cast<std::uint8_t>(RedOf(p));
                continue;
            }
            auto it = indexOf.find(p);
            if (it == indexOf.end()) it = indexOf.emplace(p, Nearest(palette_, p)).first;
            const int index = it->second;
            const int perByte = 8 / bitCount_;
            const int shift = 8 - bitCount_ * (x % perByte + 1);
            row[x / perByte] |= static_cast<std::uint8_t>(index << shift);
        }
    }
    return b;
}

std::vector<std::uint8_t> CaptureBitmap::FileBytes() const {
    std::vector<std::uint8_t> dib = BuildDib();
    if (dib.empty()) return {};
    std::vector<std::uint8_t> file(14, 0);
    file[0] = 'B';
    file[1] = 'M';
    Put32(file, 2, static_cast<std::uint32_t>(dib.size() + 14));
    const std::size_t tableBytes = bitCount_ == 24 ? 0 : (std::size_t{4} << bitCount_);
    Put32(file, 10, static_cast<std::uint32_t>(14 + 40 + tableBytes));
    file.insert(file.end(), dib.begin(), dib.end());
    return file;
}

bool CaptureBitmap::WriteToFile(const std::string& path) const {
    const std::vector<std::uint8_t> bytes = FileBytes();
    std::optional<std::string> dir = DirectoryPart(path);
    if (bytes.empty() || path.empty() || (dir && !dir->empty() && !DirectoryExists(*dir))) {
        ReportSystemError("Can't open selected file", bytes.empty() ? EINVAL : ENOENT);
        return false;
    }
    int error = 0;
    if (WriteFileAtomically(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()),
                            &error))
        return true;
    if (IsOpenError(error)) {
        ReportSystemError("Can't open selected file", error);
    } else {
        char text[64];
        std::snprintf(text, sizeof text, "Error Writing to file, errno = %d", error);
        ShowError(text);
    }
    return false;
}

}  // namespace brindle
