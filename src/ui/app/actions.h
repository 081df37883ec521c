// The wx side of the command table (app/commands.h): wx ids, and the menu bar, tool bar, context
// menus, "Gauge Elements" pop-up and accelerator table built from the table's rows and layouts.
// Nothing here names a command's text or keys: they are the rows'.
#pragma once

#include <wx/accel.h>
#include <wx/bitmap.h>
#include <wx/string.h>

#include "app/commands.h"

class wxMenuBar;
class wxMenu;
class wxToolBar;

// wx ids are handed out here: each command gets a dense id in table order, except the framework's
// own commands, which keep wx's stock ids so the document manager opens, saves, prints and quits
// natively; the window list's numbers (kWindowListFirstId...) follow the commands.
int ToWxId(int command);
int WxId(brindle::Cmd cmd);
// The command number of a wx id (a Cmd or a window-list number); -1 for an id that is none.
int FromWxId(int id);

// The command's menu label: its text, a tab and its first accelerator.
wxString MenuLabel(const brindle::CommandSpec& spec);

wxMenuBar* BuildMenuBar();
// The recent-file sub-menu of the menu bar (the Submenu row of the File menu).
wxMenu* RecentFileMenu(wxMenuBar* bar);
// Builds the tool bar in its fixed order; separators where the groups change.
void PopulateToolBar(wxToolBar* bar);
// Context menu 236, 176 or 133.
wxMenu* BuildContextMenu(int menu);
// The "Gauge Elements" pop-up.
wxMenu* BuildGaugeElementsMenu();
// The accelerators that no menu entry carries: every further key of a command shown in the menu
// bar, and every key of a command that is not in it.
wxAcceleratorTable BuildAcceleratorTable();
wxBitmap ToolBitmap(const char* icon);
