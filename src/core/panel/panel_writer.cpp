#include "panel/panel_writer.h"

#include <algorithm>
#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "panel/panel_reader.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/printf.h"

namespace brindle {
namespace {

constexpr std::size_t kMaxCopyrightBytes = 9999;

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

std::string Upper(std::string s) {
    for (char& c : s) {
        if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    }
    return s;
}

// CR LF pairs become LF so that the final conversion writes each line end once as CR LF.
std::string WithoutCrLf(std::string_view s) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') continue;
        out.push_back(s[i]);
    }
    return out;
}

// Every line end becomes CR LF. A LF that already follows a CR (possible inside a string pair's
// text, which may run over lines) is left alone, so that saving again never adds CRs.
std::string ToCrLf(std::string_view s) {
    std::string out;
    out.reserve(s.size() + s.size() / 16);
    for (std::size_t i = 0; i < s.size(); ++i) {
        if (s[i] == '\n' && (i == 0 || s[i - 1] != '\r')) out.push_back('\r');
        out.push_back(s[i]);
    }
    return out;
}

bool Given(double v) {
    return v != kNotGivenReal;
}

std::string Fixed(double v, int decimals) {
    char buf[400];
    auto r = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::fixed, decimals);
    if (r.ec != std::errc()) return "0";
    return std::string(buf, r.ptr);
}

// How the reader takes a real back: at most 11 characters of digits, "." and "-".
double ReadBack(const std::string& s) {
    std::size_t n = 0;
    while (n < s.size() && n < 11 && ((s[n] >= '0' && s[n] <= '9') || s[n] == '.' || s[n] == '-')) ++n;
    double v = 0.0;
    auto r = std::from_chars(s.data(), s.data() + n, v, std::chars_format::general);
    return r.ec == std::errc() ? v : 0.0;
}

// A real with the usual number of decimals; more only when those would change the value on the
// next read, so that a save never rounds away what the file said (zoom 0.98 stays 0.98).
std::string Real(double v, int decimals) {
    std::string s = Fixed(v, decimals);
    if (!std::isfinite(v) || ReadBack(s) == v) return s;
    for (int d = decimals + 1; d <= 10; ++d) {
        std::string t = Fixed(v, d);
        if (ReadBack(t) == v) return t;
    }
    return s;
}

// printf's field width: right-aligned by default, left-aligned with `left`.
std::string Padded(std::string s, std::size_t width, bool left = false) {
    if (s.size() >= width) return s;
    return left ? s + std::string(width - s.size(), ' ') : std::string(width - s.size(), ' ') + s;
}

// Writes one section: its lines from the model, and the section's kept lines. Comments that stood
// above a key's line go back above the line the model gives for that key; a kept line whose key the
// model wrote is left out, so that no key is written twice.
class SectionOut {
  public:
    SectionOut(std::string& out, const KeptLines* kept)
        : out_(out), kept_(kept && !kept->empty() ? kept : nullptr) {
        if (kept_) usedBefore_.assign(kept_->beforeKey.size(), false);
    }

    void header(std::string_view text) {
        if (kept_) {
            for (const std::string& c : kept_->above) AppendLine(c);
        }
        out_ += text;
    }

    // One "\n"-ended line the model gives.
    void line(std::string_view text) {
        if (kept_) {
            std::string key = KeyOfLine(text.substr(0, text.find('\n')));
            for (std::size_t i = 0; i < kept_->beforeKey.size(); ++i) {
                if (!usedBefore_[i] && kept_->beforeKey[i].first == key) {
                    for (const std::string& c : kept_->beforeKey[i].second) AppendLine(c);
                    usedBefore_[i] = true;
                    break;
                }
            }
            for (const auto& [k, comment] : kept_->afterKey) {
                if (k != key) continue;
                std::string_view body = text.substr(0, text.find('\n'));
                out_ += body;
                if (body.empty() || body.back() != ' ') out_ += ' ';
                out_ += comment;
                out_ += text.substr(body.size());
                written_.push_back(std::move(key));
                return;
            }
            written_.push_back(std::move(key));
        }
        out_ += text;
    }

