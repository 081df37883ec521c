// The one document of the editor: it owns the current Panel, keeps the modified flag and the
// document path, and carries out the file commands (New Panel.cfg, Open, Close, Save, the re-read
// after Preferences, the close after a simulator mode change, the round trip through an external
// text editor, Window Properties' IDENT, Undo, Copy This Panel to an Aircraft). The shell's
// document class wraps it; the view and the dialogs it needs are reached through the interfaces
// below. The current file and the current window are those of Settings (CurrentFile, LastWindow).
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "app/settings.h"
#include "document/aircraft.h"
#include "document/text_editor.h"
#include "panel/panel.h"

namespace brindle {

class EditingController;
class PanelView;

// What the document needs from the panel view.
class ViewSync {
  public:
    virtual ~ViewSync() = default;
    // Writes the view's working gauge list back into `window` (the shown window).
    virtual void StorePanelWindow(PanelWindow& window) = 0;
    // Shows window `index` of `panel`: builds the view's records and loads the gauges' bitmaps.
    virtual void ShowPanelWindow(Panel& panel, int index) = 0;
    // The panel is going away: the gauge bitmap store is emptied and the cursors reset.
    virtual void ClearView() = 0;
    virtual void Redraw() {}
    // "Fit" (the panel fitted to the window).
    virtual void Fit() {}
    virtual void ClearSelection() {}
    // Puts back the state before the last change; false when there is none.
    virtual bool RestoreUndo() { return false; }
};

// The view of the engine behind ViewSync; Undo goes to the editing controller when there is one.
class PanelViewSync : public ViewSync {
  public:
    // `progress` reports the loading of a window's gauges (the status bar's progress control).
    explicit PanelViewSync(
        PanelView& view, EditingController* editing = nullptr,
        std::function<void(int done, int total, const std::string& reference)> progress = {})
        : view_(view), editing_(editing), progress_(std::move(progress)) {}
    void StorePanelWindow(PanelWindow& window) override;
    void ShowPanelWindow(Panel& panel, int index) override;
    void ClearView() override;
    void Redraw() override;
    void Fit() override;
    void ClearSelection() override;
    bool RestoreUndo() override;

  private:
    PanelView& view_;
    EditingController* editing_;
    std::function<void(int, int, const std::string&)> progress_;
};

// The dialogs the document runs. Each returns nullopt (or false) when the user cancelled.
class DocumentUi {
  public:
    virtual ~DocumentUi() = default;
    // The Open Window dialog for `panel` (whose file is in `panelFolder`): the chosen window.
    virtual std::optional<int> ChooseWindow(const Panel& panel, const std::string& panelFolder) = 0;
    // "Create a new Panel.cfg": a save dialog (default name "panel.cfg") starting in `folder`.
    virtual std::optional<std::string> ChooseNewPanelFile(const std::string& folder) = 0;
    // "Select a config file to open": an open dialog starting in `folder`.
    virtual std::optional<std::string> ChooseFileToOpen(const std::string& folder) = 0;
    // The bitmap chooser, starting in `folder`: the chosen file's full path.
    virtual std::optional<std::string> ChooseBitmap(const std::string& folder) = 0;
    // Runs the Open Aircraft dialog on `chooser`; true when it closed with OK.
    virtual bool RunOpenAircraft(OpenAircraftChooser& chooser) = 0;
    virtual void AddToRecentFiles(const std::string& /*path*/) {}
    // Progress of "Copying Panel".
    virtual void CopyProgress(int /*done*/, int /*total*/, const std::string& /*file*/) {}
};

// What Window Properties hands back after OK.
struct WindowPropertiesResult {
    std::string ident;           // the Ident field's text
    bool modified = false;       // the dialog changed something
    bool bitmapChanged = false;  // a new background bitmap or size
};

// The file dialogs the shell shows for the document.
inline constexpr const char* kNewPanelDialogTitle = "Create a new Panel.cfg";
inline constexpr const char* kOpenPanelDialogTitle = "Select a config file to open";
inline constexpr const char* kPanelFileFilter = "Config Files (*.cfg)|*.cfg|All Files (*.*)|*.*||";
inline constexpr const char* kPanelDefaultName = "panel.cfg";
inline constexpr const char* kPanelDefaultExtension = ".cfg";

// File error texts of New Panel.cfg, by the file error code 0 to 14.
const char* FileErrorText(int code);
// The file error code of an errno value.
int FileErrorCode(int errnoValue);

// The text of a new panel.cfg (CR LF line ends).
extern const char* const kNewPanelTemplate;

class PanelDocument {
  public:
    PanelDocument(Settings& settings, ViewSync& view, DocumentUi& ui);

