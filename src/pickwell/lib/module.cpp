#include "lib/module.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "lib/bitmap_file.h"
#include "lib/file_io.h"

namespace pickwell {

bool Module::Load(const std::string& path, const ScanProgress& progress, std::string* why) {
    Clear();
    ByteBuffer bytes;
    // Reading takes far longer than searching the bytes, so it gets most of the percentage.
    ReadProgress reading;
    if (progress) {
        reading = [&progress](std::uint64_t done, std::uint64_t total) {
            progress(static_cast<int>(total == 0 ? 0 : done * 90 / total));
        };
    }
    if (!ReadWholeFile(path, &bytes, why, reading)) return false;
    ScanProgress scanning;
    if (progress) scanning = [&progress](int percent) { progress(90 + percent / 10); };
    table_ = ScanBytes(bytes.Span(), scanning);
    bytes_ = std::move(bytes);
    path_ = path;
    return true;
}

void Module::Clear() {
    path_.clear();
    bytes_ = ByteBuffer();
    table_ = ScanResult{};
}

const BitmapEntry* Module::Entry(int number) const {
    if (number < 1 || number > Count()) return nullptr;
    return &table_.bitmaps[static_cast<std::size_t>(number - 1)];
}

std::optional<std::vector<std::uint8_t>> Module::MakeBmp(int number, std::string* why) const {
    const BitmapEntry* entry = Entry(number);
    if (entry == nullptr) {
        if (why)
            *why = "there is no bitmap number " + std::to_string(number) + " (" + std::to_string(Count()) +
                   " found)";
        return std::nullopt;
    }
    std::string reason;
    auto bmp = BuildBmp(bytes_.Span(), *entry, &reason);
    if (!bmp && why) *why = "bitmap " + std::to_string(number) + " cannot be shown: " + reason;
    return bmp;
}

bool Module::Replace(int number, std::span<const std::uint8_t> bmp, std::string* why) {
    const BitmapEntry* entry = Entry(number);
    if (entry == nullptr) {
        if (why)
            *why = "there is no bitmap number " + std::to_string(number) + " (" + std::to_string(Count()) +
                   " found)";
        return false;
    }
    if (!IsWritable(path_)) {
        if (why) *why = "\"" + path_ + "\" cannot be opened for writing";
        return false;
    }
    // The patch is made on the bytes as scanned; if the file was changed since, writing them back would
    // undo those changes, so the file must still be what was scanned.
    if (!FileHolds(path_, bytes_.Span(), why)) return false;
    // Patched in place, so that a large module is never held twice; what the patch covers is kept to put
    // back when the file cannot be written.
    const auto layout = LayoutOf(*entry, bytes_.size(), nullptr);
    const std::size_t from = layout ? static_cast<std::size_t>(layout->paletteOffset) : 0;
    const std::size_t to = layout ? static_cast<std::size_t>(layout->pixelOffset + layout->storedBytes) : 0;
    const std::vector<std::uint8_t> before(bytes_.data() + from, bytes_.data() + to);
    if (!bytes_.MakeWritable()) {
        if (why) *why = "the module's bytes cannot be changed in memory";
        return false;
    }
    std::string reason;
    if (!ReplaceBitmap(bytes_.Span(), *entry, bmp, &reason)) {
        if (why) *why = "bitmap " + std::to_string(number) + " was not replaced: " + reason;
        return false;
    }
    if (!WriteFileSafely(path_, bytes_.Span(), why)) {
        if (!before.empty()) std::memcpy(bytes_.data() + from, before.data(), before.size());
        return false;
    }
    return true;
}

int ClampNumber(const std::string& text, int count) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i]))) ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
    long long value = 0;
    while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i]))) {
        value = std::min<long long>(value * 10 + (text[i] - '0'), 1LL << 40);
        ++i;
    }
    if (negative) value = -value;
    return static_cast<int>(std::clamp<long long>(value, 1, std::max(count, 1)));
}

int NextNumber(int number, int count) {
    return std::clamp(number + 1, 1, std::max(count, 1));
}

int PreviousNumber(int number, int count) {
    return std::clamp(number - 1, 1, std::max(count, 1));
}

}  // namespace pickwell
