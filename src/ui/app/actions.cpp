#include "ui/app/actions.h"

#include <wx/artprov.h>
#include <wx/dcmemory.h>
#include <wx/menu.h>
#include <wx/toolbar.h>

#include <map>

using brindle::Cmd;

namespace {

const std::vector<Action>& table() {
    static const std::vector<Action> actions = {
        {Cmd::NewPanel, "&New Panel.cfg...\tCtrl+N", wxART_NEW, "New Panel.cfg"},
        {Cmd::OpenDirect, "&Open Panel.cfg direct...\tCtrl+O", wxART_FILE_OPEN, "Open Panel.cfg direct"},
        {Cmd::OpenByAircraft, "Open Panel.cfg by Aircraft...", "airplane-mode", "Open Panel.cfg by Aircraft"},
        {Cmd::Close, "Close", nullptr, "Close the panel"},
        {Cmd::Save, "&Save\tCtrl+S", wxART_FILE_SAVE, "Save"},
        {Cmd::SaveAs, "Save &As...", nullptr, "Save the panel under another name"},
        {Cmd::Print, "&Print...\tCtrl+P", wxART_PRINT, "Print"},
        {Cmd::PrintPreview, "Print Pre&view", nullptr, "Print Preview"},
        {Cmd::PrintSetup, "P&rint Setup...", nullptr, "Print Setup"},
        {Cmd::Exit, "E&xit", nullptr, "Quit Brindle"},
        {Cmd::Undo, "&Undo\tCtrl+Z", wxART_UNDO, "Undo"},
        {Cmd::Redo, "&Redo\tCtrl+Y", wxART_REDO, "Redo"},
        {Cmd::Cut, "Cut\tCtrl+X", wxART_CUT, "Cut"},
        {Cmd::Copy, "&Copy\tCtrl+C", wxART_COPY, "Copy"},
        {Cmd::Paste, "&Paste\tCtrl+V", nullptr, "Paste"},
        {Cmd::PasteTool, "Paste", wxART_PASTE, "Paste"},
        {Cmd::Delete, "Delete ", wxART_DELETE, "Delete"},
        {Cmd::SelectAll, "Select &All Gauges\tCtrl+A", nullptr, "Select all gauges"},
        {Cmd::ViewGaugeOutlines, "Gauge Outlines", nullptr, ""},
        {Cmd::ViewGauges, "Guages", nullptr, ""},
        {Cmd::ViewTransparentGauges, "Transparent Gauges", nullptr, ""},
        {Cmd::ViewToolbar, "&Toolbar", nullptr, "Show or hide the tool bar", Action::Check},
        {Cmd::ViewStatusBar, "&Status Bar", nullptr, "Show or hide the status bar", Action::Check},
        {Cmd::ModeAndDirectory, "FS Mode and Root Directory...", nullptr,
         "Choose the simulator and its folder"},
        {Cmd::GridSize, "Grid Size...", nullptr, "Grid Size"},
        {Cmd::GridVisible, "Grid Visible", nullptr, "Grid Visible", Action::Check},
        {Cmd::GridOnOff, "Grid on/off", "view-grid", "Grid on/off", Action::Check},
        {Cmd::Logging, "Logging", nullptr, ""},
        {Cmd::Preferences, "Preferences...", nullptr, "Preferences"},
        {Cmd::AddGauge, "Add Gauge...", nullptr, "Add Gauge"},
        {Cmd::InsertGaugeTool, "Insert a new Gauge", "list-add", "Insert a new Gauge"},
        {Cmd::DrawTransparently, "Draw Gauges Transparently", "image-x-generic", "Draw Gauges Transparently",
         Action::Check},
        {Cmd::OutlineGauges, "Outline Gauges", "edit-select-all", "Outline Gauges", Action::Check},
        {Cmd::DrawAllElements, "Draw All Gauge Elements", "view-app-grid", "Draw All Gauge Elements",
         Action::Check},
        {Cmd::LineUpHorizontally, "Line Up Horizontally", nullptr, "Line Up Horizontally"},
        {Cmd::LineUpVertically, "Line Up Vertically", nullptr, "Line Up Vertically"},
        {Cmd::StackVertically, "Stack Vertically", nullptr, "Stack Vertically"},
        {Cmd::StackHorizontally, "Stack Horizontally", nullptr, "Stack Horizontally"},
        {Cmd::SnapToGrid, "Snap To Grid", nullptr, "Snap To Grid"},
        {Cmd::SameSizeLargest, "Set Same Size (largest)", nullptr, "Set Same Size (largest)"},
        {Cmd::SameSizeSmallestMenu, "Set Same Size (smallest)", nullptr, "Set Same Size (smallest)"},
        {Cmd::AspectRatio, "Set Aspect Ratio to 1.0", nullptr, "Set Aspect Ratio to 1.0"},
        {Cmd::CopyGaugeBitmap, "Copy Gauge Bitmap to Clipboard", nullptr, "Copy Gauge Bitmap to Clipboard"},
        {Cmd::GaugeProperties, "Properties...", nullptr, "Gauge Properties"},
        {Cmd::ExportPanel, "Export Panel...", nullptr, "Export Panel"},
        {Cmd::CopyPanelToAircraft, "Copy This Panel to an Aircraft...", nullptr,
         "Copy This Panel to an Aircraft"},
        {Cmd::CreateColorPalette, "Create Color Palette...", nullptr, "Create Color Palette"},
        {Cmd::ScreenCapture, "Screen Capture...", nullptr, "Screen Capture"},
        {Cmd::DesignCheck, "DesignCheck config file...", nullptr, "DesignCheck config file"},
        {Cmd::Fit, "Fit", "zoom-fit-best", "Fit"},
        {Cmd::ZoomIn, "Zoom In", "zoom-in", "Zoom In"},
        {Cmd::ZoomOut, "Zoom Out", "zoom-out", "Zoom Out"},
        {Cmd::Redraw, "Redraw", "view-refresh", "Redraw"},
        {Cmd::AddNewWindow, "Add New Window...", nullptr, "Add New Window"},
        {Cmd::DeleteCurrentWindow, "Delete Current WIndow", nullptr, "Delete Current Window"},
        {Cmd::EditWindowBitmap, "Edit Window Bitmap...", "applications-graphics", "Edit Window Bitmap"},
        {Cmd::TestSkyColor, "Test Sky Color...", nullptr, "Test Sky Color"},
        {Cmd::SetDefaultPosition, "Set Default Position...", "view-restore", "Set Default Position"},
        {Cmd::WindowProperties, "Properties...", nullptr, "Window Properties"},
        {Cmd::FixedWindows, "Fixed Windows", "view-dual", "Fixed Windows"},
        {Cmd::SelectWindow, "Select a Window", "window-new", "Select a Window"},
        {Cmd::EditInNotepad, "Open config file in Notepad", "accessories-text-editor",
         "Open config file in Notepad"},
        {Cmd::HelpContents, "Contents...", nullptr, "Help Contents"},
        {Cmd::Website, "Brindle Website ...", nullptr, "Brindle Website"},
        {Cmd::About, "&About Brindle...", wxART_INFORMATION, "About"},
        {Cmd::ElementsStatic, "Static Bitmaps (always on)", nullptr, "", Action::Check},
        {Cmd::ElementsIcons, "Icons", nullptr, "", Action::Check},
        {Cmd::ElementsSliders, "Sliders", nullptr, "", Action::Check},
        {Cmd::ElementsNeedles, "Needles (not recommended)", nullptr, "", Action::Check},
        {Cmd::ElementsSprites, "Sprites (not recommended)", nullptr, "", Action::Check},
        {Cmd::ElementsMovingImages, "Moving Images (not recommended)", nullptr, "", Action::Check},
    };
    return actions;
}

void addItem(wxMenu* menu, Cmd cmd) {
    const Action* a = FindAction(cmd);
    menu->Append(WxId(cmd), wxString::FromUTF8(a->menuText), wxString::FromUTF8(a->tip),
                 a->kind == Action::Check ? wxITEM_CHECK : wxITEM_NORMAL);
}

wxMenu* makeMenu(std::initializer_list<int> items) {
    auto* menu = new wxMenu;
    for (int i : items) {
        if (i == 0)
            menu->AppendSeparator();
        else
            addItem(menu, static_cast<Cmd>(i));
    }
    return menu;
}

// Tools whose picture the icon theme does not have are drawn here, each as a small picture of what
// it does; anything else gets a framed initial.
wxBitmap fallbackBitmap(const char* icon) {
    const wxColour key(255, 0, 255);
    wxBitmap bmp(16, 16, 24);
    wxMemoryDC dc(bmp);
    dc.SetBackground(wxBrush(key));
    dc.Clear();
    const wxColour ink(40, 60, 110), accent(220, 120, 20);
    const wxString name(icon);
    dc.SetPen(wxPen(ink));
    dc.SetBrush(*wxTRANSPARENT_BRUSH);
    if (name == "view-grid") {
        for (int y = 2; y < 16; y += 4)
            for (int x = 2; x < 16; x += 4) dc.DrawRectangle(x, y, 2, 2);
    } else if (name == "view-app-grid") {
        // Layers of a gauge: static picture, needle and icon.
        dc.SetBrush(wxBrush(wxColour(200, 210, 230)));
        dc.DrawRectangle(1, 5, 10, 10);
        dc.DrawRectangle(5, 1, 10, 10);
        dc.SetPen(wxPen(accent, 2));
        dc.DrawLine(7, 9, 13, 3);
    } else if (name == "view-dual") {
        dc.SetBrush(wxBrush(wxColour(220, 225, 235)));
        dc.DrawRectangle(0, 2, 9, 12);
        dc.DrawRectangle(7, 4, 9, 10);
        dc.SetPen(wxPen(ink, 2));
        dc.DrawLine(8, 5, 15, 5);
    } else if (name == "airplane-mode") {
        dc.SetPen(wxPen(ink, 2));
        dc.DrawLine(8, 1, 8, 15);
        dc.DrawLine(1, 8, 15, 8);
        dc.DrawLine(4, 14, 12, 14);
        dc.DrawLine(3, 7, 8, 5);
        dc.DrawLine(13, 7, 8, 5);
    } else {
        dc.DrawRectangle(1, 1, 14, 14);
        dc.SetFont(wxFontInfo(8));
        dc.SetTextForeground(ink);
        dc.DrawText(name.Left(1).Upper(), 4, 1);
    }
    dc.SelectObject(wxNullBitmap);
    bmp.SetMask(new wxMask(bmp, key));
    return bmp;
}

}  // namespace

