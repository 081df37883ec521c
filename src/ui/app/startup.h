// Building the editor's windows: the document manager with its one template, the main frame and the
// first document with its view. The program and the GUI tests start the editor the same way.
#pragma once

#include <wx/string.h>

class wxDocManager;
class CMainFrame;
class CBrindleDoc;
class CBrindleView;

inline constexpr int kRecentFileCount = 4;

struct EditorWindows {
    wxDocManager* manager = nullptr;
    CMainFrame* frame = nullptr;
    CBrindleDoc* doc = nullptr;
    CBrindleView* view = nullptr;
};

// Settings must be loaded. `startFile` (may be empty) is opened instead of the reload of the last
// panel. Returns empty pointers when the first document cannot be made.
EditorWindows StartEditor(const wxString& startFile);
