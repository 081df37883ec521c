#include "dialogs/window_properties.h"

#include <cstdio>

#include "dialogs/choosers.h"
#include "dialogs/field_text.h"
#include "platform/messages.h"
#include "platform/paths.h"

namespace brindle {

namespace {

std::string Format2(const char* pattern, const std::string& a, int n, const std::string& b) {
    // Titles are at most 80 characters and the aircraft title is cut to 260: 1024 is ample.
    char buf[1024];
    std::snprintf(buf, sizeof buf, pattern, a.substr(0, 260).c_str(), n, b.c_str());
    return buf;
}

// The dialog shows comments with plain line ends; the panel keeps them ended by CR LF.
std::string ToPanelLineEnds(const std::string& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n' && (i == 0 || text[i - 1] != '\r')) out += '\r';
        out += text[i];
    }
    return out;
}

}  // namespace

WindowPropertiesDialogState::WindowPropertiesDialogState(Panel& panel, int index, const Settings& settings)
    : mode_(settings.Mode()), highRes_(settings.HighRes()) {
    if (index < 0 || index >= static_cast<int>(panel.windows.size())) return;
    panel_ = &panel;
    window_ = &panel.windows[static_cast<std::size_t>(index)];
    index_ = index;
    panelFolder_ = DirectoryPart(settings.CurrentFile()).value_or("");
    openedWindow_ = *window_;
    openedComments_ = panel.headerComments.str();
    const PanelWindow& w = *window_;
    vcockpit_ = w.vcockpit;

    aircraftTitle = settings.LastTitle();
    if (w.vcockpit)
        dialogTitle = Format2("Brindle - %s - VCockpit%02d Properties", aircraftTitle, w.vcockpitNumber, "");
    else if (w.fixed)
        dialogTitle = Format2("Brindle - %s - FixedWindow%02d \"%s\" Properties", aircraftTitle,
                              w.fixedNumber, w.title.str());
    else
        dialogTitle =
            Format2("Brindle - %s - Window%02d \"%s\" Properties", aircraftTitle, index, w.title.str());
    configFile = settings.CurrentFileForDisplay();
    comments = panel.headerComments.str();
    windowName = w.title.str();
    ident = w.ident.str();
    visible = w.visible != 0;
    lastVisible_ = visible;
    gauges = std::to_string(w.gaugeCount);
    if (w.sizeMmPresent) sizeMmX = std::to_string(w.sizeMmX);
    if (w.sizeMmYPresent) sizeMmY = std::to_string(w.sizeMmY);
    openedSizeMmX_ = sizeMmX;
    openedSizeMmY_ = sizeMmY;
    FillBitmapFields();
    colourGroup_ = w.backgroundColorPresent && mode_ != kModeFS98;
    if (colourGroup_) {
        red = std::to_string(w.backgroundColor.red());
        green = std::to_string(w.backgroundColor.green());
        blue = std::to_string(w.backgroundColor.blue());
    }
}

void WindowPropertiesDialogState::FillBitmapFields() {
    const PanelWindow& w = *window_;
    file = w.file ? *w.file : "None";
    file1024 = File1024RowShown() ? (w.file1024 ? *w.file1024 : "None") : "";
    fileSize.clear();
    fileColors.clear();
    file1024Size.clear();
    file1024Colors.clear();
    // The size and depth of the bitmap the view shows: file_1024 with HighRes, else file.
    auto describe = [&](const std::string& name, std::string& size, std::string& colours) {
        std::optional<Dib> dib = ReadDibQuietly(JoinPath(panelFolder_, name));
        if (!dib) return;
        char buf[64];
        std::snprintf(buf, sizeof buf, "%d X %d", dib->Width(), dib->Height());
        size = buf;
        colours = ColorDepthText(dib->BitCount());
        if (colours.empty()) colours = std::to_string(dib->BitCount()) + " Bit Color";
    };
    if (File1024RowShown() && w.file1024 && highRes_ == 1)
        describe(*w.file1024, file1024Size, file1024Colors);
    else if (w.file)
        describe(*w.file, fileSize, fileColors);
}

