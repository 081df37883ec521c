// A small simulator folder in a temporary directory for the document and aircraft tests: aircraft
// folders with their aircraft.cfg, panel folders with panel.cfg and bitmaps, a gauges folder.
#pragma once

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>

namespace brindle::testing {

class SimTree {
  public:
    SimTree() {
        static std::atomic<int> counter{0};
        root_ = std::filesystem::temp_directory_path() /
                ("brindle-doc-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(root_ / "Aircraft");
        std::filesystem::create_directories(root_ / "gauges");
    }
    ~SimTree() {
        std::error_code ec;
        std::filesystem::remove_all(root_, ec);
    }
    SimTree(const SimTree&) = delete;
    SimTree& operator=(const SimTree&) = delete;

    std::string root() const { return root_.string(); }
    // With the system's own separators, as the file dialogs give paths.
    std::string path(const std::string& relative) const {
        return (root_ / relative).make_preferred().string();
    }

    // Writes a file (folders made as needed) and returns its path.
    std::string write(const std::string& relative, const std::string& bytes) const {
        std::filesystem::path p = (root_ / relative).make_preferred();
        std::filesystem::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << bytes;
        return p.string();
    }
    std::string copy(const std::string& from, const std::string& relative) const {
        std::ifstream in(from, std::ios::binary);
        return write(relative,
                     std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()));
    }
    std::string read(const std::string& relative) const { return ReadFile(path(relative)); }
    bool exists(const std::string& relative) const { return std::filesystem::exists(root_ / relative); }

    static std::string ReadFile(const std::string& p) {
        std::ifstream in(p, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    }

  private:
    std::filesystem::path root_;
};

inline const std::string kCorpusAircraft = std::string(BRINDLE_CORPUS_DIR) + "/aircraft/";

// A panel.cfg with one window and two gauges.
inline const char* kSimplePanel =
    "[Window Titles]\r\nWindow00=Main Panel\r\n\r\n[Window00]\r\nfile=main.bmp\r\nsize_mm=1024\r\n"
    "position=7\r\nvisible=1\r\nident=MAIN_PANEL\r\n\r\ngauge00=Cessna!Airspeed, 10,20,100,100\r\n"
    "gauge01=Mine!Clock, 200,20,80\r\n\r\n";

}  // namespace brindle::testing
