#include "gauges/pe_image.h"

#include <algorithm>

#include "view/bitmap_bytes.h"

namespace brindle {
namespace {

bool Fail(std::string* error, const char* text) {
    if (error) *error = text;
    return false;
}

constexpr std::uint32_t kMaxResourceBytes = 64u * 1024 * 1024;

}  // namespace

std::optional<PeImage> PeImage::Parse(std::vector<std::uint8_t> file, std::string* error) {
    CheckedBytes b(file);
    PeImage pe;
    if (b.U16(0) != 0x5A4D) {
        Fail(error, "not a Windows module (no MZ header)");
        return std::nullopt;
    }
    auto lfanew = b.U32(0x3C);
    if (!lfanew || b.U32(*lfanew) != 0x00004550u) {
        Fail(error, "not a Windows module (no PE header)");
        return std::nullopt;
    }
    const std::uint64_t coff = std::uint64_t{*lfanew} + 4;
    auto machine = b.U16(coff), sectionCount = b.U16(coff + 2), optSize = b.U16(coff + 16);
    if (!machine || !sectionCount || !optSize) {
        Fail(error, "the PE header is cut short");
        return std::nullopt;
    }
    if (*machine != 0x014C) {
        Fail(error, "not a 32-bit x86 module");
        return std::nullopt;
    }
    const std::uint64_t opt = coff + 20;
    if (b.U16(opt) != 0x010B) {
        Fail(error, "not a 32-bit (PE32) module");
        return std::nullopt;
    }
    auto imageBase = b.U32(opt + 28), sectionAlign = b.U32(opt + 32), sizeOfImage = b.U32(opt + 56),
         sizeOfHeaders = b.U32(opt + 60), dirCount = b.U32(opt + 92);
    if (!imageBase || !sectionAlign || !sizeOfImage || !sizeOfHeaders || !dirCount || *optSize < 96 ||
        !b.Contains(opt, *optSize)) {
        Fail(error, "the optional header is cut short");
        return std::nullopt;
    }
    if (*sectionAlign == 0 || (*sectionAlign & (*sectionAlign - 1)) != 0) {
        Fail(error, "bad section alignment");
        return std::nullopt;
    }
    pe.imageBase_ = *imageBase;
    pe.sizeOfImage_ = *sizeOfImage;
    pe.sizeOfHeaders_ = *sizeOfHeaders;
    // A directory the header does not list is absent (rva 0); one it lists must be readable.
    auto dir = [&](std::uint32_t index) -> std::optional<DataDirectory> {
        std::uint64_t at = opt + 96 + 8 * std::uint64_t{index};
        if (index >= *dirCount || at + 8 > opt + *optSize) return DataDirectory{};
        auto rva = b.U32(at), size = b.U32(at + 4);
        if (!rva || !size) return std::nullopt;
        return DataDirectory{*rva, *size};
    };
    auto exports = dir(0), resources = dir(2);
    if (!exports || !resources) {
        Fail(error, "the optional header is cut short");
        return std::nullopt;
    }
    pe.exports_ = *exports;
    pe.resources_ = *resources;

    if (*sectionCount > 96) {
        Fail(error, "too many sections");
        return std::nullopt;
    }
    const std::uint64_t table = opt + *optSize;
    for (std::uint32_t i = 0; i < *sectionCount; ++i) {
        std::uint64_t at = table + 40 * std::uint64_t{i};
        auto raw = b.Slice(at, 40);
        if (!raw) {
            Fail(error, "the section table is cut short");
            return std::nullopt;
        }
        const CheckedBytes header(*raw);
        auto virtualSize = header.U32(8), virtualAddress = header.U32(12), rawSize = header.U32(16),
             rawOffset = header.U32(20);
        auto nameBytes = header.Slice(0, 8);
        if (!virtualSize || !virtualAddress || !rawSize || !rawOffset || !nameBytes) {
            Fail(error, "the section table is cut short");
            return std::nullopt;
        }
        Section s;
        // Eight bytes, padded with NULs when the name is shorter.
        for (std::uint8_t c : *nameBytes) {
            if (c == 0) break;
            s.name.push_back(static_cast<char>(c));
        }
        s.virtualSize = *virtualSize;
        s.virtualAddress = *virtualAddress;
        s.rawSize = *rawSize;
        s.rawOffset = *rawOffset;
        if (s.rawSize != 0 && !b.Contains(s.rawOffset, s.rawSize)) {
            Fail(error, "section data lies outside the file");
            return std::nullopt;
        }
        std::uint64_t span = s.virtualSize != 0 ? s.virtualSize : s.rawSize;
        if (std::uint64_t{s.virtualAddress} + span > *sizeOfImage || s.virtualAddress < *sizeOfHeaders) {
            Fail(error, "a section lies outside the image");
            return std::nullopt;
        }
        pe.sections_.push_back(std::move(s));
    }
    // Sections in address order, without overlaps, as the loader demands.
    std::sort(pe.sections_.begin(), pe.sections_.end(),
              [](const Section& a, const Section& c) { return a.virtualAddress < c.virtualAddress; });
    for (size_t i = 1; i < pe.sections_.size(); ++i) {
        const Section& p = pe.sections_[i - 1];
        std::uint64_t end =
            std::uint64_t{p.virtualAddress} + (p.virtualSize != 0 ? p.virtualSize : p.rawSize);
        if (end > pe.sections_[i].virtualAddress) {
            Fail(error, "sections overlap");
            return std::nullopt;
        }
    }
    pe.file_ = std::move(file);
    return pe;
}

std::optional<std::uint32_t> PeImage::VaToRva(std::uint32_t va) const {
    if (va < imageBase_) return std::nullopt;
    std::uint32_t rva = va - imageBase_;
    if (rva >= sizeOfImage_) return std::nullopt;
    return rva;
}

const PeImage::Section* PeImage::SectionAt(std::uint32_t rva) const {
    for (const Section& s : sections_) {
        std::uint64_t span = s.virtualSize != 0 ? s.virtualSize : s.rawSize;
        if (rva >= s.virtualAddress && rva < std::uint64_t{s.virtualAddress} + span) return &s;
    }
    return nullptr;
}

bool PeImage::RegionAt(std::uint64_t pos, Region& r) const {
    if (pos >= sizeOfImage_) return false;
    if (pos < sizeOfHeaders_) {
        r.start = 0;
        r.end = sizeOfHeaders_;
        r.fileStart = 0;
        r.fileBytes = std::min<std::uint64_t>(sizeOfHeaders_, file_.size());
        return true;
    }
    const Section* s = SectionAt(static_cast<std::uint32_t>(pos));
    if (!s) return false;
    r.start = s->virtualAddress;
    r.end = std::uint64_t{s->virtualAddress} + (s->virtualSize != 0 ? s->virtualSize : s->rawSize);
    r.fileStart = s->rawOffset;
    r.fileBytes = std::min<std::uint64_t>(s->rawSize, r.end - r.start);
    return true;
}

bool PeImage::Read(std::uint32_t rva, std::span<std::uint8_t> out) const {
    const CheckedBytes file(file_);
    std::uint64_t pos = rva;
    std::size_t done = 0;
    while (done < out.size()) {
        Region r;
        if (!RegionAt(pos, r)) return false;
        const std::uint64_t off = pos - r.start;
        const std::size_t n =
            static_cast<std::size_t>(std::min<std::uint64_t>(out.size() - done, r.end - pos));
        // The region's file bytes first, then the zero fill the loader gives the rest.
        const std::uint64_t inFile = off < r.fileBytes ? std::min<std::uint64_t>(n, r.fileBytes - off) : 0;
        auto bytes = file.Slice(r.fileStart + off, inFile);
        if (!bytes) return false;
        std::copy(bytes->begin(), bytes->end(), out.begin() + static_cast<std::ptrdiff_t>(done));
        std::fill(out.begin() + static_cast<std::ptrdiff_t>(done + inFile),
                  out.begin() + static_cast<std::ptrdiff_t>(done + n), std::uint8_t{0});
        done += n;
        pos += n;
    }
    return true;
}

std::optional<std::uint32_t> PeImage::U32(std::uint32_t rva) const {
    std::uint8_t b[4];
    if (!Read(rva, b)) return std::nullopt;
    return static_cast<std::uint32_t>(b[0]) | (static_cast<std::uint32_t>(b[1]) << 8) |
           (static_cast<std::uint32_t>(b[2]) << 16) | (static_cast<std::uint32_t>(b[3]) << 24);
}

std::optional<std::uint16_t> PeImage::U16(std::uint32_t rva) const {
    std::uint8_t b[2];
    if (!Read(rva, b)) return std::nullopt;
    return static_cast<std::uint16_t>(b[0] | (b[1] << 8));
}

std::optional<std::string> PeImage::CString(std::uint32_t rva, std::size_t maxLen) const {
    const CheckedBytes file(file_);
    std::string out;
    std::uint64_t pos = rva;
    while (out.size() <= maxLen) {
        Region r;
        if (!RegionAt(pos, r)) return std::nullopt;
        // Scan this region in one go: file bytes first, then the zero fill (which ends the text).
        std::uint64_t off = pos - r.start;
        std::uint64_t limit = std::min<std::uint64_t>(r.end - pos, maxLen + 1 - out.size());
        std::uint64_t inFile = off < r.fileBytes ? std::min<std::uint64_t>(limit, r.fileBytes - off) : 0;
        if (inFile > 0) {
            auto bytes = file.Slice(r.fileStart + off, inFile);
            if (!bytes) return std::nullopt;
            const auto nul = std::find(bytes->begin(), bytes->end(), std::uint8_t{0});
            out.append(bytes->begin(), nul);
            if (nul != bytes->end()) return out;
        }
        if (inFile < limit) return out;  // reached the zero fill
        pos += limit;
    }
    return std::nullopt;
}

std::optional<std::uint32_t> PeImage::FindExport(std::string_view name) const {
    if (exports_.rva == 0 || exports_.size == 0) return std::nullopt;
    const std::uint32_t d = exports_.rva;
    auto functionCount = U32(d + 20), nameCount = U32(d + 24), functions = U32(d + 28), names = U32(d + 32),
         ordinals = U32(d + 36);
    if (!functionCount || !nameCount || !functions || !names || !ordinals) return std::nullopt;
    // Each name costs reads inside the image, so a damaged count ends at the first failed read.
    for (std::uint32_t i = 0; i < *nameCount && i < 65536; ++i) {
        auto nameRva = U32(*names + 4 * i);
        if (!nameRva) return std::nullopt;
        auto text = CString(*nameRva, 512);
        if (!text || *text != name) continue;
        auto ordinal = U16(*ordinals + 2 * i);
        if (!ordinal || *ordinal >= *functionCount) return std::nullopt;
        auto rva = U32(*functions + 4u * *ordinal);
        if (!rva || *rva == 0 || *rva >= sizeOfImage_) return std::nullopt;
        // An address inside the export directory is a forwarder text, not data of this module.
        if (*rva >= d && std::uint64_t{*rva} < std::uint64_t{d} + exports_.size) return std::nullopt;
        return rva;
    }
    return std::nullopt;
}

std::optional<std::uint32_t> PeImage::FindResourceEntry(std::uint32_t dirRva, std::uint32_t id) const {
    auto named = U16(dirRva + 12), ids = U16(dirRva + 14);
    if (!named || !ids) return std::nullopt;
    std::uint32_t first = *named, count = std::uint32_t{*named} + *ids;
    for (std::uint32_t i = first; i < count; ++i) {
        std::uint64_t at = std::uint64_t{dirRva} + 16 + 8 * std::uint64_t{i};
        if (at + 8 > 0xFFFFFFFFu) return std::nullopt;
        auto entryId = U32(static_cast<std::uint32_t>(at));
        auto offset = U32(static_cast<std::uint32_t>(at + 4));
        if (!entryId || !offset) return std::nullopt;
        if (id == 0xFFFFFFFFu || *entryId == id) return offset;
    }
    return std::nullopt;
}

std::optional<std::vector<std::uint8_t>> PeImage::FindResource(std::uint32_t type, std::uint32_t id) const {
    if (resources_.rva == 0) return std::nullopt;
    const std::uint32_t root = resources_.rva;
    auto subdir = [&](std::optional<std::uint32_t> offset) -> std::optional<std::uint32_t> {
        if (!offset || (*offset & 0x80000000u) == 0) return std::nullopt;
        std::uint64_t rva = std::uint64_t{root} + (*offset & 0x7FFFFFFFu);
        if (rva >= sizeOfImage_) return std::nullopt;
        return static_cast<std::uint32_t>(rva);
    };
    auto typeDir = subdir(FindResourceEntry(root, type));
    if (!typeDir) return std::nullopt;
    auto nameDir = subdir(FindResourceEntry(*typeDir, id));
    if (!nameDir) return std::nullopt;
    // Any language will do; the first entry is taken.
    auto leaf = FindResourceEntry(*nameDir, 0xFFFFFFFFu);
    if (!leaf || (*leaf & 0x80000000u) != 0) return std::nullopt;
    std::uint64_t entry = std::uint64_t{root} + *leaf;
    if (entry + 8 > sizeOfImage_) return std::nullopt;
    auto dataRva = U32(static_cast<std::uint32_t>(entry)), size = U32(static_cast<std::uint32_t>(entry + 4));
    if (!dataRva || !size || *size > kMaxResourceBytes || std::uint64_t{*dataRva} + *size > sizeOfImage_) {
        return std::nullopt;
    }
    std::vector<std::uint8_t> data(*size);
    if (!Read(*dataRva, data)) return std::nullopt;
    return data;
}

}  // namespace brindle
