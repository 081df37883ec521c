#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "lib/file_io.h"
#include "lib/scan.h"

namespace pickwell {

// A scanned file: its bytes as read, the bitmap table found in them, and the two operations on one
// numbered bitmap (numbers run from 1 to Count()).
class Module {
  public:
    // Reads and scans the file, with one percentage for both. On failure the module is empty and `why` says
    // what went wrong.
    bool Load(const std::string& path, const ScanProgress& progress, std::string* why);
    void Clear();

    const std::string& Path() const { return path_; }
    std::span<const std::uint8_t> Bytes() const { return bytes_.Span(); }
    int Count() const { return static_cast<int>(table_.bitmaps.size()); }
    std::uint64_t LeftOut() const { return table_.leftOut; }
    const std::vector<BitmapEntry>& Bitmaps() const { return table_.bitmaps; }
    // The entry of bitmap `number`, or nullptr when there is none.
    const BitmapEntry* Entry(int number) const;

    // The .bmp file for bitmap `number`, or nothing with the reason.
    std::optional<std::vector<std::uint8_t>> MakeBmp(int number, std::string* why) const;

    // Writes the palette and pixels of a .bmp over bitmap `number` in the file on disk (safely) and in
    // memory. Nothing is written when the .bmp does not fit exactly, the file was changed since it was
    // scanned, or the file cannot be written.
    bool Replace(int number, std::span<const std::uint8_t> bmp, std::string* why);

  private:
    std::string path_;
    ByteBuffer bytes_;  // the file as read, once, and as patched since
    ScanResult table_;
};

// The number box: the leading number of `text` (an empty or non-numeric text counts as 0), kept within
// 1 .. count (1 when there is no bitmap at all).
int ClampNumber(const std::string& text, int count);
int NextNumber(int number, int count);
int PreviousNumber(int number, int count);

}  // namespace pickwell
