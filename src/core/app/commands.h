// Every command of the editor, declared once: its number (what menus, tool bar and accelerators
// send), its texts, accelerators, tool-bar icon and tip, its kind and the rule that enables and
// checks it. The shell builds its menu bar, tool bar, context menus and accelerator table from this
// table and the layouts below, and only adds the handler each command runs; so a command's rule is
// tested here without a window.
#pragma once

#include <optional>
#include <span>
#include <string>
#include <vector>

namespace brindle {

enum class Cmd : int {
    NewPanel = 57600,
    OpenDirect = 57601,
    OpenByAircraft = 32872,
    Close = 57602,
    Save = 57603,
    SaveAs = 57604,
    Print = 57607,
    PrintPreview = 57609,
    PrintSetup = 57606,
    RecentFile = 57616,
    Exit = 57665,
    Undo = 57643,
    Redo = 57644,
    Cut = 57635,
    Copy = 57634,
    Paste = 32901,
    PasteTool = 57637,
    Delete = 32792,
    SelectAll = 32889,
    ViewGaugeOutlines = 32794,
    ViewGauges = 32795,
    ViewTransparentGauges = 32796,
    ViewToolbar = 59392,
    ViewStatusBar = 59393,
    ModeAndDirectory = 32777,
    GridSize = 32785,
    GridVisible = 32819,
    GridOnOff = 32784,
    SnapToDisplayedGrid = 32786,
    Logging = 32793,
    Preferences = 32865,
    AddGauge = 32805,
    InsertGaugeTool = 32781,
    DrawTransparently = 32799,
    OutlineGauges = 32775,
    DrawAllElements = 32910,
    LineUpHorizontally = 32804,
    LineUpVertically = 32803,
    StackVertically = 32933,
    StackHorizontally = 32934,
    SnapToGrid = 32822,
    SameSizeLargest = 32824,
    AspectRatio = 32887,
    SameSizeSmallestMenu = 32906,
    SameSizeSmallest = 32905,
    ContextLineUpVertically = 32811,
    ContextLineUpHorizontally = 32810,
    CopyGaugeBitmap = 32840,
    GaugeProperties = 32779,
    ExportPanel = 32880,
    CopyPanelToAircraft = 32881,
    CreateColorPalette = 32849,
    ScreenCapture = 32913,
    DesignCheck = 32922,
    Fit = 32774,
    ZoomIn = 32771,
    ZoomOut = 32772,
    Redraw = 32773,
    AddNewWindow = 32831,
    DeleteCurrentWindow = 32833,
    EditWindowBitmap = 32896,
    TestSkyColor = 32835,
    SetDefaultPosition = 32894,
    WindowProperties = 32825,
    FixedWindows = 32899,
    SelectWindow = 32827,
    EditInNotepad = 32869,
    HelpContents = 32837,
    Website = 32898,
    About = 57664,
    ElementsStatic = 32914,
    ElementsIcons = 32915,
    ElementsNeedles = 32916,
    ElementsSliders = 32917,
    ElementsSprites = 32918,
    ElementsMovingImages = 32919,
    // Entries of the gauge context menus only.
    MoveUp = 32782,
    MoveDown = 32783,
    MoveToFront = 32788,
    MoveToBack = 32789,
    SnapToGridContext = 32820,
    SameSizeLargestContext = 32823,
    HideGaugeBitmaps = 32928,
    UnhideGaugeBitmaps = 32929,
    WindowListFirst = 60000,
    WindowListLast = 60031,
};

// What the rules look at, gathered from the document, the view and the settings at update time.
struct CommandContext {
    bool panelLoaded = false;       // a Panel is open
    bool hasCurrentFile = false;    // Settings CurrentFile is not empty
    bool backgroundLoaded = false;  // the current window's background bitmap is loaded
    bool skyColorTestable = false;  // ... and has a colour table to try a sky colour on
    bool currentIsVcockpit = false;
    bool undoAvailable = false;
    bool redoAvailable = false;
    bool canZoomIn = false;   // Zoom x ZoomStep <= ZoomMax
    bool canZoomOut = false;  // Zoom / ZoomStep >= ZoomMin
    int selectedCount = 0;
    int gaugeCount = 0;      // gauges of the current window
    int clipboardCount = 0;  // GaugeClipboard entries
    int outlineMode = 0;
    int paintProgramLength = 0;
    bool gridVisible = false;
    bool snapToGrid = false;
    bool transparentGauges = false;
    bool drawAllBitmaps = false;
    int gaugeDrawTypes = 1;
    bool canHide = false;    // no selected gauge is hidden yet (and one is selected)
    bool canUnhide = false;  // a selected gauge is hidden and none is visible
    bool toolBarShown = false;
    bool statusBarShown = false;
};

struct CommandStatus {
    bool enabled = true;
    std::optional<bool> checked;  // nullopt: the command is not a check item
};

using CommandRule = CommandStatus (*)(const CommandContext&);

enum class CommandKind {
    Plain,
    Check,
    Radio,
    Submenu,  // opens a sub-menu the shell fills (the recent files)
};

struct CommandSpec {
    Cmd cmd;
    const char* text;          // menu text with & mnemonics, without the accelerator
    const char* accelerators;  // blank-separated, e.g. "Ctrl+X Shift+Delete"; the first is shown in the menu
    const char* icon;  // tool-bar icon: a wx art id ("wxART_NEW") or an icon-theme name; nullptr when never
                       // on the tool bar
    const char* tip;   // tool tip and status-bar help
    CommandKind kind;
    CommandRule rule;
    const char* contextText = nullptr;     // in the context menus, when it differs from the menu's
    const char* contextOneText = nullptr;  // in the one-gauge context menu, when it differs again
};

// Every command, in declaration order; each number appears once.
std::span<const CommandSpec> AllCommands();
const CommandSpec* FindCommand(Cmd cmd);
// The accelerators of a command, in the order declared.
std::vector<std::string> AcceleratorsOf(const CommandSpec& spec);
// The text of a command in context menu `menu` (kMenuNoGauge, kMenuOneGauge, kMenuSeveralGauges).
std::string ContextTextOf(const CommandSpec& spec, int menu);

// The enable and check rule of one command; a number that is no command is disabled.
CommandStatus EvaluateCommand(Cmd cmd, const CommandContext& ctx);

// Layouts. kSeparator marks a separator line.
inline constexpr Cmd kSeparator = static_cast<Cmd>(0);
struct MenuLayout {
    const char* title;
    std::vector<Cmd> items;
};
struct ToolLayout {
    Cmd cmd;
    bool dropDown = false;  // the tool carries a pop-up on its arrow
};
// The menu bar, left to right. The Window menu (kWindowMenuIndex) ends with the window list.
const std::vector<MenuLayout>& MenuBarLayout();
inline constexpr int kWindowMenuIndex = 6;
// The tool bar, left to right.
const std::vector<ToolLayout>& ToolBarLayout();
// The context menus for no, one and several selected gauges.
inline constexpr int kMenuNoGauge = 236;
inline constexpr int kMenuOneGauge = 176;
inline constexpr int kMenuSeveralGauges = 133;
const std::vector<Cmd>& ContextMenuLayout(int menu);
// The "Gauge Elements" pop-up of the Draw All Gauge Elements tool; its title is a disabled first line.
const MenuLayout& GaugeElementsLayout();

// The bit of GaugeDrawTypes an element toggle command switches, or 0.
int ElementToggleBit(Cmd cmd);

}  // namespace brindle
