// The in-memory panel: everything one panel.cfg holds that the editor shows or changes. The records
// have fixed capacities (the simulators' own limits); code that adds windows, gauges, colours or
// string pairs must check them first (CanAddWindow, CanAddGauge, ...), and the text fields cut what
// is stored into them to their capacity.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace brindle {

// A whole number the file did not give.
inline constexpr int kNotGivenInt = -99999;
// A real number the file did not give.
inline constexpr double kNotGivenReal = 99999.0;

// Capacities of the model.
inline constexpr int kMaxPanelWindows = 64;   // all windows, Vcockpits included
inline constexpr int kMaxTitledWindows = 32;  // Windows and Fixed Windows together
inline constexpr int kMaxGauges = 128;        // per window
inline constexpr int kMaxColors = 32;
inline constexpr int kViewCount = 24;
inline constexpr int kMaxStringPairs = 16;
inline constexpr int kMaxHeaderCommentLines = 13;
inline constexpr int kMaxFixedWindowNumber = 99;
inline constexpr int kMaxVcockpitNumber = 99;

// Text lengths (characters stored, without the terminating NUL of the file format's buffers).
inline constexpr std::size_t kMaxHeaderCommentsLength = 960;
inline constexpr std::size_t kMaxForwardWindowsListLength = 127;
inline constexpr std::size_t kMaxVerbatimSectionLength = 5119;
inline constexpr std::size_t kMaxTitleLength = 80;
inline constexpr std::size_t kMaxIdentLength = 79;
inline constexpr std::size_t kMaxTextureLength = 79;
inline constexpr std::size_t kMaxGaugeNameLength = 95;
inline constexpr std::size_t kMaxGaugeParameterLength = 31;

// 8-bit text of at most N characters. Assigning longer text keeps the first N characters; text is
// also cut at an embedded NUL, as the file format's fixed buffers end there.
template <std::size_t N>
class FixedText {
  public:
    static constexpr std::size_t kCapacity = N;

    FixedText() = default;
    FixedText(std::string_view s) { assign(s); }  // NOLINT: implicit on purpose
    FixedText(const char* s) { assign(s ? std::string_view(s) : std::string_view()); }
    FixedText(const std::string& s) { assign(std::string_view(s)); }

    FixedText& operator=(std::string_view s) {
        assign(s);
        return *this;
    }
    FixedText& operator=(const char* s) {
        assign(s ? std::string_view(s) : std::string_view());
        return *this;
    }
    FixedText& operator=(const std::string& s) {
        assign(std::string_view(s));
        return *this;
    }

    void assign(std::string_view s) {
        std::size_t nul = s.find('\0');
        if (nul != std::string_view::npos) s = s.substr(0, nul);
        text_.assign(s.substr(0, std::min(s.size(), N)));
    }
    // Appends as much of `s` as still fits; returns false when something was cut.
    bool append(std::string_view s) {
        std::size_t nul = s.find('\0');
        bool whole = nul == std::string_view::npos;
        if (!whole) s = s.substr(0, nul);
        std::size_t room = N - text_.size();
        if (s.size() > room) {
            s = s.substr(0, room);
            whole = false;
        }
        text_.append(s);
        return whole;
    }
    void clear() { text_.clear(); }

    const std::string& str() const { return text_; }
    const char* c_str() const { return text_.c_str(); }
    std::size_t size() const { return text_.size(); }
    bool empty() const { return text_.empty(); }
    operator const std::string&() const { return text_; }  // NOLINT
    operator std::string_view() const { return text_; }    // NOLINT

    friend bool operator==(const FixedText& a, const FixedText& b) { return a.text_ == b.text_; }
    friend bool operator==(const FixedText& a, std::string_view b) { return a.text_ == b; }
    friend bool operator==(const FixedText& a, const char* b) { return a.text_ == std::string_view(b); }
    friend bool operator==(const FixedText& a, const std::string& b) { return a.text_ == b; }

  private:
    std::string text_;
};

// An owned text that may be absent (a bitmap name, a comment, a string pair's name or value).
using OwnedText = std::optional<std::string>;

// Red, green and blue in one 32-bit value: red in the lowest byte, then green, then blue.
struct ColorEntry {
    std::uint32_t value = 0;

    static constexpr ColorEntry FromRgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
        return ColorEntry{static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) |
                          (static_cast<std::uint32_t>(b) << 16)};
    }
    constexpr std::uint8_t red() const { return static_cast<std::uint8_t>(value & 0xFF); }
    constexpr std::uint8_t green() const { return static_cast<std::uint8_t>((value >> 8) & 0xFF); }
    constexpr std::uint8_t blue() const { return static_cast<std::uint8_t>((value >> 16) & 0xFF); }
    friend constexpr bool operator==(const ColorEntry&, const ColorEntry&) = default;
};

struct RealPair {
    double x = 0.0;
    double y = 0.0;
    friend bool operator==(const RealPair&, const RealPair&) = default;
};

struct IntPair {
    int x = 0;
    int y = 0;
    friend bool operator==(const IntPair&, const IntPair&) = default;
};

