// Builds packed bitmaps and .bmp files byte by byte for the bitmap tests.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace brindle::test {

inline void Put16(std::vector<std::uint8_t>& v, std::uint32_t x) {
    v.push_back(static_cast<std::uint8_t>(x));
    v.push_back(static_cast<std::uint8_t>(x >> 8));
}
inline void Put32(std::vector<std::uint8_t>& v, std::uint32_t x) {
    Put16(v, x & 0xFFFF);
    Put16(v, x >> 16);
}

struct DibLayout {
    int width = 1, height = 1, bits = 8;
    std::uint32_t compression = 0, clrUsed = 0;
    std::vector<std::uint32_t> table;  // 0x00RRGGBB
    std::vector<std::uint32_t> masks;  // written after the header when not empty
    std::vector<std::uint8_t> pixels;  // the bits exactly as stored
};

// BITMAPINFOHEADER + masks + colour table + bits.
inline std::vector<std::uint8_t> PackedDib(const DibLayout& s) {
    std::vector<std::uint8_t> v;
    Put32(v, 40);
    Put32(v, static_cast<std::uint32_t>(s.width));
    Put32(v, static_cast<std::uint32_t>(s.height));
    Put16(v, 1);
    Put16(v, static_cast<std::uint32_t>(s.bits));
    Put32(v, s.compression);
    Put32(v, static_cast<std::uint32_t>(s.pixels.size()));
    Put32(v, 2835);
    Put32(v, 2835);
    Put32(v, s.clrUsed);
    Put32(v, 0);
    for (auto m : s.masks) Put32(v, m);
    for (auto c : s.table) {
        v.push_back(static_cast<std::uint8_t>(c));
        v.push_back(static_cast<std::uint8_t>(c >> 8));
        v.push_back(static_cast<std::uint8_t>(c >> 16));
        v.push_back(0);
    }
    v.insert(v.end(), s.pixels.begin(), s.pixels.end());
    return v;
}

// A .bmp file: the 14-byte file header in front of the packed bitmap.
inline std::vector<std::uint8_t> BmpFile(const std::vector<std::uint8_t>& packed, std::uint32_t offBits) {
    std::vector<std::uint8_t> v{'B', 'M'};
    Put32(v, static_cast<std::uint32_t>(packed.size() + 14));
    Put32(v, 0);
    Put32(v, offBits);
    v.insert(v.end(), packed.begin(), packed.end());
    return v;
}

}  // namespace brindle::test