    // Whether a kept line goes out as written: not a comment, and not a second line for a key the
    // model writes.
    bool writesLive(std::size_t i) const {
        const std::string& l = kept_->lines[i];
        return !IsCommentLine(l) &&
               std::find(written_.begin(), written_.end(), KeyOfLine(l)) == written_.end();
    }
    std::size_t keptCount() const { return kept_ ? kept_->lines.size() : 0; }
    const std::string& kept(std::size_t i) const { return kept_->lines[i]; }
    // A kept line that goes out behind "// ", so that the next read cannot take it for one of its keys.
    void keepAsComment(std::size_t i) {
        if (asComment_.size() < keptCount()) asComment_.resize(keptCount(), false);
        asComment_[i] = true;
    }

    // The comments whose key the model no longer writes, then the kept lines.
    void keptLines() {
        if (!kept_) return;
        for (std::size_t i = 0; i < kept_->beforeKey.size(); ++i) {
            if (usedBefore_[i]) continue;
            for (const std::string& c : kept_->beforeKey[i].second) AppendLine(c);
        }
        for (std::size_t i = 0; i < kept_->lines.size(); ++i) {
            const std::string& l = kept_->lines[i];
            if (!IsCommentLine(l) &&
                std::find(written_.begin(), written_.end(), KeyOfLine(l)) != written_.end())
                continue;
            if (i < asComment_.size() && asComment_[i])
                AppendLine("// " + l);
            else
                AppendLine(l);
        }
    }

  private:
    static bool IsCommentLine(std::string_view l) {
        std::size_t i = l.find_first_not_of(" \t");
        return i != std::string_view::npos && l.compare(i, 2, "//") == 0;
    }
    void AppendLine(std::string_view l) {
        out_ += l;
        out_ += "\n";
    }

    std::string& out_;
    const KeptLines* kept_;
    std::vector<bool> usedBefore_;
    std::vector<std::string> written_;
    std::vector<bool> asComment_;
};

// The next read takes "WindowNN" for NN = 00, 01, ... as long as the titles section holds the next
// one, and "Fixed WindowNN" for every NN it holds, each found anywhere in a line and in any case (a
// Window's key inside "Fixed WindowNN" is the Fixed Window's). A kept title line whose key the writer
// does not write (one the read never took for a title: it stood in a section kept as it was, or after
// a gap that a window added since has closed) would come back as a window of its own, so it goes out
// as a comment.
void QuietKeptTitles(const Panel& panel, SectionOut& s) {
    for (std::size_t i = 0; i < s.keptCount(); ++i)
        if (s.writesLive(i) && NextReadTakesAsTitle(panel, s.kept(i))) s.keepAsComment(i);
}

std::time_t HeaderTime(const PanelWriteOptions& options, bool* utc) {
    *utc = options.utc;
    if (options.time) return *options.time;
    if (const char* epoch = std::getenv("SOURCE_DATE_EPOCH")) {
        char* end = nullptr;
        errno = 0;
        long long v = std::strtoll(epoch, &end, 10);
        if (errno == 0 && end != epoch && *end == '\0' && v >= 0) {
            *utc = true;
            return static_cast<std::time_t>(v);
        }
    }
    return std::time(nullptr);
}

// Returns the block's text, so that kept lines that came from an earlier copy of it are not
// written twice.
std::string AppendCopyright(std::string& out, const std::string& name) {
    if (name.size() <= 3) {
        out += "\n";
        return {};
    }
    auto data = ReadFileBytes(name);
    if (!data) {
        ShowWarning("Can't open Copyright File \"" + name + "\"");
        return {};
    }
    if (data->empty() || data->size() > kMaxCopyrightBytes) return {};
    std::string text =
        WithoutCrLf(std::string_view(reinterpret_cast<const char*>(data->data()), data->size()));
    out += "\n";
    out += text;
    out += "\n\n";
    return text;
}

