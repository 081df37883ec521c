// Helpers shared by the panel tests.
#pragma once

#include <unistd.h>

#include <atomic>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "panel/panel.h"
#include "panel/panel_reader.h"
#include "platform/messages.h"

namespace brindle::testing {

// A fresh folder under the system's temporary folder, removed again with the object.
class TempDir {
  public:
    TempDir() {
        static std::atomic<int> counter{0};
        path_ = std::filesystem::temp_directory_path() /
                ("brindle-panel-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
        std::filesystem::create_directories(path_);
    }
    ~TempDir() {
        std::error_code ec;
        std::filesystem::remove_all(path_, ec);
    }
    std::string file(const std::string& name) const { return (path_ / name).string(); }
    std::string write(const std::string& name, const std::string& bytes) const {
        std::string p = file(name);
        std::ofstream(p, std::ios::binary) << bytes;
        return p;
    }
    const std::filesystem::path& path() const { return path_; }

  private:
    std::filesystem::path path_;
};

inline std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

// Reads panel text with every message recorded.
struct ReadResult {
    bool ok = false;
    Panel panel;
    RecordingMessageUi ui;

    std::vector<std::string> texts() const { return ui.texts(); }
    int count(RecordingMessageUi::Kind kind) const {
        int n = 0;
        for (const auto& e : ui.entries) n += e.kind == kind;
        return n;
    }
};

inline void Read(ReadResult& r, const std::string& text, SimMode mode = kModeFS2000, bool literal = false) {
    ScopedMessageUi scope(r.ui);
    PanelReadOptions o;
    o.mode = mode;
    o.simDir = "C:\\FS2000";
    o.literalKeySearch = literal;
    r.ok = ParsePanelText(text, "panel.cfg", o, r.panel);
}

inline ReadResult ReadText(const std::string& text, SimMode mode = kModeFS2000, bool literal = false) {
    ReadResult r;
    Read(r, text, mode, literal);
    return r;
}

}  // namespace brindle::testing
