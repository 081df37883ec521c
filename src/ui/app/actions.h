// The editor's commands, declared once: menu text, accelerator, tool-bar icon and tip. Menus, the
// tool bar, accelerators and update handlers are all built from this table.
#pragma once

#include <wx/bitmap.h>
#include <wx/string.h>

#include <vector>

#include "app/commands.h"

class wxMenuBar;
class wxMenu;
class wxToolBar;

struct Action {
    brindle::Cmd cmd;
    const char* menuText;  // with & mnemonics and \t accelerator as shown in the menu
    const char* icon;      // art id or icon-theme name for the tool bar; nullptr when not on the tool bar
    const char* tip;       // tool tip and status-bar help
    enum Kind { Normal, Check } kind = Normal;
};

// wx ids of the command numbers (the standard commands take wx's own ids) and back; FromWxId gives -1
// for an id that is no command.
int ToWxId(int command);
int FromWxId(int id);
int WxId(brindle::Cmd cmd);
brindle::Cmd CmdFromWxId(int id, bool* ok);

const Action* FindAction(brindle::Cmd cmd);
const std::vector<Action>& AllActions();

wxMenuBar* BuildMenuBar();
// Builds the tool bar in its fixed order; separators where the groups change.
void PopulateToolBar(wxToolBar* bar);
// The "Gauge Elements" pop-up.
wxMenu* BuildGaugeElementsMenu();
wxBitmap ToolBitmap(const char* icon);