    void SetTextEditor(TextEditorLauncher* editor) { editor_ = editor; }
    // Where the editor round trip puts its temporary file; empty = TEMP, TMPDIR, else the system's.
    void SetTemporaryFolder(std::string folder) { tempFolder_ = std::move(folder); }

    bool IsOpen() const { return panel_.has_value(); }
    Panel* GetPanel() { return panel_ ? &*panel_ : nullptr; }
    const Panel* GetPanel() const { return panel_ ? &*panel_ : nullptr; }
    bool Modified() const { return modified_; }
    void SetModified(bool modified = true) { modified_ = modified; }
    // The document's path (empty while none is open).
    const std::string& Path() const { return path_; }
    // The index of the current window, -1 while no file is open.
    int CurrentWindow() const;
    // The folder of the current file.
    std::string PanelFolder() const;

    // Opens `path` showing window `windowIndex` (-1: the Open Window dialog asks). Asks to save a
    // modified document first. A failed read leaves no file open. Returns whether the file is open.
    bool OpenAtWindow(const std::string& path, int windowIndex);
    // Opens a file the user named (chosen, given on the command line, dropped, or from the recent
    // files): the Open Window dialog asks for the window, and the aircraft using the panel gives
    // the title shown in the main window.
    bool OpenNamed(const std::string& path);
    // The first document at program start: reopens the last file at its last window when Reload
    // is on and sets the zoom from the start zoom. No dialog is shown.
    void StartUp();
    // File > New: a new panel.cfg from the template with the first window's bitmap.
    void NewPanel();
    // "Open Panel.cfg direct...".
    bool OpenDirect();
    // "Open Panel.cfg by Aircraft...".
    bool OpenByAircraft();
    // Close; false when the user cancelled the question to save the changes.
    bool Close();
    // The framework's question before the document goes away ("Save changes to ...?"): false when
    // the user cancelled or the save failed. Nothing is asked while the document is unchanged.
    bool SaveModified();
    // Save to the document path, and Save As.
    bool Save();
    bool SaveTo(const std::string& path);

    // After the Preferences dialog: `rereadNeeded` when a changed setting needs the file read again,
    // `changed` when anything changed.
    void AfterPreferences(bool rereadNeeded, bool changed);
    // After the mode dialog, whatever its result: a changed simulator mode closes the document, and
    // with `system` the PATH extension is rebuilt for the current mode's folder. (The shell saves
    // the settings in any case.)
    void AfterModeDialog(bool modeChanged, SystemAccess* system = nullptr);
    // "Open config file in Notepad": the round trip through the text editor.
    void EditInTextEditor();
    // Window Properties ended with OK: the IDENT rules, the modified mark, a new background loaded.
    void AfterWindowProperties(const WindowPropertiesResult& result);
    // The IDENT rules alone: true when `ident` was taken for the current window.
    bool ChangeIdent(const std::string& ident);
    // Edit > Undo.
    void Undo();
    // "Copy This Panel to an Aircraft...".
    bool CopyPanelToAircraft();

  private:
    void ClearDocument();
    // The view's working gauge list goes back into the shown window before the panel is written.
    void StoreShownWindowIfModified();
    std::string TemporaryFolder() const;

    Settings& settings_;
    ViewSync& view_;
    DocumentUi& ui_;
    TextEditorLauncher* editor_ = nullptr;
    std::optional<Panel> panel_;
    bool modified_ = false;
    std::string path_;
    std::string lastOpenFolder_;
    std::string tempFolder_;
};

}  // namespace brindle
