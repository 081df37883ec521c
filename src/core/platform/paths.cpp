#include "platform/paths.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <random>

#include "platform/file_faults.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#define WIN32_LEAN_AND_MEAN
#include <io.h>
#include <windows.h>
#else
#include <fcntl.h>
#include <unistd.h>
#endif

namespace fs = std::filesystem;

namespace brindle {

std::string JoinPath(std::string_view a, std::string_view b) {
    if (a.empty()) return std::string(b);
    std::string out(a);
    if (!IsPathSep(out.back())) out += kPathSep;
    out += b;
    return out;
}

std::string NativeSeparators(std::string_view path) {
    std::string out(path);
    for (char& c : out)
        if (IsPathSep(c)) c = kPathSep;
    return out;
}

bool EqualsNoCase(std::string_view a, std::string_view b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[i]);
        if (x >= 'a' && x <= 'z') x = static_cast<unsigned char>(x - 32);
        if (y >= 'a' && y <= 'z') y = static_cast<unsigned char>(y - 32);
        if (x != y) return false;
    }
    return true;
}

std::string ToUpperAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 32);
    return out;
}

std::string ToLowerAscii(std::string_view s) {
    std::string out(s);
    for (char& c : out)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c + 32);
    return out;
}

std::string ResolvePath(std::string_view path) {
    std::string native = NativeSeparators(path);
    std::error_code ec;
    if (native.empty() || fs::exists(fs::path(native), ec)) return native;
#ifdef _WIN32
    return native;  // the file system already ignores case
#else
    // Walk the components, matching each without regard to case where the exact name is missing.
    std::vector<std::string> parts;
    for (size_t pos = 0; pos <= native.size();) {
        size_t next = native.find('/', pos);
        if (next == std::string::npos) next = native.size();
        if (next > pos) parts.push_back(native.substr(pos, next - pos));
        pos = next + 1;
    }
    fs::path resolved = native[0] == '/' ? fs::path("/") : fs::path();
    for (size_t i = 0; i < parts.size(); ++i) {
        const std::string& part = parts[i];
        fs::path exact = resolved / part;
        if (part == "." || part == ".." || fs::exists(exact, ec)) {
            resolved = exact;
            continue;
        }
        std::string match;
        fs::path dir = resolved.empty() ? fs::path(".") : resolved;
        for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
            std::string name = it->path().filename().string();
            if (EqualsNoCase(name, part)) {
                match = name;
                break;
            }
        }
        if (match.empty()) {
            // Nothing matches: keep the rest as given.
            for (size_t j = i; j < parts.size(); ++j) resolved /= parts[j];
            break;
        }
        resolved /= match;
    }
    return resolved.string();
#endif
}

bool FileExists(std::string_view path) {
    std::error_code ec;
    return fs::is_regular_file(fs::path(ResolvePath(path)), ec);
}

bool DirectoryExists(std::string_view path) {
    std::error_code ec;
    return fs::is_directory(fs::path(ResolvePath(path)), ec);
}

bool PathExists(std::string_view path) {
    std::error_code ec;
    return !path.empty() && fs::exists(fs::path(ResolvePath(path)), ec);
}

std::optional<std::vector<std::uint8_t>> ReadFileBytes(std::string_view path, int* error) {
    std::string real = ResolvePath(path);
    errno = 0;
    std::FILE* f = std::fopen(real.c_str(), "rb");
    if (!f) {
        if (error) *error = errno ? errno : ENOENT;
        return std::nullopt;
    }
    std::vector<std::uint8_t> data;
    std::uint8_t buf[65536];
    size_t n;
    while ((n = std::fread(buf, 1, sizeof buf, f)) > 0) data.insert(data.end(), buf, buf + n);
    bool bad = std::ferror(f) != 0;
    std::fclose(f);
    if (bad) {
        if (error) *error = EIO;
        return std::nullopt;
    }
    return data;
}

std::optional<std::string> ReadFileText(std::string_view path, int* error) {
    auto bytes = ReadFileBytes(path, error);
    if (!bytes) return std::nullopt;
    return std::string(bytes->begin(), bytes->end());
}

#ifdef _WIN32
std::wstring WideText(const std::string& path) {
    if (path.empty()) return std::wstring();
    int n = MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), nullptr, 0);
    std::wstring out(static_cast<size_t>(n), L'\0');
    MultiByteToWideChar(CP_ACP, 0, path.data(), static_cast<int>(path.size()), out.data(), n);
    return out;
}

