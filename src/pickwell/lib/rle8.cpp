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

// Positions j with their cost, as a window slides towards the start of the row: each call to Add brings a
// smaller j, DropAbove forgets the j beyond the window's end, Best is the cheapest j in the window (of equal
// ones, the furthest). Every position enters and leaves once, so a row costs time in proportion to its width.
class MinWindow {
  public:
    void Clear() { from_ = 0, items_.clear(); }
    void Add(std::size_t j, std::uint32_t value) {
        while (items_.size() > from_ && items_.back().value > value) items_.pop_back();
        items_.push_back({j, value});
    }
    void DropAbove(std::size_t last) {
        while (from_ < items_.size() && items_[from_].j > last) ++from_;
    }
    bool Empty() const { return from_ == items_.size(); }
    std::size_t BestJ() const { return items_[from_].j; }
    std::uint32_t BestValue() const { return items_[from_].value; }

  private:
    struct Item {
        std::size_t j;
        std::uint32_t value;
    };
    std::vector<Item> items_;
    std::size_t from_ = 0;
};

// The shortest spelling of one row: from the end backwards, the cheapest way to code the rest of the row
// from each position, choosing between a repeat code of each length the run of equal pixels there allows
// and a literal block of each length from 3 to 255 (which costs its length, rounded up to even, plus 2).
void EncodeRow(const std::uint8_t* row, std::size_t width, std::vector<std::uint8_t>& out,
               std::vector<std::uint32_t>& cost, std::vector<std::uint32_t>& next) {
    cost.assign(width + 1, 0);
    next.assign(width + 1,
                0);  // where the code starting at a position ends; a literal is marked by the top bit
    constexpr std::uint32_t kLiteral = 0x80000000u;
    // Literal: cost = 2 + (j - i) + ((j - i) & 1) + cost[j], so the windows hold cost[j] + j, one per parity.
    MinWindow literal[2], repeat;
    std::size_t runEnd = width;
    for (std::size_t i = width; i-- > 0;) {
        if (i + 1 < width && row[i + 1] != row[i]) {
            runEnd = i + 1;
            repeat.Clear();
        }
        repeat.Add(i + 1, cost[i + 1]);
        repeat.DropAbove(std::min(runEnd, i + 255));
        std::uint32_t best = 2 + repeat.BestValue();
        std::uint32_t pick = static_cast<std::uint32_t>(repeat.BestJ());
        if (i + 3 <= width) literal[(i + 3) & 1].Add(i + 3, cost[i + 3] + static_cast<std::uint32_t>(i + 3));
        for (int parity = 0; parity < 2; ++parity) {
            MinWindow& w = literal[parity];
            w.DropAbove(i + 255);
            if (w.Empty()) continue;
            const std::uint32_t pad = static_cast<std::uint32_t>((w.BestJ() - i) & 1);
            const std::uint32_t c = 2 + w.BestValue() - static_cast<std::uint32_t>(i) + pad;
            if (c < best) best = c, pick = static_cast<std::uint32_t>(w.BestJ()) | kLiteral;
        }
        cost[i] = best;
        next[i] = pick;
    }
    for (std::size_t i = 0; i < width;) {
        const std::size_t j = next[i] & ~kLiteral;
        const std::size_t k = j - i;
        if (next[i] & kLiteral) {
            out.push_back(0);
            out.push_back(static_cast<std::uint8_t>(k));
            out.insert(out.end(), row + i, row + j);
            if (k & 1) out.push_back(0);
        } else {
            out.push_back(static_cast<std::uint8_t>(k));
            out.push_back(row[i]);
        }
        i = j;
    }
}

}  // namespace

std::vector<std::uint8_t> EncodeRle8(std::span<const std::uint8_t> pixels, std::uint32_t width,
                                     std::uint64_t rows, std::uint64_t rowBytes) {
    std::vector<std::uint8_t> out;
    std::vector<std::uint32_t> cost, next;
    for (std::uint64_t y = 0; y < rows; ++y) {
        EncodeRow(pixels.data() + y * rowBytes, width, out, cost, next);
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