bool TextHasLine(std::string_view text, std::string_view line) {
    while (!line.empty() && (line.back() == ' ' || line.back() == '\r')) line.remove_suffix(1);
    if (line.empty()) return false;
    std::size_t pos = 0;
    while (pos <= text.size()) {
        std::size_t nl = text.find('\n', pos);
        std::string_view l =
            text.substr(pos, nl == std::string_view::npos ? std::string_view::npos : nl - pos);
        while (!l.empty() && (l.back() == ' ' || l.back() == '\r')) l.remove_suffix(1);
        if (l == line) return true;
        if (nl == std::string_view::npos) break;
        pos = nl + 1;
    }
    return false;
}

void AppendLines(std::string& out, const std::vector<std::string>& lines) {
    for (const std::string& l : lines) {
        out += l;
        out += "\n";
    }
}

void AppendHeaderComments(std::string& out, const std::string& comments) {
    if (comments.empty()) return;
    std::size_t pos = 0;
    while (pos < comments.size()) {
        std::size_t nl = comments.find('\n', pos);
        std::size_t end = nl == std::string::npos ? comments.size() : nl;
        std::string_view line = std::string_view(comments).substr(pos, end - pos);
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        out += "//\t";
        out += line;
        out += "\n";
        if (nl == std::string::npos) break;
        pos = nl + 1;
    }
    out += "\n\n";
}

// A view without a windows key still keeps its zoom, eye and direction: dropping them would lose
// what the file said on the next save.
void AppendViews(std::string& out, const Panel& panel) {
    bool any = false;
    for (const ViewEntry& v : panel.views) {
        any = any || v.index != -1 || Given(v.zoom) || Given(v.eye) || (v.dirPresent && Given(v.dir.Pitch));
    }
    if (any || !panel.viewsKept.empty()) {
        SectionOut s(out, &panel.viewsKept);
        s.header("[VIEWS]\n");
        // The next read takes each view's keys where they first stand in the file. A forward list
        // that holds another view's name (it is written as it was read) would hide that view's own
        // lines written after it, so then the forward view's lines go last.
        bool forwardLast = false;
        if (panel.views[0].index != -1) {
            const std::string forward =
                panel.keptForwardWindowsList ? *panel.keptForwardWindowsList : panel.forwardWindowsList.str();
            for (int i = 1; i < kViewCount && !forwardLast; ++i)
                forwardLast = Upper(forward).find(Upper(panel.views[i].name)) != std::string::npos;
        }
        for (int k = 0; k < kViewCount; ++k) {
            const int i = forwardLast ? (k + 1) % kViewCount : k;
            const ViewEntry& v = panel.views[i];
            const std::string& name = v.name;
            std::string zoomLine = Upper(name + "ZOOM=" + Real(v.zoom, 1) + "\n");
            std::string eyeLine = Upper(name + "EYE=" + Real(v.eye, 1) + "\n");
            std::string dirLine = Upper(name + "DIR=" + Real(v.dir.Pitch, 1) + ", " + Real(v.dir.Bank, 1) +
                                        ", " + Real(v.dir.Heading, 1) + "\n");
            if (v.index != -1) {
                const OwnedText& whole = panel.keptForwardWindowsList;
                if (i == 0 && whole &&
                    whole->compare(0, panel.forwardWindowsList.size(), panel.forwardWindowsList.str()) == 0) {
                    s.line(name + "WINDOWS=" + *whole + "\n");
                } else if (i == 0 && !panel.forwardWindowsList.empty()) {
                    s.line(name + "WINDOWS=" + panel.forwardWindowsList.str() + "\n");
                } else {
                    s.line(Upper(Format("%sWINDOWS=%d\n", name.c_str(), v.index)));
                }
                if (Given(v.zoom)) s.line(zoomLine);
                if (Given(v.eye)) s.line(eyeLine);
                if (Given(v.dir.Pitch)) s.line(dirLine);
                out += "\n";
            } else {
                if (Given(v.zoom)) s.line(zoomLine);
                if (Given(v.eye)) s.line(eyeLine);
                if (v.dirPresent && Given(v.dir.Pitch)) s.line(dirLine);
            }
        }
        s.keptLines();
    }
    out += "\n\n";
}

