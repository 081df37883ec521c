#include "dialogs/field_text.h"

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>

#include "platform/messages.h"
#include "platform/paths.h"

namespace brindle {

namespace {
std::string_view Trim(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

std::string Normal(const std::string& folder) {
    std::filesystem::path p = std::filesystem::path(ResolvePath(folder)).lexically_normal();
    std::string s = p.string();
    while (s.size() > 1 && IsPathSep(s.back())) s.pop_back();
    return s;
}
}  // namespace

std::optional<long> ParseFieldUnsigned(std::string_view text) {
    text = Trim(text);
    if (text.empty() || text.size() > 9) return std::nullopt;
    long v = 0;
    for (char c : text) {
        if (c < '0' || c > '9') return std::nullopt;
        v = v * 10 + (c - '0');
    }
    return v;
}

std::optional<double> ParseFieldReal(std::string_view text) {
    text = Trim(text);
    if (text.empty() || text.size() > 64) return std::nullopt;
    // Only what a decimal number is made of: no hexadecimal, "inf" or "nan" through strtod.
    for (char c : text)
        if (!((c >= '0' && c <= '9') || c == '.' || c == '-' || c == '+' || c == 'e' || c == 'E'))
            return std::nullopt;
    std::string s(text);
    char* end = nullptr;
    errno = 0;
    double v = std::strtod(s.c_str(), &end);
    if (end != s.c_str() + s.size() || errno == ERANGE || !std::isfinite(v)) return std::nullopt;
    return v;
}

bool SameFolder(const std::string& a, const std::string& b) {
    return EqualsNoCase(Normal(a), Normal(b));
}

std::string FolderOf(const std::string& path) {
    std::size_t p = path.find_last_of("\\/");
    if (p == std::string::npos) return {};
    return p == 0 ? path.substr(0, 1) : path.substr(0, p);
}

std::string NameOf(const std::string& path) {
    std::size_t p = path.find_last_of("\\/");
    return p == std::string::npos ? path : path.substr(p + 1);
}

std::optional<std::string> BitmapIntoPanelFolder(const std::string& chosen, const std::string& panelFolder) {
    const std::string folder = FolderOf(chosen);
    const std::string name = NameOf(chosen);
    if (folder.empty() || name.empty()) return std::nullopt;
    if (SameFolder(folder, panelFolder)) return name;
    if (AskQuestion(QuestionKind::YesNo, kAskCopyIntoPanelFolder) != Answer::Yes) return std::nullopt;
    if (!CopyFileBytes(chosen, JoinPath(panelFolder, name))) {
        ShowError(kCopyBitmapError);
        return std::nullopt;
    }
    return name;
}

}  // namespace brindle
