// The New Window dialog ("Brindle - Add a New Window"): its fields as the user types them, what is
// enabled per simulator, "Browse..." and "Color...", and OK's checks in their order with their
// messages. Its result is what Add New Window inserts (NewWindowFields, MakeNewWindow).
#pragma once

#include <optional>
#include <string>

#include "app/settings.h"
#include "app/window_commands.h"
#include "panel/panel.h"

namespace brindle {

inline constexpr const char* kNewWindowDialogTitle = "Brindle - Add a New Window";
inline constexpr const char* kNewWindowNotEightBitOk =
    "The bitmap selected is not 8 bit color. It will not display correctly in FS98 or CFS1.";
inline constexpr const char* kNewWindowNotEightBitEnter =
    "You have selected a bitmap with more than 256 colors! It will not display properly in FS98 or CFS1.";

class NewWindowDialogState {
  public:
    // `panel` is the open panel (for its main window's width); `settings` gives the mode and the
    // panel file (CurrentFile), whose folder takes the window's bitmap.
    NewWindowDialogState(const Panel& panel, const Settings& settings);

    // The fields, as typed.
    std::string title = "New Window Title Here";
    bool visible = false;
    std::string bitmapFile;  // the path in "Bitmap Filename"
    std::string red = "0", green = "0", blue = "0";
    std::string sizeX = "0.5", sizeY = "0.5";
    std::string posX = "0.0", posY = "0.0";
    std::string sizeMm = "640";
    std::string ratio = "1.0";
    int positionCode = 0;  // the "Position" radio 0..8

    // "Use a Background Bitmap?": Yes (true) or No. FS98 panels need a bitmap: No is not taken there.
    bool UseBitmap() const { return useBitmap_; }
    void SetUseBitmap(bool yes);

    SimMode Mode() const { return mode_; }
    bool BitmapRadiosEnabled() const { return mode_ != kModeFS98; }
    bool BitmapGroupEnabled() const { return useBitmap_; }
    bool ColourGroupEnabled() const { return !useBitmap_; }
    bool ScreenFieldsEnabled() const { return mode_ != kModeFS98; }  // window size and position
    bool Fs98FieldsEnabled() const { return mode_ == kModeFS98; }    // size MM, ratio, position code

    // "Color...": the colour the system's chooser gave.
    void ChooseColour(ColorEntry colour);
    ColorEntry ChosenColour() const { return chosenColour_; }
    // "Browse...": the chooser's full path. Reads the bitmap (its warning boxes when it can't) and,
    // when it can be read, sets the size fields from it. True when it was read.
    bool Browse(const std::string& fullPath);

    // How OK was given: the OK button, or Enter (the default action) with its own wording of the
    // colour warning.
    enum class Trigger { Button, EnterKey };
    // Runs the checks in order; each failing one shows its message and returns false (the dialog
    // stays open with the user's input). True when the dialog ends with OK; Result() is then set.
    bool Ok(Trigger trigger = Trigger::Button);

    const NewWindowFields& Result() const { return result_; }
    // The bitmap's colour count (0 when not known).
    int BitmapColours() const { return colours_; }

  private:
    bool CheckBitmap();
    bool CheckColour();
    bool CheckScreenFields();
    bool CheckFs98Fields();
    void NotEightBitWarning(const char* text);

    SimMode mode_;
    std::string panelFolder_;
    int mainWidth_ = 0;  // sizeMmX of the main panel window, 0 when there is none
    bool useBitmap_ = true;
    ColorEntry chosenColour_{0};
    std::string readPath_;  // the bitmap file `colours_` belongs to
    int colours_ = 0;
    int heldSizeMm_ = 640;
    NewWindowFields result_;
};

}  // namespace brindle
