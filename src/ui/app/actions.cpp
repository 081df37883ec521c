#include "ui/app/actions.h"

#include <wx/artprov.h>
#include <wx/dcmemory.h>
#include <wx/menu.h>
#include <wx/toolbar.h>

#include <vector>

#include "app/window_list.h"

using brindle::Cmd;
using brindle::CommandKind;
using brindle::CommandSpec;

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

// Dense ids start above every id wx reserves for itself.
constexpr int kFirstWxId = wxID_HIGHEST + 1;
// The window list takes its numbers from kWindowListFirstId on; the frame clears two more than it
// can hold before it builds the list again.
constexpr int kWindowListIds = brindle::kWindowListLastId - brindle::kWindowListFirstId + 3;

int CommandCount() {
    return static_cast<int>(brindle::AllCommands().size());
}

wxItemKind ItemKind(CommandKind kind) {
    switch (kind) {
        case CommandKind::Check:
            return wxITEM_CHECK;
        case CommandKind::Radio:
            return wxITEM_RADIO;
        default:
            return wxITEM_NORMAL;
    }
}

void AddItem(wxMenu* menu, const CommandSpec& spec, const wxString& label) {
    menu->Append(WxId(spec.cmd), label, wxString::FromUTF8(spec.tip), ItemKind(spec.kind));
}

void AddItems(wxMenu* menu, const std::vector<Cmd>& items, int contextMenu) {
    for (Cmd c : items) {
        if (c == brindle::kSeparator) {
            menu->AppendSeparator();
            continue;
        }
        const CommandSpec* spec = brindle::FindCommand(c);
        if (!spec) continue;
        if (spec->kind == CommandKind::Submenu) {
            menu->Append(WxId(c), wxString::FromUTF8(spec->text), new wxMenu);
            continue;
        }
        AddItem(
            menu, *spec,
            contextMenu ? wxString::FromUTF8(brindle::ContextTextOf(*spec, contextMenu)) : MenuLabel(*spec));
    }
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

int ToWxId(int command) {
    for (const StockId& s : kStockIds)
        if (static_cast<int>(s.cmd) == command) return s.wxId;
    const auto all = brindle::AllCommands();
    for (size_t i = 0; i < all.size(); ++i)
        if (static_cast<int>(all[i].cmd) == command) return kFirstWxId + static_cast<int>(i);
    const int list = command - brindle::kWindowListFirstId;
    if (list >= 0 && list < kWindowListIds) return kFirstWxId + CommandCount() + list;
    return wxID_NONE;
}

int WxId(Cmd cmd) {
    return ToWxId(static_cast<int>(cmd));
}

int FromWxId(int id) {
    for (const StockId& s : kStockIds)
        if (s.wxId == id) return static_cast<int>(s.cmd);
    const int index = id - kFirstWxId;
    if (index >= 0 && index < CommandCount()) return static_cast<int>(brindle::AllCommands()[index].cmd);
    const int list = index - CommandCount();
    if (list >= 0 && list < kWindowListIds) return brindle::kWindowListFirstId + list;
    return -1;
}

wxString MenuLabel(const CommandSpec& spec) {
    wxString label = wxString::FromUTF8(spec.text);
    const std::vector<std::string> keys = brindle::AcceleratorsOf(spec);
    if (!keys.empty()) label << "\t" << keys.front();
    return label;
}

wxBitmap ToolBitmap(const char* icon) {
    wxBitmap bmp = wxArtProvider::GetBitmap(icon, wxART_TOOLBAR, wxSize(16, 16));
    return bmp.IsOk() ? bmp : fallbackBitmap(icon);
}

wxMenuBar* BuildMenuBar() {
    auto* bar = new wxMenuBar;
    for (const brindle::MenuLayout& m : brindle::MenuBarLayout()) {
        auto* menu = new wxMenu;
        AddItems(menu, m.items, 0);
        bar->Append(menu, wxString::FromUTF8(m.title));
    }
    return bar;
}

wxMenu* RecentFileMenu(wxMenuBar* bar) {
    wxMenuItem* item = bar ? bar->FindItem(WxId(Cmd::RecentFile)) : nullptr;
    return item ? item->GetSubMenu() : nullptr;
}

void PopulateToolBar(wxToolBar* bar) {
    for (const brindle::ToolLayout& t : brindle::ToolBarLayout()) {
        if (t.cmd == brindle::kSeparator) {
            bar->AddSeparator();
            continue;
        }
        const CommandSpec* spec = brindle::FindCommand(t.cmd);
        if (!spec || !spec->icon) continue;
        const wxItemKind kind = t.dropDown ? wxITEM_DROPDOWN : ItemKind(spec->kind);
        bar->AddTool(WxId(spec->cmd), wxString::FromUTF8(spec->tip), ToolBitmap(spec->icon),
                     wxString::FromUTF8(spec->tip), kind);
    }
    bar->Realize();
}

wxMenu* BuildContextMenu(int menu) {
    auto* m = new wxMenu;
    AddItems(m, brindle::ContextMenuLayout(menu), menu);
    return m;
}

wxMenu* BuildGaugeElementsMenu() {
    const brindle::MenuLayout& layout = brindle::GaugeElementsLayout();
    auto* menu = new wxMenu;
    menu->Append(wxID_ANY, wxString::FromUTF8(layout.title))->Enable(false);
    AddItems(menu, layout.items, 0);
    return menu;
}

wxAcceleratorTable BuildAcceleratorTable() {
    std::vector<Cmd> inMenus;
    for (const brindle::MenuLayout& m : brindle::MenuBarLayout())
        inMenus.insert(inMenus.end(), m.items.begin(), m.items.end());
    std::vector<wxAcceleratorEntry> entries;
    for (const CommandSpec& spec : brindle::AllCommands()) {
        const std::vector<std::string> keys = brindle::AcceleratorsOf(spec);
        const bool shown = std::find(inMenus.begin(), inMenus.end(), spec.cmd) != inMenus.end();
        // The menu entry already carries its first key.
        for (size_t i = shown ? 1 : 0; i < keys.size(); ++i) {
            wxAcceleratorEntry entry;
            if (entry.FromString(keys[i]))
                entries.emplace_back(entry.GetFlags(), entry.GetKeyCode(), WxId(spec.cmd));
        }
    }
    return wxAcceleratorTable(static_cast<int>(entries.size()), entries.data());
}
