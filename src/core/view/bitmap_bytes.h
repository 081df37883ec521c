// The one primitive through which bitmaps and gauge modules are read: a read succeeds only when the
// whole range lies inside the buffer, checked without overflow.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <optional>
#include <span>
#include <string>

namespace brindle {

class CheckedBytes {
  public:
    CheckedBytes() = default;
    explicit CheckedBytes(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}

    std::size_t Size() const { return bytes_.size(); }
    std::span<const std::uint8_t> Bytes() const { return bytes_; }

    bool Contains(std::uint64_t offset, std::uint64_t size) const {
        return offset <= bytes_.size() && size <= bytes_.size() - offset;
    }
    // The range, or nullopt when it does not lie inside.
    std::optional<std::span<const std::uint8_t>> Slice(std::uint64_t offset, std::uint64_t size) const {
        if (!Contains(offset, size)) return std::nullopt;
        return bytes_.subspan(static_cast<std::size_t>(offset), static_cast<std::size_t>(size));
    }
    std::optional<std::uint8_t> U8(std::uint64_t offset) const {
        if (!Contains(offset, 1)) return std::nullopt;
        return bytes_[static_cast<std::size_t>(offset)];
    }
    std::optional<std::uint16_t> U16(std::uint64_t offset) const {
        if (!Contains(offset, 2)) return std::nullopt;
        const std::uint8_t* p = bytes_.data() + offset;
        return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
    }
    std::optional<std::uint32_t> U32(std::uint64_t offset) const {
        if (!Contains(offset, 4)) return std::nullopt;
        const std::uint8_t* p = bytes_.data() + offset;
        return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
               (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
    }
    std::optional<std::int32_t> I32(std::uint64_t offset) const {
        auto v = U32(offset);
        if (!v) return std::nullopt;
        return static_cast<std::int32_t>(*v);
    }
    // A NUL-terminated text starting at `offset`, at most `maxLen` characters; nullopt when no NUL
    // is found inside the buffer within that length.
    std::optional<std::string> CString(std::uint64_t offset, std::size_t maxLen) const {
        if (offset >= bytes_.size()) return std::nullopt;
        std::size_t start = static_cast<std::size_t>(offset);
        std::size_t limit = std::min(bytes_.size() - start, maxLen + 1);
        const void* nul = std::memchr(bytes_.data() + start, 0, limit);
        if (!nul) return std::nullopt;
        return std::string(reinterpret_cast<const char*>(bytes_.data() + start),
                           static_cast<const std::uint8_t*>(nul) - (bytes_.data() + start));
    }

  private:
    std::span<const std::uint8_t> bytes_;
};

}  // namespace brindle
