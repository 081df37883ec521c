#include "lib/rle8.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace pickwell {

Rle8Picture DecodeRle8(std::span<const std::uint8_t> data, std::uint32_t width, std::uint64_t rows,
                       std::uint64_t rowBytes) {
    Rle8Picture out;
    out.pixels.assign(rows * rowBytes, 0);
    std::uint64_t x = 0, y = 0;
    std::size_t i = 0;
    const std::size_t n = data.size();
    auto put = [&](std::uint8_t value, std::size_t count) {
        if (y >= rows || x >= width) {
            x += count;
            return;
        }
        const std::uint64_t room = width - x;
        const std::size_t k = static_cast<std::size_t>(std::min<std::uint64_t>(count, room));
        std::memset(out.pixels.data() + y * rowBytes + x, value, k);
        x += count;
    };
    while (i + 1 < n && y < rows) {
        const std::uint8_t first = data[i], second = data[i + 1];
        i += 2;
        if (first != 0) {
            put(second, first);
            continue;
        }
        if (second == 0) {  // end of line
            x = 0;
            ++y;
        } else if (second == 1) {  // end of bitmap
            out.ended = true;
            break;
        } else if (second == 2) {  // delta: right and up (in storage order: on to later rows)
            if (i + 1 >= n) {
                i = n;
                break;
            }
            x += data[i];
            y += data[i + 1];
            i += 2;
        } else {  // a literal block, padded to an even length
            const std::size_t count = second;
            const std::size_t avail = std::min(count, n - i);
            if (y < rows && x < width) {
                const std::size_t k = static_cast<std::size_t>(std::min<std::uint64_t>(avail, width - x));
                std::memcpy(out.pixels.data() + y * rowBytes + x, data.data() + i, k);
            }
            x += count;
            i += count + (count & 1);
            if (i > n) {
                i = n;
                break;
            }
        }
    }
    out.consumed = std::min(i, n);
    return out;
}

namespace {

// The shortest spelling of one row: for every position the cheapest way to code the rest of the row, from
// the end backwards, choosing between a repeat code and a literal block of each possible length.
void EncodeRow(const std::uint8_t* row, std::size_t width, std::vector<std::uint8_t>& out,
               std::vector<std::uint32_t>& cost, std::vector<std::uint16_t>& choice) {
    cost.assign(width + 1, 0);
    choice.assign(width + 1, 0);  // length of the code starting there; a literal is marked by the top bit
    constexpr std::uint16_t kLiteral = 0x8000;
    std::size_t runEnd = width;  // one past the run of equal pixels that position i is in
    for (std::size_t i = width; i-- > 0;) {
        if (i + 1 < width && row[i + 1] != row[i]) runEnd = i + 1;
        std::uint32_t best = UINT32_MAX;
        std::uint16_t pick = 0;
        const std::size_t maxRepeat = std::min<std::size_t>(runEnd - i, 255);
        // Of equally short spellings the longest repeat comes first, as a reader would write it.
        for (std::size_t k = 1; k <= maxRepeat; ++k) {
            const std::uint32_t c = 2 + cost[i + k];
            if (c <= best) best = c, pick = static_cast<std::uint16_t>(k);
        }
        const std::size_t maxLiteral = std::min<std::size_t>(width - i, 255);
        for (std::size_t k = 3; k <= maxLiteral; ++k) {
            const std::uint32_t c = static_cast<std::uint32_t>(2 + k + (k & 1)) + cost[i + k];
            if (c < best) best = c, pick = static_cast<std::uint16_t>(k | kLiteral);
        }
        cost[i] = best;
        choice[i] = pick;
    }
    for (std::size_t i = 0; i < width;) {
        const std::size_t k = choice[i] & ~kLiteral;
        if (choice[i] & kLiteral) {
            out.push_back(0);
            out.push_back(static_cast<std::uint8_t>(k));
            out.insert(out.end(), row + i, row + i + k);
            if (k & 1) out.push_back(0);
        } else {
            out.push_back(static_cast<std::uint8_t>(k));
            out.push_back(row[i]);
        }
        i += k;
    }
}

}  // namespace

std::vector<std::uint8_t> EncodeRle8(std::span<const std::uint8_t> pixels, std::uint32_t width,
                                     std::uint64_t rows, std::uint64_t rowBytes) {
    std::vector<std::uint8_t> out;
    std::vector<std::uint32_t> cost;
    std::vector<std::uint16_t> choice;
    for (std::uint64_t y = 0; y < rows; ++y) {
        EncodeRow(pixels.data() + y * rowBytes, width, out, cost, choice);
        out.push_back(0);
        out.push_back(y + 1 < rows ? 0 : 1);
    }
    if (rows == 0) {
        out.push_back(0);
        out.push_back(1);
    }
    return out;
}

}  // namespace pickwell
