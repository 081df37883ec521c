#include "panel/panel_reader.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <charconv>
#include <climits>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <optional>
#include <vector>

#include "panel/key_search.h"
#include "panel/panel_writer.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/printf.h"

namespace brindle {
namespace {

constexpr std::size_t npos = std::string_view::npos;

// Values of this length or longer count as no value.
constexpr std::size_t kMaxValueLength = 260;
constexpr std::size_t kMaxGaugeNameField = 96;
constexpr std::size_t kMaxGaugeParameterField = 128;
constexpr std::size_t kMaxNumberListChars = 31;
constexpr std::size_t kMaxVerbatimChars = 5120;
constexpr std::size_t kTextCheckBytes = 100;

BRINDLE_PRINTF_LIKE(1, 2) std::string Format(const char* fmt, ...) {
    char small[512];
    va_list ap;
    va_start(ap, fmt);
    int n = std::vsnprintf(small, sizeof small, fmt, ap);
    va_end(ap);
    if (n < 0) return {};
    if (static_cast<std::size_t>(n) < sizeof small) return std::string(small, static_cast<std::size_t>(n));
    std::string out(static_cast<std::size_t>(n) + 1, '\0');
    va_start(ap, fmt);
    std::vsnprintf(out.data(), out.size(), fmt, ap);
    va_end(ap);
    out.resize(static_cast<std::size_t>(n));
    return out;
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
bool IsLineEnd(char c) {
    return c == '\r' || c == '\n';
}
bool IsLetter(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

int ClampToInt(std::int64_t v) {
    if (v > INT_MAX) return INT_MAX;
    if (v < INT_MIN) return INT_MIN;
    return static_cast<int>(v);
}

// Digits from `s` (at most `maxDigits`), as an int that saturates instead of overflowing.
int DigitsValue(std::string_view s, std::size_t maxDigits = 11) {
    std::int64_t v = 0;
    for (std::size_t i = 0; i < s.size() && i < maxDigits && IsDigit(s[i]); ++i) {
        if (v < (std::int64_t{1} << 40)) v = v * 10 + (s[i] - '0');
    }
    return ClampToInt(v);
}

// The C library's atoi on a piece of text: leading white space, an optional sign, digits.
int AtoiLike(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && (IsBlank(s[i]) || IsLineEnd(s[i]) || s[i] == '\v' || s[i] == '\f')) ++i;
    bool negative = false;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) negative = s[i++] == '-';
    std::int64_t v = 0;
    for (; i < s.size() && IsDigit(s[i]); ++i) {
        if (v < (std::int64_t{1} << 40)) v = v * 10 + (s[i] - '0');
    }
    return ClampToInt(negative ? -v : v);
}

// The C library's atof on a piece of text (without locale influence).
double AtofLike(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && (IsBlank(s[i]) || IsLineEnd(s[i]))) ++i;
    if (i < s.size() && s[i] == '+') ++i;
    double v = 0.0;
    auto r = std::from_chars(s.data() + i, s.data() + s.size(), v, std::chars_format::general);
    if (r.ec != std::errc()) return 0.0;
    return v;
}

std::string_view TrimTrailing(std::string_view s, bool lineEndsToo) {
    std::size_t n = s.size();
    while (n > 0 && (IsBlank(s[n - 1]) || (lineEndsToo && IsLineEnd(s[n - 1])))) --n;
    return s.substr(0, n);
}

// "GAUGE%02d" without the cost of printf, which shows in reading large panels.
class GaugeKey {
  public:
    explicit GaugeKey(int n) {
        std::memcpy(buf_, "GAUGE", 5);
        std::size_t len = 5;
        char digits[12];
        std::size_t d = 0;
        unsigned v = static_cast<unsigned>(n);
        do {
            digits[d++] = static_cast<char>('0' + v % 10);
            v /= 10;
        } while (v != 0);
        if (d < 2) digits[d++] = '0';
        while (d > 0) buf_[len++] = digits[--d];
        size_ = len;
    }
    operator std::string_view() const { return std::string_view(buf_, size_); }  // NOLINT

  private:
    char buf_[20];
    std::size_t size_;
};

class Reader {
  public:
    Reader(std::string text, const std::string& path, const PanelReadOptions& options, Panel& panel)
        : text_(std::move(text)), path_(path), options_(options), panel_(panel) {}
    // The file's text was read into the model: keeps every line the model has no field for.
    void keepLines();

    bool run();

  private:
    struct WindowSlot {
        PanelWindow window;
        int number = 0;  // the number in the section header
        // Where the reader found the window's title, header and gauge lines.
        std::size_t titlePos = npos;
        std::size_t headerPos = npos;
        std::vector<std::size_t> gaugePos;
    };

    // Messages.
    void optOut(const std::string& text) {
        if (silenced_) return;
        if (ShowWarningWithOptOut(text) == 0) silenced_ = true;
    }

    // Value readers; `keyPos` is where the key was found.
    std::size_t valueStart(std::size_t keyPos) const {
        std::size_t eq = text_.find('=', keyPos);
        return eq == npos ? npos : eq + 1;
    }
    // The first CR or LF at or after `pos`, or the end of the text.
    std::size_t lineEnd(std::size_t pos) const {
        std::size_t n = text_.size();
        while (pos < n && text_[pos] != '\r' && text_[pos] != '\n') ++pos;
        return std::min(pos, n);
    }
    std::optional<std::string> textValue(std::size_t keyPos, bool wholeLine = false) const;
    std::string titleValue(std::size_t keyPos) const;
    int unsignedValue(std::size_t keyPos) const;
    double realAt(std::size_t pos) const;
    double realValue(std::size_t keyPos) const {
        std::size_t v = valueStart(keyPos);
        return v == npos ? 0.0 : realAt(v);
    }
    RealPair pairValue(std::size_t keyPos) const;
    std::vector<int> numberList(std::size_t keyPos, bool splitAtBlanks) const;
    std::size_t sectionEnd(std::size_t header) const {
        std::size_t e = text_.find('[', header + 1);
        return e == npos ? text_.size() : e;
    }
    std::size_t find(std::size_t start, std::string_view key, std::size_t limit = npos) const {
        return search_->find(start, key, limit);
    }
    // A key is looked for anywhere in the text, and taken where it first stands. A view's key also
    // stands inside other lines (a title, a forward list, a damaged line), and where one of those
    // comes before the key's own line, the own line would never be read: a line that starts with the
    // key and gives it a value ("KEY =") is taken first, the first place otherwise.
    std::size_t findKeyLine(std::string_view key) const {
        const std::size_t first = find(0, key);
        for (std::size_t p = first; p != npos; p = find(p + 1, key)) {
            std::size_t b = p;
            while (b > 0 && IsBlank(text_[b - 1])) --b;
            if (b > 0 && !IsLineEnd(text_[b - 1])) continue;
            std::size_t e = p + key.size();
            while (e < text_.size() && IsBlank(text_[e])) ++e;
            if (e < text_.size() && text_[e] == '=') return p;
        }
        return first;
    }

    void stripComments();
    bool checkAlias();
    void readTitles();
    void readVerbatim();
    void countVcockpits();
    std::string headerKey(const WindowSlot& slot) const;
    void readWindows();
    void readProperties(PanelWindow& w, std::size_t header, int number);
    void identCheck();
    void readGauges(WindowSlot& slot);
    void readGaugeLine(std::size_t pos, int g, int number, GaugeEntry& out);
    void keepGaugeLineText(std::size_t lineStart, std::string_view line, std::size_t tailStart,
                           GaugeEntry& out) const;
    void readColors();
    void readDefaultView();
    void readStrings();
    void readViews();
    FixedText<kMaxVerbatimSectionLength>* verbatimText(int k) {
        return k == 0 ? &panel_.advDisplayText : k == 1 ? &panel_.epicInfoText : &panel_.esoundText;
    }
    static void appendVerbatimLines(FixedText<kMaxVerbatimSectionLength>& text,
                                    const std::vector<std::string>& lines) {
        if (!text.empty() && text.str().back() != '\n') text.append("\n");
        for (const std::string& l : lines) {
            text.append(l);
            text.append("\n");
        }
    }

