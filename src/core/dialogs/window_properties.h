// The Window Properties dialog of the shown window: the texts it opens with per window kind and
// simulator, "Change..." with the panel-folder rule, "Change Color...", OK's steps in their order
// with their messages, and Cancel. What OK hands back is finished by the document
// (PanelDocument::AfterWindowProperties: the ident rules, the modified mark, the new background).
#pragma once

#include <optional>
#include <string>

#include "app/settings.h"
#include "document/document.h"
#include "panel/panel.h"

namespace brindle {

inline constexpr const char* kSizeMmXInvalid =
    "The value of \"Size MM X\" is not valid\n\nMaximum Window size is 8192 x 6144";
inline constexpr const char* kSizeMmYInvalid = "The value of \"Size MM Y\" is not valid";
inline constexpr const char* kRgbOutOfRange =
    "The Values for R, G, and B are out of Range.Please Enter a Value between 0 and 255.";
inline constexpr std::size_t kMaxCommentsTyped = 959;

class WindowPropertiesDialogState {
  public:
    // `index` is the shown window (LastWindow). The window is changed in place by "Change..." and
    // OK; Cancel puts it back.
    WindowPropertiesDialogState(Panel& panel, int index, const Settings& settings);

    bool Valid() const { return window_ != nullptr; }

    // What the dialog shows. The edits are changed by the user (by the shell, or by the command line).
    std::string dialogTitle;
    std::string aircraftTitle;  // LastTitle
    std::string configFile;     // CurrentFile, first letter upper-cased
    std::string comments;       // the panel's header comments
    std::string windowName;
    std::string ident;
    bool visible = false;
    std::string gauges;
    std::string file, file1024;  // the names, or "None"
    std::string fileSize, fileColors, file1024Size, file1024Colors;
    std::string red, green, blue;
    std::string sizeMmX, sizeMmY;

    // What is shown and enabled.
    bool File1024RowShown() const { return mode_ != kModeFS98; }
    bool SizeMmYEnabled() const { return mode_ != kModeFS98; }
    bool ColourGroupEnabled() const { return colourGroup_; }
    bool BitmapGroupEnabled() const { return !colourGroup_; }
    bool NameAndIdentEnabled() const { return !vcockpit_; }

    // "Change..." for `file` (highRes false) or `file1024`, with the chooser's full path. True when
    // the window now names that bitmap (it may have been copied into the panel folder first).
    bool ChangeBitmap(bool highRes, const std::string& chosenPath);
    // "Change Color...": the colour the system's chooser gave.
    void ChooseColour(ColorEntry colour);
    // A click on "Visible at FS Startup".
    void ClickVisible(bool checked);

    // OK: true when the dialog closes (only the colour message keeps it open).
    bool Ok();
    // The last OK refused a size (its message was shown; the dialog closed all the same).
    bool SizeRefused() const { return sizeRefused_; }
    // Cancel: the window and the panel's comments as they were when the dialog opened.
    void Cancel();

    // For the document after OK.
    WindowPropertiesResult Result() const { return {ident, modified_, bitmapChanged_}; }
    // The main window's new caption when the window name changed.
    const std::optional<std::string>& NewCaption() const { return caption_; }

  private:
    void FillBitmapFields();

    Panel* panel_ = nullptr;
    PanelWindow* window_ = nullptr;
    int index_ = -1;
    SimMode mode_ = kModeFS2000;
    int highRes_ = 1;
    std::string panelFolder_;
    bool colourGroup_ = false;
    bool vcockpit_ = false;
    // As the dialog opened, for Cancel.
    PanelWindow openedWindow_;
    std::string openedComments_;
    std::string openedSizeMmX_, openedSizeMmY_;
    bool lastVisible_ = false;
    bool modified_ = false;
    bool bitmapChanged_ = false;
    bool sizeRefused_ = false;
    std::optional<std::string> caption_;
};

}  // namespace brindle