std::string WindowHeader(const PanelWindow& w, int listPosition) {
    switch (w.kind()) {
        case WindowKind::Window:
            return Format("[Window%02d]\n", listPosition);
        case WindowKind::FixedWindow:
            return Format("[Fixed Window%02d]\n", w.fixedNumber);
        case WindowKind::Vcockpit:
            return Format("[Vcockpit%02d]\n", w.vcockpitNumber);
    }
    return {};
}

// The window's key lines, each ended by "\n", in the writer's order.
std::vector<std::string> WindowKeyLines(const PanelWindow& w, SimMode mode) {
    std::vector<std::string> out;
    if (w.file) out.push_back("file=" + *w.file + " \n");
    if (w.file1024) out.push_back("file_1024=" + *w.file1024 + " \n");
    if (w.backgroundColorPresent) {
        const ColorEntry& c = w.backgroundColor;
        out.push_back(Format("Background_color=%d,%d,%d \n", c.red(), c.green(), c.blue()));
    }
    if (w.sizeMmPresent) {
        if (!w.sizeMmYPresent || mode == kModeFS98) {
            out.push_back(Format("size_mm=%-d\n", w.sizeMmX));
        } else {
            out.push_back(Format("size_mm=%-d,%-d\n", w.sizeMmX, w.sizeMmY));
        }
    }
    if (w.windowSizeRatioPresent) {
        out.push_back((mode == kModeFS98 ? "windowsize_ratio=" : "window_size_ratio=") +
                      Padded(Real(w.windowSizeRatio, 2), 6, true) + " \n");
    }
    out.push_back(Format("position=%-d\n", w.position));
    out.push_back(Format("visible=%-d\n", w.visible));
    out.push_back("ident=" + w.ident.str() + "\n");
    if (w.sizeablePresent) out.push_back(Format("sizeable=%d\n", w.sizeable));
    if (w.render3dWindowPresent) out.push_back(Format("render_3d_window=%d\n", w.render3dWindow));
    if (w.nomenuPresent) out.push_back(Format("nomenu=%d\n", w.nomenu));
    if (w.imageBlendPresent) out.push_back("image_blend=" + Padded(Real(w.imageBlend, 3), 6) + "\n");
    if (w.windowSizePresent && w.windowSize.x > 0.0 && w.windowSize.y > 0.0) {
        out.push_back("window_size=" + Padded(Real(w.windowSize.x, 3), 6) + "," +
                      Padded(Real(w.windowSize.y, 3), 6) + "\n");
    }
    if (w.pixelSizePresent) out.push_back(Format("pixel_size=%d,%d\n", w.pixelSize.x, w.pixelSize.y));
    if (w.texturePresent) out.push_back("texture=" + w.texture.str() + "\n");
    if (w.windowPosPresent) {
        out.push_back("window_pos=" + Padded(Real(w.windowPos.x, 3), 6) + "," +
                      Padded(Real(w.windowPos.y, 3), 6) + "\n");
    }
    return out;
}

void AppendWindow(std::string& out, const PanelWindow& w, int listPosition, SimMode mode,
                  const KeptLines& kept) {
    SectionOut s(out, &kept);
    s.header(WindowHeader(w, listPosition));
    for (const std::string& l : WindowKeyLines(w, mode)) s.line(l);
    out += "\n";
    for (int i = 0; i < static_cast<int>(w.gauges.size()); ++i) {
        AppendLines(out, w.gauges[i].kept.commentsAbove);
        out += FormatGaugeLine(w.gauges[i], i, mode);
        out += "\n";
    }
    s.keptLines();
    out += "\n";
}