// Lines of a section the model has no field for, kept as written (without their line ends) so that
// a save gives them back with what they belong to.
struct KeptLines {
    // Full-line comments standing right above the section's header.
    std::vector<std::string> above;
    // Full-line comments standing right above a line the writer writes from the model, by that
    // line's key (KeyOfLine); they go back above the key's line.
    std::vector<std::pair<std::string, std::vector<std::string>>> beforeKey;
    // The section's other lines in file order: keys the model does not hold, lines it could not
    // read, and the comments among them.
    std::vector<std::string> lines;
    // The file had the section, so it is written even when nothing else in it is.
    bool inFile = false;

    bool empty() const { return above.empty() && beforeKey.empty() && lines.empty() && !inFile; }
    friend bool operator==(const KeptLines&, const KeptLines&) = default;
};

// What a gauge line holds beyond the fields of its GaugeEntry; it stays with the gauge.
struct GaugeLineKept {
    // The whole reference or parameter when the fields hold only their beginning; written instead
    // of the field as long as the field is still that beginning (an edited name drops it).
    OwnedText fullName;
    OwnedText fullParameter;
    // The text after the parameter and before the ";" comment: further fields, words.
    std::string tail;
    // A "//" comment at the end of the line, with the blanks before it.
    std::string trailingComment;
    // Full-line comments right above the line.
    std::vector<std::string> commentsAbove;

    bool empty() const {
        return !fullName && !fullParameter && tail.empty() && trailingComment.empty() &&
               commentsAbove.empty();
    }
    friend bool operator==(const GaugeLineKept&, const GaugeLineKept&) = default;
};

// One "gaugeNN=" line.
struct GaugeEntry {
    FixedText<kMaxGaugeNameLength> name;
    int x = kNotGivenInt;
    int y = kNotGivenInt;
    // Width and height are 0 while not present (the rest of the editor reads 0 as "not given").
    int width = 0;
    bool widthPresent = false;
    // A height that is not present means the gauge keeps its own aspect.
    int height = 0;
    bool heightPresent = false;
    FixedText<kMaxGaugeParameterLength> parameter;
    // Not in the file: set by the view when the gauge's bitmap could be loaded.
    bool bitmapLoaded = false;
    // From the last ";" of the line to its end, ";" included.
    OwnedText comment;
    GaugeLineKept kept;

    // The reference and parameter as the file gets them: whole when the kept text still starts with
    // the field.
    const std::string& FullName() const;
    const std::string& FullParameter() const;

    friend bool operator==(const GaugeEntry&, const GaugeEntry&) = default;
};

enum class WindowKind { Window, FixedWindow, Vcockpit };

// One "[WindowNN]", "[Fixed WindowNN]" or "[VcockpitNN]" section.
struct PanelWindow {
    // The kind is held as two flags; both false = a plain Window.
    bool fixed = false;
    bool vcockpit = false;
    int fixedNumber = 0;     // 0..99, the number in "[Fixed WindowNN]"
    int vcockpitNumber = 0;  // 1..99, the number in "[VcockpitNN]"
    FixedText<kMaxTitleLength> title;

    OwnedText file;
    OwnedText file1024;
    ColorEntry backgroundColor{0x00FFFFFF};  // all ones while not present
    bool backgroundColorPresent = false;
    int sizeMmX = 0;
    int sizeMmY = 0;
    bool sizeMmPresent = false;   // the pair
    bool sizeMmYPresent = false;  // the second number
    double windowSizeRatio = 1.0;
    bool windowSizeRatioPresent = false;
    int position = 7;
    int visible = 1;
    FixedText<kMaxIdentLength> ident;
    FixedText<kMaxTextureLength> texture;
    bool texturePresent = false;
    int sizeable = 0;
    bool sizeablePresent = false;
    int nomenu = 0;
    bool nomenuPresent = false;
    int render3dWindow = 0;
    bool render3dWindowPresent = false;
    double imageBlend = 0.0;
    bool imageBlendPresent = false;
    RealPair windowPos;
    bool windowPosPresent = false;
    RealPair windowSize;
    bool windowSizePresent = false;
    IntPair pixelSize;
    bool pixelSizePresent = false;

    // gaugeCount always equals gauges.size(); use AddGauge/InsertGauge/RemoveGauge to keep it so.
    std::vector<GaugeEntry> gauges;
    int gaugeCount = 0;

    // Not in the file: the pixel size of the loaded background bitmap.
    int bitmapWidth = 0;
    int bitmapHeight = 0;

    // The section's lines the model has no field for; they go and come with the window.
    KeptLines kept;
    // Full-line comments right above the window's line in "[Window Titles]".
    std::vector<std::string> titleComments;

    WindowKind kind() const {
        return vcockpit ? WindowKind::Vcockpit : fixed ? WindowKind::FixedWindow : WindowKind::Window;
    }
    void setKind(WindowKind k) {
        fixed = k == WindowKind::FixedWindow;
        vcockpit = k == WindowKind::Vcockpit;
    }
    bool titled() const { return !vcockpit; }

    friend bool operator==(const PanelWindow&, const PanelWindow&) = default;
};

