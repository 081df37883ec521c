#include "document/aircraft.h"

#include <algorithm>
#include <cerrno>

#include "app/preferences.h"
#include "platform/messages.h"
#include "platform/paths.h"

namespace brindle {
namespace {

// One line of an aircraft.cfg: [start, end) without its line end; `next` is where the next line
// starts. CR, LF and CR LF all end a line.
struct Line {
    size_t start, end, next;
};

std::vector<Line> SplitLines(const std::string& text) {
    std::vector<Line> lines;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find_first_of("\r\n", pos);
        if (end == std::string::npos) {
            lines.push_back({pos, text.size(), text.size()});
            break;
        }
        size_t next = end + 1;
        if (text[end] == '\r' && next < text.size() && text[next] == '\n') ++next;
        lines.push_back({pos, end, next});
        pos = next;
    }
    return lines;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view Trim(std::string_view s) {
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    return s;
}

// The section name of a header line ("[fltsim.0]" gives "fltsim.0"), or nullopt.
std::optional<std::string> SectionName(const std::string& text, const Line& line) {
    std::string_view s = Trim(std::string_view(text).substr(line.start, line.end - line.start));
    if (s.empty() || s.front() != '[') return std::nullopt;
    s.remove_prefix(1);
    size_t close = s.find(']');
    if (close != std::string_view::npos) s = s.substr(0, close);
    return std::string(Trim(s));
}

// A "key = value" line: the key and where its raw value starts (after "=" and the blanks behind it).
struct KeyLine {
    std::string key;
    size_t valueStart;
};

std::optional<KeyLine> ParseKeyLine(const std::string& text, const Line& line) {
    size_t at = std::string_view(text).substr(line.start, line.end - line.start).find('=');
    if (at == std::string_view::npos) return std::nullopt;
    size_t eq = line.start + at;
    std::string_view key = Trim(std::string_view(text).substr(line.start, eq - line.start));
    if (key.empty()) return std::nullopt;
    size_t v = eq + 1;
    while (v < line.end && IsBlank(text[v])) ++v;
    return KeyLine{std::string(key), v};
}

// The value as the simulator reads it: a quoted value up to its closing quote, else up to a ";"
// comment, without the blanks around it.
std::string CleanValue(std::string_view raw) {
    raw = Trim(raw);
    if (!raw.empty() && raw.front() == '"') {
        raw.remove_prefix(1);
        size_t close = raw.find('"');
        return std::string(close == std::string_view::npos ? raw : raw.substr(0, close));
    }
    size_t semi = raw.find(';');
    if (semi != std::string_view::npos) raw = raw.substr(0, semi);
    return std::string(Trim(raw));
}

std::optional<int> FltsimNumber(const std::string& section) {
    if (section.size() < 8 || !EqualsNoCase(section.substr(0, 7), "fltsim.")) return std::nullopt;
    std::string digits = section.substr(7);
    if (digits.empty() || digits.size() > 6 || digits.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::stoi(digits);
}

bool IsFltsimSection(const std::string& section) {
    return section.size() >= 7 && EqualsNoCase(section.substr(0, 7), "fltsim.");
}

std::optional<std::string> ReadWholeText(const std::string& path) {
    if (!FileExists(path)) return std::nullopt;
    return ReadFileText(path);
}

bool ContainsAlias(const std::string& text) {
    std::string upper = ToUpperAscii(text);
    for (size_t at = upper.find("ALIAS"); at != std::string::npos; at = upper.find("ALIAS", at + 1)) {
        size_t p = at + 5;
        while (p < upper.size() && IsBlank(upper[p])) ++p;
        if (p < upper.size() && upper[p] == '=') return true;
    }
    return false;
}

bool LessNoCase(const std::string& a, const std::string& b) {
    std::string la = ToLowerAscii(a), lb = ToLowerAscii(b);
    return la != lb ? la < lb : a < b;
}

std::string LineEndOf(const std::string& text) {
    return text.find("\r\n") != std::string::npos ? "\r\n" : "\n";
}

}  // namespace

std::string AircraftRoot(const std::string& simDir) {
    return JoinPath(simDir, "Aircraft");
}

std::string AircraftFolderPath(const std::string& simDir, const std::string& aircraft) {
    return JoinPath(AircraftRoot(simDir), aircraft);
}

std::string AircraftCfgPath(const std::string& aircraftFolder) {
    return JoinPath(aircraftFolder, "Aircraft.cfg");
}

std::string PanelFolderName(const std::string& panelName) {
    return panelName.empty() ? "Panel" : "Panel." + panelName;
}

std::optional<std::string> PanelNameOfFolder(const std::string& folderName) {
    if (EqualsNoCase(folderName, "Panel")) return std::string();
    if (folderName.size() > 6 && EqualsNoCase(folderName.substr(0, 6), "Panel.")) return folderName.substr(6);
    size_t dot = folderName.find('.');
    if (dot == std::string::npos) return std::nullopt;
    return folderName.substr(dot + 1);
}

std::vector<std::string> ListAircraft(const std::string& simDir) {
    std::vector<std::string> out;
    std::string root = AircraftRoot(simDir);
    for (const std::string& name : ListDirectory(root, true)) {
        std::string panel = JoinPath(JoinPath(JoinPath(root, name), "Panel"), "Panel.cfg");
        std::optional<std::string> text = ReadWholeText(panel);
        if (!text || text->empty() || ContainsAlias(*text)) continue;
        out.push_back(name);
    }
    std::sort(out.begin(), out.end(), LessNoCase);
    return out;
}

std::vector<FltsimEntry> ParseFltsimEntries(const std::string& text) {
    std::vector<FltsimEntry> entries;
    bool inFltsim = false, sawPanel = false;
    for (const Line& line : SplitLines(text)) {
        if (std::optional<std::string> section = SectionName(text, line)) {
            inFltsim = IsFltsimSection(*section);
            sawPanel = false;
            if (inFltsim) {
                FltsimEntry e;
                e.section = *section;
                e.number = FltsimNumber(*section).value_or(-1);
                entries.push_back(std::move(e));
            }
            continue;
        }
        if (!inFltsim) continue;
        std::optional<KeyLine> kv = ParseKeyLine(text, line);
        if (!kv) continue;
        std::string value =
            CleanValue(std::string_view(text).substr(kv->valueStart, line.end - kv->valueStart));
        if (EqualsNoCase(kv->key, "title") && !entries.back().title) {
            entries.back().title = value;
        } else if (EqualsNoCase(kv->key, "panel") && !sawPanel) {
            entries.back().panel = value;
            sawPanel = true;
        }
    }
    return entries;
}

std::vector<std::string> InstalledPanelNames(const std::string& aircraftCfgPath) {
    std::vector<std::string> names;
    std::optional<std::string> text = ReadWholeText(aircraftCfgPath);
    if (!text) return names;
    for (const FltsimEntry& e : ParseFltsimEntries(*text)) {
        bool known = std::any_of(names.begin(), names.end(),
                                 [&](const std::string& n) { return EqualsNoCase(n, e.panel); });
        if (!known) names.push_back(e.panel);
    }
    return names;
}

std::optional<std::string> LookUpAircraftTitle(const std::string& aircraftCfgPath,
                                               const std::string& panelName) {
    std::optional<std::string> text = ReadWholeText(aircraftCfgPath);
    if (!text) return std::nullopt;
    for (const FltsimEntry& e : ParseFltsimEntries(*text))
        if (EqualsNoCase(e.panel, panelName)) return e.title;
    return std::nullopt;
}

std::optional<std::string> AircraftTitleForPanel(const std::string& panelCfgPath) {
    std::optional<std::string> panelFolder = DirectoryPart(panelCfgPath);
    if (!panelFolder) return std::nullopt;
    std::optional<std::string> folderName = FileNamePart(*panelFolder);
    if (!folderName) return std::nullopt;
    std::optional<std::string> panelName = PanelNameOfFolder(*folderName);
    std::optional<std::string> aircraftFolder = DirectoryPart(*panelFolder);
    if (!panelName || !aircraftFolder) return std::nullopt;
    return LookUpAircraftTitle(AircraftCfgPath(*aircraftFolder), *panelName);
}

bool IsValidNewPanelName(const std::string& name) {
    if (name.empty() || name == "." || name == "..") return false;
    for (char c : name) {
        if (static_cast<unsigned char>(c) < 32) return false;
        if (std::string_view("\\/:*?\"<>|").find(c) != std::string_view::npos) return false;
    }
    return true;
}

OpenAircraftChooser::OpenAircraftChooser(Settings& settings, Mode mode)
    : settings_(settings), mode_(mode), aircraft_(ListAircraft(settings.SimDir())) {}

std::optional<std::string> OpenAircraftChooser::ListingProblem() const {
    if (!aircraft_.empty()) return std::nullopt;
    const std::string root = AircraftRoot(settings_.SimDir());
    if (!SimFolderUsable(root))
        return "The folder \"" + root +
               "\" does not exist or can't be read.\n\nChoose the simulator and its folder with Options > "
               "FS Mode and Root Directory.";
    return "There is no aircraft with a panel in \"" + root + "\".";
}

std::string OpenAircraftChooser::Caption() const {
    return mode_ == Mode::Open ? "Select an Aircraft's Panel to Open"
                               : "Select an Aircraft to add a Panel to";
}

std::string OpenAircraftChooser::TopLine() const {
    static const char* kNames[] = {"FS2000", "FS98", "CFS", "CFS2"};
    return std::string(kNames[settings_.Mode()]) + " mode, Directory is \"" +
           AircraftRoot(settings_.SimDir()) + "\"";
}

void OpenAircraftChooser::SelectAircraft(int index) {
    installed_.clear();
    selectedPanel_ = -1;
    title_.clear();
    if (index < 0 || index >= static_cast<int>(aircraft_.size())) {
        selectedAircraft_ = -1;
        aircraftFolder_.clear();
        return;
    }
    selectedAircraft_ = index;
    aircraftFolder_ = AircraftFolderPath(settings_.SimDir(), aircraft_[index]);
    std::string cfg = AircraftCfgPath(aircraftFolder_);
    title_ = LookUpAircraftTitle(cfg, "").value_or("");
    settings_.SetLastTitle(title_);
    for (const std::string& name : InstalledPanelNames(cfg)) installed_.push_back(PanelFolderName(name));
    if (mode_ == Mode::Open && !installed_.empty()) SelectPanel(0);
}

void OpenAircraftChooser::SelectPanel(int index) {
    if (index < 0 || index >= static_cast<int>(installed_.size())) {
        selectedPanel_ = -1;
        return;
    }
    selectedPanel_ = index;
    std::string name = PanelNameOfFolder(installed_[index]).value_or("");
    title_ = LookUpAircraftTitle(AircraftCfgPath(aircraftFolder_), name).value_or("");
}

bool OpenAircraftChooser::Ok() {
    if (!AircraftSelected()) {
        ShowWarning("Please select an Aircraft");
        return false;
    }
    std::string panelFolder = selectedPanel_ < 0 ? "Panel" : installed_[selectedPanel_];
    chosenPath_ = JoinPath(JoinPath(aircraftFolder_, panelFolder), "Panel.cfg");
    if (mode_ == Mode::AddPanel) {
        if (newPanelTitle.empty()) {
            ShowWarning("Please enter a Title for the new panel");
            return false;
        }
        if (newPanelName.empty()) {
            ShowWarning("Please enter a name for the new panel");
            return false;
        }
        std::string folder = "Panel." + newPanelName;
        if (std::any_of(installed_.begin(), installed_.end(),
                        [&](const std::string& p) { return EqualsNoCase(p, folder); })) {
            ShowWarning("Please enter a unique name for the new panel");
            newPanelName.clear();
            return false;
        }
        if (!IsValidNewPanelName(newPanelName)) {
            ShowWarning("The name of the new panel becomes a folder name: it can't hold \\ / : * ? \" < > |");
            return false;
        }
        if (newPanelTitle.find_first_of("\r\n") != std::string::npos) {
            ShowWarning("Please enter a Title for the new panel");
            return false;
        }
        acceptedName_ = newPanelName;
        acceptedTitle_ = newPanelTitle;
    }
    return true;
}

std::optional<std::string> AircraftCfgWithNewEntry(const std::string& text, const std::string& name,
                                                   const std::string& title) {
    std::vector<Line> lines = SplitLines(text);
    std::vector<std::pair<size_t, std::string>> headers;  // line index, section name
    for (size_t i = 0; i < lines.size(); ++i)
        if (std::optional<std::string> s = SectionName(text, lines[i])) headers.emplace_back(i, *s);

    auto headerOf = [&](int number) -> std::optional<size_t> {
        for (size_t h = 0; h < headers.size(); ++h)
            if (FltsimNumber(headers[h].second) == number && IsFltsimSection(headers[h].second)) return h;
        return std::nullopt;
    };
    std::optional<size_t> first = headerOf(0);
    if (!first) {
        ShowError("Can't find a [fltsim.0] section in the Aircraft.cfg file");
        return std::nullopt;
    }
    // The template runs from the header of [fltsim.0] up to the next section.
    size_t firstLine = headers[*first].first;
    size_t endLine = *first + 1 < headers.size() ? headers[*first + 1].first : lines.size();
    std::string lineEnd = LineEndOf(text);

    // Rebuild the template line by line, putting the new values in.
    std::string entry;
    bool titleDone = false, panelDone = false;
    for (size_t i = firstLine; i < endLine; ++i) {
        const Line& l = lines[i];
        std::string own = text.substr(l.end, l.next - l.end);
        if (own.empty()) own = lineEnd;
        if (i == firstLine) {
            entry += "[fltsim.#]" + own;
            continue;
        }
        std::optional<KeyLine> kv = ParseKeyLine(text, l);
        if (kv && !titleDone && EqualsNoCase(kv->key, "title")) {
            entry += text.substr(l.start, kv->valueStart - l.start) + title + own;
            titleDone = true;
            continue;
        }
        if (kv && !panelDone && EqualsNoCase(kv->key, "panel")) {
            entry += text.substr(l.start, kv->valueStart - l.start) + name + own;
            panelDone = true;
            continue;
        }
        entry += text.substr(l.start, l.next - l.start);
        if (l.next == l.end) entry += lineEnd;  // the file's last line had no line end
    }
    if (!titleDone) {
        ShowError("Can't find the \"title=\" entry in the Aircraft.cfg file");
        return std::nullopt;
    }
    if (!panelDone) {
        // An entry without a panel line uses the default panel: the new one needs its own line.
        size_t afterHeader = entry.find(lineEnd) + lineEnd.size();
        entry.insert(afterHeader, "panel=" + name + lineEnd);
    }

    int n = 1;
    while (headerOf(n)) ++n;
    entry.replace(entry.find("[fltsim.#]"), 10, "[fltsim." + std::to_string(n) + "]");

    // After the entry numbered n - 1: at the next section header, or at the end of the file.
    size_t previous = *headerOf(n - 1);
    size_t insertAt = previous + 1 < headers.size() ? lines[headers[previous + 1].first].start : text.size();
    std::string out = text;
    if (insertAt == text.size() && !text.empty() && text.back() != '\n' && text.back() != '\r') {
        out += lineEnd;
        insertAt = out.size();
    }
    out.insert(insertAt, entry);
    return out;
}

int CopyFolderFiles(const std::string& from, const std::string& to, const CopyProgress& progress) {
    std::vector<std::string> files = ListDirectory(from, false);
    int total = static_cast<int>(files.size()), failed = 0;
    for (int i = 0; i < total; ++i) {
        if (progress) progress(i, total, files[i]);
        if (!CopyFileBytes(JoinPath(from, files[i]), JoinPath(to, files[i]))) {
            ShowWarning("Copy of file \"" + files[i] + "\" Failed!");
            ++failed;
        }
    }
    if (progress) progress(total, total, "");
    return failed;
}

bool AddPanelToAircraft(const std::string& chosenPanelPath, const std::string& name, const std::string& title,
                        const std::string& sourcePanelFolder, const CopyProgress& progress) {
    if (!IsValidNewPanelName(name)) {
        ShowWarning("The new panel must have a unique name!");
        return false;
    }
    std::optional<std::string> panelFolder = DirectoryPart(chosenPanelPath);
    std::optional<std::string> aircraftFolder = panelFolder ? DirectoryPart(*panelFolder) : std::nullopt;
    std::string cfgPath = AircraftCfgPath(aircraftFolder.value_or(""));
    std::optional<std::string> text = aircraftFolder ? ReadWholeText(cfgPath) : std::nullopt;
    if (!text) {
        ShowError("The Aircraft config file: \"" + cfgPath + "\", does not exist!");
        return false;
    }
    if (text->empty()) {
        ShowError("Error reading Aircraft.cfg file");
        return false;
    }
    // A title is one line of the file.
    std::string oneLine = title;
    std::replace_if(
        oneLine.begin(), oneLine.end(), [](char c) { return c == '\r' || c == '\n'; }, ' ');
    std::optional<std::string> updated = AircraftCfgWithNewEntry(*text, name, oneLine);
    if (!updated) return false;

    if (!CopyFileBytes(cfgPath, cfgPath + ".backup")) ShowWarning("Error creating backup of Aircraft.cfg");
    if (!WriteFileAtomically(cfgPath, *updated)) {
        ShowError("Can't open file \"Aircraft.cfg\"!");
        return false;
    }
    std::string newFolder = JoinPath(*aircraftFolder, "PANEL." + name);
    int error = 0;
    if (!MakeDirectory(newFolder, &error) && !(error == EEXIST && DirectoryExists(newFolder))) {
        ShowError("Couldn't create directory for new Panel");
        return false;
    }
    return CopyFolderFiles(sourcePanelFolder, ResolvePath(newFolder), progress) == 0;
}

}  // namespace brindle
