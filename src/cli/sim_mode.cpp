#include "cli/sim_mode.h"

#include <utility>

#include "platform/paths.h"

namespace brindle::cli {
namespace {

constexpr std::pair<const char*, SimMode> kSimModes[] = {
    {"fs2000", kModeFS2000}, {"fs98", kModeFS98}, {"cfs", kModeCFS}, {"cfs2", kModeCFS2}};

}  // namespace

std::optional<SimMode> ParseSimMode(const std::string& text) {
    for (const auto& [name, mode] : kSimModes)
        if (EqualsNoCase(text, name) || text == std::to_string(mode)) return mode;
    return std::nullopt;
}

std::vector<std::string> SimModeNames() {
    std::vector<std::string> names;
    for (const auto& entry : kSimModes) names.push_back(entry.first);
    return names;
}

}  // namespace brindle::cli