    std::string text_;
    std::string path_;
    const PanelReadOptions& options_;
    Panel& panel_;
    std::optional<KeySearch> search_;
    bool silenced_ = false;
    std::vector<WindowSlot> titled_;
    int vcockpitsCounted_ = 0;
    std::vector<WindowSlot> slots_;  // the windows that were found, in panel order

    // For keeping what the model does not hold: the text with only the comments blanked that went
    // to headerComments (so that they are not kept twice), and where the sections were found.
    std::string keep_;
    std::vector<std::pair<std::size_t, std::size_t>> takenComments_;
    std::vector<std::size_t> skippedTitlePos_;
    std::size_t titlesPos_ = npos;
    std::size_t colorsPos_ = npos;
    std::size_t defaultViewPos_ = npos;
    std::size_t stringsPos_ = npos;
    std::vector<std::size_t> stringPairPos_;
    std::vector<std::pair<std::size_t, std::string>> viewKeyPos_;  // where each view key was read
    std::array<std::size_t, 3> verbatimPos_{npos, npos, npos};
};

std::optional<std::string> Reader::textValue(std::size_t keyPos, bool wholeLine) const {
    std::size_t v = valueStart(keyPos);
    if (v == npos) return std::nullopt;
    std::size_t e = v;
    while (e < text_.size() && !IsLineEnd(text_[e]) && (wholeLine || text_[e] != ',')) ++e;
    if (e - v >= kMaxValueLength) return std::nullopt;
    std::string_view s = TrimTrailing(std::string_view(text_).substr(v, e - v), true);
    if (s.empty()) return std::nullopt;
    return std::string(s);
}

int Reader::unsignedValue(std::size_t keyPos) const {
    std::size_t v = valueStart(keyPos);
    if (v == npos) return 0;
    while (v < text_.size() && IsBlank(text_[v])) ++v;
    return DigitsValue(std::string_view(text_).substr(v));
}

double Reader::realAt(std::size_t pos) const {
    while (pos < text_.size() && IsBlank(text_[pos])) ++pos;
    std::size_t n = 0;
    while (pos + n < text_.size() && n < 11 &&
           (IsDigit(text_[pos + n]) || text_[pos + n] == '.' || text_[pos + n] == '-'))
        ++n;
    return AtofLike(std::string_view(text_).substr(pos, n));
}

RealPair Reader::pairValue(std::size_t keyPos) const {
    std::size_t end = lineEnd(keyPos);
    std::size_t eq = text_.find('=', keyPos);
    if (eq == npos || eq >= end) return {1.0, 1.0};
    RealPair r;
    r.x = realAt(eq + 1);
    std::size_t comma = text_.find(',', eq + 1);
    r.y = (comma == npos || comma >= end) ? 1.0 : realAt(comma + 1);
    return r;
}

std::vector<int> Reader::numberList(std::size_t keyPos, bool splitAtBlanks) const {
    std::vector<int> out;
    std::size_t v = valueStart(keyPos);
    if (v == npos) return out;
    std::size_t e = v;
    while (e < text_.size() && e - v < kMaxNumberListChars && !IsLineEnd(text_[e]) && !IsLetter(text_[e]))
        ++e;
    std::string_view s = std::string_view(text_).substr(v, e - v);
    // Like strtok: runs of separators count as one, empty pieces do not exist.
    auto isSep = [&](char c) { return c == ',' || IsLineEnd(c) || (splitAtBlanks && c == ' '); };
    std::size_t i = 0;
    while (i < s.size()) {
        while (i < s.size() && isSep(s[i])) ++i;
        if (i >= s.size()) break;
        std::size_t j = i;
        while (j < s.size() && !isSep(s[j])) ++j;
        out.push_back(AtoiLike(s.substr(i, j - i)));
        i = j;
    }
    return out;
}

bool Reader::run() {
    SetShowAgainFlag(1);
    stripComments();
    search_.emplace(text_, options_.literalKeySearch);
    if (!checkAlias()) return false;
    readTitles();
    readVerbatim();
    countVcockpits();
    readWindows();
    readColors();
    readDefaultView();
    readStrings();
    readViews();
    keepLines();
    return true;
}

void Reader::stripComments() {
    keep_ = text_;
    int kept = 0;
    for (std::size_t p = text_.find("//\t"); p != npos; p = text_.find("//\t", p + 1)) {
        if (kept >= kMaxHeaderCommentLines) break;
        std::size_t start = p + 3;
        std::size_t e = lineEnd(start);
        bool whole = panel_.headerComments.append(std::string_view(text_).substr(start, e - start));
        whole = panel_.headerComments.append("\r\n") && whole;
        if (whole) takenComments_.emplace_back(p, e);
        ++kept;
    }
    for (const auto& [from, to] : takenComments_) {
        std::fill(keep_.begin() + static_cast<std::ptrdiff_t>(from),
                  keep_.begin() + static_cast<std::ptrdiff_t>(to), ' ');
    }
    for (std::size_t p = text_.find("//"); p != npos; p = text_.find("//", p)) {
        std::size_t e = text_.find('\n', p);
        if (e == npos) e = text_.size();
        std::fill(text_.begin() + static_cast<std::ptrdiff_t>(p),
                  text_.begin() + static_cast<std::ptrdiff_t>(e), ' ');
        p = e;
    }
    std::size_t n = text_.size();
    while (n > 0 && text_[n - 1] == ' ') --n;
    text_.resize(n);
}

bool Reader::checkAlias() {
    std::size_t p = find(0, "alias");
    if (p == npos) return true;
    std::string value;
    std::size_t v = valueStart(p);
    if (v != npos) {
        // The value ends at the line end; a LF-only file would otherwise run on to the end.
        value = text_.substr(v, lineEnd(v) - v);
        std::size_t slash = value.rfind('/');
        if (slash != std::string::npos) value[slash] = '\\';
    }
    ShowError(
        Format("This config file is aliased to another file. It has the form \"alias=\"\n\nPlease open the "
               "original file: \"%s\\%s\\panel.cfg\" for editing.",
               options_.simDir.c_str(), value.c_str()));
    return false;
}

// A title ends where its section does, at a "[": written back whole, it would end the section early on the
// next read and every title after it would be lost.
std::string Reader::titleValue(std::size_t keyPos) const {
    std::string title = textValue(keyPos).value_or("");
    std::size_t cut = title.find('[');
    if (cut == std::string::npos) return title;
    return std::string(TrimTrailing(std::string_view(title).substr(0, cut), true));
}

void Reader::readTitles() {
    std::size_t titles = find(0, "Titles]");
    if (titles == npos) return;
    titlesPos_ = titles;
    std::size_t end = text_.find('[', titles + 7);
    if (end == npos) end = text_.size();
    // "Window30" also stands inside "Fixed Window30": a Fixed Window's title is never a Window's, or
    // a panel with fewer Windows than its first Fixed Window's number would read that one twice.
    auto insideFixedKey = [&](std::size_t p) {
        return p >= 6 && EqualsNoCase(std::string_view(text_).substr(p - 6, 6), "Fixed ");
    };
    // The panel holds 32 titled windows. A title whose window has no section is left out of the
    // panel with a warning, so it takes none of those places: counted, a key standing inside another
    // title ("Window09=Main Window10=Radio") would cost the panel a Fixed Window it has.
    int withSection = 0;
    for (int n = 0; n < kMaxTitledWindows; ++n) {
        const std::string key = Format("Window%02d", n);
        std::size_t p = find(titles, key);
        while (p != npos && p < end && insideFixedKey(p)) p = find(p + 1, key);
        if (p == npos || p >= end) break;
        WindowSlot slot;
        slot.window.setKind(WindowKind::Window);
        slot.window.title = titleValue(p);
        slot.number = n;
        slot.titlePos = p;
        if (find(0, headerKey(slot)) != npos) ++withSection;
        titled_.push_back(std::move(slot));
    }
    for (int f = 0; f <= kMaxFixedWindowNumber; ++f) {
        if (withSection >= kMaxTitledWindows) break;
        std::size_t p = find(titles, Format("Fixed Window%02d", f));
        if (p == npos) continue;
        // Found only past the titles (a section kept without its title, "[Fixed Window20]"): that
        // number has no title, and the Fixed Windows after it still do; stopping here would lose them.
        if (p >= end) continue;
        WindowSlot slot;
        slot.window.setKind(WindowKind::FixedWindow);
        slot.window.fixedNumber = f;
        slot.window.title = titleValue(p);
        slot.number = f;
        slot.titlePos = p;
        if (find(0, headerKey(slot)) != npos) ++withSection;
        titled_.push_back(std::move(slot));
    }
}

void Reader::readVerbatim() {
    struct Section {
        const char* header;
        FixedText<kMaxVerbatimSectionLength>* field;
    };
    const Section sections[] = {{"[AdvDisplay]", &panel_.advDisplayText},
                                {"[EpicInfo]", &panel_.epicInfoText},
                                {"[Esound]", &panel_.esoundText}};
    for (std::size_t k = 0; k < std::size(sections); ++k) {
        const Section& s = sections[k];
        std::size_t p = find(0, s.header);
        if (p == npos) continue;
        std::size_t e = text_.find('[', p + 1);
        if (e == npos) e = text_.size();
        e = std::min(e, p + kMaxVerbatimChars);
        // Comments inside the section stay in its text (only those kept as header comments do not).
        std::string copy;
        for (std::size_t i = p; i < e; ++i) {
            if (keep_[i] != '\r') copy.push_back(keep_[i]);
        }
        *s.field = copy;
        verbatimPos_[k] = p;
    }
}

void Reader::countVcockpits() {
    int count = 0;
    for (std::size_t p = find(0, "[vcockpit"); p != npos; p = find(p + 1, "[vcockpit")) ++count;
    vcockpitsCounted_ = count;
}

std::string Reader::headerKey(const WindowSlot& slot) const {
    switch (slot.window.kind()) {
        case WindowKind::Window:
            return Format("[WINDOW%02d", slot.number);
        case WindowKind::FixedWindow:
            return Format("[FIXED WINDOW%02d", slot.number);
        case WindowKind::Vcockpit:
            return Format("[vcockpit%02d", slot.number);
    }
    return {};
}

void Reader::readWindows() {
    for (WindowSlot& slot : titled_) {
        std::size_t h = find(0, headerKey(slot));
        if (h == npos) {
            optOut(Format("Warning: Missing Window%02d data in config file -- skipping...", slot.number));
            skippedTitlePos_.push_back(slot.titlePos);
            continue;
        }
        readProperties(slot.window, h, slot.number);
        slot.headerPos = h;
        slots_.push_back(std::move(slot));
    }
    int titledCount = static_cast<int>(slots_.size());
    identCheck();
    if (titled_.empty()) ShowError("Warning: No Windows found in the config file!!");
    // Vcockpit properties are read even when there is no titled window: a panel of virtual-cockpit
    // windows alone would otherwise lose their bitmap, size and texture on the next save.
    // The k-th Vcockpit is looked for as number k + 1 and reported missing as such. A missing number
    // (a section commented out) does not end the list, though: the sections with higher numbers are
    // still taken, up to the counted number, so that no Vcockpit of the file is lost on the next save.
    int room = kMaxPanelWindows - titledCount;
    int taken = 0;
    for (int number = 1; number <= kMaxVcockpitNumber && taken < std::min(vcockpitsCounted_, room);
         ++number) {
        WindowSlot slot;
        slot.window.setKind(WindowKind::Vcockpit);
        slot.window.vcockpitNumber = number;
        slot.number = number;
        std::size_t h = find(0, headerKey(slot));
        if (h == npos) {
            if (number <= vcockpitsCounted_) {
                optOut(Format("Warning: Missing Window%02d data in config file -- skipping...", number));
            }
            continue;
        }
        readProperties(slot.window, h, slot.number);
        slot.headerPos = h;
        slots_.push_back(std::move(slot));
        ++taken;
    }
    for (WindowSlot& slot : slots_) readGauges(slot);
    panel_.windows.clear();
    panel_.windowCount = titledCount;
    panel_.vcockpitCount = static_cast<int>(slots_.size()) - titledCount;
    for (WindowSlot& slot : slots_) panel_.windows.push_back(std::move(slot.window));
}

void Reader::readProperties(PanelWindow& w, std::size_t h, int number) {
    std::size_t end = sectionEnd(h);
    // The key text is found anywhere in a line; where it first stands inside another key (a line
    // commented out with ";", "tooltip_position=") and a later line of the section has the key
    // itself, that line is the window's: reading the other would show a value no simulator reads
    // and write it over the live one on the next save.
    auto keyOf = [&](std::size_t p) {
        std::size_t b = text_.rfind('\n', p);
        b = b == npos ? 0 : b + 1;
        return KeyOfLine(std::string_view(text_).substr(b, lineEnd(p) - b));
    };
    auto key = [&](std::string_view k) {
        std::size_t p = find(h, k, end);
        if (p == npos) return p;
        const std::string want = KeyOfLine(k);
        if (keyOf(p) == want) return p;
        for (std::size_t q = find(p + 1, k, end); q != npos; q = find(q + 1, k, end)) {
            if (keyOf(q) == want) return q;
        }
        return p;
    };
    std::size_t p;

    if ((p = key("FILE=")) != npos) w.file = textValue(p);
    if ((p = key("FILE_1024=")) != npos) w.file1024 = textValue(p);
    if ((p = key("BACKGROUND_COLOR")) != npos) {
        std::vector<int> v = numberList(p, false);
        v.resize(std::max<std::size_t>(v.size(), 3), 0);
        w.backgroundColor = ColorEntry::FromRgb(static_cast<std::uint8_t>(v[0] & 0xFF),
                                                static_cast<std::uint8_t>(v[1] & 0xFF),
                                                static_cast<std::uint8_t>(v[2] & 0xFF));
        w.backgroundColorPresent = true;
    }
    if ((p = key("SIZE_MM")) != npos) {
        std::vector<int> v = numberList(p, false);
        v.resize(std::max<std::size_t>(v.size(), 2), 0);
        w.sizeMmPresent = true;
        w.sizeMmX = v[0];
        if (w.sizeMmX == 0) {
            optOut(Format("Warning - Size MM for Window%02d is 0.0\n\nI'll adjust it to 100", number));
            w.sizeMmX = 100;
        }
        w.sizeMmY = v[1];
        w.sizeMmYPresent = w.sizeMmY != 0;
        if (static_cast<unsigned>(w.sizeMmX) > 8192 ||
            (w.sizeMmYPresent && static_cast<unsigned>(w.sizeMmY) > 6144)) {
            ShowError(
                Format("Size_MM for Window%02d is out of Range!\nThe maximum size for a panel is 8192 x "
                       "6144\n\nI'll "
                       "try to continue...",
                       number));
        }
    }
    p = key("WINDOWSIZE_RATIO");
    if (p == npos) p = key("WINDOW_SIZE_RATIO");
    if (p != npos) {
        std::optional<std::string> v = textValue(p);
        w.windowSizeRatio = v ? AtofLike(*v) : 0.0;
        if (w.windowSizeRatio == 0.0) {
            optOut(Format("Warning: Window%02d Windowsize_Ratio = 0.0 !\n\nI'll set it to 1.0", number));
            w.windowSizeRatio = 1.0;
        }
        w.windowSizeRatioPresent = true;
    }
    w.position = (p = key("POSITION")) != npos ? unsignedValue(p) : 7;
    w.visible = (p = key("VISIBLE")) != npos ? unsignedValue(p) : 1;
    w.ident = (p = key("IDENT")) != npos ? textValue(p).value_or("") : std::string();
    if ((p = key("texture")) != npos) {
        w.texture = textValue(p).value_or("");
        w.texturePresent = !w.texture.empty();
    }
    if ((p = key("SIZEABLE")) != npos) {
        w.sizeable = unsignedValue(p);
        w.sizeablePresent = true;
    }
    if ((p = key("NOMENU")) != npos) {
        w.nomenu = unsignedValue(p);
        w.nomenuPresent = true;
    }
    if ((p = key("RENDER_3D_WINDOW")) != npos) {
        w.render3dWindow = unsignedValue(p);
        w.render3dWindowPresent = true;
    }
    if ((p = key("IMAGE_BLEND")) != npos) {
        w.imageBlend = realValue(p);
        w.imageBlendPresent = true;
    }
    if ((p = key("WINDOW_POS")) != npos) {
        w.windowPos = pairValue(p);
        w.windowPosPresent = true;
        const RealPair& r = w.windowPos;
        if (r.x > 1.0 || r.x < 0.0 || r.y > 1.0 || r.y < 0.0) {
            optOut(
                Format("Warning: In Window \"%s\", the value of:\n\n     \"Window_pos=%6.2f,%6.2f\"\n\n "
                       "looks unusual.   "
                       "Normal values range from 0.0 to 1.0",
                       w.title.c_str(), r.x, r.y));
        }
    }
    if ((p = key("PIXEL_SIZE")) != npos) {
        std::vector<int> v = numberList(p, true);
        v.resize(std::max<std::size_t>(v.size(), 2), 0);
        w.pixelSize = {v[0], v[1]};
        w.pixelSizePresent = true;
    }
    if ((p = key("WINDOW_SIZE=")) != npos) {
        w.windowSize = pairValue(p);
        w.windowSizePresent = true;
        const RealPair& r = w.windowSize;
        if (r.x > 1.5 || !(r.x > 0.0) || r.y > 1.5 || !(r.y > 0.0)) {
            optOut(
                Format("Warning: In Window \"%s\", the value of:\n\n     \"Window_size=%6.2f,%6.2f\"\n\n "
                       "looks unusual.   "
                       "Normal values range from 0.0 to 1.0",
                       w.title.c_str(), r.x, r.y));
        }
    }
}

void Reader::identCheck() {
    for (std::size_t i = 0; i < slots_.size(); ++i) {
        for (std::size_t j = i + 1; j < slots_.size(); ++j) {
            if (EqualsNoCase(slots_[i].window.ident.str(), slots_[j].window.ident.str())) {
                ShowError(Format(
                    "Window %d and Window %d have identical \"IDENT=\" entries!\n\nWindow %d may not display "
                    "correctly.",
                    static_cast<int>(i), static_cast<int>(j), static_cast<int>(j)));
            }
        }
    }
}

void Reader::readGauges(WindowSlot& slot) {
    PanelWindow& w = slot.window;
    const int number = slot.number;
    silenced_ = false;
    SetShowAgainFlag(1);
    WindowSlot probe;
    probe.window.setKind(w.kind());
    probe.number = number;
    std::size_t h = find(0, headerKey(probe));
    if (h == npos) return;
    std::size_t end = sectionEnd(h);
    int g = 0;
    int n = 0;
    std::vector<GaugeEntry> gauges;
    gauges.reserve(16);
    while (g < kMaxGauges) {
        std::size_t p = search_->findAtLineStart(h, GaugeKey(n), end);
        if (p == npos) {
            p = find(h, GaugeKey(n + 1), end);
            if (p == npos) break;
            ShowError(Format(
                "An error in the gauge numbering sequence was found with Gauge%02d in Window %d.\n\nI'll "
                "try to fix this",
                g, number));
            ++n;
        }
        GaugeEntry gauge;
        readGaugeLine(p, g, number, gauge);
        gauges.push_back(std::move(gauge));
        slot.gaugePos.push_back(p);
        ++g;
        ++n;
    }
    SetGauges(w, std::move(gauges));
}

namespace {

struct SignedField {
    int value = kNotGivenInt;
    bool given = false;
};

SignedField ReadSigned(std::string_view s) {
    std::size_t i = 0;
    while (i < s.size() && IsBlank(s[i])) ++i;
    bool negative = false;
    if (i < s.size() && s[i] == '-') {
        negative = true;
        ++i;
    }
    if (i >= s.size() || !IsDigit(s[i])) return {};
    std::int64_t v = 0;
    for (; i < s.size() && IsDigit(s[i]); ++i) {
        if (v < (std::int64_t{1} << 40)) v = v * 10 + (s[i] - '0');
    }
    return {ClampToInt(negative ? -v : v), true};
}

}  // namespace

void Reader::readGaugeLine(std::size_t pos, int g, int number, GaugeEntry& out) {
    // The whole line counts, however long: what a longer line holds must not be cut on the next save.
    std::size_t e = lineEnd(pos);
    std::string_view line = TrimTrailing(std::string_view(text_).substr(pos, e - pos), false);
    std::size_t tailStart = npos;

    std::size_t semi = line.rfind(';');
    if (semi != npos) out.comment = std::string(line.substr(semi));

    std::string_view rest;
    std::size_t eq = line.find('=');
    if (eq != npos) rest = line.substr(eq + 1);
    // Only the first six fields matter; the count tells where the line ended.
    struct Fields {
        std::array<std::string_view, 6> f;
        std::size_t n = 0;
        std::size_t size() const { return n; }
        std::string_view operator[](std::size_t i) const { return f[i]; }
    } fields;
    for (std::size_t i = 0; fields.n < fields.f.size();) {
        std::size_t c = rest.find(',', i);
        fields.f[fields.n++] = rest.substr(i, c == npos ? npos : c - i);
        if (c == npos) break;
        i = c + 1;
    }

    std::string_view nameField = fields[0].substr(0, std::min(fields[0].size(), kMaxGaugeNameField));
    std::string_view name = TrimTrailing(nameField, false);
    std::size_t lead = 0;
    while (lead < name.size() && IsBlank(name[lead])) ++lead;
    out.name = name.substr(lead);
    {
        std::string_view whole = TrimTrailing(fields[0], false);
        std::size_t l = 0;
        while (l < whole.size() && IsBlank(whole[l])) ++l;
        whole.remove_prefix(l);
        if (whole.size() > out.name.size()) out.kept.fullName = std::string(whole);
    }

    SignedField x, y, width, height;
    if (fields.size() == 1) {
        x = {0, true};
        y = {0, true};
    } else {
        x = ReadSigned(fields[1]);
        if (fields.size() == 2) {
            y = {0, true};
        } else {
            y = ReadSigned(fields[2]);
            if (fields.size() > 3) width = ReadSigned(fields[3]);
            if (fields.size() > 4) height = ReadSigned(fields[4]);
            if (fields.size() > 5) {
                std::string_view f = fields[5];
                std::size_t i = 0;
                while (i < f.size() && IsBlank(f[i])) ++i;
                std::size_t j = i;
                while (j < f.size() && f[j] != ';' && !IsBlank(f[j])) ++j;
                std::string_view token = f.substr(i, std::min(j - i, kMaxGaugeParameterField));
                out.parameter = token;
                if (j - i > out.parameter.size()) out.kept.fullParameter = std::string(f.substr(i, j - i));
                tailStart = static_cast<std::size_t>(f.data() - line.data()) + j;
            }
        }
    }

    const char* nm = out.name.c_str();
    if (width.given) {
        if (width.value == 0) {
            optOut(Format("Error: In Window%02d, Gauge%02d: \n\n    \"%s\"    \n\n has a zero width!!",
                          number, g, nm));
        } else if (width.value < 0) {
            optOut(
                Format("Error: In Window%02d, Gauge%02d: \n\n    \"%s\"    \n\n has a negative width (%d)!!  "
                       "I'll set it "
                       "to 50.",
                       number, g, nm, width.value));
            width.value = 50;
        } else if (width.value > 1280) {
            optOut(Format(
                "Warning: In Window%02d, Gauge%02d: \n\n    \"%s\"    \n\n has a very large Width (%d)!!",
                number, g, nm, width.value));
        }
    }
    if (height.given) {
        if (height.value == 0) {
            optOut(Format(
                "Error: In Window%02d, Gauge%02d: \n\n    \"%s\"    \n\n has a zero height!! I'll set it to "
                "default.",
                number, g, nm));
            height = {};
        } else if (height.value < 0) {
            if (!silenced_) {
                ShowError(
                    Format("Error: In Window%02d, Gauge%02d: \n\n    \"%s\"    \n\n has a negative height "
                           "(%d)!! I'll "
                           "set it to default.",
                           number, g, nm, height.value));
            }
            height = {};
        } else if (height.value > 1280) {
            optOut(Format(
                "Warning: In Window%02d, Gauge%02d: \n\n    \"%s\"    \n\n has a very large Height (%d)!!",
                number, g, nm, height.value));
        }
    }
    if (x.given && width.given && std::int64_t{x.value} + width.value < 0) {
        optOut(
            Format("Warning: In Window%02d, Gauge%02d: \n\n    \"%s\"    \n\n has a large offscreen X "
                   "position (%d)!!  "
                   "It won't be visible.",
                   number, g, nm, x.value));
    }
    if (y.given && height.given && std::int64_t{y.value} + height.value < 0) {
        optOut(
            Format("Warning: In Window%02d, Gauge%02d: \n\n    \"%s\"    \n\n has a large offscreen Y "
                   "position (%d)!!  "
                   "It won't be visible.",
                   number, g, nm, y.value));
    }
    if (out.name.empty()) optOut(Format("Warning: In Window%02d, Gauge%02d has a missing Name!!", number, g));

    keepGaugeLineText(pos, line, tailStart, out);

    out.x = x.value;
    out.y = y.value;
    out.width = width.given ? width.value : 0;
    out.widthPresent = width.given;
    out.height = height.given ? height.value : 0;
    out.heightPresent = height.given;
}

// The text of the line that no field holds: after the parameter up to the ";" comment, and a "//"
// comment at the end (blanked in the text the fields were read from).
void Reader::keepGaugeLineText(std::size_t lineStart, std::string_view line, std::size_t tailStart,
                               GaugeEntry& out) const {
    if (tailStart != npos) {
        std::size_t semi = line.rfind(';');
        std::size_t end = semi != npos && semi >= tailStart ? semi : line.size();
        std::string_view tail = TrimTrailing(line.substr(tailStart, end - tailStart), false);
        if (!tail.empty()) out.kept.tail = std::string(tail);
    }
    std::size_t from = lineStart + line.size();
    // (The comment's blanking took the CR along; the kept text still has it.)
    std::size_t to = from;
    while (to < keep_.size() && !IsLineEnd(keep_[to])) ++to;
    std::string_view rest = TrimTrailing(std::string_view(keep_).substr(from, to - from), false);
    if (rest.find("//") != npos) out.kept.trailingComment = std::string(rest);
}

void Reader::readColors() {
    panel_.colorCount = 0;
    std::size_t h = find(0, "[8 BIT COLORS]");
    if (h == npos) return;
    colorsPos_ = h;
    if (options_.mode == kModeCFS || options_.mode == kModeCFS2) {
        std::size_t p = find(h, "PALETTE");
        if (p != npos) {
            panel_.colorCount = -1;
            panel_.paletteFile = textValue(p);
        }
        return;
    }
    for (int k = 0; k < kMaxColors; ++k) {
        std::size_t p = find(h, Format("COLOR%02d", k));
        if (p == npos) break;
        std::size_t end = lineEnd(p);
        std::string line = text_.substr(p, end - p);
        std::size_t pos = text_.find('=', p);
        pos = (pos == npos || pos >= end) ? p + 7 : pos + 1;
        auto skipNonDigits = [&] {
            while (pos < end && !IsDigit(text_[pos])) ++pos;
        };
        auto digits = [&] {
            std::size_t s = pos;
            while (pos < end && IsDigit(text_[pos])) ++pos;
            return DigitsValue(std::string_view(text_).substr(s, pos - s), 20);
        };
        skipNonDigits();
        int r = digits();
        int g = 0, b = 0;
        std::size_t comma = text_.find(',', pos);
        if (comma == npos || comma >= end) {
            ShowWarning(
                Format("Error in Color Table syntax for entry %d, \"%s\"   \n\nI'll reset the entry to 0,0,0",
                       k, line.c_str()));
            r = 0;
        } else {
            pos = comma + 1;
            skipNonDigits();
            g = digits();
            comma = text_.find(',', pos);
            if (comma == npos || comma >= end) {
                ShowWarning(
                    Format("Error in Color Table entry %d, \"%s\"   \n\nI'll reset the entry to 0,0,0", k,
                           line.c_str()));
                r = g = 0;
            } else {
                pos = comma + 1;
                skipNonDigits();
                b = digits();
            }
        }
        panel_.colors[k] =
            ColorEntry::FromRgb(static_cast<std::uint8_t>(r & 0xFF), static_cast<std::uint8_t>(g & 0xFF),
                                static_cast<std::uint8_t>(b & 0xFF));
        panel_.colorCount = k + 1;
    }
}

void Reader::readDefaultView() {
    DefaultView& d = panel_.defaultView;
    std::size_t h = find(0, "[DEFAULT VIEW]");
    if (h == npos) {
        d = {0, 0, 8191, 3276};
        return;
    }
    defaultViewPos_ = h;
    auto value = [&](const char* k) {
        std::size_t p = find(h, k);
        return p == npos ? 0 : unsignedValue(p);
    };
    d.x = std::min(value("X="), 8191);
    d.y = std::min(value("Y="), 6143);
    d.sizeX = std::min(value("SIZE_X="), 8191);
    d.sizeY = std::min(value("SIZE_Y="), 6143);
}

void Reader::readStrings() {
    std::size_t h = find(0, "[strings]");
    if (h == npos) return;
    stringsPos_ = h;
    std::size_t pos = h + 9;
    // Pairs end with the section: a quote in a later section (the verbatim sections follow this one in
    // a saved file) is not a string pair.
    std::size_t end = text_.find("\n[", pos);
    end = end == npos ? text_.size() : end + 1;
    for (int i = 0; i < kMaxStringPairs;) {
        std::size_t q1 = text_.find('"', pos);
        if (q1 == npos || q1 >= end) break;
        // A name is a quoted text on one line; a quote without its partner on the line is skipped.
        std::size_t q2 = text_.find_first_of("\"\r\n", q1 + 1);
        if (q2 == npos) break;
        if (text_[q2] != '"') {
            pos = q2;
            continue;
        }
        StringPair& pair = panel_.strings[i++];
        stringPairPos_.push_back(q1);
        pair.name = text_.substr(q1 + 1, q2 - q1 - 1);
        std::size_t eq = text_.find('=', q2 + 1);
        if (eq == npos) {
            pair.value.reset();
            pos = q2 + 1;
            continue;
        }
        std::size_t e = lineEnd(eq + 1);
        pair.value = text_.substr(eq + 1, e - eq - 1);
        pos = e;
    }
}

void Reader::readViews() {
    ResetViews(panel_);
    std::size_t p = findKeyLine("view_forward_windows");
    if (p != npos) {
        viewKeyPos_.emplace_back(p, KeyOfLine("view_forward_windows"));
        panel_.forwardWindowsList = textValue(p, true).value_or("");
        std::size_t v = valueStart(p);
        if (v != npos) {
            std::string_view whole = TrimTrailing(std::string_view(text_).substr(v, lineEnd(v) - v), true);
            if (whole.size() > panel_.forwardWindowsList.size())
                panel_.keptForwardWindowsList = std::string(whole);
        }
    }
    for (ViewEntry& v : panel_.views) {
        if ((p = findKeyLine(v.name + "windows")) != npos) {
            v.index = unsignedValue(p);
            viewKeyPos_.emplace_back(p, KeyOfLine(v.name + "windows"));
        }
        if ((p = findKeyLine(v.name + "zoom")) != npos) {
            v.zoom = realValue(p);
            viewKeyPos_.emplace_back(p, KeyOfLine(v.name + "zoom"));
        }
        if ((p = findKeyLine(v.name + "eye")) != npos) {
            v.eye = realValue(p);
            viewKeyPos_.emplace_back(p, KeyOfLine(v.name + "eye"));
        }
        if ((p = findKeyLine(v.name + "dir")) != npos) {
            v.dirPresent = true;
            viewKeyPos_.emplace_back(p, KeyOfLine(v.name + "dir"));
            std::size_t s = valueStart(p);
            if (s == npos) continue;
            std::size_t end = lineEnd(s);
            v.dir.Pitch = realAt(s);
            std::size_t c1 = text_.find(',', s);
            if (c1 == npos || c1 >= end) continue;
            v.dir.Bank = realAt(c1 + 1);
            std::size_t c2 = text_.find(',', c1 + 1);
            if (c2 == npos || c2 >= end) continue;
            v.dir.Heading = realAt(c2 + 1);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Keeping the lines the model has no field for

namespace {

enum class LineKind { Blank, Comment, Header, Content };

struct TextLine {
    std::size_t start = 0;
    std::size_t end = 0;  // before the CR LF or LF
    LineKind kind = LineKind::Blank;
};

bool IsGaugeKey(const std::string& key) {
    if (key.size() <= 5 || key.compare(0, 5, "gauge") != 0) return false;
    return std::all_of(key.begin() + 5, key.end(), [](char c) { return IsDigit(c); });
}

bool Contains(const std::vector<std::string>& keys, const std::string& key) {
    return std::find(keys.begin(), keys.end(), key) != keys.end();
}

}  // namespace

void Reader::keepLines() {
    // The lines of the text, as written (only the comments taken as header comments blanked).
    std::vector<TextLine> lines;
    for (std::size_t pos = 0; pos < keep_.size();) {
        std::size_t nl = keep_.find('\n', pos);
        std::size_t next = nl == npos ? keep_.size() : nl + 1;
        std::size_t end = nl == npos ? keep_.size() : nl;
        if (end > pos && keep_[end - 1] == '\r') --end;
        TextLine l{pos, end, LineKind::Blank};
        std::size_t f = pos;
        while (f < end && (IsBlank(keep_[f]) || keep_[f] == '\r')) ++f;
        if (f < end) {
            if (keep_.compare(f, 2, "//") == 0) {
                l.kind = LineKind::Comment;
            } else if (keep_[f] == '[') {
                l.kind = LineKind::Header;
            } else {
                l.kind = LineKind::Content;
            }
        }
        lines.push_back(l);
        pos = next;
    }
    auto lineAt = [&](std::size_t pos) -> std::size_t {
        auto it = std::upper_bound(lines.begin(), lines.end(), pos,
                                   [](std::size_t p, const TextLine& l) { return p < l.start; });
        return it == lines.begin() ? npos : static_cast<std::size_t>(it - lines.begin() - 1);
    };
    auto textOf = [&](std::size_t i) {
        std::string_view t = std::string_view(keep_).substr(lines[i].start, lines[i].end - lines[i].start);
        // A comment taken as a header comment leaves blanks behind.
        while (!t.empty() && (IsBlank(t.back()) || t.back() == '\r')) t.remove_suffix(1);
        return std::string(t);
    };

    // Who owns each section header.
    enum class Owner { None, Titles, Window, Views, Colors, DefaultView, Strings, Verbatim };
    struct Claim {
        Owner owner = Owner::None;
        int window = -1;
        std::size_t readerEnd = npos;  // where the reader's own view of the section ends
    };
    std::vector<Claim> claims(lines.size());
    std::vector<bool> readAsHeader(lines.size(), false);
    // A line the reader took a view's window from although the line is some other key's: the writer
    // writes the view's key in its own section, and the line, kept as it was, would be found first on
    // the next read. It is kept as a comment.
    std::vector<bool> shadowing(lines.size(), false);
    auto keptText = [&](std::size_t i) { return shadowing[i] ? "// " + textOf(i) : textOf(i); };
    for (const auto& [pos, key] : viewKeyPos_) {
        std::size_t i = lineAt(pos);
        if (i != npos && lines[i].kind == LineKind::Content && KeyOfLine(textOf(i)) != key) shadowing[i] = true;
    }
    // The header where the reader found the section's key; when the key stood inside some other
    // line, the first header line after it that holds the key (so that the writer's own section is
    // never taken for an unknown one on the next read).
    // The first header line after line i that holds the key (one no section claimed yet, when asked).
    auto nextHeaderWith = [&](std::size_t i, std::string_view key, bool unclaimedOnly) {
        for (std::size_t j = i + 1; j < lines.size(); ++j) {
            if (lines[j].kind == LineKind::Header && (!unclaimedOnly || claims[j].owner == Owner::None) &&
                LiteralKeyFind(std::string_view(keep_).substr(lines[j].start, lines[j].end - lines[j].start),
                               0, key) != npos)
                return j;
        }
        return lines.size();
    };
    // Once one line holding a key is a comment, the next read would find the key in the next one.
    auto quietBetween = [&](std::size_t i, std::size_t j, std::string_view key) {
        for (std::size_t k = i + 1; k < j; ++k) {
            if (lines[k].kind == LineKind::Content && find(lines[k].start, key, lines[k].end) != npos)
                shadowing[k] = true;
        }
    };
    auto claim = [&](std::size_t pos, std::string_view key, Owner owner, int window = -1) {
        if (pos == npos) return;
        std::size_t i = lineAt(pos);
        if (i == npos) return;
        if (lines[i].kind != LineKind::Header) {
            const std::size_t j = nextHeaderWith(i, key, false);
            if (j >= lines.size()) {
                // No header holds it: the line itself is where the reader took the section to begin,
                // and where the next read would look first. The writer's header takes its place and
                // the line goes above it as a comment, so a save reads back as it was read.
                lines[i].kind = LineKind::Header;
                readAsHeader[i] = true;
            } else {
                // The line still comes before that header on the next read, which would take the
                // section's keys from it again and miss what the writer writes: kept, it is kept as
                // a comment, and so is every other line between them that holds the key.
                shadowing[i] = true;
                quietBetween(i, j, key);
                i = j;
            }
        }
        if (claims[i].owner != Owner::None) {
            // The key stood in a header another section claimed (the reader took it from inside
            // that line): the writer replaces that line with its own header. A later header that
            // holds the key would be found on the next read, kept whole as a section nobody
            // claimed, and the window it names would come back; the section takes that header.
            const std::size_t j = nextHeaderWith(i, key, true);
            if (j >= lines.size()) return;
            quietBetween(i, j, key);
            i = j;
        }
        claims[i] = {owner, window, sectionEnd(std::max(pos, lines[i].start))};
    };
    for (int k = 0; k < static_cast<int>(slots_.size()); ++k)
        claim(slots_[k].headerPos, headerKey(slots_[k]), Owner::Window, k);
    claim(titlesPos_, "Titles]", Owner::Titles);
    claim(colorsPos_, "[8 BIT COLORS]", Owner::Colors);
    claim(defaultViewPos_, "[DEFAULT VIEW]", Owner::DefaultView);
    claim(stringsPos_, "[strings]", Owner::Strings);
    const char* const verbatimHeaders[] = {"[AdvDisplay]", "[EpicInfo]", "[Esound]"};
    for (std::size_t v = 0; v < verbatimPos_.size(); ++v)
        claim(verbatimPos_[v], verbatimHeaders[v], Owner::Verbatim, static_cast<int>(v));
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (lines[i].kind != LineKind::Header) continue;
        std::string h = textOf(i);
        std::size_t f = h.find('[');
        if (f == std::string::npos) continue;
        if (EqualsNoCase(h.substr(f, 7), "[VIEWS]")) {
            if (claims[i].owner == Owner::None) claims[i] = {Owner::Views, -1, npos};
            break;
        }
    }
    // A line that gives a view key in the lines before the first section or in the titles: the
    // writer writes the key in its views section, after those, and the line, kept as it was, would be
    // found first on the next read, which would undo an edit of the view. It is kept as a comment.
    {
        const std::vector<std::string> writtenViewKeys = WrittenViewKeys(panel_);
        Owner owner = Owner::None;
        bool beforeFirstSection = true;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            if (lines[i].kind == LineKind::Header) {
                beforeFirstSection = false;
                owner = claims[i].owner;
                continue;
            }
            if (lines[i].kind != LineKind::Content || (!beforeFirstSection && owner != Owner::Titles)) continue;
            const std::string t = textOf(i);
            if (t.find('=') != std::string::npos && Contains(writtenViewKeys, KeyOfLine(t))) shadowing[i] = true;
        }
    }

    // A "//" comment after a line the model holds goes back after the line the writer gives for it
    // (the first such line of a key only: the writer writes a key once).
    auto keepTrailingComment = [&](std::size_t j, const std::string& key, KeptLines& kept) {
        std::string_view blanked =
            std::string_view(text_).substr(lines[j].start, lines[j].end - lines[j].start);
        std::string_view body = TrimTrailing(blanked, true);
        std::string_view rest =
            TrimTrailing(std::string_view(keep_).substr(lines[j].start + body.size(),
                                                        lines[j].end - lines[j].start - body.size()),
                         true);
        std::size_t slashes = rest.find("//");
        if (slashes == npos) return;
        rest.remove_prefix(slashes);
        for (const auto& kc : kept.afterKey) {
            if (kc.first == key) return;
        }
        kept.afterKey.emplace_back(key, std::string(rest));
    };

    // Lines the model holds.
    enum class Target { None, Gauge, Title, Key };
    struct Use {
        Target target = Target::None;
        int window = -1;
        int gauge = -1;
    };
    std::vector<std::optional<Use>> used(lines.size());
    for (int k = 0; k < static_cast<int>(slots_.size()); ++k) {
        const WindowSlot& slot = slots_[k];
        for (int g = 0; g < static_cast<int>(slot.gaugePos.size()); ++g) {
            std::size_t i = lineAt(slot.gaugePos[g]);
            if (i != npos && IsGaugeKey(KeyOfLine(textOf(i)))) used[i] = Use{Target::Gauge, k, g};
        }
    }
    auto titleKey = [&](const PanelWindow& w, int number) {
        return Format(w.fixed ? "fixed window%02d" : "window%02d", number);
    };
    for (int k = 0; k < static_cast<int>(slots_.size()); ++k) {
        const WindowSlot& slot = slots_[k];
        if (slot.titlePos == npos) continue;
        std::size_t i = lineAt(slot.titlePos);
        if (i != npos && KeyOfLine(textOf(i)) == titleKey(slot.window, slot.number))
            used[i] = Use{Target::Title, k, -1};
    }
    // Windows left out for want of a section lose their title line, as the warning said.
    std::vector<std::string> titleKeysRead;
    for (const WindowSlot& slot : slots_) {
        if (slot.titlePos != npos) titleKeysRead.push_back(titleKey(slot.window, slot.number));
    }
    for (std::size_t p : skippedTitlePos_) {
        std::size_t i = lineAt(p);
        if (i == npos) continue;
        std::string key = KeyOfLine(textOf(i));
        if (key.find("window") == std::string::npos) continue;
        if (!used[i]) used[i] = Use{};
        titleKeysRead.push_back(std::move(key));
    }
    for (std::size_t p : stringPairPos_) {
        std::size_t i = lineAt(p);
        if (i != npos && !used[i]) used[i] = Use{Target::Key, -1, -1};
    }
    const std::vector<std::string> viewKeys = WrittenViewKeys(panel_);
    const std::vector<std::string> colorKeys = WrittenColorKeys(panel_);
    const std::vector<std::string> defaultKeys = {"x", "y", "size_x", "size_y"};
    std::vector<std::vector<std::string>> windowKeys;
    for (const WindowSlot& slot : slots_) windowKeys.push_back(WrittenWindowKeys(slot.window, options_.mode));

    // Walk the sections: comments go with the line below them; what the model does not hold is kept
    // in its section; the sections nobody claimed are kept whole.
    std::vector<std::string> pending;
    auto keptOf = [&](const Claim& c) -> KeptLines* {
        switch (c.owner) {
            case Owner::Window:
                return &panel_.windows[static_cast<std::size_t>(c.window)].kept;
            case Owner::Titles:
                return &panel_.titlesKept;
            case Owner::Views:
                return &panel_.viewsKept;
            case Owner::Colors:
                return &panel_.colorsKept;
            case Owner::DefaultView:
                return &panel_.defaultViewKept;
            case Owner::Strings:
                return &panel_.stringsKept;
            default:
                return nullptr;
        }
    };
    auto isWritersHeaderLine = [](const std::string& t) {
        return t.rfind("// This Panel.cfg file created by Brindle", 0) == 0 ||
               (t.rfind("// Built ", 0) == 0 && t.find(" Build:") != std::string::npos);
    };

    std::size_t i = 0;
    // Before the first section.
    for (; i < lines.size() && lines[i].kind != LineKind::Header; ++i) {
        if (lines[i].kind == LineKind::Blank) continue;
        std::string t = keptText(i);
        if (!isWritersHeaderLine(t)) panel_.keptPreamble.push_back(std::move(t));
    }
    while (i < lines.size()) {
        const std::size_t header = i;
        const Claim c = claims[header];
        if (readAsHeader[header]) pending.push_back("// " + textOf(header));
        std::size_t end = header + 1;
        while (end < lines.size() && lines[end].kind != LineKind::Header) ++end;
        // Comments after the section's last line belong to what follows.
        std::size_t last = end;
        while (last > header + 1 && lines[last - 1].kind != LineKind::Content) --last;

        if (c.owner == Owner::Verbatim && !pending.empty()) {
            // A section carried verbatim takes in everything up to the next header: comments above
            // one go into the text of the one written before it, where the next read finds them.
            FixedText<kMaxVerbatimSectionLength>* before = nullptr;
            for (int v = 0; v < c.window; ++v) {
                if (!verbatimText(v)->empty()) before = verbatimText(v);
            }
            if (before) {
                appendVerbatimLines(*before, pending);
                pending.clear();
            }
        }
        if (c.owner == Owner::None || c.owner == Owner::Verbatim) {
            std::vector<std::string> section = std::move(pending);
            pending.clear();
            if (c.owner == Owner::None) {
                // A second section for a window that was read from another one: the simulator reads
                // the first, and the writer numbers the windows afresh, so kept as it stands it would
                // be taken for whichever window the next read gives that number. It is kept as
                // comments.
                const std::string_view headerText =
                    std::string_view(keep_).substr(lines[header].start, lines[header].end - lines[header].start);
                bool duplicate = false;
                for (const WindowSlot& slot : slots_) {
                    if (LiteralKeyFind(headerText, 0, headerKey(slot)) != npos) duplicate = true;
                }
                for (std::size_t j = header; j < last; ++j) {
                    const bool quiet = duplicate && lines[j].kind != LineKind::Blank &&
                                       lines[j].kind != LineKind::Comment;
                    section.push_back(quiet ? "// " + textOf(j) : keptText(j));
                }
            }
            if (!section.empty()) panel_.keptSections.push_back(std::move(section));
        } else {
            KeptLines* kept = keptOf(c);
            if (c.owner == Owner::Views || c.owner == Owner::Colors || c.owner == Owner::Strings)
                kept->inFile = true;
            if (c.owner == Owner::Titles) {
                panel_.keptPreamble.insert(panel_.keptPreamble.end(), pending.begin(), pending.end());
            } else {
                kept->above = pending;
            }
            pending.clear();
            const std::vector<std::string>* keys = c.owner == Owner::Window
                                                       ? &windowKeys[static_cast<std::size_t>(c.window)]
                                                   : c.owner == Owner::Views       ? &viewKeys
                                                   : c.owner == Owner::Colors      ? &colorKeys
                                                   : c.owner == Owner::DefaultView ? &defaultKeys
                                                                                   : nullptr;
            for (std::size_t j = header + 1; j < last; ++j) {
                if (lines[j].kind == LineKind::Blank) continue;
                std::string t = textOf(j);
                if (lines[j].kind == LineKind::Comment) {
                    pending.push_back(std::move(t));
                    continue;
                }
                std::string key = KeyOfLine(t);
                std::optional<Use> u = used[j];
                // A title line this read did not take, which the next read would: it goes out as a
                // comment, and is placed here as the next read will place that comment.
                if (!u && c.owner == Owner::Titles && !Contains(titleKeysRead, key) &&
                    NextReadTakesAsTitle(panel_, t)) {
                    pending.push_back("// " + t);
                    continue;
                }
                if (!u && keys && lines[j].start < c.readerEnd && Contains(*keys, key))
                    u = Use{Target::Key, -1, -1};
                if (u && u->target == Target::Gauge && u->window != c.window) u.reset();
                if (u && u->target == Target::Title && c.owner != Owner::Titles) u.reset();
                // A second line for a window the titles already gave is not the window's title.
                if (!u && c.owner == Owner::Titles && Contains(titleKeysRead, key)) u = Use{};
                if (!u) {
                    kept->lines.insert(kept->lines.end(), pending.begin(), pending.end());
                    kept->lines.push_back(keptText(j));
                } else if (u->target == Target::Gauge) {
                    panel_.windows[static_cast<std::size_t>(u->window)]
                        .gauges[static_cast<std::size_t>(u->gauge)]
                        .kept.commentsAbove = pending;
                } else if (u->target == Target::Title) {
                    panel_.windows[static_cast<std::size_t>(u->window)].titleComments = pending;
                    keepTrailingComment(j, key, *kept);
                } else if (u->target == Target::Key) {
                    keepTrailingComment(j, key, *kept);
                    if (!pending.empty()) kept->beforeKey.emplace_back(std::move(key), pending);
                } else {
                    // A line left out: its comments go with the next line.
                    continue;
                }
                pending.clear();
            }
        }
        // (The text of a section carried verbatim holds them already.)
        for (std::size_t j = last; j < end && c.owner != Owner::Verbatim; ++j) {
            if (lines[j].kind == LineKind::Comment) pending.push_back(textOf(j));
        }
        i = end;
    }
    FixedText<kMaxVerbatimSectionLength>* lastVerbatim = nullptr;
    for (int v = 0; v < 3; ++v) {
        if (!verbatimText(v)->empty()) lastVerbatim = verbatimText(v);
    }
    if (lastVerbatim && !pending.empty()) {
        appendVerbatimLines(*lastVerbatim, pending);
    } else {
        panel_.keptEnd = std::move(pending);
    }
}

void Fail(Panel& panel) {
    panel = EmptyPanel();
    panel.loadFailed = true;
}

}  // namespace

PanelReadOptions ReadOptionsFrom(const Settings& settings) {
    PanelReadOptions o;
    o.mode = settings.Mode();
    o.simDir = settings.SimDir();
    return o;
}

bool ParsePanelText(std::string_view bytes, const std::string& path, const PanelReadOptions& options,
                    Panel& panel) {
    panel = EmptyPanel();
    if (bytes.empty()) {
        ShowError(Format("File: \"%s\" is 0 bytes long!", path.c_str()));
        Fail(panel);
        return false;
    }
    if (bytes.size() > kMaxPanelFileSize) {
        ShowError(Format("The file \"%s\" does not appear to be a valid Panel.cfg file!", path.c_str()));
        Fail(panel);
        return false;
    }
    // The buffer is NUL-terminated text: nothing after a NUL byte is ever seen.
    std::size_t nul = bytes.find('\0');
    std::string_view text = bytes.substr(0, nul);
    std::string_view head = text.substr(0, std::min(text.size(), kTextCheckBytes));
    bool binary = std::any_of(head.begin(), head.end(), [](char c) {
        auto u = static_cast<unsigned char>(c);
        return u > 200 || u < 8;
    });
    if (binary) {
        Answer a = AskQuestion(
            QuestionKind::YesNo,
            Format("File: \"%s\" does not appear to be a valid config file! It may be a binary file or "
                   "contain non English characters.\n\nShould I try to continue?",
                   path.c_str()));
        if (a != Answer::Yes) {
            Fail(panel);
            return false;
        }
    }
    Reader reader(std::string(text), path, options, panel);
    if (!reader.run()) {
        Fail(panel);
        return false;
    }
    panel.loadFailed = false;
    return true;
}

bool ReadPanelFile(const std::string& path, const PanelReadOptions& options, Panel& panel) {
    namespace fs = std::filesystem;
    if (path.empty()) {
        Fail(panel);
        return false;
    }
    std::string resolved = ResolvePath(path);
    std::error_code ec;
    fs::file_status st = fs::status(fs::path(resolved), ec);
    if (ec || !fs::exists(st)) {
        ShowError("Can't access file: " + path);
        Fail(panel);
        return false;
    }
    if (fs::is_regular_file(st)) {
        auto size = fs::file_size(fs::path(resolved), ec);
        if (!ec && size == 0) {
            ShowError(Format("File: \"%s\" is 0 bytes long!", path.c_str()));
            Fail(panel);
            return false;
        }
    }
    std::FILE* f = fs::is_directory(st) ? nullptr : std::fopen(resolved.c_str(), "rb");
    if (!f) {
        ShowError("Can't open file " + path);
        Fail(panel);
        return false;
    }
    long size = -1;
    if (std::fseek(f, 0, SEEK_END) == 0) size = std::ftell(f);
    if (size < 0 || std::fseek(f, 0, SEEK_SET) != 0) {
        std::fclose(f);
        ShowError(Format("Can't get status for input file: \"%s\"", path.c_str()));
        Fail(panel);
        return false;
    }
    if (static_cast<unsigned long>(size) > kMaxPanelFileSize) {
        std::fclose(f);
        ShowError(Format("The file \"%s\" does not appear to be a valid Panel.cfg file!", path.c_str()));
        Fail(panel);
        return false;
    }
    std::string bytes(static_cast<std::size_t>(size), '\0');
    errno = 0;
    std::size_t got = size > 0 ? std::fread(bytes.data(), 1, bytes.size(), f) : 0;
    int err = errno;
    bool readError = std::ferror(f) != 0;
    std::fclose(f);
    if (readError) {
        ShowError(Format("Can't read file: \"%s\", error: %s", path.c_str(), std::strerror(err ? err : EIO)));
        Fail(panel);
        return false;
    }
    if (got != bytes.size()) {
        ShowError(Format("Error reading contents of file: \"%s\"", path.c_str()));
        Fail(panel);
        return false;
    }
    return ParsePanelText(bytes, path, options, panel);
}

bool ReadPanelFile(const std::string& path, Settings& settings, Panel& panel) {
    bool ok = ReadPanelFile(path, ReadOptionsFrom(settings), panel);
    settings.SetCurrentFile(ok ? path : std::string());
    return ok;
}

}  // namespace brindle
