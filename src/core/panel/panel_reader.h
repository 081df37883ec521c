// Reading a panel.cfg into a Panel. The reader is forgiving: it finds keys by text search, repairs
// what it can and reports each problem through the message boxes of platform/messages.h.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "app/settings.h"
#include "panel/panel.h"

namespace brindle {

// Longer files are refused as not being panel files.
inline constexpr std::size_t kMaxPanelFileSize = 50000;

struct PanelReadOptions {
    SimMode mode = kModeFS2000;
    // The current simulator folder, shown in the alias message.
    std::string simDir;
    // Use the slow reference key search (for tests and the benchmark); the result is the same.
    bool literalKeySearch = false;
};

PanelReadOptions ReadOptionsFrom(const Settings& settings);

// Builds `panel` from the raw bytes of a panel.cfg: the size checks, the text check (which may ask
// whether to go on) and everything after. `path` is the name shown in messages. Returns false when
// the read failed; `panel` is then empty with loadFailed set. Text from the first NUL byte on is
// ignored. Reads nothing outside `bytes`.
bool ParsePanelText(std::string_view bytes, const std::string& path, const PanelReadOptions& options,
                    Panel& panel);

// Reads the file at `path` (opened through ResolvePath) into `panel`. Does not touch any Settings.
bool ReadPanelFile(const std::string& path, const PanelReadOptions& options, Panel& panel);

// As above with the mode and simulator folder of `settings`; on success the path becomes the current
// file of `settings`, on failure the current file is set to empty.
bool ReadPanelFile(const std::string& path, Settings& settings, Panel& panel);

}  // namespace brindle
