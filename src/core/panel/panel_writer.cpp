#include "panel/panel_writer.h"

#include <cerrno>
#include <charconv>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "platform/messages.h"
#include "platform/paths.h"

namespace brindle {
namespace {

constexpr std::size_t kMaxCopyrightBytes = 9999;

__attribute__((format(printf, 1, 2))) std::string Format(const char* fmt, ...) {
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

void AppendCopyright(std::string& out, const std::string& name) {
    if (name.size() <= 3) {
        out += "\n";
        return;
    }
    auto data = ReadFileBytes(name);
    if (!data) {
        ShowWarning("Can't open Copyright File \"" + name + "\"");
        return;
    }
    if (data->empty() || data->size() > kMaxCopyrightBytes) return;
    out += "\n";
    out += WithoutCrLf(std::string_view(reinterpret_cast<const char*>(data->data()), data->size()));
    out += "\n\n";
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
    if (any) {
        out += "[VIEWS]\n";
        for (int i = 0; i < kViewCount; ++i) {
            const ViewEntry& v = panel.views[i];
            const std::string& name = v.name;
            std::string zoomLine = Upper(name + "ZOOM=" + Real(v.zoom, 1) + "\n");
            std::string eyeLine = Upper(name + "EYE=" + Real(v.eye, 1) + "\n");
            std::string dirLine = Upper(name + "DIR=" + Real(v.dir.Pitch, 1) + ", " + Real(v.dir.Bank, 1) +
                                        ", " + Real(v.dir.Heading, 1) + "\n");
            if (v.index != -1) {
                if (i == 0 && !panel.forwardWindowsList.empty()) {
                    out += name + "WINDOWS=" + panel.forwardWindowsList.str() + "\n";
                } else {
                    out += Upper(Format("%sWINDOWS=%d\n", name.c_str(), v.index));
                }
                if (Given(v.zoom)) out += zoomLine;
                if (Given(v.eye)) out += eyeLine;
                if (Given(v.dir.Pitch)) out += dirLine;
                out += "\n";
            } else {
                if (Given(v.zoom)) out += zoomLine;
                if (Given(v.eye)) out += eyeLine;
                if (v.dirPresent && Given(v.dir.Pitch)) out += dirLine;
            }
        }
    }
    out += "\n\n";
}

void AppendWindow(std::string& out, const PanelWindow& w, int listPosition, SimMode mode) {
    switch (w.kind()) {
        case WindowKind::Window:
            out += Format("[Window%02d]\n", listPosition);
            break;
        case WindowKind::FixedWindow:
            out += Format("[Fixed Window%02d]\n", w.fixedNumber);
            break;
        case WindowKind::Vcockpit:
            out += Format("[Vcockpit%02d]\n", w.vcockpitNumber);
            break;
    }
    if (w.file) out += "file=" + *w.file + " \n";
    if (w.file1024) out += "file_1024=" + *w.file1024 + " \n";
    if (w.backgroundColorPresent) {
        const ColorEntry& c = w.backgroundColor;
        out += Format("Background_color=%d,%d,%d \n", c.red(), c.green(), c.blue());
    }
    if (w.sizeMmPresent) {
        if (!w.sizeMmYPresent || mode == kModeFS98) {
            out += Format("size_mm=%-d\n", w.sizeMmX);
        } else {
            out += Format("size_mm=%-d,%-d\n", w.sizeMmX, w.sizeMmY);
        }
    }
    if (w.windowSizeRatioPresent) {
        out += (mode == kModeFS98 ? "windowsize_ratio=" : "window_size_ratio=") +
               Padded(Real(w.windowSizeRatio, 2), 6, true) + " \n";
    }
    out += Format("position=%-d\n", w.position);
    out += Format("visible=%-d\n", w.visible);
    out += "ident=" + w.ident.str() + "\n";
    if (w.sizeablePresent) out += Format("sizeable=%d\n", w.sizeable);
    if (w.render3dWindowPresent) out += Format("render_3d_window=%d\n", w.render3dWindow);
    if (w.nomenuPresent) out += Format("nomenu=%d\n", w.nomenu);
    if (w.imageBlendPresent) out += "image_blend=" + Padded(Real(w.imageBlend, 3), 6) + "\n";
    if (w.windowSizePresent && w.windowSize.x > 0.0 && w.windowSize.y > 0.0) {
        out += "window_size=" + Padded(Real(w.windowSize.x, 3), 6) + "," +
               Padded(Real(w.windowSize.y, 3), 6) + "\n";
    }
    if (w.pixelSizePresent) out += Format("pixel_size=%d,%d\n", w.pixelSize.x, w.pixelSize.y);
    if (w.texturePresent) out += "texture=" + w.texture.str() + "\n";
    if (w.windowPosPresent) {
        out += "window_pos=" + Padded(Real(w.windowPos.x, 3), 6) + "," + Padded(Real(w.windowPos.y, 3), 6) +
               "\n";
    }
    out += "\n";
    for (int i = 0; i < static_cast<int>(w.gauges.size()); ++i) {
        out += FormatGaugeLine(w.gauges[i], i, mode);
        out += "\n";
    }
    out += "\n";
}

const char* const kDayNames[] = {"Sunday",   "Monday", "Tuesday", "Wednesday",
                                 "Thursday", "Friday", "Saturday"};
const char* const kMonthNames[] = {"January", "February", "March",     "April",   "May",      "June",
                                   "July",    "August",   "September", "October", "November", "December"};

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

std::string FormatGaugeLine(const GaugeEntry& g, int number, SimMode mode) {
    std::string s = number == 14 ? Format("gauge%02d=%s,  %d, %d ", number, g.name.c_str(), g.x, g.y)
                                 : Format("gauge%02d=%s,  %d,%d", number, g.name.c_str(), g.x, g.y);
    bool heightCounts = g.heightPresent || (g.height != g.width && g.height != 0);
    bool parameterCounts = !g.parameter.empty();
    if (g.widthPresent) s += Format(",%d", g.width);
    if (mode != kModeFS98 && (heightCounts || parameterCounts)) {
        if (!g.widthPresent) s += " , ";
        if (heightCounts && !parameterCounts) {
            s += Format(",%d", g.height);
        } else if (!heightCounts) {
            s += ", ," + g.parameter.str();
        } else {
            s += Format(",%d,%s", g.height, g.parameter.c_str());
        }
    }
    if (g.comment) s += "\t" + *g.comment;
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
    AppendCopyright(out, options.copyrightFile);
    AppendHeaderComments(out, panel.headerComments);

    out += "[Window Titles]\n";
    for (int i = 0; i < panel.windowCount && i < static_cast<int>(panel.windows.size()); ++i) {
        const PanelWindow& w = panel.windows[i];
        if (w.fixed) {
            out += Format("Fixed Window%02d=%s\n", w.fixedNumber, w.title.c_str());
        } else {
            out += Format("Window%02d=%s\n", i, w.title.c_str());
        }
    }
    out += "\n";

    AppendViews(out, panel);

    for (int i = 0; i < static_cast<int>(panel.windows.size()); ++i)
        AppendWindow(out, panel.windows[i], i, options.mode);
    out += "\n";

    if (panel.colorCount > 0) {
        out += "[8 Bit Colors]\n";
        for (int k = 0; k < panel.colorCount && k < kMaxColors; ++k) {
            const ColorEntry& c = panel.colors[k];
            out += Format("color%02d=%d,%d,%d\n", k, c.red(), c.green(), c.blue());
        }
        out += "\n";
    } else if (panel.colorCount == -1) {
        out += "[8 Bit Colors]\n";
        out += "PALETTE=" + panel.paletteFile.value_or("") + "\n";
        out += "\n";
    }

    const DefaultView& d = panel.defaultView;
    out += Format("[Default View]\nX=%-d\nY=%-d\nSIZE_X=%-d\nSIZE_Y=%-d\n\n", d.x, d.y, d.sizeX, d.sizeY);

    if (panel.strings[0].name) {
        out += "[Strings]\n";
        for (const StringPair& s : panel.strings) {
            if (!s.name) break;
            out += "\"" + *s.name + "\"=" + s.value.value_or("") + "\n";
        }
    }

    out += WithoutCrLf(panel.advDisplayText.str());
    out += WithoutCrLf(panel.epicInfoText.str());
    out += WithoutCrLf(panel.esoundText.str());
    return ToCrLf(out);
}

bool WritePanelFile(const Panel& panel, const std::string& path, const PanelWriteOptions& options) {
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
    std::string text = FormatPanel(panel, options);
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