const char* const kDayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
const char* const kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};

// The title numbers a save writes: list positions of the Windows, numbers of the Fixed Windows, and
// where the next read's search for Windows ends (the first list position the writer leaves out).
struct WrittenTitles {
    int count = 0;
    std::vector<bool> windows = std::vector<bool>(kMaxTitledWindows, false);
    std::vector<bool> fixed = std::vector<bool>(kMaxFixedWindowNumber + 1, false);
    int firstMissing = 0;
};

WrittenTitles WrittenTitleNumbers(const Panel& panel) {
    WrittenTitles written;
    written.count = std::min(panel.windowCount, static_cast<int>(panel.windows.size()));
    for (int i = 0; i < written.count; ++i) {
        const PanelWindow& w = panel.windows[i];
        if (w.fixed && w.fixedNumber >= 0 && w.fixedNumber <= kMaxFixedWindowNumber)
            written.fixed[static_cast<std::size_t>(w.fixedNumber)] = true;
        else if (!w.fixed && i < kMaxTitledWindows)
            written.windows[static_cast<std::size_t>(i)] = true;
    }
    while (written.firstMissing < kMaxTitledWindows &&
           written.windows[static_cast<std::size_t>(written.firstMissing)])
        ++written.firstMissing;
    return written;
}

std::string LowerCopy(std::string_view s) {
    std::string out(s);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

// A written title that holds another window's key ("Window01=Radio Window02=spare") gives the next read
// a title for a number the writer does not write: a Window for the numbers that follow the written
// ones, a Fixed Window for any number. Such a window is left out unless the text has a section header
// for it, and a kept line or section can hold one (the writer numbers the windows afresh, so a header
// kept for one window names another after a save): the next read would then gain a window. Those
// lines, and the whole of such a section, go out as comments.
void QuietPhantomSections(std::string& out, const Panel& panel) {
    const WrittenTitles written = WrittenTitleNumbers(panel);
    std::vector<std::string> titles;
    for (int i = 0; i < written.count; ++i) titles.push_back(LowerCopy(panel.windows[i].title.str()));
    for (const std::string& l : panel.titlesKept.lines) {
        const std::size_t first = l.find_first_not_of(" \t");
        if (first != std::string::npos && l.compare(first, 2, "//") != 0) titles.push_back(LowerCopy(l));
    }
    auto holds = [&](const std::string& key, bool fixed) {
        for (const std::string& t : titles) {
            for (std::size_t p = t.find(key); p != std::string::npos; p = t.find(key, p + 1)) {
                const bool insideFixed = p >= 6 && t.compare(p - 6, 6, "fixed ") == 0;
                if (fixed || !insideFixed) return true;
            }
        }
        return false;
    };
    std::vector<std::string> headers;
    for (int n = written.firstMissing; n < kMaxTitledWindows && holds(Format("window%02d", n), false); ++n)
        headers.push_back(Format("[window%02d", n));
    for (int f = 0; f <= kMaxFixedWindowNumber; ++f) {
        if (!written.fixed[static_cast<std::size_t>(f)] && holds(Format("fixed window%02d", f), true))
            headers.push_back(Format("[fixed window%02d", f));
    }
    if (headers.empty()) return;

    std::string result;
    result.reserve(out.size() + 64);
    bool quietSection = false;
    std::size_t pos = 0;
    while (pos < out.size()) {
        std::size_t e = out.find('\n', pos);
        e = e == std::string::npos ? out.size() : e + 1;
        const std::string_view line = std::string_view(out).substr(pos, e - pos);
        pos = e;
        const std::size_t first = line.find_first_not_of(" \t");
        const bool blank = first == std::string_view::npos || line[first] == '\n' || line[first] == '\r';
        const bool comment = !blank && line.compare(first, 2, "//") == 0;
        const bool header = !blank && line[first] == '[';
        bool quiet = false;
        if (!blank && !comment) {
            const std::string lower = LowerCopy(line);
            for (const std::string& h : headers) quiet = quiet || lower.find(h) != std::string::npos;
            if (header) quietSection = quiet;
            quiet = quiet || quietSection;
        }
        if (quiet) result += "// ";
        result += line;
    }
    out = std::move(result);
}

}  // namespace

