#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace pickwell {

// Reads a whole file; on failure returns false and says why.
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>* bytes, std::string* why);

// Writes a file through a temporary file beside it and a rename, so that a failed write leaves the old
// file as it was. An existing file keeps its permissions.
bool WriteFileSafely(const std::string& path, std::span<const std::uint8_t> bytes, std::string* why);

// True when an existing file may be opened for writing.
bool IsWritable(const std::string& path);

}  // namespace pickwell