bool WindowPropertiesDialogState::ChangeBitmap(bool highRes, const std::string& chosenPath) {
    if (!window_ || (highRes && !File1024RowShown())) return false;
    std::optional<std::string> name = BitmapIntoPanelFolder(chosenPath, panelFolder_);
    if (!name) return false;
    (highRes ? window_->file1024 : window_->file) = *name;
    FillBitmapFields();
    bitmapChanged_ = true;
    modified_ = true;
    return true;
}

void WindowPropertiesDialogState::ChooseColour(ColorEntry colour) {
    red = std::to_string(colour.red());
    green = std::to_string(colour.green());
    blue = std::to_string(colour.blue());
}

void WindowPropertiesDialogState::ClickVisible(bool checked) {
    visible = checked;
    if (checked != lastVisible_) modified_ = true;
    lastVisible_ = checked;
}

bool WindowPropertiesDialogState::Ok() {
    if (!window_) return true;
    PanelWindow& w = *window_;
    sizeRefused_ = false;
    // 1, 2: the sizes; a refused size is reported and the dialog still closes.
    const struct {
        const std::string* text;
        const std::string* opened;
        long max;
        const char* message;
        bool isX;
    } sizes[] = {{&sizeMmX, &openedSizeMmX_, 8192, kSizeMmXInvalid, true},
                 {&sizeMmY, &openedSizeMmY_, 9998, kSizeMmYInvalid, false}};
    for (const auto& s : sizes) {
        if (!s.isX && !SizeMmYEnabled()) continue;
        if (s.text->find_first_not_of(" \t") == std::string::npos) continue;
        std::optional<long> v = ParseFieldUnsigned(*s.text);
        if (v && std::to_string(*v) == *s.opened) continue;
        if (!v || *v < 1 || *v > s.max) {
            ShowWarning(s.message);
            sizeRefused_ = true;
            continue;
        }
        if (s.isX) {
            w.sizeMmX = static_cast<int>(*v);
            w.sizeMmPresent = true;
        } else {
            w.sizeMmY = static_cast<int>(*v);
            w.sizeMmYPresent = true;
        }
        bitmapChanged_ = true;
        modified_ = true;
    }
    // 3. Visible.
    if ((w.visible != 0) != visible) {
        w.visible = visible ? 1 : 0;
        modified_ = true;
    }
    // 4. The window name.
    const std::string name = windowName.substr(0, 127);
    if (NameAndIdentEnabled() && name != w.title.str()) {
        w.title = name.substr(0, kMaxTitleLength);
        modified_ = true;
        caption_ = Format2("%s - Window%02d \"%s\"", configFile, index_, w.title.str());
    }
    // 5. The panel's comments.
    const std::string typed = ToPanelLineEnds(comments.substr(0, kMaxCommentsTyped));
    if (typed != panel_->headerComments.str()) {
        panel_->headerComments = typed;
        modified_ = true;
    }
    // 6. The colour: out of range keeps the dialog open.
    if (!ColourGroupEnabled()) return true;
    int v[3] = {};
    const std::string* parts[] = {&red, &green, &blue};
    for (int i = 0; i < 3; ++i) {
        std::optional<long> n = ParseFieldUnsigned(*parts[i]);
        if (!n || *n > 255) {
            ShowWarning(kRgbOutOfRange);
            return false;
        }
        v[i] = static_cast<int>(*n);
    }
    const ColorEntry colour = ColorEntry::FromRgb(
        static_cast<std::uint8_t>(v[0]), static_cast<std::uint8_t>(v[1]), static_cast<std::uint8_t>(v[2]));
    if (w.backgroundColorPresent && !(colour == w.backgroundColor)) {
        w.backgroundColor = colour;
        modified_ = true;
    }
    return true;
}

void WindowPropertiesDialogState::Cancel() {
    if (!window_) return;
    // Everything the dialog wrote goes back, also what an OK refused by the colour check had
    // already stored.
    *window_ = openedWindow_;
    panel_->headerComments = openedComments_;
    modified_ = false;
    bitmapChanged_ = false;
    caption_.reset();
}

}  // namespace brindle
