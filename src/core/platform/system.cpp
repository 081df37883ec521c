#include "platform/system.h"

#include <cctype>
#include <cstdlib>

#include "platform/paths.h"

#ifdef _WIN32
#include <windows.h>
#endif

namespace brindle {
namespace {

std::string unescapeWineString(const std::string& s, size_t start, size_t* endOut) {
    std::string out;
    size_t i = start;
    while (i < s.size() && s[i] != '"') {
        if (s[i] == '\\' && i + 1 < s.size()) {
            char c = s[i + 1];
            if (c == 'x') {
                // \xNNNN: a UTF-16 code unit; keep 8-bit ones, drop the rest.
                size_t j = i + 2;
                unsigned v = 0;
                int digits = 0;
                while (j < s.size() && digits < 4 && std::isxdigit(static_cast<unsigned char>(s[j]))) {
                    v = v * 16 + static_cast<unsigned>(std::stoi(std::string(1, s[j]), nullptr, 16));
                    ++j;
                    ++digits;
                }
                if (v < 256) out += static_cast<char>(v);
                i = j;
                continue;
            }
            out += (c == 'n' ? '\n' : c == 't' ? '\t' : c == 'r' ? '\r' : c == '0' ? '\0' : c);
            i += 2;
            continue;
        }
        out += s[i++];
    }
    if (endOut) *endOut = i;
    return out;
}

}  // namespace

std::map<std::string, std::map<std::string, std::string>> ParseWineRegistry(const std::string& text) {
    std::map<std::string, std::map<std::string, std::string>> keys;
    std::map<std::string, std::string>* current = nullptr;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t eol = text.find('\n', pos);
        if (eol == std::string::npos) eol = text.size();
        std::string line = text.substr(pos, eol - pos);
        pos = eol + 1;
        if (!line.empty() && line.back() == '\r') line.pop_back();
        if (line.empty()) continue;
        if (line[0] == '[') {
            size_t close = line.find(']');
            if (close == std::string::npos) {
                current = nullptr;
                continue;
            }
            std::string raw = line.substr(1, close - 1), key;
            for (size_t i = 0; i < raw.size(); ++i) {
                if (raw[i] == '\\' && i + 1 < raw.size() && raw[i + 1] == '\\') ++i;
                key += raw[i];
            }
            current = &keys[ToUpperAscii(key)];
            continue;
        }
        if (!current || line[0] != '"') continue;
        size_t nameEnd = 0;
        std::string name = unescapeWineString(line, 1, &nameEnd);
        size_t eq = line.find('=', nameEnd);
        if (eq == std::string::npos) continue;
        size_t v = eq + 1;
        if (line.compare(v, 5, "str(2") == 0 || line.compare(v, 5, "str(7") == 0) {
            size_t colon = line.find(':', v);
            if (colon == std::string::npos) continue;
            v = colon + 1;
        }
        if (v >= line.size() || line[v] != '"') continue;
        (*current)[ToUpperAscii(name)] = unescapeWineString(line, v + 1, nullptr);
    }
    return keys;
}

#ifndef _WIN32
WineSystemAccess::WineSystemAccess(std::string prefix) : prefix_(std::move(prefix)) {}

std::string WineSystemAccess::defaultPrefix() {
    if (const char* p = std::getenv("WINEPREFIX"); p && *p) return p;
    const char* home = std::getenv("HOME");
    return JoinPath(home ? home : "", ".wine");
}

void WineSystemAccess::loadRegistry() {
    if (loaded_) return;
    loaded_ = true;
    if (auto text = ReadFileText(JoinPath(prefix_, "system.reg"))) keys_ = ParseWineRegistry(*text);
}

std::optional<std::string> WineSystemAccess::readMachineString(const std::string& key,
                                                               const std::string& value) {
    loadRegistry();
    auto k = keys_.find(ToUpperAscii(key));
    if (k == keys_.end()) return std::nullopt;
    auto v = k->second.find(ToUpperAscii(value));
    if (v == k->second.end()) return std::nullopt;
    return v->second;
}

std::string WineSystemAccess::mapWindowsPath(const std::string& path) {
    if (path.size() < 2 || path[1] != ':' || !std::isalpha(static_cast<unsigned char>(path[0]))) return path;
    std::string drive =
        JoinPath(JoinPath(prefix_, "dosdevices"), std::string(1, ToLowerAscii(path.substr(0, 1))[0]) + ":");
    if (!DirectoryExists(drive)) return path;
    std::string rest = path.substr(2);
    while (!rest.empty() && IsPathSep(rest.front())) rest.erase(rest.begin());
    while (!rest.empty() && IsPathSep(rest.back())) rest.pop_back();
    return rest.empty() ? drive : ResolvePath(JoinPath(drive, NativeSeparators(rest)));
}

std::string WineSystemAccess::windowsDirectory() {
    std::string win = mapWindowsPath("C:\\windows");
    return win == "C:\\windows" ? std::string() : win;
}

std::optional<std::string> WineSystemAccess::getEnv(const std::string& name) {
    const char* v = std::getenv(name.c_str());
    if (!v) return std::nullopt;
    return std::string(v);
}

