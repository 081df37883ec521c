// The commands take one simulator folder; it belongs to the folder setting of the chosen mode.
#pragma once

#include <string>

#include "app/settings.h"

namespace brindle::cli {

// Sets the folder of `settings`' current mode (set the mode first).
inline void SetSimDirOfMode(Settings& settings, const std::string& dir) {
    switch (settings.Mode()) {
        case kModeFS2000:
            settings.SetFS2000Dir(dir);
            break;
        case kModeFS98:
            settings.SetFS98Dir(dir);
            break;
        case kModeCFS:
            settings.SetCFSDir(dir);
            break;
        case kModeCFS2:
            settings.SetCFS2Dir(dir);
            break;
    }
}

}  // namespace brindle::cli