// wx menu ids must stay below 32767, so the command numbers above it are moved down into free
// ranges: 32768-33999 by 20000, 57000-60999 by 40000. Standard commands keep wx's own ids.
namespace {
// The commands that take wx's own ids, so the toolkit and the document manager treat them natively.
struct StockId {
    Cmd cmd;
    int wxId;
};
constexpr StockId kStockIds[] = {
    {Cmd::OpenDirect, wxID_OPEN},        {Cmd::Close, wxID_CLOSE}, {Cmd::Save, wxID_SAVE},
    {Cmd::SaveAs, wxID_SAVEAS},          {Cmd::Print, wxID_PRINT}, {Cmd::PrintPreview, wxID_PREVIEW},
    {Cmd::PrintSetup, wxID_PRINT_SETUP}, {Cmd::Exit, wxID_EXIT},   {Cmd::About, wxID_ABOUT}};
}  // namespace

int ToWxId(int command) {
    for (const StockId& s : kStockIds)
        if (static_cast<int>(s.cmd) == command) return s.wxId;
    if (command >= 32768 && command < 34000) return command - 20000;
    if (command >= 57000 && command < 61000) return command - 40000;
    return command;
}

int FromWxId(int id) {
    for (const StockId& s : kStockIds)
        if (s.wxId == id) return static_cast<int>(s.cmd);
    if (id >= 12768 && id < 14000) return id + 20000;
    if (id >= 17000 && id < 21000) return id + 40000;
    return -1;
}

