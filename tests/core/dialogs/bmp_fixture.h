// Small .bmp files of any depth written byte by byte, for the dialogs' tests.
#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace brindle::test {

// A bottom-up BI_RGB bitmap of w x h at `bits` per pixel (grey colour table for 8 bits or fewer),
// padded with `extra` bytes at the end so tests can pick the file length.
inline std::vector<std::uint8_t> MakeBmp(int w, int h, int bits, std::size_t extra = 0) {
    const std::uint32_t stride = ((static_cast<std::uint32_t>(w) * bits + 31) / 32) * 4;
    const std::uint32_t colours = bits <= 8 ? (1u << bits) : 0;
    const std::uint32_t offBits = 14 + 40 + colours * 4;
    std::vector<std::uint8_t> out(offBits + stride * static_cast<std::uint32_t>(h) + extra, 0);
    auto put = [&](std::size_t at, std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i) out[at + i] = static_cast<std::uint8_t>(v >> (8 * i));
    };
    out[0] = 'B';
    out[1] = 'M';
    put(2, static_cast<std::uint32_t>(out.size()), 4);
    put(10, offBits, 4);
    put(14, 40, 4);
    put(18, static_cast<std::uint32_t>(w), 4);
    put(22, static_cast<std::uint32_t>(h), 4);
    put(26, 1, 2);
    put(28, static_cast<std::uint32_t>(bits), 2);
    for (std::uint32_t i = 0; i < colours; ++i) {
        std::uint8_t g = static_cast<std::uint8_t>(i * 255 / (colours > 1 ? colours - 1 : 1));
        out[54 + i * 4] = out[55 + i * 4] = out[56 + i * 4] = g;
    }
    // Some pixels that are not black, so a drawn preview shows something.
    for (std::size_t i = offBits; i < offBits + stride * static_cast<std::uint32_t>(h); i += 3) out[i] = 0x77;
    return out;
}

inline void WriteBytes(const std::filesystem::path& p, const std::vector<std::uint8_t>& bytes) {
    std::ofstream f(p, std::ios::binary);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace brindle::test
