#pragma once

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

namespace pickwell {

// Called now and then while a file is read, with the bytes read so far and the file's size.
using ReadProgress = std::function<void(std::uint64_t done, std::uint64_t total)>;

// Reads a whole file; on failure returns false and says why.
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>* bytes, std::string* why,
                   const ReadProgress& progress = {});

// Writes a file through a temporary file beside it and a rename, so that a failed write leaves the old
// file as it was. An existing file keeps its permissions.
bool WriteFileSafely(const std::string& path, std::span<const std::uint8_t> bytes, std::string* why);

// True when an existing file may be opened for writing.
bool IsWritable(const std::string& path);

}  // namespace pickwell
