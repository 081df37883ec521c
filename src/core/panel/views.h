// The 24 views of "[VIEWS]" and the Fixed Windows they show: their display names and dialog buttons,
// the look-up of a view's Fixed Window, creating one for a view, and the engine side of the Fixed
// Windows dialog (selection, the shown values, Ident, "Change ...", Cancel).
#pragma once

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "panel/panel.h"
#include "view/image.h"

namespace brindle {

// Index of "no view selected".
inline constexpr int kNoView = kViewCount;

struct ViewInfo {
    const char* displayName;  // "Forward View", ...
    const char* button;       // "Fw", "FR", ...
};
extern const std::array<ViewInfo, kViewCount> kViewInfo;

// The forward view's button is shown but disabled: its windows value may be a list.
inline bool ViewButtonEnabled(int view) {
    return view > 0 && view < kViewCount;
}

// The index in `windows` of the titled Fixed Window numbered `number`, or -1.
int FindFixedWindow(const Panel& panel, int number);

// The number a new Fixed Window gets: the highest existing number + 1 (30 when that highest number
// is 0; 0 when there is no Fixed Window). When that passes 99, the lowest unused number from 1 on;
// -1 when every number is taken.
int NextFixedWindowNumber(const Panel& panel);

// Adds a Fixed Window for `view` after the last titled window: the view's display name as title,
// `bitmapFile` as its file, the given number (NextFixedWindowNumber when -1) as fixedNumber and
// ident, position 7, render_3d_window 1, window_pos 0,0 and window_size 1,1. The view's index
// becomes the number. Returns the window's index, or -1 when the panel has no room.
int CreateFixedWindowForView(Panel& panel, int view, const std::string& bitmapFile, int number = -1);

// Where a chosen bitmap must live: the panel folder. Given the full path the chooser returned,
// returns the file name to store. A bitmap from another folder (folders compared without regard to
// case) needs the answer Yes to `question` (its "%s" gets the chosen path) and is copied there,
// replacing a file of that name; `onCopyFailed` reports a failed copy (with the errno value).
// nullopt when the user said No, the copy failed or the path has no file name.
std::optional<std::string> BitmapIntoPanelFolder(const std::string& chosenPath,
                                                 const std::string& panelFolder, const std::string& question,
                                                 const std::function<void(int error)>& onCopyFailed);

// The preview of the Fixed Windows dialog: a 4:3 frame fitted into the area, the bitmap scaled into
// it keeping its aspect (never beyond the frame), at the frame's top left.
struct FixedWindowPreview {
    int frameWidth = 0, frameHeight = 0;
    int drawWidth = 0, drawHeight = 0;  // 0 = nothing is drawn
};
FixedWindowPreview LayoutFixedWindowPreview(int areaWidth, int areaHeight, int bitmapWidth, int bitmapHeight);
// Filled behind a transparent preview.
inline constexpr std::uint32_t kFixedWindowPreviewBackground = 175 | (215 << 8) | (220 << 16);
inline constexpr const char* kNoBitmapSpecified = "No Bitmap Specified";

// The engine of the Fixed Windows dialog. It works on the panel directly; Cancel puts back what the
// dialog changed.
class FixedWindowsEditor {
  public:
    static constexpr const char* kCaption = "Brindle - Fixed Windows";

    // What the dialog shows for the selected view.
    struct Display {
        std::string caption;     // "Brindle - Fixed Windows" or "... - " + window title
        std::string bitmapPath;  // panel folder + "\" + file; empty = no bitmap
        std::string viewName;
        std::string ident;  // the view's number when it is 1 or more
        std::string zoom, eye, pitch, bank, head;
        bool identEnabled = false;
        int windowIndex = -1;  // the Fixed Window shown, or -1
    };

    FixedWindowsEditor(Panel& panel, std::string panelFolder);

    int Selected() const { return selected_; }
    bool Changed() const { return changed_; }
    const Display& Shown() const { return display_; }
    // The shown Fixed Window's bitmap, read when the view is shown; null when there is none or it
    // could not be read (the reader has said why).
    const Image* PreviewBitmap() const { return preview_ ? &*preview_ : nullptr; }

    // A view button: selects the view and shows it. When the view names a Fixed Window that the panel
    // does not have, warns and leaves the display as it was (the view stays selected). Returns
    // whether the display was refreshed.
    bool SelectView(int view);
    // The user typed into Ident: digits set the view's number, an empty text takes it away; other
    // text changes nothing. False when nothing was taken (no view selected or not a number).
    bool SetIdentText(const std::string& text);
    // "Change ...": `chosenPath` is the bitmap the chooser returned. Warns "Please Select a View"
    // with no view selected. Returns whether the panel changed.
    bool ChangeBitmap(const std::string& chosenPath);
    // Puts back the views, drops the Fixed Windows the dialog created and the bitmap names it gave.
    void Cancel();

    // The Transparent check box keeps its state for the program's run.
    static bool& Transparent();

  private:
    void Show(int windowIndex);

    Panel& panel_;
    std::string folder_;
    int selected_ = kNoView;
    bool changed_ = false;
    Display display_;
    std::array<ViewEntry, kViewCount> openingViews_;
    int openingWindowCount_;
    std::vector<OwnedText> openingFiles_;
    std::optional<Image> preview_;
    std::vector<std::vector<std::string>> openingKeptSections_;
};

// The preview area of the Fixed Windows dialog: cleared, then the bitmap in its 4:3 frame, stretched,
// or with `transparent` over the light blue fill with black left out. The caller writes
// kNoBitmapSpecified centred when `bitmap` is null.
Image RenderFixedWindowPreview(int width, int height, const Image* bitmap, bool transparent,
                               Pixel background = kWhite);

}  // namespace brindle
