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

// A file's bytes in one block: either the file mapped (copy-on-write, so that patching the bytes never
// touches the file) or a heap block that is never zero-filled first. Either way no byte is copied more
// than once, which is what makes reading a large module as cheap as reading it with cat.
class ByteBuffer {
  public:
    ByteBuffer() = default;
    // A heap block of `size` bytes whose contents are not set.
    explicit ByteBuffer(std::size_t size);
    ~ByteBuffer();
    ByteBuffer(ByteBuffer&& other) noexcept;
    ByteBuffer& operator=(ByteBuffer&& other) noexcept;
    ByteBuffer(const ByteBuffer&) = delete;
    ByteBuffer& operator=(const ByteBuffer&) = delete;

    std::uint8_t* data() { return data_; }
    const std::uint8_t* data() const { return data_; }
    std::size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    bool Mapped() const { return mapped_ != 0; }
    // A mapping is read-only until this is called (mapping a file writable would copy every page at once);
    // afterwards only the pages written to are copied. False when the system refuses.
    bool MakeWritable();
    // Keeps the first `size` bytes (never more than there are).
    void Shrink(std::size_t size) { size_ = size < size_ ? size : size_; }
    std::span<std::uint8_t> Span() { return {data_, size_}; }
    std::span<const std::uint8_t> Span() const { return {data_, size_}; }

  private:
    friend bool ReadWholeFile(const std::string&, ByteBuffer*, std::string*, const ReadProgress&);
    void Release();
    std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
    std::size_t mapped_ = 0;  // bytes mapped; 0 = a heap block
    bool writable_ = false;
};

// Reads a whole file: a regular file is mapped where the system can, anything else read with one pass of
// reads straight into the buffer. On failure returns false and says why.
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
