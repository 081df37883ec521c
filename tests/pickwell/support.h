#pragma once

#include <cstdint>
#include <filesystem>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "lib/command_line.h"
#include "lib/file_io.h"

namespace pickwell::testing {

// Builds a fake module: filler bytes with bitmap headers, palettes and pixels dropped in.
class ModuleBuilder {
  public:
    // Appends `count` filler bytes that never contain a 40.
    ModuleBuilder& Filler(std::size_t count) {
        for (std::size_t i = 0; i < count; ++i) bytes.push_back(static_cast<std::uint8_t>(0x90 + i % 7));
        return *this;
    }

    // Appends an info header, `colours` palette entries (0 meaning 256) and the pixel rows; returns the
    // header's 0-based offset. Palette entry i is (i, i+1, i+2, 0); pixel bytes count up from `seed`.
    std::size_t Bitmap(std::int32_t width, std::int32_t height, std::uint32_t coloursUsed,
                       std::uint16_t bits = 8, std::uint8_t seed = 1) {
        const std::size_t at = bytes.size();
        Put32(40);
        Put32(static_cast<std::uint32_t>(width));
        Put32(static_cast<std::uint32_t>(height));
        Put16(1);
        Put16(bits);
        Put32(0);  // compression
        Put32(0);  // image size
        Put32(0);
        Put32(0);
        Put32(coloursUsed);
        Put32(0);
        const std::uint32_t entries = coloursUsed == 0 ? 256 : coloursUsed;
        for (std::uint32_t i = 0; i < entries && coloursUsed <= 256; ++i) {
            bytes.push_back(static_cast<std::uint8_t>(i));
            bytes.push_back(static_cast<std::uint8_t>(i + 1));
            bytes.push_back(static_cast<std::uint8_t>(i + 2));
            bytes.push_back(0);
        }
        const std::int64_t rows = height < 0 ? -static_cast<std::int64_t>(height) : height;
        const std::int64_t stride = (static_cast<std::int64_t>(width) + 3) / 4 * 4;
        for (std::int64_t i = 0; i < stride * rows && width > 0 && width < 100000 && rows < 100000; ++i) {
            bytes.push_back(static_cast<std::uint8_t>(seed + i));
        }
        return at;
    }

    // Appends an RLE8 bitmap: an info header with compression 1 and `imageSize`, `colours` palette entries
    // (i, i+1, i+2, 0) and the given codes; returns the header's 0-based offset.
    std::size_t Rle8Bitmap(std::int32_t width, std::int32_t height, std::uint32_t colours,
                           const std::vector<std::uint8_t>& codes, std::uint32_t imageSize) {
        const std::size_t at = bytes.size();
        for (std::uint32_t v : {40u, static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)})
            Put32(v);
        Put16(1);
        Put16(8);
        for (std::uint32_t v : {1u, imageSize, 0u, 0u, colours, 0u}) Put32(v);
        for (std::uint32_t i = 0; i < colours; ++i) {
            for (std::uint32_t c : {i, i + 1, i + 2, 0u}) bytes.push_back(static_cast<std::uint8_t>(c));
        }
        bytes.insert(bytes.end(), codes.begin(), codes.end());
        return at;
    }

    void Put32(std::uint32_t v) {
        for (int i = 0; i < 4; ++i) bytes.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    void Put16(std::uint16_t v) {
        bytes.push_back(static_cast<std::uint8_t>(v));
        bytes.push_back(static_cast<std::uint8_t>(v >> 8));
    }

    std::vector<std::uint8_t> bytes;
};

// A fresh folder under the system temp folder, removed again at the end of the test.
class TempDir {
  public:
    TempDir() {
        static int serial = 0;
        std::random_device rd;
        path_ = std::filesystem::temp_directory_path() /
                ("pickwell-test-" + std::to_string(rd()) + "-" + std::to_string(serial++));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string File(const std::string& name) const { return (path_ / name).string(); }
    const std::filesystem::path& Path() const { return path_; }

  private:
    std::filesystem::path path_;
};

inline std::vector<std::uint8_t> Slurp(const std::string& path) {
    std::vector<std::uint8_t> bytes;
    ReadWholeFile(path, &bytes, nullptr);
    return bytes;
}

inline void Spill(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    WriteFileSafely(path, bytes, nullptr);
}

inline std::uint32_t Field32(const std::vector<std::uint8_t>& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at] | b[at + 1] << 8 | b[at + 2] << 16) | std::uint32_t{b[at + 3]}
                                                                                      << 24;
}

// One command-line run with what it printed.
struct Outcome {
    int status;
    std::string out, err;
};

inline Outcome Pickwell(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int status = RunCommandLine(args, out, err);
    return {status, out.str(), err.str()};
}

}  // namespace pickwell::testing
