#include "lib/file_io.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>
#include <utility>

#if defined(_WIN32)
#include <io.h>
#include <process.h>
#elif __has_include(<unistd.h>)
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>
#define PICKWELL_HAVE_POSIX 1
#endif

namespace pickwell {

namespace fs = std::filesystem;

namespace {

std::string SystemText(int err) {
    return std::error_code(err, std::generic_category()).message();
}

struct FileCloser {
    void operator()(std::FILE* f) const {
        if (f != nullptr) std::fclose(f);
    }
};
using FilePtr = std::unique_ptr<std::FILE, FileCloser>;

std::string TempNameFor(const std::string& path) {
    static std::atomic<unsigned> counter{0};
    unsigned long id = 0;
#if defined(PICKWELL_HAVE_POSIX)
    id = static_cast<unsigned long>(getpid());
#elif defined(_WIN32)
    id = static_cast<unsigned long>(_getpid());
#endif
    return path + ".pickwell-" + std::to_string(id) + "-" + std::to_string(counter.fetch_add(1)) + ".tmp";
}

}  // namespace

namespace {

// Opens a file for reading, with the reason when it cannot be.
FilePtr OpenForReading(const std::string& path, std::string* why) {
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        if (why) *why = "\"" + path + "\" is a folder, not a file";
        return nullptr;
    }
    FilePtr f(std::fopen(path.c_str(), "rb"));
    if (!f && why) *why = "cannot open \"" + path + "\": " + SystemText(errno);
    return f;
}

struct Faults {
    bool counting = false;
    int steps = 0, failAt = 0, error = 0;
    bool struck = false;
};
Faults& FaultState() {
    static Faults faults;
    return faults;
}

// False, with errno set to the armed error, for the step a test made fail.
bool StepAllowed() {
    Faults& f = FaultState();
    if (!f.counting || ++f.steps != f.failAt) return true;
    f.struck = true;
    errno = f.error;
    return false;
}

}  // namespace

const char* WriteStepName(WriteStep step) {
    switch (step) {
        case WriteStep::Open:
            return "open";
        case WriteStep::Write:
            return "write";
        case WriteStep::Flush:
            return "flush";
        case WriteStep::Rename:
            return "rename";
    }
    return "?";
}

void WriteFaults::Arm(int n, int error) {
    FaultState() = Faults{true, 0, n, error, false};
}
void WriteFaults::Reset() {
    FaultState() = Faults{};
}
int WriteFaults::Steps() {
    return FaultState().steps;
}
bool WriteFaults::Struck() {
    return FaultState().struck;
}

ByteBuffer::ByteBuffer(std::size_t size) : data_(size != 0 ? new std::uint8_t[size] : nullptr), size_(size) {}

ByteBuffer::~ByteBuffer() {
    Release();
}

ByteBuffer::ByteBuffer(ByteBuffer&& other) noexcept
    : data_(std::exchange(other.data_, nullptr)),
      size_(std::exchange(other.size_, 0)),
      mapped_(std::exchange(other.mapped_, 0)),
      writable_(std::exchange(other.writable_, false)) {}

ByteBuffer& ByteBuffer::operator=(ByteBuffer&& other) noexcept {
    if (this != &other) {
        Release();
        data_ = std::exchange(other.data_, nullptr);
        size_ = std::exchange(other.size_, 0);
        mapped_ = std::exchange(other.mapped_, 0);
        writable_ = std::exchange(other.writable_, false);
    }
    return *this;
}

bool ByteBuffer::MakeWritable() {
#ifdef PICKWELL_HAVE_POSIX
    if (mapped_ != 0 && !writable_) writable_ = mprotect(data_, mapped_, PROT_READ | PROT_WRITE) == 0;
    return mapped_ == 0 || writable_;
#else
    return true;
#endif
}

void ByteBuffer::Release() {
#ifdef PICKWELL_HAVE_POSIX
    if (mapped_ != 0) {
        munmap(data_, mapped_);
        data_ = nullptr;
    }
#endif
    delete[] data_;
    data_ = nullptr;
    size_ = mapped_ = 0;
    writable_ = false;
}

