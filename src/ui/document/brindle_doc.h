// The editor's one document. It holds the engine's state of an editing session (the panel document,
// the panel view's records and the editing controller) and answers the document's dialogs. The wx
// view (CBrindleView) shows it and routes the commands to it.
#pragma once

#include <wx/docview.h>
#include <wx/progdlg.h>

#include <functional>
#include <memory>

#include "document/document.h"
#include "view/editing.h"
#include "view/panel_view.h"

class CBrindleDoc : public wxDocument, public brindle::DocumentUi {
    wxDECLARE_DYNAMIC_CLASS(CBrindleDoc);

  public:
    CBrindleDoc();
    ~CBrindleDoc() override;

    brindle::PanelDocument& Doc() { return *doc_; }
    brindle::PanelView& View() { return view_; }
    brindle::EditingController& Editing() { return editing_; }
    brindle::Settings& settings() { return view_.settings(); }
    brindle::PanelViewSync& Sync() { return sync_; }

    // The panel, or null while none is open.
    brindle::Panel* GetPanel() { return doc_->GetPanel(); }
    bool PanelLoaded() const { return doc_->IsOpen(); }

    // A file given on the command line or dropped on the window: opened instead of the reload of
    // the last panel.
    static void SetStartFile(const wxString& path) { startFile_ = path; }

    // Where the gauge-loading progress goes (the frame's status bar).
    void SetProgressSink(std::function<void(int, int, const std::string&)> sink) {
        progress_ = std::move(sink);
    }

    // wxDocument: the engine document decides about modification and the question to save.
    bool OnNewDocument() override;
    bool OnSaveModified() override;
    bool IsModified() const override;
    void Modify(bool modified) override;
    bool OnCloseDocument() override;

    // Opens `path` as a file given by the user (command line, dropped, recent files): the Open Window
    // dialog picks the window, the file goes to the top of the recent files. False when it did not open.
    bool OpenFile(const std::string& path);

    // Called after anything that changes which panel or window is shown, or the modified state: the
    // frame's title, panes and window list follow.
    void Changed();

    // DocumentUi
    std::optional<int> ChooseWindow(const brindle::Panel& panel, const std::string& panelFolder) override;
    std::optional<std::string> ChooseNewPanelFile(const std::string& folder) override;
    std::optional<std::string> ChooseFileToOpen(const std::string& folder) override;
    std::optional<std::string> ChooseBitmap(const std::string& folder) override;
    bool RunOpenAircraft(brindle::OpenAircraftChooser& chooser) override;
    void AddToRecentFiles(const std::string& path) override;
    void CopyProgress(int done, int total, const std::string& file) override;

  private:
    wxWindow* DialogParent() const;

    brindle::PanelView view_;
    brindle::EditingController editing_;
    brindle::PanelViewSync sync_;
    std::unique_ptr<brindle::TextEditorLauncher> editor_;
    std::unique_ptr<brindle::PanelDocument> doc_;
    std::function<void(int, int, const std::string&)> progress_;
    std::unique_ptr<wxProgressDialog> copyProgress_;
    static wxString startFile_;
    static bool startedUp_;
};