struct ViewDir {
    double Pitch = kNotGivenReal;
    double Bank = kNotGivenReal;
    double Heading = kNotGivenReal;
    friend bool operator==(const ViewDir&, const ViewDir&) = default;
};

// One of the 24 fixed views of "[VIEWS]".
struct ViewEntry {
    std::string name;  // the key prefix, e.g. "view_forward_"
    int index = -1;    // the Fixed Window number; -1 = not given
    double zoom = kNotGivenReal;
    double eye = kNotGivenReal;
    ViewDir dir;
    bool dirPresent = false;
    friend bool operator==(const ViewEntry&, const ViewEntry&) = default;
};

// The key prefixes of the 24 views, in the fixed order of `Panel::views`.
extern const std::array<const char*, kViewCount> kViewPrefixes;

struct StringPair {
    OwnedText name;
    OwnedText value;
    friend bool operator==(const StringPair&, const StringPair&) = default;
};

struct DefaultView {
    int x = 0;
    int y = 0;
    int sizeX = 0;
    int sizeY = 0;
    friend bool operator==(const DefaultView&, const DefaultView&) = default;
};

struct Panel {
    // First the titled windows (Windows, then Fixed Windows) in list order, then the Vcockpits.
    // windowCount + vcockpitCount always equals windows.size().
    std::vector<PanelWindow> windows;
    int windowCount = 0;    // titled windows; at most 32
    int vcockpitCount = 0;  // together with windowCount at most 64

    // Kept "//<TAB>" comment lines, each ended by CR LF.
    FixedText<kMaxHeaderCommentsLength> headerComments;
    // The list ends at the first pair whose name is absent.
    std::array<StringPair, kMaxStringPairs> strings;
    std::array<ViewEntry, kViewCount> views;
    FixedText<kMaxForwardWindowsListLength> forwardWindowsList;
    // The whole list when forwardWindowsList holds only its beginning; written instead while it does.
    OwnedText keptForwardWindowsList;
    std::array<ColorEntry, kMaxColors> colors{};
    // 0 = no colour table; -1 = a palette file name instead (paletteFile).
    int colorCount = 0;
    OwnedText paletteFile;
    DefaultView defaultView;
    FixedText<kMaxVerbatimSectionLength> advDisplayText;
    FixedText<kMaxVerbatimSectionLength> epicInfoText;
    FixedText<kMaxVerbatimSectionLength> esoundText;
    bool loadFailed = false;

    // What the model has no field for, kept so that a save never drops a line of the file.
    // Lines before the first section (the writer's own header lines left out).
    std::vector<std::string> keptPreamble;
    KeptLines titlesKept;
    KeptLines viewsKept;
    KeptLines colorsKept;
    KeptLines defaultViewKept;
    KeptLines stringsKept;
    // Sections the reader does not know (or does not take, like windows listed after a gap in the
    // titles), whole: the comments above, the header line, the body; in file order.
    std::vector<std::vector<std::string>> keptSections;
    // Comments after the last line of the last section.
    std::vector<std::string> keptEnd;

    friend bool operator==(const Panel&, const Panel&) = default;
};

// The key of a panel.cfg line as the kept lines are matched against the writer's lines: the text
// before the first "=" (the whole line without one), blanks around it removed, in lower case;
// "windowsize_ratio" counts as "window_size_ratio".
std::string KeyOfLine(std::string_view line);

// The 24 views with their prefixes and nothing given (index -1, reals 99999.0), and no forward list.
void ResetViews(Panel& panel);

// Capacity checks for the commands that add things.
bool CanAddTitledWindow(const Panel& panel);
bool CanAddVcockpit(const Panel& panel);
bool CanAddGauge(const PanelWindow& window);

// Window list edits that keep the order (Windows, Fixed Windows, Vcockpits) and the counts. Each
// returns the index where the window now is, or -1 when the capacity is reached.
// The new window goes after the last window of its kind.
int InsertWindow(Panel& panel, PanelWindow window);
// Removes the window at `index` (no-op for an index out of range); later windows move down.
void RemoveWindow(Panel& panel, int index);

// Copies one window over another: the whole record, gauges and title included. Indices out of
// range are ignored.
void CopyWindow(Panel& panel, int from, int to);

// Gauge list edits that keep gaugeCount equal to the list. Each returns false at the capacity or
// for an index out of range.
bool AddGauge(PanelWindow& window, GaugeEntry gauge);
bool InsertGauge(PanelWindow& window, int index, GaugeEntry gauge);
bool RemoveGauge(PanelWindow& window, int index);
// Replaces the whole gauge list; everything past the capacity is dropped.
void SetGauges(PanelWindow& window, std::vector<GaugeEntry> gauges);

// The number of used string pairs (up to the first absent name).
int StringPairCount(const Panel& panel);

// True when the counts agree with the lists and every capacity holds; `why` gets the first fault.
bool PanelIsConsistent(const Panel& panel, std::string* why = nullptr);

// A new, empty panel: the view prefixes set up, everything else zero or empty.
Panel EmptyPanel();

}  // namespace brindle