PanelWriteOptions WriteOptionsFrom(const Settings& settings) {
    PanelWriteOptions o;
    o.mode = settings.Mode();
    o.createBackup = settings.CreateBackup() != 0;
    o.copyrightFile = settings.CopyrightFile();
    return o;
}

std::string FormatBuiltLine(std::time_t time, bool utc) {
    std::tm tm{};
#ifdef _WIN32
    if (utc) {
        gmtime_s(&tm, &time);
    } else {
        localtime_s(&tm, &time);
    }
#else
    if (utc) {
        gmtime_r(&time, &tm);
    } else {
        localtime_r(&time, &tm);
    }
#endif
    // Day and month names in English whatever the process locale is.
    return Format("// Built %s, %s %02d, %d at %02d:%02d", kDayNames[tm.tm_wday % 7],
                  kMonthNames[tm.tm_mon % 12], tm.tm_mday, tm.tm_year + 1900, tm.tm_hour, tm.tm_min);
}

std::vector<std::string> WrittenWindowKeys(const PanelWindow& window, SimMode mode) {
    std::vector<std::string> keys;
    for (const std::string& l : WindowKeyLines(window, mode))
        keys.push_back(KeyOfLine(l.substr(0, l.find('\n'))));
    return keys;
}

bool NextReadTakesAsTitle(const Panel& panel, std::string_view line) {
    const WrittenTitles written = WrittenTitleNumbers(panel);
    auto digit = [](char c) { return c >= '0' && c <= '9'; };
    for (std::size_t p = 0; p + 8 <= line.size(); ++p) {
        if (!EqualsNoCase(line.substr(p, 6), "Window") || !digit(line[p + 6]) || !digit(line[p + 7])) continue;
        const int number = (line[p + 6] - '0') * 10 + (line[p + 7] - '0');
        if (p >= 6 && EqualsNoCase(line.substr(p - 6, 6), "Fixed ")) {
            if (!written.fixed[static_cast<std::size_t>(number)]) return true;
        } else if (number == written.firstMissing) {
            return true;
        }
    }
    return false;
}

std::vector<std::string> WrittenViewKeys(const Panel& panel) {
    std::vector<std::string> keys;
    for (const ViewEntry& v : panel.views) {
        std::string name = KeyOfLine(v.name);
        if (v.index != -1) keys.push_back(name + "windows");
        if (Given(v.zoom)) keys.push_back(name + "zoom");
        if (Given(v.eye)) keys.push_back(name + "eye");
        if ((v.index != -1 || v.dirPresent) && Given(v.dir.Pitch)) keys.push_back(name + "dir");
    }
    return keys;
}

std::vector<std::string> WrittenColorKeys(const Panel& panel) {
    std::vector<std::string> keys;
    if (panel.colorCount == -1) keys.push_back("palette");
    for (int k = 0; k < panel.colorCount && k < kMaxColors; ++k) keys.push_back(Format("color%02d", k));
    return keys;
}

