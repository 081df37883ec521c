// The main frame's commands on panel windows as a whole: switching the shown window, Add New Window,
// Delete Current Window and Edit Window Bitmap. They work on the Panel, Settings (LastWindow is the
// shown window) and the view through ViewSync, so the shell only runs its dialogs around them and
// marks the document modified.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/settings.h"
#include "document/document.h"
#include "panel/panel.h"

namespace brindle {

// Shows window `index`: the shown window's gauges are first written back into the panel when
// `commit` is set (menu and drop-down selections), then LastWindow becomes `index`. False for an
// index outside the panel (nothing changes).
bool SwitchToWindow(Panel& panel, Settings& settings, ViewSync& view, int index, bool commit);

// The window the others are measured against: the first titled window whose ident is "MAIN_PANEL"
// (any case), or "0" and visible; failing that, the visible titled window with the smallest
// numeric ident. -1 when there is none.
int MainPanelWindow(const Panel& panel);

// What the New Window dialog hands back.
struct NewWindowFields {
    std::string title = "New Window Title Here";
    bool visible = false;
    bool useBitmap = false;
    std::string bitmapFile;    // name and extension, the file already in the panel folder
    std::uint32_t colour = 0;  // red in the lowest byte, then green, then blue
    int position = 0;          // 0..8
    double ratio = 1.0;
    int sizeMm = 640;
    double sizeX = 0.5, sizeY = 0.5;
    double posX = 0.0, posY = 0.0;
};

// The dialog's initial contents without a bitmap: black, half the screen at the top left, and a
// size in millimetres of half the main panel window's width outside FS98 (640 in FS98, or when the
// panel has no main window with a width).
NewWindowFields DefaultNewWindowFields(const Panel& panel, SimMode mode);

// The window Add New Window inserts: everything not named by `f` cleared (no gauges, no texture, not
// Fixed), ident the text of (windowCount + 1) * 10.
PanelWindow MakeNewWindow(const NewWindowFields& f, SimMode mode, int windowCount);

// The ident Add New Window gives: the text of (windowCount + 1) * 10, raised by 10 while another
// titled window already uses it (as its ident, any case, or as a Fixed Window's number).
std::string NewWindowIdent(const Panel& panel);

// The New Window dialog: nullopt when cancelled.
using NewWindowDialog = std::function<std::optional<NewWindowFields>()>;

// The warning when the panel already has as many titled windows as it can hold.
inline constexpr const char* kNoRoomForWindow =
    "This panel already has 32 windows, the most a panel can hold.\nDelete a window before adding another.";

// Add New Window: commits the shown window, runs `dialog`, inserts the window (with NewWindowIdent)
// after the last plain Window (at 0 when there is none) and shows it. Returns its index, or -1 when cancelled
// or the panel has no room (with a warning). The caller marks the document modified when it is >= 0.
int AddNewWindow(Panel& panel, Settings& settings, ViewSync& view, const NewWindowDialog& dialog);

inline constexpr const char* kCantDeleteOnlyWindow = "I can't delete the only window!";
inline constexpr const char* kAskDeleteWindow = "OK to delete this window? (No Undo!)";

// Delete Current Window, after its OK/Cancel question; shows window 0 afterwards. True when a window
// was deleted: the caller marks the document modified then (nothing else would save the deletion).
bool DeleteCurrentWindow(Panel& panel, Settings& settings, ViewSync& view);

// The background bitmap file the view loads for window `index` (BackgroundBitmapPath). Empty when
// the window names no bitmap or the index is outside the panel.
std::string ShownBackgroundPath(const Panel& panel, int index, const Settings& settings);

inline constexpr const char* kCantReadBitmapFile = "Can't read the bitmap filename!";

// Starts a program and waits for it to end; false with the system's text in `error` when it could
// not be started.
using ProgramRunner = std::function<bool(const std::vector<std::string>& argv, std::string& error)>;
// RunAndWait.
ProgramRunner SystemProgramRunner();

// Edit Window Bitmap: runs `paintProgram` on the bitmap and waits for it. Nothing happens for a
// program name shorter than 4 characters; a missing bitmap (before or after) is reported. True when
// the file's modification time changed: the caller reloads the background and repaints.
bool EditWindowBitmap(const std::string& bitmapPath, const std::string& paintProgram,
                      const ProgramRunner& run = SystemProgramRunner());

}  // namespace brindle
