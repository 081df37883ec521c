#include "app/commands.h"

#include <algorithm>
#include <array>
#include <sstream>

namespace brindle {

int ElementToggleBit(Cmd cmd) {
    switch (cmd) {
        case Cmd::ElementsIcons:
            return 16;
        case Cmd::ElementsSliders:
            return 8;
        case Cmd::ElementsNeedles:
            return 2;
        case Cmd::ElementsSprites:
            return 64;
        case Cmd::ElementsMovingImages:
            return 32;
        default:
            return 0;
    }
}

namespace {

constexpr CommandStatus On(bool enabled) {
    return {enabled, std::nullopt};
}
constexpr CommandStatus Checked(bool enabled, bool checked) {
    return {enabled, checked};
}

// The rules several commands share.
CommandStatus Always(const CommandContext&) {
    return On(true);
}
// Declared in the menus but without a handler of their own: always disabled.
CommandStatus Never(const CommandContext&) {
    return On(false);
}
CommandStatus PanelLoaded(const CommandContext& c) {
    return On(c.panelLoaded);
}
CommandStatus HasCurrentFile(const CommandContext& c) {
    return On(c.hasCurrentFile);
}
CommandStatus OneOrMoreSelected(const CommandContext& c) {
    return On(c.selectedCount >= 1);
}
CommandStatus TwoOrMoreSelected(const CommandContext& c) {
    return On(c.selectedCount >= 2);
}
CommandStatus ClipboardFilled(const CommandContext& c) {
    return On(c.clipboardCount >= 1);
}
// The filter only matters while all elements are drawn.
template <Cmd C>
CommandStatus ElementToggle(const CommandContext& c) {
    return Checked(c.drawAllBitmaps, (c.gaugeDrawTypes & ElementToggleBit(C)) != 0);
}

using K = CommandKind;

// clang-format off
const CommandSpec kCommands[] = {
    // File
    {Cmd::NewPanel, "&New Panel.cfg...", "Ctrl+N", "wxART_NEW", "New Panel.cfg", K::Plain, Always},
    {Cmd::OpenDirect, "&Open Panel.cfg direct...", "Ctrl+O", "wxART_FILE_OPEN", "Open Panel.cfg direct", K::Plain, Always},
    {Cmd::OpenByAircraft, "Open Panel.cfg by Aircraft...", "", "airplane-mode", "Open Panel.cfg by Aircraft", K::Plain, Always},
    {Cmd::Close, "Close", "", nullptr, "Close the panel", K::Plain, PanelLoaded},
    {Cmd::Save, "&Save", "Ctrl+S", "wxART_FILE_SAVE", "Save", K::Plain, HasCurrentFile},
    {Cmd::SaveAs, "Save &As...", "", nullptr, "Save the panel under another name", K::Plain, PanelLoaded},
    {Cmd::Print, "&Print...", "Ctrl+P", "wxART_PRINT", "Print", K::Plain, HasCurrentFile},
    {Cmd::PrintPreview, "Print Pre&view", "", nullptr, "Print Preview", K::Plain, HasCurrentFile},
    {Cmd::PrintSetup, "P&rint Setup...", "", nullptr, "Print Setup", K::Plain, Always},
    {Cmd::RecentFile, "Recent File", "", nullptr, "", K::Submenu, Always},
    {Cmd::Exit, "E&xit", "", nullptr, "Quit Brindle", K::Plain, Always},
    // Edit
    {Cmd::Undo, "&Undo", "Ctrl+Z", "wxART_UNDO", "Undo", K::Plain,
     [](const CommandContext& c) { return On(c.undoAvailable && c.panelLoaded); }},
    {Cmd::Redo, "&Redo", "Ctrl+Y", "wxART_REDO", "Redo", K::Plain,
     [](const CommandContext& c) { return On(c.redoAvailable && c.panelLoaded); }},
    {Cmd::Cut, "Cut", "Ctrl+X Shift+Delete", "wxART_CUT", "Cut", K::Plain, OneOrMoreSelected},
    {Cmd::Copy, "&Copy", "Ctrl+C Ctrl+Insert", "wxART_COPY", "Copy", K::Plain, OneOrMoreSelected},
    {Cmd::Paste, "&Paste", "Ctrl+V", nullptr, "Paste", K::Plain, ClipboardFilled},
    // The tool bar's Paste; Shift+Insert pastes through it.
    {Cmd::PasteTool, "Paste", "Shift+Insert", "wxART_PASTE", "Paste", K::Plain, ClipboardFilled},
    {Cmd::Delete, "Delete ", "", "wxART_DELETE", "Delete", K::Plain, OneOrMoreSelected, "Delete"},
    {Cmd::SelectAll, "Select &All Gauges", "Ctrl+A", nullptr, "Select all gauges", K::Plain, PanelLoaded},
    // View
    {Cmd::ViewGaugeOutlines, "Gauge Outlines", "", nullptr, "", K::Plain, Never},
    {Cmd::ViewGauges, "Guages", "", nullptr, "", K::Plain, Never},
    {Cmd::ViewTransparentGauges, "Transparent Gauges", "", nullptr, "", K::Plain, Never},
    {Cmd::ViewToolbar, "&Toolbar", "", nullptr, "Show or hide the tool bar", K::Check,
     [](const CommandContext& c) { return Checked(true, c.toolBarShown); }},
    {Cmd::ViewStatusBar, "&Status Bar", "", nullptr, "Show or hide the status bar", K::Check,
     [](const CommandContext& c) { return Checked(true, c.statusBarShown); }},
    // Options
    {Cmd::ModeAndDirectory, "FS Mode and Root Directory...", "", nullptr, "Choose the simulator and its folder", K::Plain, Always},
    {Cmd::GridSize, "Grid Size...", "", nullptr, "Grid Size", K::Plain, Always},
    {Cmd::GridVisible, "Grid Visible", "", nullptr, "Grid Visible", K::Check,
     [](const CommandContext& c) { return Checked(true, c.gridVisible); }},
    {Cmd::GridOnOff, "Grid on/off", "", "view-grid", "Grid on/off", K::Check,
     [](const CommandContext& c) { return Checked(c.panelLoaded, c.gridVisible); }},
    {Cmd::SnapToDisplayedGrid, "Snap to the displayed Grid", "", nullptr, "Snap to the displayed Grid", K::Check,
     [](const CommandContext& c) { return Checked(true, c.snapToGrid); }},
    {Cmd::Logging, "Logging", "", nullptr, "", K::Plain, Never},
    {Cmd::Preferences, "Preferences...", "", nullptr, "Preferences", K::Plain, Always},
    // Gauge
    {Cmd::AddGauge, "Add Gauge...", "", nullptr, "Add Gauge", K::Plain, PanelLoaded},
    {Cmd::InsertGaugeTool, "Insert a new Gauge", "", "list-add", "Insert a new Gauge", K::Plain, PanelLoaded},
    {Cmd::DrawTransparently, "Draw Gauges Transparently", "", "image-x-generic", "Draw Gauges Transparently", K::Check,
     [](const CommandContext& c) { return Checked(c.panelLoaded, c.transparentGauges); }},
    {Cmd::OutlineGauges, "Outline Gauges", "", "edit-select-all", "Outline Gauges", K::Check,
     [](const CommandContext& c) { return Checked(c.gaugeCount >= 1, c.outlineMode != 0 && c.outlineMode != 3); }},
    {Cmd::DrawAllElements, "Draw All Gauge Elements", "", "view-app-grid", "Draw All Gauge Elements", K::Check,
     [](const CommandContext& c) { return Checked(c.panelLoaded, c.drawAllBitmaps); }},
    {Cmd::LineUpHorizontally, "Line Up Horizontally", "", nullptr, "Line Up Horizontally", K::Plain, TwoOrMoreSelected},
    {Cmd::LineUpVertically, "Line Up Vertically", "", nullptr, "Line Up Vertically", K::Plain, TwoOrMoreSelected},
    {Cmd::StackVertically, "Stack Vertically", "", nullptr, "Stack Vertically", K::Plain, TwoOrMoreSelected},
    {Cmd::StackHorizontally, "Stack Horizontally", "", nullptr, "Stack Horizontally", K::Plain, TwoOrMoreSelected},
    {Cmd::SnapToGrid, "Snap To Grid", "", nullptr, "Snap To Grid", K::Plain, OneOrMoreSelected},
    {Cmd::SameSizeLargest, "Set Same Size (largest)", "", nullptr, "Set Same Size (largest)", K::Plain, TwoOrMoreSelected},
    {Cmd::SameSizeSmallestMenu, "Set Same Size (smallest)", "", nullptr, "Set Same Size (smallest)", K::Plain, TwoOrMoreSelected},
    {Cmd::AspectRatio, "Set Aspect Ratio to 1.0", "", nullptr, "Set Aspect Ratio to 1.0", K::Plain, OneOrMoreSelected,
     "Set Gauge Aspect Ratio to 1.0"},
    {Cmd::CopyGaugeBitmap, "Copy Gauge Bitmap to Clipboard", "", nullptr, "Copy Gauge Bitmap to Clipboard", K::Plain, OneOrMoreSelected},
    {Cmd::GaugeProperties, "Properties...", "", nullptr, "Gauge Properties", K::Plain,
     [](const CommandContext& c) { return On(c.selectedCount == 1); }},
    // The gauge context menus' own entries.
    {Cmd::SnapToGridContext, "Snap To Grid", "", nullptr, "Snap To Grid", K::Plain, OneOrMoreSelected},
    {Cmd::MoveUp, "Move Up", "", nullptr, "Move Up", K::Plain, OneOrMoreSelected},
    {Cmd::MoveToFront, "Move to Front", "", nullptr, "Move to Front", K::Plain, OneOrMoreSelected},
    {Cmd::MoveDown, "Move Down", "", nullptr, "Move Down", K::Plain, OneOrMoreSelected},
    {Cmd::MoveToBack, "Move to Back", "", nullptr, "Move to Back", K::Plain, OneOrMoreSelected},
    {Cmd::HideGaugeBitmaps, "Hide Gauge Bitmaps", "", nullptr, "Hide Gauge Bitmaps", K::Plain,
     [](const CommandContext& c) { return On(c.selectedCount >= 1 && c.canHide); }, nullptr, "Hide this Gauge's Bitmaps"},
    {Cmd::UnhideGaugeBitmaps, "UnHide Gauge Bitmaps", "", nullptr, "UnHide Gauge Bitmaps", K::Plain,
     [](const CommandContext& c) { return On(c.canUnhide); }, nullptr, "UnHide this Gauge"},
    {Cmd::ContextLineUpHorizontally, "Line Up Horizontally", "", nullptr, "Line Up Horizontally", K::Plain, TwoOrMoreSelected},
    {Cmd::ContextLineUpVertically, "Line Up Vertically", "", nullptr, "Line Up Vertically", K::Plain, TwoOrMoreSelected},
    {Cmd::SameSizeLargestContext, "Set to Same Size (largest)", "", nullptr, "Set to Same Size (largest)", K::Plain, TwoOrMoreSelected},
    {Cmd::SameSizeSmallest, "Set to Same Size (smallest)", "", nullptr, "Set to Same Size (smallest)", K::Plain, TwoOrMoreSelected},
    // Tools
    {Cmd::ExportPanel, "Export Panel...", "", nullptr, "Export Panel", K::Plain, PanelLoaded},
    {Cmd::CopyPanelToAircraft, "Copy This Panel to an Aircraft...", "", nullptr, "Copy This Panel to an Aircraft", K::Plain, PanelLoaded},
    {Cmd::CreateColorPalette, "Create Color Palette...", "", nullptr, "Create Color Palette", K::Plain, PanelLoaded},
    {Cmd::ScreenCapture, "Screen Capture...", "", nullptr, "Screen Capture", K::Plain, PanelLoaded},
    {Cmd::DesignCheck, "DesignCheck config file...", "", nullptr, "DesignCheck config file", K::Plain, PanelLoaded},
    // Window, and the view's zoom
    {Cmd::Fit, "Fit", "", "zoom-fit-best", "Fit", K::Plain, PanelLoaded},
    {Cmd::ZoomIn, "Zoom In", "", "zoom-in", "Zoom In", K::Plain,
     [](const CommandContext& c) { return On(c.hasCurrentFile && c.canZoomIn); }},
    {Cmd::ZoomOut, "Zoom Out", "", "zoom-out", "Zoom Out", K::Plain,
     [](const CommandContext& c) { return On(c.hasCurrentFile && c.canZoomOut); }},
    {Cmd::Redraw, "Redraw", "", "view-refresh", "Redraw", K::Plain, HasCurrentFile},
    {Cmd::AddNewWindow, "Add New Window...", "", nullptr, "Add New Window", K::Plain, PanelLoaded},
    {Cmd::DeleteCurrentWindow, "Delete Current WIndow", "", nullptr, "Delete Current Window", K::Plain, PanelLoaded},
    {Cmd::EditWindowBitmap, "Edit Window Bitmap...", "", "applications-graphics", "Edit Window Bitmap", K::Plain,
     [](const CommandContext& c) { return On(c.backgroundLoaded && c.paintProgramLength > 3); }},
    {Cmd::TestSkyColor, "Test Sky Color...", "", nullptr, "Test Sky Color", K::Plain,
     [](const CommandContext& c) { return On(c.panelLoaded && c.backgroundLoaded && c.skyColorTestable); }},
    {Cmd::SetDefaultPosition, "Set Default Position...", "", "view-restore", "Set Default Position", K::Plain,
     [](const CommandContext& c) { return On(c.panelLoaded && !c.currentIsVcockpit); }},
    {Cmd::WindowProperties, "Properties...", "", nullptr, "Window Properties", K::Plain, PanelLoaded},
    {Cmd::FixedWindows, "Fixed Windows", "", "view-dual", "Fixed Windows", K::Plain, PanelLoaded},
    {Cmd::SelectWindow, "Select a Window", "", "window-new", "Select a Window", K::Plain, PanelLoaded},
    {Cmd::EditInNotepad, "Open config file in Notepad", "", "accessories-text-editor", "Open config file in Notepad", K::Plain, PanelLoaded},
    // Help
    {Cmd::HelpContents, "Contents...", "", nullptr, "Help Contents", K::Plain, Always},
    {Cmd::Website, "Brindle Website ...", "", nullptr, "Brindle Website", K::Plain, Always},
    {Cmd::About, "&About Brindle...", "", "wxART_INFORMATION", "About", K::Plain, Always},
    // The "Gauge Elements" pop-up
    {Cmd::ElementsStatic, "Static Bitmaps (always on)", "", nullptr, "", K::Check,
     [](const CommandContext&) { return Checked(false, true); }},
    {Cmd::ElementsIcons, "Icons", "", nullptr, "", K::Check, ElementToggle<Cmd::ElementsIcons>},
    {Cmd::ElementsSliders, "Sliders", "", nullptr, "", K::Check, ElementToggle<Cmd::ElementsSliders>},
    {Cmd::ElementsNeedles, "Needles (not recommended)", "", nullptr, "", K::Check, ElementToggle<Cmd::ElementsNeedles>},
    {Cmd::ElementsSprites, "Sprites (not recommended)", "", nullptr, "", K::Check, ElementToggle<Cmd::ElementsSprites>},
    {Cmd::ElementsMovingImages, "Moving Images (not recommended)", "", nullptr, "", K::Check, ElementToggle<Cmd::ElementsMovingImages>},
};
// clang-format on

constexpr Cmd S = kSeparator;

}  // namespace

std::span<const CommandSpec> AllCommands() {
    return kCommands;
}

const CommandSpec* FindCommand(Cmd cmd) {
    for (const CommandSpec& c : kCommands)
        if (c.cmd == cmd) return &c;
    return nullptr;
}

std::vector<std::string> AcceleratorsOf(const CommandSpec& spec) {
    std::vector<std::string> keys;
    std::istringstream in(spec.accelerators ? spec.accelerators : "");
    for (std::string key; in >> key;) keys.push_back(key);
    return keys;
}

std::string ContextTextOf(const CommandSpec& spec, int menu) {
    if (menu == kMenuOneGauge && spec.contextOneText) return spec.contextOneText;
    if (spec.contextText) return spec.contextText;
    // The menu bar's mnemonics mean nothing in a pop-up at the cursor.
    std::string text = spec.text;
    std::erase(text, '&');
    return text;
}

CommandStatus EvaluateCommand(Cmd cmd, const CommandContext& ctx) {
    const CommandSpec* spec = FindCommand(cmd);
    return spec ? spec->rule(ctx) : On(false);
}

const std::vector<MenuLayout>& MenuBarLayout() {
    using C = Cmd;
    static const std::vector<MenuLayout> menus = {
        {"&File",
         {C::NewPanel, C::OpenDirect, C::OpenByAircraft, C::Close, S, C::Save, C::SaveAs, S, C::Print,
          C::PrintPreview, C::PrintSetup, S, C::RecentFile, S, C::Exit}},
        {"&Edit", {C::Undo, C::Redo, S, C::Cut, C::Copy, C::Paste, C::Delete, S, C::SelectAll}},
        {"&View",
         {C::ViewGaugeOutlines, C::ViewGauges, C::ViewTransparentGauges, S, C::ViewToolbar,
          C::ViewStatusBar}},
        {"&Options", {C::ModeAndDirectory, S, C::GridSize, C::GridVisible, S, C::Logging, S, C::Preferences}},
        {"&Gauge",
         {C::AddGauge, S, C::DrawTransparently, C::OutlineGauges, C::DrawAllElements, S,
          C::LineUpHorizontally, C::LineUpVertically, C::StackVertically, C::StackHorizontally, C::SnapToGrid,
          C::SameSizeLargest, C::SameSizeSmallestMenu, C::AspectRatio, S, C::CopyGaugeBitmap, S,
          C::GaugeProperties}},
        {"&Tools",
         {C::ExportPanel, C::CopyPanelToAircraft, S, C::CreateColorPalette, C::ScreenCapture, S,
          C::DesignCheck}},
        {"&Window",
         {C::Fit, S, C::AddNewWindow, C::DeleteCurrentWindow, C::EditWindowBitmap, C::TestSkyColor,
          C::SetDefaultPosition, C::WindowProperties, S, C::FixedWindows, S}},
        {"&Help", {C::HelpContents, C::Website, S, C::About}},
    };
    return menus;
}

const std::vector<ToolLayout>& ToolBarLayout() {
    using C = Cmd;
    static const std::vector<ToolLayout> tools = {{C::NewPanel},
                                                  {C::OpenDirect},
                                                  {C::OpenByAircraft},
                                                  {C::Save},
                                                  {S},
                                                  {C::Delete},
                                                  {C::Cut},
                                                  {C::Copy},
                                                  {C::PasteTool},
                                                  {S},
                                                  {C::Undo},
                                                  {C::Redo},
                                                  {S},
                                                  {C::ZoomIn},
                                                  {C::ZoomOut},
                                                  {C::Fit},
                                                  {C::Redraw},
                                                  {C::GridOnOff},
                                                  {S},
                                                  {C::DrawTransparently},
                                                  {C::DrawAllElements, true},
                                                  {C::OutlineGauges},
                                                  {S},
                                                  {C::InsertGaugeTool},
                                                  {S},
                                                  {C::SelectWindow},
                                                  {S},
                                                  {C::FixedWindows},
                                                  {C::SetDefaultPosition},
                                                  {S},
                                                  {C::EditWindowBitmap},
                                                  {C::EditInNotepad},
                                                  {S},
                                                  {C::Print},
                                                  {C::About}};
    return tools;
}

const std::vector<Cmd>& ContextMenuLayout(int menu) {
    using C = Cmd;
    static const std::vector<Cmd> none = {C::Cut, C::Copy,   C::Paste,   C::Delete, S,
                                          C::Fit, C::ZoomIn, C::ZoomOut, C::Redraw};
    static const std::vector<Cmd> one = {C::Cut,
                                         C::Copy,
                                         C::Paste,
                                         C::Delete,
                                         S,
                                         C::AspectRatio,
                                         C::SnapToGridContext,
                                         S,
                                         C::MoveUp,
                                         C::MoveToFront,
                                         C::MoveDown,
                                         C::MoveToBack,
                                         S,
                                         C::HideGaugeBitmaps,
                                         C::UnhideGaugeBitmaps,
                                         S,
                                         C::GaugeProperties};
    static const std::vector<Cmd> several = {C::Cut,
                                             C::Copy,
                                             C::Paste,
                                             C::Delete,
                                             S,
                                             C::AspectRatio,
                                             C::SnapToGridContext,
                                             S,
                                             C::ContextLineUpHorizontally,
                                             C::ContextLineUpVertically,
                                             C::StackVertically,
                                             C::StackHorizontally,
                                             S,
                                             C::HideGaugeBitmaps,
                                             C::UnhideGaugeBitmaps,
                                             S,
                                             C::SameSizeLargestContext,
                                             C::SameSizeSmallest};
    return menu == kMenuNoGauge ? none : menu == kMenuOneGauge ? one : several;
}

const MenuLayout& GaugeElementsLayout() {
    using C = Cmd;
    static const MenuLayout menu = {"Gauge Elements To Draw",
                                    {S, C::ElementsStatic, C::ElementsIcons, C::ElementsSliders,
                                     C::ElementsNeedles, C::ElementsSprites, C::ElementsMovingImages}};
    return menu;
}

}  // namespace brindle