int WxId(Cmd cmd) {
    return ToWxId(static_cast<int>(cmd));
}

Cmd CmdFromWxId(int id, bool* ok) {
    int command = FromWxId(id);
    *ok = command >= 0 && FindAction(static_cast<Cmd>(command)) != nullptr;
    return *ok ? static_cast<Cmd>(command) : Cmd::NewPanel;
}

const std::vector<Action>& AllActions() {
    return table();
}

const Action* FindAction(Cmd cmd) {
    for (const auto& a : table())
        if (a.cmd == cmd) return &a;
    return nullptr;
}

wxBitmap ToolBitmap(const char* icon) {
    wxBitmap bmp = wxArtProvider::GetBitmap(icon, wxART_TOOLBAR, wxSize(16, 16));
    return bmp.IsOk() ? bmp : fallbackBitmap(icon);
}

wxMenuBar* BuildMenuBar() {
    using C = Cmd;
    auto id = [](C c) { return static_cast<int>(c); };
    auto* bar = new wxMenuBar;
    wxMenu* file =
        makeMenu({id(C::NewPanel), id(C::OpenDirect), id(C::OpenByAircraft), id(C::Close), 0, id(C::Save),
                  id(C::SaveAs), 0, id(C::Print), id(C::PrintPreview), id(C::PrintSetup), 0});
    file->Append(WxId(C::RecentFile), "Recent File", new wxMenu);
    file->AppendSeparator();
    addItem(file, C::Exit);
    bar->Append(file, "&File");
    bar->Append(makeMenu({id(C::Undo), id(C::Redo), 0, id(C::Cut), id(C::Copy), id(C::Paste), id(C::Delete),
                          0, id(C::SelectAll)}),
                "&Edit");
    bar->Append(makeMenu({id(C::ViewGaugeOutlines), id(C::ViewGauges), id(C::ViewTransparentGauges), 0,
                          id(C::ViewToolbar), id(C::ViewStatusBar)}),
                "&View");
    bar->Append(makeMenu({id(C::ModeAndDirectory), 0, id(C::GridSize), id(C::GridVisible), 0, id(C::Logging),
                          0, id(C::Preferences)}),
                "&Options");
    bar->Append(makeMenu({id(C::AddGauge), 0, id(C::DrawTransparently), id(C::OutlineGauges),
                          id(C::DrawAllElements), 0, id(C::LineUpHorizontally), id(C::LineUpVertically),
                          id(C::StackVertically), id(C::StackHorizontally), id(C::SnapToGrid),
                          id(C::SameSizeLargest), id(C::SameSizeSmallestMenu), id(C::AspectRatio), 0,
                          id(C::CopyGaugeBitmap), 0, id(C::GaugeProperties)}),
                "&Gauge");
    bar->Append(makeMenu({id(C::ExportPanel), id(C::CopyPanelToAircraft), 0, id(C::CreateColorPalette),
                          id(C::ScreenCapture), 0, id(C::DesignCheck)}),
                "&Tools");
    bar->Append(makeMenu({id(C::Fit), 0, id(C::AddNewWindow), id(C::DeleteCurrentWindow),
                          id(C::EditWindowBitmap), id(C::TestSkyColor), id(C::SetDefaultPosition),
                          id(C::WindowProperties), 0, id(C::FixedWindows), 0}),
                "&Window");
    bar->Append(makeMenu({id(C::HelpContents), id(C::Website), 0, id(C::About)}), "&Help");
    return bar;
}

