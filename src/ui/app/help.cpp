#include "ui/app/help.h"

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/fileconf.h>
#include <wx/filename.h>
#include <wx/sstream.h>
#include <wx/html/helpctrl.h>
#include <wx/html/helpdlg.h>
#include <wx/html/helpfrm.h>
#include <wx/html/helpwnd.h>
#include <wx/html/htmlwin.h>
#include <wx/image.h>
#include <wx/msgdlg.h>
#include <wx/stdpaths.h>

#include <fstream>
#include <map>
#include <set>
#include <sstream>
#include <string>

#include "app/commands.h"
#include "app/help_topics.h"
#include "ui/app/command_handlers.h"
#include "platform/messages.h"
#include "ui/view/brindle_view.h"

namespace {

constexpr const char* kProjectFile = "brindle.hhp";

// Where the guide may be: beside an installed editor, in the prefix it was installed to, in the build
// folder it was built in; BRINDLE_GUIDE_DIR first, for a guide kept elsewhere.
wxString FindGuideFolder() {
    wxArrayString candidates;
    wxString fromEnvironment;
    if (wxGetEnv("BRINDLE_GUIDE_DIR", &fromEnvironment) && !fromEnvironment.empty())
        candidates.Add(fromEnvironment);
    wxFileName exe(wxStandardPaths::Get().GetExecutablePath());
    candidates.Add(exe.GetPath() + "/../share/brindle/guide");
    candidates.Add(exe.GetPath() + "/guide");
#ifdef BRINDLE_INSTALLED_GUIDE_DIR
    candidates.Add(BRINDLE_INSTALLED_GUIDE_DIR);
#endif
#ifdef BRINDLE_BUILD_GUIDE_DIR
    candidates.Add(BRINDLE_BUILD_GUIDE_DIR);
#endif
    for (const wxString& c : candidates) {
        wxFileName project(c, kProjectFile);
        if (project.FileExists()) {
            project.Normalize(wxPATH_NORM_DOTS | wxPATH_NORM_ABSOLUTE);
            return project.GetPath();
        }
    }
    return {};
}

struct Guide {
    wxString folder;
    std::map<int, std::string> topics;
    // The non-modal window's controller, made on first use and never deleted: a static's destructor
    // runs after the toolkit has shut down.
    wxHtmlHelpController* beside = nullptr;
    std::set<wxWindow*> closesWith;                // main windows whose end closes it
};

Guide& TheGuide() {
    static Guide guide = [] {
        Guide g;
        g.folder = FindGuideFolder();
        if (!g.folder.empty()) {
            std::ifstream in(wxFileName(g.folder, kProjectFile).GetFullPath().ToStdString(), std::ios::binary);
            std::stringstream text;
            text << in.rdbuf();
            g.topics = brindle::ReadHelpTopicMap(text.str());
        }
        return g;
    }();
    return guide;
}

// The guide windows' size and place for this run: they open large enough to read, and where the reader
// last left them. Kept in memory only, never written to a file.
wxConfigBase& WindowPlaces() {
    static wxFileConfig* places = [] {
        wxStringInputStream none("");
        auto* c = new wxFileConfig(none);
        for (const char* root : {"/Modal", "/Beside"}) {
            c->Write(wxString(root) + "/hcW", 900);
            c->Write(wxString(root) + "/hcH", 680);
            c->Write(wxString(root) + "/hcX", 60);
            c->Write(wxString(root) + "/hcY", 40);
            c->Write(wxString(root) + "/hcSashPos", 260);
        }
        return c;
    }();
    return *places;
}

wxString PageFor(const Guide& g, int topic) {
    auto page = g.topics.find(topic);
    if (page == g.topics.end()) page = g.topics.find(brindle::kHelpContentsTopic);
    return page == g.topics.end() ? wxString("index.html") : wxString::FromUTF8(page->second);
}

bool InsideModalDialog(wxWindow* w) {
    for (; w; w = w->GetParent()) {
        if (auto* d = dynamic_cast<wxDialog*>(w); d && d->IsModal()) return true;
        if (w->IsTopLevel()) break;
    }
    return false;
}

wxString PageName(const wxString& url) {
    wxString page = url.AfterLast('/').AfterLast(':');
    return page.BeforeFirst('#');
}

}  // namespace