void WineSystemAccess::setEnv(const std::string& name, const std::string& value) {
    ::setenv(name.c_str(), value.c_str(), 1);
}
#endif

#ifdef _WIN32
namespace {

// The registry is asked in UTF-16, so that no value is cut short by the ANSI functions' conversions.
std::string narrow(const std::wstring& s) {
    if (s.empty()) return std::string();
    int n =
        WideCharToMultiByte(CP_ACP, 0, s.data(), static_cast<int>(s.size()), nullptr, 0, nullptr, nullptr);
    std::string out(static_cast<size_t>(n), '\0');
    WideCharToMultiByte(CP_ACP, 0, s.data(), static_cast<int>(s.size()), out.data(), n, nullptr, nullptr);
    return out;
}

std::optional<std::string> queryString(REGSAM view, const std::wstring& key, const std::wstring& value) {
    HKEY h;
    if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, key.c_str(), 0, KEY_QUERY_VALUE | view, &h) != ERROR_SUCCESS)
        return std::nullopt;
    DWORD type = 0, size = 0;
    std::optional<std::string> result;
    if (RegQueryValueExW(h, value.c_str(), nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        (type == REG_SZ || type == REG_EXPAND_SZ)) {
        // One spare character: a stored string need not end with its terminator.
        std::wstring buf(size / sizeof(wchar_t) + 1, L'\0');
        DWORD got = static_cast<DWORD>(buf.size() * sizeof(wchar_t));
        if (RegQueryValueExW(h, value.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(buf.data()), &got) ==
            ERROR_SUCCESS) {
            buf.resize(got / sizeof(wchar_t));
            while (!buf.empty() && buf.back() == L'\0') buf.pop_back();
            result = narrow(buf);
        }
    }
    RegCloseKey(h);
    return result;
}

class WindowsSystemAccess : public SystemAccess {
  public:
    std::optional<std::string> readMachineString(const std::string& key, const std::string& value) override {
        // The simulators are 32-bit programs: on 64-bit Windows their installers wrote to the 32-bit
        // view of the registry, which a 64-bit program only sees when it asks for it.
        std::wstring k = WideText(key), v = WideText(value);
        if (auto s = queryString(KEY_WOW64_32KEY, k, v)) return s;
        return queryString(0, k, v);
    }
    std::string mapWindowsPath(const std::string& path) override { return path; }
    int osKind() override {
        OSVERSIONINFOA v{};
        v.dwOSVersionInfoSize = sizeof v;
        // The old Windows versions the kinds tell apart are exactly what GetVersionEx still reports
        // truthfully; newer systems all read as NT, which is what the callers want.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
        if (!GetVersionExA(&v)) return 0;
#pragma GCC diagnostic pop
        if (v.dwPlatformId == VER_PLATFORM_WIN32_WINDOWS)
            return v.dwMinorVersion == 90 ? 5 : v.dwMinorVersion == 10 ? 4 : 3;
        if (v.dwPlatformId == VER_PLATFORM_WIN32_NT) return v.dwMajorVersion == 5 ? 2 : 1;
        return 0;
    }
    std::string windowsDirectory() override {
        char buf[MAX_PATH + 1] = {};
        UINT n = GetWindowsDirectoryA(buf, MAX_PATH);
        return (n == 0 || n > MAX_PATH) ? std::string() : std::string(buf);
    }
    std::optional<std::string> getEnv(const std::string& name) override {
        const char* v = std::getenv(name.c_str());
        if (!v) return std::nullopt;
        return std::string(v);
    }
    void setEnv(const std::string& name, const std::string& value) override {
        _putenv_s(name.c_str(), value.c_str());
    }
};
}  // namespace
std::unique_ptr<SystemAccess> MakeDefaultSystemAccess() {
    return std::make_unique<WindowsSystemAccess>();
}
#else
std::unique_ptr<SystemAccess> MakeDefaultSystemAccess() {
    return std::make_unique<WineSystemAccess>(WineSystemAccess::defaultPrefix());
}
#endif

#ifdef _WIN32
std::string WindowsErrorText(unsigned long code) {
    char buf[512] = {0};
    DWORD n = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                             static_cast<DWORD>(code), 0, buf, sizeof buf, nullptr);
    std::string out(buf, n);
    while (!out.empty() && (out.back() == '\n' || out.back() == '\r' || out.back() == ' ')) out.pop_back();
    return out.empty() ? "error " + std::to_string(code) : out;
}
#endif

std::string QuoteCommandLineArgument(const std::string& arg) {
    if (!arg.empty() && arg.find_first_of(" \t\"") == std::string::npos) return arg;
    std::string out = "\"";
    std::size_t backslashes = 0;
    for (char c : arg) {
        if (c == '\\') {
            ++backslashes;
            continue;
        }
        out.append(c == '"' ? backslashes * 2 + 1 : backslashes, '\\');
        backslashes = 0;
        out += c;
    }
    out.append(backslashes * 2, '\\');
    return out + '"';
}

}  // namespace brindle
