#include "dialogs/choosers.h"

#include <algorithm>
#include <cstdio>

#include "platform/messages.h"
#include "platform/paths.h"
#include "view/bitmap.h"

namespace brindle {

std::optional<Dib> ReadDibQuietly(const std::string& path, std::int64_t* length) {
    std::optional<std::vector<std::uint8_t>> bytes;
    if (FileExists(path)) bytes = ReadFileBytes(path);
    if (!bytes || bytes->size() < 14 || (*bytes)[0] != 'B' || (*bytes)[1] != 'M') return std::nullopt;
    if (length) *length = static_cast<std::int64_t>(bytes->size());
    const std::uint32_t offBits =
        static_cast<std::uint32_t>((*bytes)[10]) | (static_cast<std::uint32_t>((*bytes)[11]) << 8) |
        (static_cast<std::uint32_t>((*bytes)[12]) << 16) | (static_cast<std::uint32_t>((*bytes)[13]) << 24);
    std::vector<std::uint8_t> packed(bytes->begin() + 14, bytes->end());
    return Dib::FromPacked(std::move(packed), nullptr,
                           offBits >= 14 ? std::optional<std::uint64_t>(offBits - 14) : std::nullopt);
}

const char* ColorDepthText(int bitsPerPixel) {
    switch (bitsPerPixel) {
        case 1:
            return "MONO)";
        case 4:
            return "4 Bit Color";
        case 8:
            return "8 Bit Color";
        case 16:
            return "16 Bit Color";
        case 24:
            return "24 Bit Color";
        default:
            return "";
    }
}

PreviewRect FitPreview(int bw, int bh, int aw, int ah) {
    if (bw <= 0 || bh <= 0 || aw <= 0 || ah <= 0) return {};
    PreviewRect r;
    // Whole-number arithmetic in 64 bits: a 16384-pixel side times a large area does not overflow.
    const long long w = bw, h = bh;
    if (h * aw >= w * ah) {
        // Taller than the area's shape: the full height.
        r.height = ah;
        r.width = std::max(1, static_cast<int>(ah * w / h));
        r.x = (aw - r.width) / 2;
    } else {
        r.width = aw;
        r.height = std::max(1, static_cast<int>(aw * h / w));
        r.y = (ah - r.height) / 2;
    }
    return r;
}

bool BitmapPreview::Select(const std::string& path) {
    // The toolkit reports the same highlight again when it refreshes its list; the shown file stays.
    if (path.empty() || path == lastPath_) return false;
    const bool hadSomething = image_.has_value() || !lines_.Empty();
    lastPath_ = path;
    image_.reset();
    lines_ = {};
    ++reads_;
    std::int64_t length = 0;
    std::optional<Dib> dib = ReadDibQuietly(path, &length);
    if (!dib) return hadSomething;
    image_ = dib->Decode();
    char buf[64];
    std::snprintf(buf, sizeof buf, "Width: %d pixels", dib->Width());
    lines_.width = buf;
    std::snprintf(buf, sizeof buf, "Height: %d pixels", dib->Height());
    lines_.height = buf;
    lines_.depth = ColorDepthText(dib->BitCount());
    std::snprintf(buf, sizeof buf, "Size: %ld Kb", static_cast<long>(length / 1024));
    lines_.size = buf;
    return true;
}

void BitmapPreview::Reset() {
    image_.reset();
    lines_ = {};
    lastPath_.clear();
}

std::string FolderChooserResult(const std::optional<std::string>& current, const std::string& initial) {
    if (current && !current->empty()) return *current;
    ShowError(kFolderReadError);
    return initial;
}

}  // namespace brindle
