#include "app/help_topics.h"

#include <cctype>
#include <charconv>

namespace brindle {

namespace {

std::string_view Trim(std::string_view s) {
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.front()))) s.remove_prefix(1);
    while (!s.empty() && std::isspace(static_cast<unsigned char>(s.back()))) s.remove_suffix(1);
    return s;
}

std::string Upper(std::string_view s) {
    std::string u(s);
    for (char& c : u) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return u;
}

}  // namespace

std::map<int, std::string> ReadHelpTopicMap(std::string_view text) {
    std::map<std::string, int> numbers;  // by upper-cased name
    std::map<std::string, std::string> pages;
    std::string section;
    while (!text.empty()) {
        std::size_t nl = text.find('\n');
        std::string_view line = Trim(text.substr(0, nl));
        text = nl == std::string_view::npos ? std::string_view() : text.substr(nl + 1);
        if (line.empty() || line.front() == ';') continue;
        if (line.front() == '[') {
            section = Upper(line);
            continue;
        }
        if (section == "[MAP]") {
            constexpr std::string_view kDefine = "#define";
            if (line.substr(0, kDefine.size()) != kDefine) continue;
            std::string_view rest = Trim(line.substr(kDefine.size()));
            std::size_t blank = rest.find_first_of(" \t");
            if (blank == std::string_view::npos) continue;
            std::string_view name = rest.substr(0, blank);
            std::string_view value = Trim(rest.substr(blank));
            int n = 0;
            auto [end, ec] = std::from_chars(value.data(), value.data() + value.size(), n);
            if (ec != std::errc() || end != value.data() + value.size()) continue;
            numbers[Upper(name)] = n;
        } else if (section == "[ALIAS]") {
            std::size_t eq = line.find('=');
            if (eq == std::string_view::npos) continue;
            std::string_view name = Trim(line.substr(0, eq));
            std::string_view page = Trim(line.substr(eq + 1));
            if (!name.empty() && !page.empty()) pages[Upper(name)] = std::string(page);
        }
    }
    std::map<int, std::string> topics;
    for (const auto& [name, number] : numbers) {
        auto page = pages.find(name);
        if (page != pages.end()) topics[number] = page->second;
    }
    return topics;
}

}  // namespace brindle
