#include "dialogs/color_palette.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "platform/messages.h"
#include "view/bitmap.h"

namespace brindle {

namespace {

// 0xRRGGBB as written in the table.
constexpr ColorEntry Rgb(std::uint32_t rgb) {
    return ColorEntry::FromRgb(static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8),
                               static_cast<std::uint8_t>(rgb));
}

bool IsBlack(ColorEntry c) {
    return c.red() == 0 && c.green() == 0 && c.blue() == 0;
}

// A whole number as typed: blanks around an optional sign and digits.
std::optional<long> ParseComponent(std::string text) {
    if (text.size() > 10) text.resize(10);
    std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::nullopt;
    std::size_t last = text.find_last_not_of(" \t");
    text = text.substr(first, last - first + 1);
    std::size_t digits = (text[0] == '-' || text[0] == '+') ? 1 : 0;
    if (digits == text.size() || text.find_first_not_of("0123456789", digits) != std::string::npos)
        return std::nullopt;
    return std::strtol(text.c_str(), nullptr, 10);
}

}  // namespace

const std::array<ColorEntry, kStandardPaletteSize> kStandardPalette = {{
    Rgb(0x000000), Rgb(0x080808), Rgb(0x101010), Rgb(0x181818), Rgb(0x202020), Rgb(0x282828), Rgb(0x303030),
    Rgb(0x383838), Rgb(0x414141), Rgb(0x494949), Rgb(0x515151), Rgb(0x595959), Rgb(0x616161), Rgb(0x696969),
    Rgb(0x717171), Rgb(0x797979), Rgb(0x828282), Rgb(0x8A8A8A), Rgb(0x929292), Rgb(0x9A9A9A), Rgb(0xA2A2A2),
    Rgb(0xAAAAAA), Rgb(0xB2B2B2), Rgb(0xBABABA), Rgb(0xC3C3C3), Rgb(0xCBCBCB), Rgb(0xD3D3D3), Rgb(0xDBDBDB),
    Rgb(0xE3E3E3), Rgb(0xEBEBEB), Rgb(0xF7F7F7), Rgb(0xFFFFFF), Rgb(0x150505), Rgb(0x2A0A0A), Rgb(0x3F0F0F),
    Rgb(0x541414), Rgb(0x691919), Rgb(0x7E1E1E), Rgb(0x932323), Rgb(0xA82828), Rgb(0xBD2D2D), Rgb(0xD23232),
    Rgb(0xE73737), Rgb(0xFC3C3C), Rgb(0x051505), Rgb(0x0A2A0A), Rgb(0x0F3F0F), Rgb(0x145414), Rgb(0x196919),
    Rgb(0x1E7E1E), Rgb(0x239323), Rgb(0x28A828), Rgb(0x2DBD2D), Rgb(0x32D232), Rgb(0x37E737), Rgb(0x3CFC3C),
    Rgb(0x000717), Rgb(0x000F28), Rgb(0x00173A), Rgb(0x002854), Rgb(0x004068), Rgb(0x00477A), Rgb(0x00578F),
    Rgb(0x00639C), Rgb(0x0070B3), Rgb(0x0080C7), Rgb(0x008FD7), Rgb(0x0099E6), Rgb(0x1C0E00), Rgb(0x381C00),
    Rgb(0x542A00), Rgb(0x703800), Rgb(0x8C4600), Rgb(0xA85400), Rgb(0xC46200), Rgb(0xE07000), Rgb(0xFC7E00),
    Rgb(0x1C1C00), Rgb(0x383800), Rgb(0x545400), Rgb(0x707000), Rgb(0x8C8C00), Rgb(0xA8A800), Rgb(0xC4C400),
    Rgb(0xE0E000), Rgb(0xFCFC00), Rgb(0x191510), Rgb(0x322A20), Rgb(0x4B3F30), Rgb(0x645440), Rgb(0x7D6950),
    Rgb(0x967E60), Rgb(0xAF9370), Rgb(0xC8A880), Rgb(0xE1BD90), Rgb(0x1C0B07), Rgb(0x38160E), Rgb(0x542115),
    Rgb(0x702C1C), Rgb(0x8C3723), Rgb(0xA8422A), Rgb(0xC44D31), Rgb(0xE05838), Rgb(0xFC633F), Rgb(0x111609),
    Rgb(0x222C12), Rgb(0x33421B), Rgb(0x445824), Rgb(0x556E2D), Rgb(0x668436), Rgb(0x779A3F), Rgb(0x88B048),
    Rgb(0x99C651), Rgb(0x003A68), Rgb(0x005770), Rgb(0x2B7080), Rgb(0xFF0000), Rgb(0x40FF40), Rgb(0x0000C0),
    Rgb(0x006969), Rgb(0xFF8000), Rgb(0xFFFF00), Rgb(0xC0C0FF), Rgb(0xC8C8FF), Rgb(0xD0D0FF), Rgb(0xD8D8FF),
    Rgb(0xE0E0FF), Rgb(0xE8E8FF), Rgb(0xF0F0FF), Rgb(0xF8F8FF), Rgb(0x104810), Rgb(0x205020), Rgb(0x305830),
    Rgb(0x406040), Rgb(0x506850), Rgb(0x607060), Rgb(0x707870), Rgb(0x787C78), Rgb(0x808080), Rgb(0x218CBD),
    Rgb(0x3984A5), Rgb(0xBD4242), Rgb(0x9C4242), Rgb(0x844A4A), Rgb(0x21526B), Rgb(0xD65A52), Rgb(0xBD5A52),
    Rgb(0xA55A52), Rgb(0x7B3931), Rgb(0x633931), Rgb(0x6B4A42), Rgb(0x7B5A52), Rgb(0xB55A42), Rgb(0x4A3129),
    Rgb(0xBD735A), Rgb(0x8C5A31), Rgb(0x21314A), Rgb(0xB57331), Rgb(0x634221), Rgb(0xA57342), Rgb(0x312921),
    Rgb(0xA58C73), Rgb(0xBDA58C), Rgb(0x39637B), Rgb(0xB56B18), Rgb(0xCE7B21), Rgb(0x9C6321), Rgb(0x946B31),
    Rgb(0x6B5231), Rgb(0x212139), Rgb(0x2173A5), Rgb(0xD6D621), Rgb(0xADAD21), Rgb(0xC6C629), Rgb(0x8C8C21),
    Rgb(0x737321), Rgb(0xBDBD39), Rgb(0x9C9C31), Rgb(0xADAD39), Rgb(0x7B7B31), Rgb(0x7B7B42), Rgb(0x4A4A31),
    Rgb(0x7B7B5A), Rgb(0x292921), Rgb(0x5A6339), Rgb(0x6B734A), Rgb(0x7B9452), Rgb(0x8CAD63), Rgb(0x849C63),
    Rgb(0x314229), Rgb(0x63A55A), Rgb(0x4AD64A), Rgb(0x398C39), Rgb(0x4AB54A), Rgb(0x5AC65A), Rgb(0x397B39),
    Rgb(0x316331), Rgb(0x5AA55A), Rgb(0x529452), Rgb(0x4A634A), Rgb(0x397384), Rgb(0x21637B), Rgb(0x4A7384),
}};

