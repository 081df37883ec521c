#include "ui/app/startup.h"

#include <wx/app.h>
#include <wx/config.h>
#include <wx/docview.h>

#include "ui/app/main_frame.h"
#include "ui/document/brindle_doc.h"
#include "ui/view/brindle_view.h"

namespace {

// The recent-file list holds four files.
class CBrindleDocManager : public wxDocManager {
  public:
    // Initialised after construction, so that the list below is the one created.
    CBrindleDocManager() : wxDocManager(0, false) {}
    wxFileHistory* OnCreateFileHistory() override { return new wxFileHistory(kRecentFileCount); }
};

}  // namespace

EditorWindows StartEditor(const wxString& startFile) {
    EditorWindows w;
    w.manager = new CBrindleDocManager;
    w.manager->Initialize();
    w.manager->SetMaxDocsOpen(1);
    new wxDocTemplate(w.manager, "Brindle", "*.cfg", "", "cfg", "Brindle.Document", "Brindle.Document",
                      CLASSINFO(CBrindleDoc), CLASSINFO(CBrindleView));
    w.manager->FileHistoryLoad(*wxConfigBase::Get());

    w.frame = new CMainFrame(w.manager, "Brindle", wxDefaultPosition, wxSize(1180, 760));
    w.frame->RestorePlacement();
    w.frame->Show();
    wxTheApp->SetTopWindow(w.frame);

    CBrindleDoc::SetStartFile(startFile);
    wxDocument* doc = w.manager->CreateDocument(wxEmptyString, wxDOC_NEW);
    w.doc = dynamic_cast<CBrindleDoc*>(doc);
    w.view = w.frame->View();
    return w;
}
