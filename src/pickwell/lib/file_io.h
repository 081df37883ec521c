#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace pickwell {

// Called now and then while a file is read, with the bytes read so far and the file's size.
using ReadProgress = std::function<void(std::uint64_t done, std::uint64_t total)>;

// A file's bytes in one block that is never zero-filled first: the read writes each byte once, which is
// what makes reading a large module as cheap as copying it.
class ByteBuffer {
  public:
    ByteBuffer() = default;
    explicit ByteBuffer(std::size_t size)
        : data_(size != 0 ? new std::uint8_t[size] : nullptr), size_(size) {}
    std::uint8_t* data() { return data_.get(); }
    const std::uint8_t* data() const { return data_.get(); }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    // Keeps the first `size` bytes (never more than there are).
    void Shrink(std::size_t size) { size_ = size < size_ ? size : size_; }
    std::span<std::uint8_t> Span() { return {data_.get(), size_}; }
    std::span<const std::uint8_t> Span() const { return {data_.get(), size_}; }

  private:
    std::unique_ptr<std::uint8_t[]> data_;
    std::size_t size_ = 0;
};

// Reads a whole file with one pass of reads straight into the buffer; on failure returns false and says why.
bool ReadWholeFile(const std::string& path, ByteBuffer* bytes, std::string* why,
                   const ReadProgress& progress = {});
bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>* bytes, std::string* why,
                   const ReadProgress& progress = {});

// True when the file holds exactly `bytes` (read piece by piece, so that no second copy of a large file is
// made); false with the reason when it differs or cannot be read.
bool FileHolds(const std::string& path, std::span<const std::uint8_t> bytes, std::string* why);

// Writes a file through a temporary file beside it and a rename, so that a failed write leaves the old
// file as it was. An existing file keeps its permissions.
bool WriteFileSafely(const std::string& path, std::span<const std::uint8_t> bytes, std::string* why);

// The steps of WriteFileSafely. A test can make any one of them fail (the Nth step counted from Arm) to
// check that a failed write leaves the old file whole and no temporary behind; otherwise none ever fails.
enum class WriteStep { Open, Write, Flush, Rename };
const char* WriteStepName(WriteStep step);
class WriteFaults {
  public:
    static void Arm(int n, int error);  // n = 0 counts without failing
    static void Reset();
    static int Steps();
    static bool Struck();  // the armed step came and failed
};

// True when an existing file may be opened for writing.
bool IsWritable(const std::string& path);

}  // namespace pickwell
