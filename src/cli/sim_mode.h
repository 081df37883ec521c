// The simulator modes as the command line names them.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "app/settings.h"

namespace brindle::cli {

// "fs2000", "fs98", "cfs", "cfs2" in any letter case, or the mode's number "0" to "3".
std::optional<SimMode> ParseSimMode(const std::string& text);
// The names in lower case, for an option's list of choices.
std::vector<std::string> SimModeNames();

}  // namespace brindle::cli
