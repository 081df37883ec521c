// A scratch folder of the fuzzing process, for targets whose code under test reads files by name.
// Removed when the process ends; each input overwrites what the previous one wrote.
#pragma once

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

namespace fuzzing {

inline const std::filesystem::path& ScratchDir() {
    struct Dir {
        Dir() {
            path = std::filesystem::temp_directory_path() / ("brindle-fuzz-" + std::to_string(::getpid()));
            std::filesystem::create_directories(path);
        }
        ~Dir() {
            std::error_code ec;
            std::filesystem::remove_all(path, ec);
        }
        std::filesystem::path path;
    };
    static Dir dir;
    return dir.path;
}

// The harness's own file set-up, not a write path under test.
inline std::string PutFile(const std::filesystem::path& path, std::string_view bytes) {
    std::filesystem::create_directories(path.parent_path());
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return path.string();
}

}  // namespace fuzzing
