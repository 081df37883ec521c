#include "panel/key_search.h"

#include <algorithm>
#include <cstring>

namespace brindle {
namespace {

char Upper(char c) {
    return static_cast<char>(c - ((c >= 'a' && c <= 'z') ? 32 : 0));
}

// Keys are short; longer ones (never used by the reader) take the slow path.
constexpr std::size_t kMaxShortKey = 64;

std::string UpperCopy(std::string_view s) {
    std::string out(s);
    // Eight bytes at a time: this runs over the whole text once per read.
    constexpr std::uint64_t kOnes = 0x0101010101010101ull;
    constexpr std::uint64_t kHigh = 0x8080808080808080ull;
    std::size_t n = out.size();
    std::size_t i = 0;
    for (; i + 8 <= n; i += 8) {
        std::uint64_t w;
        std::memcpy(&w, out.data() + i, 8);
        std::uint64_t low7 = w & ~kHigh;
        std::uint64_t atLeastA = low7 + (0x80 - 'a') * kOnes;    // top bit set where >= 'a'
        std::uint64_t aboveZ = low7 + (0x80 - 'z' - 1) * kOnes;  // top bit set where > 'z'
        std::uint64_t lower = atLeastA & ~aboveZ & ~w & kHigh;   // ASCII lower-case letters
        w ^= lower >> 2;                                         // clear their 0x20 bit
        std::memcpy(out.data() + i, &w, 8);
    }
    for (; i < n; ++i) out[i] = Upper(out[i]);
    return out;
}

// The key families that are searched often enough to deserve a position list. A key uses a list
// when it starts with the stem and has at least two more characters.
constexpr std::array<const char*, 8> kStems = {"GAUGE", "FIXED WINDOW", "WINDOW",    "VIEW_",
                                               "COLOR", "[WINDOW",      "[VCOCKPIT", "[FIXED WINDOW"};

// Byte by byte, as the C library's strupr does it.
std::string PlainUpperCopy(std::string_view s) {
    std::string out(s);
    for (char& c : out) c = Upper(c);
    return out;
}

}  // namespace

std::size_t LiteralKeyFind(std::string_view text, std::size_t start, std::string_view key) {
    if (start > text.size()) return std::string_view::npos;
    std::string copy = PlainUpperCopy(text.substr(start));
    std::string k = PlainUpperCopy(key);
    std::size_t p = copy.find(k);
    return p == std::string::npos ? std::string_view::npos : start + p;
}

KeySearch::KeySearch(std::string_view text, bool literal) : text_(text), literal_(literal) {
    for (std::size_t i = 0; i < kStems.size(); ++i) stems_[i].key = kStems[i];
    if (!literal_) upper_ = UpperCopy(text_);
}

std::size_t KeySearch::find(std::size_t start, std::string_view key, std::size_t limit) const {
    std::size_t p;
    if (literal_) {
        p = findLiteral(start, std::string(key));
    } else if (key.size() <= kMaxShortKey) {
        char buf[kMaxShortKey];
        for (std::size_t i = 0; i < key.size(); ++i) buf[i] = Upper(key[i]);
        p = findFast(start, std::string_view(buf, key.size()), limit);
    } else {
        std::string k = UpperCopy(key);
        p = findFast(start, k, limit);
    }
    return (p != npos && p < limit) ? p : npos;
}

std::size_t KeySearch::findAtLineStart(std::size_t start, std::string_view key, std::size_t limit) const {
    std::size_t p = find(start, key, limit);
    if (p == npos || p == 0 || text_[p - 1] != '\n') return npos;
    return p;
}

std::size_t KeySearch::findLiteral(std::size_t start, const std::string& key) const {
    return LiteralKeyFind(text_, start, key);
}

std::uint64_t KeySearch::bucketAt(std::size_t pos) const {
    auto at = [&](std::size_t i) -> std::uint64_t {
        return i < upper_.size() ? static_cast<unsigned char>(upper_[i]) : 0;
    };
    return (at(pos) << 8) | at(pos + 1);
}

void KeySearch::buildStem(Stem& stem) const {
    std::string_view s(stem.key);
    std::string_view u(upper_);
    for (std::size_t p = u.find(s); p != std::string_view::npos; p = u.find(s, p + 1)) {
        stem.entries.push_back((bucketAt(p + s.size()) << 32) | p);
    }
    std::sort(stem.entries.begin(), stem.entries.end());
    stem.built = true;
}

std::size_t KeySearch::findFast(std::size_t start, std::string_view key, std::size_t limit) const {
    if (start > upper_.size() || key.size() > upper_.size() - start) return npos;
    for (Stem& stem : stems_) {
        std::string_view s(stem.key);
        if (key.size() < s.size() + 2 || key[0] != s[0] || key.substr(0, s.size()) != s) continue;
        if (!stem.built) buildStem(stem);
        std::uint64_t bucket = (static_cast<std::uint64_t>(static_cast<unsigned char>(key[s.size()])) << 8) |
                               static_cast<unsigned char>(key[s.size() + 1]);
        auto it = std::lower_bound(stem.entries.begin(), stem.entries.end(), (bucket << 32) | start);
        for (; it != stem.entries.end() && (*it >> 32) == bucket; ++it) {
            std::size_t p = static_cast<std::size_t>(*it & 0xFFFFFFFFu);
            if (p >= limit) return npos;
            if (std::string_view(upper_).substr(p, key.size()) == key) return p;
        }
        return npos;
    }
    std::string_view u(upper_);
    if (limit != npos && limit < u.size()) {
        // Only occurrences that start before the limit count.
        std::size_t end = std::min(u.size(), limit + key.size() - (key.empty() ? 0 : 1));
        u = u.substr(0, end);
    }
    return u.find(key, start);
}

}  // namespace brindle
