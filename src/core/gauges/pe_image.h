// A 32-bit Windows module (DLL) read from its file bytes and presented as the Windows loader would
// lay it out in memory, without ever running it or handing it to a system loader. Addresses are
// relative virtual addresses (RVA) inside the image; a value read from the module that is meant as
// a pointer is an absolute address at the preferred image base, which VaToRva translates (a loader
// that maps a module at its preferred base applies no relocations, so the stored values are exact).
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace brindle {

inline constexpr std::uint32_t kResourceTypeBitmap = 2;  // RT_BITMAP

class PeImage {
  public:
    struct Section {
        std::string name;
        std::uint32_t virtualAddress = 0, virtualSize = 0;
        std::uint32_t rawOffset = 0, rawSize = 0;
    };

    // Checks the DOS and PE headers, the optional header (PE32 only) and the section table.
    static std::optional<PeImage> Parse(std::vector<std::uint8_t> file, std::string* error = nullptr);

    std::uint32_t ImageBase() const { return imageBase_; }
    std::uint32_t SizeOfImage() const { return sizeOfImage_; }
    const std::vector<Section>& Sections() const { return sections_; }
    const std::vector<std::uint8_t>& File() const { return file_; }

    // The RVA of an absolute address, or nullopt when it does not land inside the image.
    std::optional<std::uint32_t> VaToRva(std::uint32_t va) const;

    // Copies `size` bytes of the mapped image starting at `rva`. Bytes of a section beyond its file
    // data read as zero, as the loader fills them; a range that touches unmapped memory fails.
    bool Read(std::uint32_t rva, std::span<std::uint8_t> out) const;
    std::optional<std::uint32_t> U32(std::uint32_t rva) const;
    std::optional<std::uint16_t> U16(std::uint32_t rva) const;
    // A NUL-terminated text of at most `maxLen` characters; nullopt when no NUL comes in time.
    std::optional<std::string> CString(std::uint32_t rva, std::size_t maxLen) const;

    // The RVA of a named export (names compare exactly, as GetProcAddress does); a forwarded export
    // or one outside the image counts as missing.
    std::optional<std::uint32_t> FindExport(std::string_view name) const;

    // The data of a resource found by numeric type and id (the first language entry).
    std::optional<std::vector<std::uint8_t>> FindResource(std::uint32_t type, std::uint32_t id) const;

    // How many RVA reads the image can answer from one section without searching (internal).
    const Section* SectionAt(std::uint32_t rva) const;

  private:
    struct DataDirectory {
        std::uint32_t rva = 0, size = 0;
    };
    std::optional<std::uint32_t> FindResourceEntry(std::uint32_t dirRva, std::uint32_t id) const;
    // The mapped region (headers or one section) that holds `pos`.
    struct Region {
        std::uint64_t start = 0, end = 0, fileStart = 0, fileBytes = 0;
    };
    bool RegionAt(std::uint64_t pos, Region& r) const;

    std::vector<std::uint8_t> file_;
    std::uint32_t imageBase_ = 0, sizeOfImage_ = 0, sizeOfHeaders_ = 0;
    std::vector<Section> sections_;
    DataDirectory exports_, resources_;
};

}  // namespace brindle
