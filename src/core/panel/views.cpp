#include "panel/views.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>

#include "app/settings.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "view/bitmap.h"

namespace brindle {

const std::array<ViewInfo, kViewCount> kViewInfo = {{
    {"Forward View", "Fw"},
    {"Forward Right View", "FR"},
    {"Right View", "R"},
    {"Rear Right View", "RrR"},
    {"Rear View", "Rr"},
    {"Rear Left View", "RrL"},
    {"Left View", "L"},
    {"Forward Left View", "FL"},
    {"Up View", "Up"},
    {"Forward Up View", "FU"},
    {"Forward Right Up View", "FRU"},
    {"Right Up View", "RU"},
    {"Rear Right Up View", "RrRU"},
    {"Rear Up View", "RrU"},
    {"Rear Left Up View", "RLU"},
    {"Left Up View", "LU"},
    {"Forward Left Up View", "FLU"},
    {"Down View", "Dn"},
    {"Aux 00 View", "00"},
    {"Aux 01 View", "01"},
    {"Aux 02 View", "02"},
    {"Aux 03 View", "03"},
    {"Aux 04 View", "04"},
    {"Aux 05 View", "05"},
}};

namespace {

int TitledCount(const Panel& panel) {
    return std::min<int>(panel.windowCount, static_cast<int>(panel.windows.size()));
}

std::string FormatReal(const char* format, double v) {
    if (v == kNotGivenReal) return {};
    char buf[64];
    std::snprintf(buf, sizeof buf, format, v);
    return buf;
}

}  // namespace

namespace {

std::string TwoDigits(int n) {
    std::string s = std::to_string(n);
    return s.size() < 2 ? "0" + s : s;
}

// A section of that header the file had without a title for it (kept as read) becomes the new
// window's: its lines go with the window instead of standing beside it under the same header.
void TakeKeptSection(Panel& panel, const std::string& header, PanelWindow& w) {
    for (auto it = panel.keptSections.begin(); it != panel.keptSections.end(); ++it) {
        auto h = std::find_if(it->begin(), it->end(), [](const std::string& l) {
            std::size_t f = l.find_first_not_of(" \t");
            return f != std::string::npos && l[f] == '[';
        });
        if (h == it->end() || KeyOfLine(*h) != header) continue;
        w.kept.above.assign(it->begin(), h);
        for (auto l = h + 1; l != it->end(); ++l) {
            if (l->find_first_not_of(" \t") != std::string::npos) w.kept.lines.push_back(*l);
        }
        panel.keptSections.erase(it);
        return;
    }
}

}  // namespace

int FindFixedWindow(const Panel& panel, int number) {
    for (int i = 0; i < TitledCount(panel); ++i)
        if (panel.windows[i].fixed && panel.windows[i].fixedNumber == number) return i;
    return -1;
}

int NextFixedWindowNumber(const Panel& panel) {
    int highest = -1;
    for (int i = 0; i < TitledCount(panel); ++i)
        if (panel.windows[i].fixed) highest = std::max(highest, panel.windows[i].fixedNumber);
    if (highest < 0) return 0;
    // The simulators keep the low numbers for their own windows.
    if (highest == 0) return 30;
    if (highest + 1 <= kMaxFixedWindowNumber) return highest + 1;
    for (int n = 1; n <= kMaxFixedWindowNumber; ++n)
        if (FindFixedWindow(panel, n) < 0) return n;
    return -1;
}

int CreateFixedWindowForView(Panel& panel, int view, const std::string& bitmapFile, int number) {
    if (view < 0 || view >= kViewCount || !CanAddTitledWindow(panel)) return -1;
    if (number < 0) number = NextFixedWindowNumber(panel);
    if (number < 0 || number > kMaxFixedWindowNumber || FindFixedWindow(panel, number) >= 0) return -1;
    PanelWindow w;
    w.setKind(WindowKind::FixedWindow);
    w.fixedNumber = number;
    w.title = kViewInfo[view].displayName;
    w.file = bitmapFile;
    w.ident = std::to_string(number);
    w.position = 7;
    w.visible = 0;
    w.render3dWindow = 1;
    w.render3dWindowPresent = true;
    w.windowPos = {0.0, 0.0};
    w.windowPosPresent = true;
    w.windowSize = {1.0, 1.0};
    w.windowSizePresent = true;
    w.windowSizeRatio = 0.0;
    TakeKeptSection(panel, "[fixed window" + TwoDigits(number) + "]", w);
    int at = InsertWindow(panel, std::move(w));
    if (at >= 0) panel.views[view].index = number;
    return at;
}

std::optional<std::string> BitmapIntoPanelFolder(const std::string& chosenPath,
                                                 const std::string& panelFolder, const std::string& question,
                                                 const std::function<void(int error)>& onCopyFailed) {
    std::optional<std::string> name = FileNamePart(chosenPath);
    if (!name || name->empty()) return std::nullopt;
    std::optional<std::string> dir = DirectoryPart(chosenPath);
    if (dir && (EqualsNoCase(*dir, panelFolder) || ResolvePath(*dir) == ResolvePath(panelFolder)))
        return name;
    std::string text = question;
    if (std::size_t at = text.find("%s"); at != std::string::npos) text.replace(at, 2, chosenPath);
    if (AskQuestion(QuestionKind::YesNo, text) != Answer::Yes) return std::nullopt;
    int error = 0;
    if (!CopyFileBytes(chosenPath, JoinPath(panelFolder, *name), &error)) {
        if (onCopyFailed) onCopyFailed(error ? error : EIO);
        return std::nullopt;
    }
    return name;
}

FixedWindowPreview LayoutFixedWindowPreview(int areaWidth, int areaHeight, int bitmapWidth,
                                            int bitmapHeight) {
    FixedWindowPreview p;
    if (areaWidth <= 0 || areaHeight <= 0) return p;
    if (static_cast<double>(areaWidth) / areaHeight * 0.75 <= 1.0) {
        p.frameWidth = areaWidth;
        p.frameHeight = static_cast<int>(areaWidth * 0.75);
    } else {
        p.frameHeight = areaHeight;
        p.frameWidth = static_cast<int>(areaHeight / 0.75);
    }
    if (bitmapWidth <= 0 || bitmapHeight <= 0) return p;
    double scale = std::min(static_cast<double>(p.frameWidth) / bitmapWidth,
                            static_cast<double>(p.frameHeight) / bitmapHeight);
    int w = static_cast<int>(bitmapWidth * scale), h = static_cast<int>(bitmapHeight * scale);
    if (w > 0 && h > 0) {
        p.drawWidth = std::min(w, p.frameWidth);
        p.drawHeight = std::min(h, p.frameHeight);
    }
    return p;
}

FixedWindowsEditor::FixedWindowsEditor(Panel& panel, std::string panelFolder)
    : panel_(panel),
      folder_(std::move(panelFolder)),
      openingViews_(panel.views),
      openingKeptSections_(panel.keptSections) {
    openingWindowCount_ = TitledCount(panel);
    for (int i = 0; i < openingWindowCount_; ++i) openingFiles_.push_back(panel.windows[i].file);
    display_.caption = kCaption;
}

bool& FixedWindowsEditor::Transparent() {
    static bool transparent = false;
    return transparent;
}

bool FixedWindowsEditor::SelectView(int view) {
    if (view < 0 || view >= kViewCount) return false;
    selected_ = view;
    int index = view == 0 ? -1 : panel_.views[view].index;
    int window = -1;
    if (index != -1) {
        window = FindFixedWindow(panel_, index);
        if (window < 0) {
            ShowWarning(
                "Warning: There is no Fixed Window defined in the \"[WINDOW TITLES]\" section that matches "
                "this "
                "Window.");
            return false;
        }
    }
    Show(window);
    return true;
}

void FixedWindowsEditor::Show(int windowIndex) {
    Display d;
    preview_.reset();
    d.caption = kCaption;
    d.windowIndex = windowIndex;
    if (windowIndex >= 0) {
        const PanelWindow& w = panel_.windows[windowIndex];
        if (w.file && !w.file->empty()) {
            d.bitmapPath = JoinPath(folder_, *w.file);
            BitmapFileRequest request;
            request.path = d.bitmapPath;
            if (ReadBitmapFile(request, true) && request.data) preview_ = request.data->Decode();
        }
        d.caption = std::string(kCaption) + " - " + w.title.str();
        d.identEnabled = true;
    }
    const ViewEntry& v = panel_.views[selected_];
    d.viewName = kViewInfo[selected_].displayName;
    if (v.index >= 1) d.ident = std::to_string(v.index);
    d.zoom = FormatReal("%6.2f", v.zoom);
    d.eye = FormatReal("%6.2f", v.eye);
    d.pitch = FormatReal("%6.1f", v.dir.Pitch);
    d.bank = FormatReal("%6.1f", v.dir.Bank);
    d.head = FormatReal("%6.0f", v.dir.Heading);
    display_ = std::move(d);
}

bool FixedWindowsEditor::SetIdentText(const std::string& text) {
    if (selected_ == kNoView) return false;
    int index = -1;
    if (!text.empty()) {
        if (text.size() > 2 || text.find_first_not_of("0123456789") != std::string::npos) return false;
        index = std::stoi(text);
    }
    if (panel_.views[selected_].index != index) {
        panel_.views[selected_].index = index;
        changed_ = true;
    }
    display_.ident = index >= 1 ? std::to_string(index) : std::string();
    return true;
}

bool FixedWindowsEditor::ChangeBitmap(const std::string& chosenPath) {
    if (selected_ == kNoView) {
        ShowWarning("Please Select a View");
        return false;
    }
    std::optional<std::string> name = BitmapIntoPanelFolder(
        chosenPath, folder_,
        "The Bitmap file:\"%s\" must be in the current Aircraft's Panel directory.\n\nShould I copy it there "
        "now?",
        [&](int error) {
            ShowWarning("File copy of " + chosenPath + " failed!\n\nError: " + std::strerror(error));
        });
    if (!name) return false;
    int index = selected_ == 0 ? -1 : panel_.views[selected_].index;
    int window = index == -1 ? -1 : FindFixedWindow(panel_, index);
    if (window >= 0) {
        panel_.windows[window].file = *name;
    } else {
        // A view without a window, or one whose number names no Fixed Window yet: make that window.
        window =
            CreateFixedWindowForView(panel_, selected_, *name, index <= kMaxFixedWindowNumber ? index : -1);
        if (window < 0) {
            ShowWarning(
                "There is no room for another Fixed Window.\n\nA panel holds at most 32 Windows and Fixed "
                "Windows, and 64 windows in all.");
            return false;
        }
    }
    changed_ = true;
    Show(window);
    return true;
}

void FixedWindowsEditor::Cancel() {
    if (!changed_) return;
    panel_.views = openingViews_;
    while (TitledCount(panel_) > openingWindowCount_) RemoveWindow(panel_, TitledCount(panel_) - 1);
    panel_.keptSections = openingKeptSections_;
    for (int i = 0; i < openingWindowCount_ && i < TitledCount(panel_); ++i)
        panel_.windows[i].file = openingFiles_[i];
    changed_ = false;
}

Image RenderFixedWindowPreview(int width, int height, const Image* bitmap, bool transparent,
                               Pixel background) {
    Image out(width, height, background);
    if (out.Empty() || !bitmap || bitmap->Empty()) return out;
    FixedWindowPreview p = LayoutFixedWindowPreview(width, height, bitmap->Width(), bitmap->Height());
    const PixelRect frame = PixelRect::FromSize(0, 0, p.frameWidth, p.frameHeight);
    if (transparent) {
        const Pixel fill = MakePixel(175, 215, 220);
        FillRect(out, frame, fill, out.Bounds());
    }
    if (p.drawWidth <= 0 || p.drawHeight <= 0) return out;
    const PixelRect at = PixelRect::FromSize(0, 0, p.drawWidth, p.drawHeight);
    if (transparent)
        TransparentStretch(out, at, *bitmap, out.Bounds());
    else
        StretchCopy(out, at, *bitmap, bitmap->Bounds(), StretchQuality::kColorOnColor, out.Bounds());
    return out;
}

}  // namespace brindle
