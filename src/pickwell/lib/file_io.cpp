#include "lib/file_io.h"

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

#if __has_include(<unistd.h>)
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
#ifdef PICKWELL_HAVE_POSIX
    id = static_cast<unsigned long>(getpid());
#endif
    return path + ".pickwell-" + std::to_string(id) + "-" + std::to_string(counter.fetch_add(1)) + ".tmp";
}

}  // namespace

bool ReadWholeFile(const std::string& path, std::vector<std::uint8_t>* bytes, std::string* why,
                   const ReadProgress& progress) {
    bytes->clear();
    std::error_code ec;
    if (fs::is_directory(path, ec)) {
        if (why) *why = "\"" + path + "\" is a folder, not a file";
        return false;
    }
    FilePtr f(std::fopen(path.c_str(), "rb"));
    if (!f) {
        if (why) *why = "cannot open \"" + path + "\": " + SystemText(errno);
        return false;
    }
    // The size is only a hint for the buffer and the progress: the read goes on until the end of the file.
    const std::uintmax_t size = fs::file_size(path, ec);
    const std::uint64_t expected = ec ? 0 : static_cast<std::uint64_t>(size);
    if (expected > 0) bytes->reserve(expected);
    constexpr std::size_t kChunk = std::size_t{1} << 20;
    for (;;) {
        const std::size_t old = bytes->size();
        bytes->resize(old + kChunk);
        const std::size_t n = std::fread(bytes->data() + old, 1, kChunk, f.get());
        bytes->resize(old + n);
        if (progress) progress(bytes->size(), std::max<std::uint64_t>(expected, bytes->size()));
        if (n < kChunk) break;
    }
    if (std::ferror(f.get())) {
        if (why) *why = "cannot read \"" + path + "\": " + SystemText(errno);
        bytes->clear();
        return false;
    }
    return true;
}

bool IsWritable(const std::string& path) {
    FilePtr f(std::fopen(path.c_str(), "r+b"));
    return f != nullptr;
}

bool WriteFileSafely(const std::string& path, std::span<const std::uint8_t> bytes, std::string* why) {
    const std::string temp = TempNameFor(path);
    {
        FilePtr f(std::fopen(temp.c_str(), "wb"));
        if (!f) {
            if (why) *why = "cannot create \"" + temp + "\": " + SystemText(errno);
            return false;
        }
        bool ok = bytes.empty() || std::fwrite(bytes.data(), 1, bytes.size(), f.get()) == bytes.size();
        ok = ok && std::fflush(f.get()) == 0;
#ifdef PICKWELL_HAVE_POSIX
        ok = ok && fsync(fileno(f.get())) == 0;
#endif
        const int err = errno;
        if (std::fclose(f.release()) != 0) ok = false;
        if (!ok) {
            std::error_code ignored;
            fs::remove(temp, ignored);
            if (why) *why = "cannot write \"" + temp + "\": " + SystemText(err);
            return false;
        }
    }
    std::error_code ec;
    const auto status = fs::status(path, ec);
    if (!ec && fs::exists(status)) fs::permissions(temp, status.permissions(), ec);
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