namespace {

// Puts `from` in the place of `to` in one step. Only the replacing move is allowed: a move that may
// copy instead would leave a half-written target behind when it fails. Returns 0 or an errno code.
int MoveOver(const std::string& from, const std::string& to) {
    if (MoveFileExW(WideText(from).c_str(), WideText(to).c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return 0;
    switch (GetLastError()) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            return ENOENT;
        case ERROR_ACCESS_DENIED:
        case ERROR_SHARING_VIOLATION:
        case ERROR_LOCK_VIOLATION:
            return EACCES;
        case ERROR_DISK_FULL:
        case ERROR_HANDLE_DISK_FULL:
            return ENOSPC;
        case ERROR_WRITE_PROTECT:
            return EROFS;
        default:
            return EIO;
    }
}

}  // namespace
#endif

bool WriteFileAtomically(std::string_view path, std::string_view data, int* error) {
    std::string target = ResolvePath(path);
    fs::path tp(target);
    fs::path dir = tp.parent_path();
    std::random_device rd;
    std::string tmp =
        (dir / (".~" + tp.filename().string() + "." + std::to_string(rd() % 1000000) + ".tmp")).string();
    std::FILE* f = nullptr;
    // Clean-up after a failed step is not a step of its own: it must happen for nothing to be left.
    auto fail = [&](int code) {
        if (error) *error = code ? code : EIO;
        if (f) std::fclose(f);
        std::error_code ec;
        fs::remove(fs::path(tmp), ec);
        return false;
    };
    int code = 0;
    if (!FileStepAllowed(FileStep::Open, &code)) return fail(code);
    errno = 0;
    f = std::fopen(tmp.c_str(), "wb");
    if (!f) return fail(errno ? errno : EACCES);
    if (!FileStepAllowed(FileStep::Write, &code)) return fail(code);
    errno = 0;
    if (std::fwrite(data.data(), 1, data.size(), f) != data.size()) return fail(errno ? errno : EIO);
    if (!FileStepAllowed(FileStep::Flush, &code)) return fail(code);
    errno = 0;
    bool ok = std::fflush(f) == 0;
#ifdef _WIN32
    ok = ok && ::_commit(::_fileno(f)) == 0;
#else
    ok = ok && ::fsync(fileno(f)) == 0;
#endif
    code = errno ? errno : EIO;
    std::FILE* closing = f;
    f = nullptr;
    ok = (std::fclose(closing) == 0) && ok;
    if (!ok) return fail(code);
#ifndef _WIN32
    // The new file keeps the permissions of the one it replaces. (Windows files have only the
    // read-only attribute, which would make the replacing move fail and the temporary undeletable.)
    std::error_code ec;
    fs::file_status old = fs::status(tp, ec);
    if (!ec && fs::is_regular_file(old)) fs::permissions(fs::path(tmp), old.permissions(), ec);
#endif
    if (!FileStepAllowed(FileStep::Rename, &code)) return fail(code);
#ifdef _WIN32
    if (int moved = MoveOver(tmp, target)) return fail(moved);
#else
    ec.clear();
    fs::rename(fs::path(tmp), tp, ec);
    if (ec) return fail(ec.value());
#endif
    return true;
}

bool CopyFileBytes(std::string_view from, std::string_view to, int* error) {
    int code = 0;
    if (!FileStepAllowed(FileStep::Copy, &code)) {
        if (error) *error = code;
        return false;
    }
    auto data = ReadFileBytes(from, error);
    if (!data) return false;
    return WriteFileAtomically(
        to, std::string_view(reinterpret_cast<const char*>(data->data()), data->size()), error);
}

std::vector<std::string> ListDirectory(std::string_view path, bool folders) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(fs::path(ResolvePath(path)), ec), end; !ec && it != end;
         it.increment(ec)) {
        std::error_code typeEc;
        bool match = folders ? it->is_directory(typeEc) : it->is_regular_file(typeEc);
        if (match && !typeEc) names.push_back(it->path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
}

bool MakeDirectory(std::string_view path, int* error) {
    std::string real = ResolvePath(path);
    std::error_code ec;
    if (fs::exists(fs::path(real), ec)) {
        if (error) *error = EEXIST;
        return false;
    }
    int code = 0;
    if (!FileStepAllowed(FileStep::MakeDir, &code)) {
        if (error) *error = code;
        return false;
    }
    if (!fs::create_directory(fs::path(real), ec)) {
        if (error) *error = ec ? ec.value() : EEXIST;
        return false;
    }
    return true;
}

bool RemoveFile(std::string_view path) {
    if (!FileStepAllowed(FileStep::Remove, nullptr)) return false;
    std::error_code ec;
    return fs::remove(fs::path(ResolvePath(path)), ec) && !ec;
}

std::optional<std::int64_t> FileModificationTime(std::string_view path) {
#ifdef _WIN32
    // The C library's stat on Windows has whole seconds only; a program that rewrites a file within
    // the same second would look as if it left the file alone.
    WIN32_FILE_ATTRIBUTE_DATA data;
    if (!GetFileAttributesExW(WideText(ResolvePath(path)).c_str(), GetFileExInfoStandard, &data))
        return std::nullopt;
    // 100 ns ticks since 1601; counted from 1970 the nanoseconds fit the signed 64 bits.
    constexpr std::int64_t kTicksTo1970 = 116444736000000000;
    const std::uint64_t ticks = (static_cast<std::uint64_t>(data.ftLastWriteTime.dwHighDateTime) << 32) |
                                data.ftLastWriteTime.dwLowDateTime;
    return (static_cast<std::int64_t>(ticks) - kTicksTo1970) * 100;
#else
    std::error_code ec;
    auto t = fs::last_write_time(fs::path(ResolvePath(path)), ec);
    if (ec) return std::nullopt;
    return static_cast<std::int64_t>(
        std::chrono::duration_cast<std::chrono::nanoseconds>(t.time_since_epoch()).count());
#endif
}

std::optional<std::string> FileNamePart(const std::string& path) {
    if (path.empty()) return std::nullopt;
    size_t sep = path.find_last_of("\\/");
    if (sep == std::string::npos) return std::nullopt;
    return path.substr(sep + 1);
}

std::optional<std::string> DirectoryPart(const std::string& path) {
    if (path.empty()) return std::nullopt;
    std::string p = path;
    if (IsPathSep(p.back())) p.pop_back();
    size_t sep = p.find_last_of("\\/");
    if (sep == std::string::npos) return std::nullopt;
    return p.substr(0, sep);
}

}  // namespace brindle
