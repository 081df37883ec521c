// The texts of the About box.
#pragma once

#include <cstdint>
#include <string>

namespace brindle {

inline constexpr const char* kVersionLabel = "Brindle Jul 11/2001";
inline constexpr int kBuildNumber = 16518;

// "%dMB Memory, %dMB Free": total rounded up to the next multiple of 16 MB, free truncated.
std::string AboutMemoryText(std::uint64_t totalBytes, std::uint64_t availableBytes);
// "%s Revision  %04d" with the empty text and the build number.
std::string AboutBuildText();
// The operating-system line: the Windows name for OsKind 1..5; elsewhere the running system's name.
std::string AboutOsText(int osKind);

// Physical memory of this machine (total, available) in bytes; zeros when unknown.
std::pair<std::uint64_t, std::uint64_t> PhysicalMemory();

}  // namespace brindle