std::string FormatGaugeLine(const GaugeEntry& g, int number, SimMode mode) {
    const std::string& name = g.FullName();
    const std::string& parameter = g.FullParameter();
    std::string s = number == 14 ? Format("gauge%02d=%s,  %d, %d ", number, name.c_str(), g.x, g.y)
                                 : Format("gauge%02d=%s,  %d,%d", number, name.c_str(), g.x, g.y);
    bool heightCounts = g.heightPresent || (g.height != g.width && g.height != 0);
    bool parameterCounts = !parameter.empty();
    if (!g.kept.tail.empty()) {
        // Every field in its place, so that the kept text after the parameter reads back where it was.
        s += g.widthPresent ? Format(",%d", g.width) : std::string(",");
        bool full = mode != kModeFS98;
        s += full && heightCounts ? Format(",%d", g.height) : std::string(",");
        s += ",";
        if (full) s += parameter;
        s += g.kept.tail;
    } else {
        if (g.widthPresent) s += Format(",%d", g.width);
        if (mode != kModeFS98 && (heightCounts || parameterCounts)) {
            if (!g.widthPresent) s += " , ";
            if (heightCounts && !parameterCounts) {
                s += Format(",%d", g.height);
            } else if (!heightCounts) {
                s += ", ," + parameter;
            } else {
                s += Format(",%d,%s", g.height, parameter.c_str());
            }
        }
    }
    if (g.comment) s += "\t" + *g.comment;
    s += g.kept.trailingComment;
    return s;
}

std::string FormatPanel(const Panel& panel, const PanelWriteOptions& options) {
    std::string out;
    out.reserve(8192);
    bool utc = false;
    std::time_t t = HeaderTime(options, &utc);
    out += "// This Panel.cfg file created by Brindle\n";
    out += FormatBuiltLine(t, utc);
    out += Format(" Build:%d\n", kBrindleBuildNumber);
    std::string copyright = AppendCopyright(out, options.copyrightFile);
    AppendHeaderComments(out, panel.headerComments);
    bool preamble = false;
    for (const std::string& l : panel.keptPreamble) {
        if (TextHasLine(copyright, l)) continue;
        out += l;
        out += "\n";
        preamble = true;
    }
    if (preamble) out += "\n";

    {
        SectionOut s(out, &panel.titlesKept);
        s.header("[Window Titles]\n");
        for (int i = 0; i < panel.windowCount && i < static_cast<int>(panel.windows.size()); ++i) {
            const PanelWindow& w = panel.windows[i];
            AppendLines(out, w.titleComments);
            if (w.fixed) {
                s.line(Format("Fixed Window%02d=%s\n", w.fixedNumber, w.title.c_str()));
            } else {
                s.line(Format("Window%02d=%s\n", i, w.title.c_str()));
            }
        }
        QuietKeptTitles(panel, s);
        s.keptLines();
        out += "\n";
    }

    AppendViews(out, panel);

    for (int i = 0; i < static_cast<int>(panel.windows.size()); ++i)
        AppendWindow(out, panel.windows[i], i, options.mode, panel.windows[i].kept);
    out += "\n";

    if (panel.colorCount != 0 || !panel.colorsKept.empty()) {
        SectionOut s(out, &panel.colorsKept);
        s.header("[8 Bit Colors]\n");
        if (panel.colorCount > 0) {
            for (int k = 0; k < panel.colorCount && k < kMaxColors; ++k) {
                const ColorEntry& c = panel.colors[k];
                s.line(Format("color%02d=%d,%d,%d\n", k, c.red(), c.green(), c.blue()));
            }
        } else if (panel.colorCount == -1) {
            s.line("PALETTE=" + panel.paletteFile.value_or("") + "\n");
        }
        s.keptLines();
        out += "\n";
    }

    {
        const DefaultView& d = panel.defaultView;
        SectionOut s(out, &panel.defaultViewKept);
        s.header("[Default View]\n");
        s.line(Format("X=%-d\n", d.x));
        s.line(Format("Y=%-d\n", d.y));
        s.line(Format("SIZE_X=%-d\n", d.sizeX));
        s.line(Format("SIZE_Y=%-d\n", d.sizeY));
        s.keptLines();
        out += "\n";
    }

    if (panel.strings[0].name || !panel.stringsKept.empty()) {
        SectionOut s(out, &panel.stringsKept);
        s.header("[Strings]\n");
        for (const StringPair& p : panel.strings) {
            if (!p.name) break;
            s.line("\"" + *p.name + "\"=" + p.value.value_or("") + "\n");
        }
        s.keptLines();
    }

    // The sections the reader does not know, then the comment lines that stood above a section
    // carried verbatim: before those sections, as each of them runs on to the next header. Another
    // copy of such a section goes after them, so that the next read takes the same one.
    enum { kNamed, kComments, kVerbatimCopy };
    auto sectionKind = [](const std::vector<std::string>& section) {
        for (const std::string& l : section) {
            std::size_t f = l.find_first_not_of(" \t");
            if (f == std::string::npos || l[f] != '[') continue;
            for (const char* v : {"[advdisplay]", "[epicinfo]", "[esound]"}) {
                if (KeyOfLine(l).rfind(v, 0) == 0) return kVerbatimCopy;
            }
            return kNamed;
        }
        return kComments;
    };
    auto appendSections = [&](int kind) {
        for (const std::vector<std::string>& section : panel.keptSections) {
            if (sectionKind(section) != kind) continue;
            if (!out.empty() && out.back() != '\n') out += "\n";
            // (No blank line after a section carried verbatim: it would become part of its text.)
            if (kind != kVerbatimCopy && out.size() >= 2 && out.compare(out.size() - 2, 2, "\n\n") != 0)
                out += "\n";
            AppendLines(out, section);
        }
    };
    appendSections(kNamed);
    appendSections(kComments);

    out += WithoutCrLf(panel.advDisplayText.str());
    out += WithoutCrLf(panel.epicInfoText.str());
    out += WithoutCrLf(panel.esoundText.str());
    appendSections(kVerbatimCopy);

    if (!panel.keptEnd.empty()) {
        if (!out.empty() && out.back() != '\n') out += "\n";
        AppendLines(out, panel.keptEnd);
    }
    QuietPhantomSections(out, panel);
    return ToCrLf(out);
}