void PopulateToolBar(wxToolBar* bar) {
    using C = Cmd;
    const std::initializer_list<int> order = {int(C::NewPanel),
                                              int(C::OpenDirect),
                                              int(C::OpenByAircraft),
                                              int(C::Save),
                                              0,
                                              int(C::Delete),
                                              int(C::Cut),
                                              int(C::Copy),
                                              int(C::PasteTool),
                                              0,
                                              int(C::Undo),
                                              int(C::Redo),
                                              0,
                                              int(C::ZoomIn),
                                              int(C::ZoomOut),
                                              int(C::Fit),
                                              int(C::Redraw),
                                              int(C::GridOnOff),
                                              0,
                                              int(C::DrawTransparently),
                                              int(C::DrawAllElements),
                                              int(C::OutlineGauges),
                                              0,
                                              int(C::InsertGaugeTool),
                                              0,
                                              int(C::SelectWindow),
                                              0,
                                              int(C::FixedWindows),
                                              int(C::SetDefaultPosition),
                                              0,
                                              int(C::EditWindowBitmap),
                                              int(C::EditInNotepad),
                                              0,
                                              int(C::Print),
                                              int(C::About)};
    for (int i : order) {
        if (i == 0) {
            bar->AddSeparator();
            continue;
        }
        const Action* a = FindAction(static_cast<C>(i));
        // Draw All Gauge Elements carries the "Gauge Elements" pop-up on its arrow.
        wxItemKind kind = a->cmd == C::DrawAllElements ? wxITEM_DROPDOWN
                          : a->kind == Action::Check   ? wxITEM_CHECK
                                                       : wxITEM_NORMAL;
        bar->AddTool(WxId(a->cmd), wxString::FromUTF8(a->tip), ToolBitmap(a->icon),
                     wxString::FromUTF8(a->tip), kind);
    }
    bar->Realize();
}

wxMenu* BuildGaugeElementsMenu() {
    using C = Cmd;
    auto* menu = new wxMenu;
    menu->Append(wxID_ANY, "Gauge Elements To Draw")->Enable(false);
    menu->AppendSeparator();
    for (C c : {C::ElementsStatic, C::ElementsIcons, C::ElementsSliders, C::ElementsNeedles,
                C::ElementsSprites, C::ElementsMovingImages})
        addItem(menu, c);
    return menu;
}