bool IsStandardColour(ColorEntry c) {
    return std::find(kStandardPalette.begin(), kStandardPalette.end(), c) != kStandardPalette.end();
}

std::vector<ColorEntry> ProposePalette(const std::vector<ColorEntry>& palette,
                                       std::vector<long long> counts) {
    counts.resize(palette.size(), 0);
    for (std::size_t i = 0; i < palette.size(); ++i)
        if (IsStandardColour(palette[i])) counts[i] = 0;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        for (std::size_t j = i + 1; j < palette.size(); ++j) {
            if (palette[j] == palette[i]) {
                counts[i] += counts[j];
                counts[j] = 0;
            }
        }
    }
    std::vector<std::size_t> order(palette.size());
    for (std::size_t i = 0; i < order.size(); ++i) order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return counts[a] > counts[b]; });
    std::vector<ColorEntry> out;
    for (std::size_t k = 0; k < order.size() && k < static_cast<std::size_t>(kMaxColors); ++k) {
        const ColorEntry c = palette[order[k]];
        if (counts[order[k]] > 1 && c.blue() != 0 && c.green() != 0) out.push_back(c);
    }
    return out;
}

ColorPaletteEditor::ColorPaletteEditor(const Panel& panel) {
    if (panel.colorCount < 0) {
        paletteFile_ = panel.paletteFile ? panel.paletteFile : OwnedText(std::string());
    } else {
        count_ = std::min(panel.colorCount, kMaxColors);
        entries_ = panel.colors;
    }
    Fill();
}

std::string ColorPaletteEditor::PaletteFileNote() const {
    if (!paletteFile_) return {};
    return "This panel takes its colours from the palette file \"" + *paletteFile_ +
           "\". The file stays until you build a table here and press OK.";
}

void ColorPaletteEditor::Fill() {
    lines_.clear();
    char buf[64];
    for (int i = 0; i < count_ && i < kMaxColors; ++i) {
        const ColorEntry c = entries_[i];
        if (IsBlack(c)) continue;
        std::snprintf(buf, sizeof buf, "Color%02d=%d,%d,%d", i, c.red(), c.green(), c.blue());
        lines_.push_back({buf, i});
    }
}

