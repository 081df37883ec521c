// PNG files of rendered views (the command line's output, test snapshots).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "view/image.h"

namespace brindle {

// An 8-bit RGB PNG of the image; empty for an empty image or when encoding fails.
std::vector<std::uint8_t> EncodePng(const Image& image);
// Writes the PNG through WriteFileAtomically; false (with `error` set to errno where known) on failure.
bool WritePng(const std::string& path, const Image& image, int* error = nullptr);
// Reads a PNG written by EncodePng (or any 8-bit RGB/RGBA/grey PNG); nullopt on failure.
std::optional<Image> DecodePng(const std::vector<std::uint8_t>& bytes);

}  // namespace brindle