wxString GuideFolder() { return TheGuide().folder; }

void ShowHelpTopic(wxWindow* parent, int topic) {
    Guide& g = TheGuide();
    const wxString project = wxFileName(g.folder, kProjectFile).GetFullPath();
    if (g.folder.empty()) {
        // Through the program's message layer: a box no one can answer must never stop a script or a test.
        brindle::ShowWarning(
            "The user's guide was not found. It is installed with the editor in share/brindle/guide; "
            "set BRINDLE_GUIDE_DIR to the folder that holds brindle.hhp to read it from elsewhere.");
        return;
    }
    // The pages' pictures are PNG files; without the handler every picture would raise a log box.
    if (!wxImage::FindHandler(wxBITMAP_TYPE_PNG)) wxImage::AddHandler(new wxPNGHandler);
    const wxString page = PageFor(g, topic);
    if (InsideModalDialog(parent)) {
        // Runs until the reader closes it, on top of the dialog that asked.
        wxHtmlHelpController modal(wxHF_DEFAULT_STYLE | wxHF_DIALOG | wxHF_MODAL, parent);
        modal.UseConfig(&WindowPlaces(), "Modal");
        modal.SetTitleFormat("Brindle Help: %s");
        modal.AddBook(wxFileName(project), false);
        modal.Display(page);
        return;
    }
    if (!g.beside) {
        // A window of its own rather than the main window's child, so that closing a main window (a
        // test makes several) never leaves the controller pointing at a destroyed frame; it closes with
        // the main window instead, or it would keep the program running.
        g.beside = new wxHtmlHelpController(wxHF_DEFAULT_STYLE, nullptr);
        g.beside->UseConfig(&WindowPlaces(), "Beside");
        g.beside->SetTitleFormat("Brindle Help: %s");
        g.beside->AddBook(wxFileName(project), false);
    }
    if (wxWindow* top = wxTheApp->GetTopWindow(); top && !g.closesWith.count(top)) {
        g.closesWith.insert(top);
        top->Bind(wxEVT_DESTROY, [top](wxWindowDestroyEvent& e) {
            e.Skip();
            if (e.GetWindow() != top) return;
            Guide& guide = TheGuide();
            guide.closesWith.erase(top);
            if (guide.beside && guide.beside->GetFrame()) guide.beside->Quit();
        });
    }
    g.beside->Display(page);
    if (wxHtmlHelpFrame* frame = g.beside->GetFrame()) frame->Raise();
}

void BindHelpTopic(wxDialog* dialog, int topic) {
    dialog->Bind(
        wxEVT_BUTTON, [dialog, topic](wxCommandEvent&) { ShowHelpTopic(dialog, topic); }, wxID_HELP);
    dialog->Bind(wxEVT_CHAR_HOOK, [dialog, topic](wxKeyEvent& e) {
        if (e.GetKeyCode() == WXK_F1 && e.GetModifiers() == wxMOD_NONE)
            ShowHelpTopic(dialog, topic);
        else
            e.Skip();
    });
}

wxString ShownHelpPage() {
    // The modal window is the top one while it is open.
    for (wxWindow* w : wxTopLevelWindows) {
        if (auto* d = dynamic_cast<wxHtmlHelpDialog*>(w); d && d->IsShown() && d->GetHelpWindow())
            return PageName(d->GetHelpWindow()->GetHtmlWindow()->GetOpenedPage());
    }
    Guide& g = TheGuide();
    if (!g.beside || !g.beside->GetFrame() || !g.beside->GetFrame()->IsShown()) return {};
    wxHtmlHelpWindow* window = g.beside->GetHelpWindow();
    return window ? PageName(window->GetHtmlWindow()->GetOpenedPage()) : wxString();
}

BRINDLE_COMMAND_HANDLER(brindle::Cmd::HelpContents,
                        [](CBrindleView& v) { ShowHelpTopic(v.GetFrame(), brindle::kHelpContentsTopic); });
// The project has no website of its own: its start page is the guide's.
BRINDLE_COMMAND_HANDLER(brindle::Cmd::Website,
                        [](CBrindleView& v) { ShowHelpTopic(v.GetFrame(), brindle::kHelpContentsTopic); });
