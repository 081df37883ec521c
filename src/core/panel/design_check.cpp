#include "panel/design_check.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

#include "platform/paths.h"
#include "view/bitmap.h"

namespace brindle {
namespace {

std::string Printf(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string Printf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    int n = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    std::string out(n > 0 ? static_cast<size_t>(n) : 0, '\0');
    if (n > 0) std::vsnprintf(out.data(), out.size() + 1, format, args);
    va_end(args);
    return out;
}

class Scan {
  public:
    explicit Scan(const DesignCheckOptions& options) : options_(options) {}

    void Text(const std::string& text) {
        report_.text += text;
        if (options_.onText) options_.onText(text);
    }
    void Error(const std::string& text) {
        ++report_.errors;
        Text(text);
    }
    void Warning(const std::string& text) {
        ++report_.warnings;
        Text(text);
    }
    int Errors() const { return report_.errors; }
    int Warnings() const { return report_.warnings; }
    DesignCheckReport Take() { return std::move(report_); }

  private:
    const DesignCheckOptions& options_;
    DesignCheckReport report_;
};

// The simulator treats these values as unsigned, so a negative one is as bad as a huge one.
bool AboveUnsigned(int value, unsigned limit) {
    return static_cast<unsigned>(value) > limit;
}

bool BitmapHasMoreThan256Colours(const std::string& folder, const std::string& file) {
    BitmapFileRequest request;
    request.path = JoinPath(folder, file);
    if (!ReadBitmapFile(request, false)) return false;
    return request.colours > 256;
}

void ScanGauge(Scan& scan, const PanelWindow& w, const GaugeEntry& g, int number) {
    scan.Text(Printf("    Scanning Gauge %02d, \"%s\"\r\n", number, g.name.c_str()));
    if (g.name.empty()) scan.Error("\r\n****    Error, This gauge has no name\r\n\r\n");
    // The file keeps a longer reference or parameter as written; the simulators' buffers are these.
    if (g.FullName().size() > kMaxGaugeNameLength) {
        scan.Warning(
            Printf("\r\n****    Warning, Gauge reference is longer than %d characters; the simulator may "
                   "not read it\r\n\r\n",
                   static_cast<int>(kMaxGaugeNameLength)));
    }
    if (g.FullParameter().size() > kMaxGaugeParameterLength) {
        scan.Warning(
            Printf("\r\n****    Warning, Gauge parameter is longer than %d characters; the simulator may "
                   "not read it\r\n\r\n",
                   static_cast<int>(kMaxGaugeParameterLength)));
    }
    if (g.widthPresent) {
        if (g.width < 1)
            scan.Error("\r\n****    Error, Gauge size_x is less than or equal to 0\r\n\r\n");
        else if (g.width <= 9)
            scan.Warning("\r\n****    Warning, Gauge size_x is unusually small\r\n\r\n");
        else if (g.width > 2000)
            scan.Warning("\r\n****    Warning, Gauge size_x is unusually large\r\n\r\n");
        if (w.sizeMmPresent && g.x > 0 && g.x > w.sizeMmX)
            scan.Warning("\r\n****    Warning, Gauge position is offscreen (x > size_mm)\r\n\r\n");
    }
    if (g.heightPresent) {
        if (g.height < 1)
            scan.Error("\r\n****    Error, Gauge size_y is less than or equal to 0\r\n\r\n");
        else if (g.height <= 9)
            scan.Warning("\r\n****    Warning, Gauge size_y is unusually small\r\n\r\n");
        else if (g.height > 2000)
            scan.Warning("\r\n****    Warning, Gauge size_y is unusually large\r\n\r\n");
        if (w.sizeMmYPresent && g.y > 0 && g.y > w.sizeMmY)
            scan.Warning("\r\n****    Warning, Gauge position is offscreen (y > size_mm)\r\n\r\n");
    }
    // Summed in 64 bits: a sentinel or huge value must not overflow.
    if (g.widthPresent && static_cast<long long>(g.x) + g.width < 1)
        scan.Warning("\r\n****    Warning, Gauge is positioned off screen (x <= 0)\r\n\r\n");
    if (g.heightPresent && static_cast<long long>(g.y) + g.height < 1)
        scan.Warning("\r\n****    Warning, Gauge is positioned off screen (y <= 0)\r\n\r\n");
}

void ScanWindow(Scan& scan, const PanelWindow& w, int n, const DesignCheckOptions& options) {
    scan.Text(Printf("Scanning Window %02d, \"%s\"\r\n", n, w.title.c_str()));
    scan.Text("\r\n");
    if (options.mode == kModeFS98 && w.gaugeCount > 64)
        scan.Warning("****    Warning: The FS98 limit of 64 Gauges per Window has been exceeded\r\n\r\n");
    if ((options.mode == kModeFS98 || options.mode == kModeCFS) && w.file && !w.file->empty() &&
        BitmapHasMoreThan256Colours(options.panelFolder, *w.file)) {
        scan.Error(
            "****    Error: The background bitmap has more than 256 colors. It will not display properly in "
            "FS98 or CFS1.\r\n\r\n");
    }
    if (w.windowSizeRatioPresent) {
        if (!(w.windowSizeRatio > 0.0))
            scan.Error("\r\n****    Error: Invalid window_size_ratio, < 0.0\r\n\r\n");
        else if (w.windowSizeRatio > 2.0)
            scan.Warning("\r\n****    Warning: Window_size_ratio is unusually large\r\n\r\n");
    }
    if (w.windowSizePresent) {
        if (!(w.windowSize.x > 0.0) || !(w.windowSize.y > 0.0))
            scan.Error("\r\n****    Error: Invalid window_size, < 0.0\r\n\r\n");
        if (w.windowSize.x > 1.0 || w.windowSize.y > 1.0)
            scan.Warning("\r\n****    Warning: Window_size > 1.0\r\n\r\n");
    }
    if (w.windowPosPresent &&
        (w.windowPos.x < 0.0 || w.windowPos.x > 1.0 || w.windowPos.y < 0.0 || w.windowPos.y > 1.0))
        scan.Error("\r\n****    Error: Invalid window_pos\r\n\r\n");
    if (w.sizeMmPresent && AboveUnsigned(w.sizeMmX, 8192))
        scan.Error("\r\n****    Error: SizeMM X is > 8192\r\n\r\n");
    if (w.sizeMmYPresent && AboveUnsigned(w.sizeMmY, 6144))
        scan.Error("\r\n****    Error: SizeMM Y is > 6144\r\n\r\n");
    for (int g = 0; g < static_cast<int>(w.gauges.size()); ++g) ScanGauge(scan, w, w.gauges[g], g);
    scan.Text("\r\n");
}

}  // namespace

DesignCheckReport RunDesignCheck(const Panel& panel, const DesignCheckOptions& options) {
    Scan scan(options);
    scan.Text("Scanning config file\r\n");

    int titled = std::min<int>(panel.windowCount, static_cast<int>(panel.windows.size()));
    for (int i = 0; i < titled; ++i)
        for (int j = i + 1; j < titled; ++j)
            if (EqualsNoCase(panel.windows[i].ident.str(), panel.windows[j].ident.str()))
                scan.Error(Printf(
                    "\r\n****    Error: Window %d and Window %d have identical \"IDENT=\" entries\r\n\r\n", i,
                    j));

    const DefaultView& dv = panel.defaultView;
    if (AboveUnsigned(dv.x, 8191) || AboveUnsigned(dv.y, 6143))
        scan.Error("****    Error: Default View X or Y are out of range ( > max)\r\n\r\n");
    if (dv.sizeX == 0 || dv.sizeY == 0)
        scan.Error("****    Error: Default View Size_X or Size_Y are <= 0\r\n\r\n");
    if (AboveUnsigned(dv.sizeX, 8192) || AboveUnsigned(dv.sizeY, 6144))
        scan.Error("****    Error: Default View Size_X or Size_Y are out of range ( > max)\r\n\r\n");

    for (int n = 0; n < titled; ++n) ScanWindow(scan, panel.windows[n], n, options);

    scan.Text(std::string(70, '_') + "\r\n");
    scan.Text(Printf("\r\n\r\nScan Complete, %d Errors, %d Warnings", scan.Errors(), scan.Warnings()));
    return scan.Take();
}

DesignCheckReport DesignCheckDialogLogic::Run(const Panel& panel, DesignCheckOptions options,
                                              const std::function<void(const std::string&)>& show) {
    text_.clear();
    cut_ = false;
    // Room kept for the note and the closing lines, so they always fit.
    const std::size_t reserve = 256;
    auto put = [&](const std::string& piece) {
        text_ += piece;
        if (show) show(piece);
    };
    options.onText = [&](const std::string& piece) {
        if (cut_) return;
        if (text_.size() + piece.size() > kMaxText - reserve)
            cut_ = true;
        else
            put(piece);
    };
    DesignCheckReport report = RunDesignCheck(panel, options);
    if (cut_) {
        const std::string underline = std::string(70, '_') + "\r\n";
        std::size_t closing = report.text.rfind("\r\n\r\nScan Complete");
        put(kCutNote + underline + (closing == std::string::npos ? "" : report.text.substr(closing)));
    }
    return report;
}

}  // namespace brindle