bool WritePanelFile(const Panel& panel, const std::string& path, const PanelWriteOptions& options) {
    std::string text = FormatPanel(panel, options);
    // A longer file is refused when it is opened: saved, it would shut the designer out of the panel.
    // The save stops before the backup, and the panel stays open to be cut down.
    if (text.size() > kMaxPanelFileSize) {
        ShowError(Format("The panel would be %zu bytes long, more than the %zu bytes a Panel.cfg file may "
                         "hold, and could not be opened again.\nRemove some windows or gauges.\nCan't save "
                         "file!",
                         text.size(), kMaxPanelFileSize));
        return false;
    }
    if (options.createBackup) {
        std::optional<std::string> backup = BackupFileName(path);
        if (backup && FileExists(path)) {
            int err = 0;
            if (!CopyFileBytes(path, *backup, &err)) {
                // The message ends "Can't save file!": the save stops here and the old file stays.
                ShowError(std::string("Error creating Panel.cfg backup file\n") +
                          std::strerror(err ? err : EIO) + "\nCan't save file!");
                return false;
            }
        }
    }
    int err = 0;
    if (!WriteFileAtomically(path, text, &err)) {
        if (err == 0) err = EIO;
        switch (err) {
            case EACCES:
            case EPERM:
            case ENOENT:
            case ENOTDIR:
            case EISDIR:
            case EROFS:
            case ENAMETOOLONG:
            case ELOOP:
                ReportSystemError("Can't open file \"" + path + "\" for writing.", err);
                break;
            default:
                ShowError("Couldn't write config file: " + path + "\nError is: " + std::strerror(err));
                break;
        }
        return false;
    }
    return true;
}

bool WritePanelFile(const Panel& panel, const std::string& path, const Settings& settings) {
    return WritePanelFile(panel, path, WriteOptionsFrom(settings));
}

}  // namespace brindle
