// File access for files that come from Windows: names differ in letter case from what is on the
// disk, and names inside panel files use backslashes as folder separators. Every file access of the
// engine goes through ResolvePath (directly or through the helpers below).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace brindle {

// The separator the engine uses when it joins paths on this system.
#ifdef _WIN32
inline constexpr char kPathSep = '\\';
#else
inline constexpr char kPathSep = '/';
#endif

inline bool IsPathSep(char c) {
    return c == '\\' || c == '/';
}

// "a" + separator + "b"; an empty `a` gives `b`.
std::string JoinPath(std::string_view a, std::string_view b);

// Backslashes become the system's separator (on Windows: slashes become backslashes).
std::string NativeSeparators(std::string_view path);

// Resolves a path for opening: an exact match first, else each component is looked up without
// regard to case. When nothing matches, the path with native separators is returned unchanged
// from the first component that could not be found.
std::string ResolvePath(std::string_view path);

bool FileExists(std::string_view path);       // a regular file (after resolution)
bool DirectoryExists(std::string_view path);  // a directory (after resolution)
bool PathExists(std::string_view path);       // anything (after resolution)

// Case-insensitive comparison of 8-bit text (ASCII letters only, as the system's file names are).
bool EqualsNoCase(std::string_view a, std::string_view b);
std::string ToUpperAscii(std::string_view s);
std::string ToLowerAscii(std::string_view s);

// Reads a whole file. Returns nullopt and sets errno-style `error` when it can't be read.
std::optional<std::vector<std::uint8_t>> ReadFileBytes(std::string_view path, int* error = nullptr);
std::optional<std::string> ReadFileText(std::string_view path, int* error = nullptr);

// Writes a file so that a failure never destroys the previous one: the data goes to a temporary
// file in the same folder, is flushed, and only then replaces the target. Returns false (with
// `error` set) when anything failed; the old file is then untouched.
bool WriteFileAtomically(std::string_view path, std::string_view data, int* error = nullptr);

// Copies a file byte for byte (overwriting the target). Returns false on any failure.
bool CopyFileBytes(std::string_view from, std::string_view to, int* error = nullptr);

// Names of the entries of a folder ("." and ".." left out), sorted; only folders when `folders`,
// else only regular files. Empty when the folder can't be listed.
std::vector<std::string> ListDirectory(std::string_view path, bool folders);

// Creates one folder (its parent must exist). Returns false with `error` set when it failed;
// `error` is EEXIST when something of that name (in any letter case) is already there.
bool MakeDirectory(std::string_view path, int* error = nullptr);

// Removes a file; false when it could not be removed.
bool RemoveFile(std::string_view path);

// Modification time of a file in nanoseconds since an arbitrary epoch, or nullopt.
std::optional<std::int64_t> FileModificationTime(std::string_view path);

// The text after the last separator; empty when the path ends with one; nullopt for an empty path or
// one without a separator.
std::optional<std::string> FileNamePart(const std::string& path);
// The path cut before its last separator (a trailing separator is cut first); nullopt for an empty
// path or one without a separator.
std::optional<std::string> DirectoryPart(const std::string& path);

#ifdef _WIN32
// The engine's text, paths too, is 8-bit in the system code page; the wide Win32 calls take it so.
std::wstring WideText(const std::string& path);
#endif

}  // namespace brindle