int ColorPaletteEditor::SelectedLine() const {
    for (int l = 0; l < static_cast<int>(lines_.size()); ++l)
        if (lines_[l].entry == selected_) return l;
    return -1;
}

void ColorPaletteEditor::SelectLine(int line) {
    selected_ = (line >= 0 && line < static_cast<int>(lines_.size())) ? lines_[line].entry : -1;
    edited_ = {};
}

bool ColorPaletteEditor::SelectEntry(int entry) {
    for (int l = 0; l < static_cast<int>(lines_.size()); ++l) {
        if (lines_[l].entry == entry) {
            SelectLine(l);
            return true;
        }
    }
    return false;
}

std::array<std::string, 3> ColorPaletteEditor::ComponentTexts() const {
    if (selected_ < 0 || selected_ >= count_) return {};
    const ColorEntry c = entries_[selected_];
    return {std::to_string(c.red()), std::to_string(c.green()), std::to_string(c.blue())};
}

void ColorPaletteEditor::MarkEdited(int component) {
    if (component >= 0 && component < 3) edited_[component] = true;
}

bool ColorPaletteEditor::Apply(const std::array<std::string, 3>& texts) {
    static const char* const kNames[3] = {"RED", "GREEN", "BLUE"};
    static const char* const kRanges[3] = {"Red value must be between 0 and 255",
                                           "Green value must be between 0 and 255",
                                           "Blue value must be between 0 and 255"};
    if (selected_ < 0 || selected_ >= count_) return false;
    std::array<std::uint8_t, 3> v{};
    for (int k = 0; k < 3; ++k) {
        std::optional<long> n = ParseComponent(texts[k]);
        if (!n) {
            ShowWarning(std::string("The value for ") + kNames[k] + " is not valid!");
            return false;
        }
        if (*n < 0 || *n > 255) {
            ShowWarning(kRanges[k]);
            return false;
        }
        v[k] = static_cast<std::uint8_t>(*n);
    }
    entries_[selected_] = ColorEntry::FromRgb(v[0], v[1], v[2]);
    modified_ = true;
    edited_ = {};
    Fill();
    return true;
}

bool ColorPaletteEditor::Delete() {
    if (selected_ < 0 || selected_ >= count_) return false;
    for (int i = selected_; i + 1 < count_; ++i) entries_[i] = entries_[i + 1];
    for (int i = count_ - 1; i < kMaxColors; ++i) entries_[i] = ColorEntry{};
    --count_;
    modified_ = true;
    Fill();
    SelectLine(0);
    return true;
}

bool ColorPaletteEditor::CanAddColor() const {
    if (count_ < kMaxColors) return true;
    ShowWarning("You already have the maximum number of Color entries.");
    return false;
}

bool ColorPaletteEditor::AddColor(ColorEntry colour) {
    if (!CanAddColor()) return false;
    entries_[count_] = colour;
    selected_ = count_++;
    modified_ = true;
    edited_ = {};
    Fill();
    return true;
}

bool ColorPaletteEditor::ReCalculate(const std::string& bitmapPath) {
    if (bitmapPath.empty()) {
        ShowWarning("The current Window has no Bitmap file to take the colours from.");
        return false;
    }
    BitmapFileRequest request;
    request.path = bitmapPath;
    if (!ReadBitmapFile(request, true) || !request.data) return false;
    if (request.colours > 256) {
        ShowWarning("Color Palettes are only needed for 8bit bitmaps");
        return false;
    }
    std::vector<ColorEntry> palette;
    std::map<Pixel, std::size_t> firstIndex;
    for (Pixel p : request.data->ColorTable()) {
        firstIndex.emplace(p, palette.size());
        palette.push_back(ColorEntry::FromRgb(static_cast<std::uint8_t>(RedOf(p)),
                                              static_cast<std::uint8_t>(GreenOf(p)),
                                              static_cast<std::uint8_t>(BlueOf(p))));
    }
    // Counting by colour puts every pixel on the first entry of its colour, which is where merging
    // identical entries would put it anyway; it works for every bit depth and compression.
    std::vector<long long> counts(palette.size(), 0);
    const Image image = request.data->Decode();
    for (Pixel p : image.Pixels()) {
        auto it = firstIndex.find(p);
        if (it != firstIndex.end()) ++counts[it->second];
    }
    std::vector<ColorEntry> proposed = ProposePalette(palette, std::move(counts));
    entries_ = {};
    count_ = 0;
    for (ColorEntry c : proposed) entries_[count_++] = c;
    selected_ = -1;
    edited_ = {};
    modified_ = true;
    Fill();
    return true;
}

void ColorPaletteEditor::Ok(Panel& panel) const {
    if (!modified_) return;
    panel.colors = entries_;
    panel.colorCount = count_;
    panel.paletteFile.reset();
}

}  // namespace brindle
