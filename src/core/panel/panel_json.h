// The panel model as JSON, for the command line and for tests that compare whole panels. Keys are
// the model's field names; 8-bit text is taken as Windows-1252 and turned into UTF-8.
#pragma once

#include <nlohmann/json.hpp>
#include <string>
#include <string_view>

#include "panel/panel.h"

namespace brindle {

// Bytes 0x80..0x9F map to the Windows-1252 characters (the five unused ones as U+0080.. like
// Latin-1), 0xA0..0xFF to the same code points; ASCII stays as it is.
std::string Cp1252ToUtf8(std::string_view text);

nlohmann::json PanelToJson(const Panel& panel);
nlohmann::json WindowToJson(const PanelWindow& window);
nlohmann::json GaugeToJson(const GaugeEntry& gauge);

}  // namespace brindle