bool ReadWholeFile(const std::string& path, ByteBuffer* bytes, std::string* why,
                   const ReadProgress& progress) {
    *bytes = ByteBuffer();
#ifdef PICKWELL_HAVE_POSIX
    {
        // Mapped, the pages of a file the system has cached are the buffer: nothing is copied or zeroed.
        const int fd = open(path.c_str(), O_RDONLY);
        struct stat st {};
        if (fd >= 0 && fstat(fd, &st) == 0 && S_ISREG(st.st_mode) && st.st_size > 0 &&
            static_cast<std::uintmax_t>(st.st_size) <= SIZE_MAX) {
            const auto size = static_cast<std::size_t>(st.st_size);
            int flags = MAP_PRIVATE;
#ifdef MAP_POPULATE
            flags |= MAP_POPULATE;
#endif
            void* map = mmap(nullptr, size, PROT_READ, flags, fd, 0);
            if (map != MAP_FAILED) {
                close(fd);
                bytes->data_ = static_cast<std::uint8_t*>(map);
                bytes->size_ = bytes->mapped_ = size;
                if (progress) progress(size, size);
                return true;
            }
        }
        if (fd >= 0) close(fd);
    }
#endif
    FilePtr f = OpenForReading(path, why);
    if (!f) return false;
    std::error_code ec;
    const std::uintmax_t size = fs::file_size(path, ec);
    const std::uint64_t expected = ec ? 0 : static_cast<std::uint64_t>(size);
    // Large pieces keep the number of calls small; between them the progress is reported.
    constexpr std::size_t kPiece = std::size_t{8} << 20;
    ByteBuffer buffer(static_cast<std::size_t>(expected));
    std::size_t done = 0;
    while (done < buffer.size()) {
        const std::size_t want = std::min(kPiece, buffer.size() - done);
        const std::size_t n = std::fread(buffer.data() + done, 1, want, f.get());
        done += n;
        if (progress) progress(done, buffer.size());
        if (n < want) break;
    }
    if (std::ferror(f.get())) {
        if (why) *why = "cannot read \"" + path + "\": " + SystemText(errno);
        return false;
    }
    // A file that shrank since its size was taken is read as it now is; one that grew, or one whose size
    // the system does not tell, is read on to its end.
    buffer.Shrink(done);
    if (done == buffer.size()) {
        std::vector<std::uint8_t> rest;
        std::uint8_t piece[65536];
        std::size_t n;
        while ((n = std::fread(piece, 1, sizeof piece, f.get())) > 0)
            rest.insert(rest.end(), piece, piece + n);
        if (std::ferror(f.get())) {
            if (why) *why = "cannot read \"" + path + "\": " + SystemText(errno);
            return false;
        }
        if (!rest.empty()) {
            ByteBuffer whole(buffer.size() + rest.size());
            if (!buffer.empty()) std::memcpy(whole.data(), buffer.data(), buffer.size());
            std::memcpy(whole.data() + buffer.size(), rest.data(), rest.size());
            buffer = std::move(whole);
            if (progress) progress(buffer.size(), buffer.size());
        }
    }
    *bytes = std::move(buffer);
    return true;
}

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>* bytes, std::string* why,
                   const ReadProgress& progress) {
    bytes->clear();
    ByteBuffer buffer;
    if (!ReadWholeFile(path, &buffer, why, progress)) return false;
    bytes->assign(buffer.data(), buffer.data() + buffer.size());
    return true;
}

bool FileHolds(const std::string& path, std::span<const std::uint8_t> bytes, std::string* why) {
    FilePtr f = OpenForReading(path, why);
    if (!f) return false;
    std::vector<std::uint8_t> piece(std::size_t{1} << 20);
    std::size_t at = 0;
    for (;;) {
        const std::size_t n = std::fread(piece.data(), 1, piece.size(), f.get());
        if (n > bytes.size() - at || (n > 0 && std::memcmp(piece.data(), bytes.data() + at, n) != 0)) break;
        at += n;
        if (n < piece.size()) {
            if (std::ferror(f.get())) {
                if (why) *why = "cannot read \"" + path + "\": " + SystemText(errno);
                return false;
            }
            if (at == bytes.size()) return true;
            break;
        }
    }
    if (why) *why = "\"" + path + "\" was changed after it was scanned; scan it again before writing into it";
    return false;
}

bool IsWritable(const std::string& path) {
    FilePtr f(std::fopen(path.c_str(), "r+b"));
    return f != nullptr;
}

namespace {
// Closes the temporary before it is removed: an open file cannot be removed everywhere.
template <typename Failed>
bool Abandon(FilePtr& f, Failed& failed, const std::string& what) {
    const int err = errno;
    f.reset();
    return failed(what, err);
}
}  // namespace

bool WriteFileSafely(const std::string& path, std::span<const std::uint8_t> bytes, std::string* why) {
    const std::string temp = TempNameFor(path);
    auto failed = [&](const std::string& what, int err) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        if (why) *why = what + ": " + SystemText(err);
        return false;
    };
    {
        FilePtr f(StepAllowed() ? std::fopen(temp.c_str(), "wb") : nullptr);
        if (!f) return failed("cannot create \"" + temp + "\"", errno);
        const std::string writing = "cannot write \"" + temp + "\"";
        if (!StepAllowed()) return Abandon(f, failed, writing);
        if (!bytes.empty() && std::fwrite(bytes.data(), 1, bytes.size(), f.get()) != bytes.size())
            return Abandon(f, failed, writing);
        if (!StepAllowed()) return Abandon(f, failed, writing);
        bool ok = std::fflush(f.get()) == 0;
#if defined(PICKWELL_HAVE_POSIX)
        ok = ok && fsync(fileno(f.get())) == 0;
#elif defined(_WIN32)
        ok = ok && _commit(_fileno(f.get())) == 0;
#endif
        const int err = errno;
        if (std::fclose(f.release()) != 0) ok = false;
        if (!ok) return failed(writing, err);
    }
    std::error_code ec;
    const auto status = fs::status(path, ec);
    if (!ec && fs::exists(status)) fs::permissions(temp, status.permissions(), ec);
    if (!StepAllowed()) return failed("cannot replace \"" + path + "\"", errno);
    fs::rename(temp, path, ec);
    if (ec) {
        std::error_code ignored;
        fs::remove(temp, ignored);
        if (why) *why = "cannot replace \"" + path + "\": " + ec.message();
        return false;
    }
    return true;
}

}  // namespace pickwell
