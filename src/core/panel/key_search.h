// The panel reader's one search operation: the first occurrence of a key at or after a start
// position, without regard to (ASCII) letter case, anywhere in a line.
//
// Two implementations give the same answers. The literal one upper-cases a copy of the text from the
// start position for every search; it is kept as the reference the fast one is checked against. The
// fast one upper-cases the text once and keeps position lists for the key families that are looked
// up many times (gauge lines, titles, colours, views).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace brindle {

class KeySearch {
  public:
    static constexpr std::size_t npos = std::string_view::npos;

    // `text` must outlive the search and must not change while it is in use.
    explicit KeySearch(std::string_view text, bool literal = false);

    // The first occurrence of `key` starting at or after `start`, when it starts before `limit`;
    // npos otherwise (also when the first occurrence lies at or past `limit`).
    std::size_t find(std::size_t start, std::string_view key, std::size_t limit = npos) const;

    // As find, but the first occurrence must directly follow a LF, else the key counts as not found.
    std::size_t findAtLineStart(std::size_t start, std::string_view key, std::size_t limit = npos) const;

    std::string_view text() const { return text_; }
    bool literal() const { return literal_; }

  private:
    struct Stem {
        const char* key;
        bool built = false;
        // (two bytes after the stem) << 32 | position, sorted.
        std::vector<std::uint64_t> entries;
    };

    std::size_t findLiteral(std::size_t start, const std::string& key) const;
    std::size_t findFast(std::size_t start, std::string_view key, std::size_t limit) const;
    void buildStem(Stem& stem) const;
    std::uint64_t bucketAt(std::size_t pos) const;

    std::string_view text_;
    bool literal_;
    std::string upper_;
    mutable std::array<Stem, 8> stems_;
};

// The literal search on its own: upper-cases a copy of `text` from `start` and of `key` and returns
// the first occurrence (an absolute position) or npos.
std::size_t LiteralKeyFind(std::string_view text, std::size_t start, std::string_view key);

}  // namespace brindle
