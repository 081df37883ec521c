#include "document/document.h"

#include <cerrno>
#include <cstdlib>
#include <random>

#include "panel/panel_reader.h"
#include "panel/panel_writer.h"
#include "panel/views.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "view/editing.h"
#include "view/panel_view.h"

namespace brindle {

// --- The engine's view behind ViewSync -------------------------------------------------------

void PanelViewSync::StorePanelWindow(PanelWindow& window) {
    view_.StorePanelWindow(window);
}

void PanelViewSync::ShowPanelWindow(Panel& panel, int index) {
    if (editing_) editing_->WindowChanged();
    view_.ShowPanelWindow(panel, index, progress_);
}

void PanelViewSync::ClearView() {
    if (editing_) editing_->WindowChanged();
    view_.Clear();
}

void PanelViewSync::Redraw() {
    view_.InvalidateAll();
}

void PanelViewSync::Fit() {
    view_.Fit();
}

void PanelViewSync::ClearSelection() {
    for (ViewGauge& g : view_.Gauges()) g.selected = false;
    view_.InvalidateAll();
}

// --- Texts -----------------------------------------------------------------------------------

namespace {

const char* const kFileErrors[] = {
    "No error occurred",
    "An unspecified error occurred",
    "The file could not be located",
    "All or part of the path is invalid",
    "The permitted number of open files was exceeded",
    "The file could not be accessed",
    "There was an attempt to use an invalid file handle",
    "The current working directory cannot be removed",
    "There are no more directory entries",
    "There was an error trying to set the file pointer",
    "There was a hardware error",
    "SHARE.EXE was not loaded, or a shared region was locked",
    "There was an attempt to lock a region that was already locked",
    "The disk is full",
    "The end of file was reached",
};

}  // namespace

const char* FileErrorText(int code) {
    if (code < 0 || code > 14) code = 1;
    return kFileErrors[code];
}

int FileErrorCode(int e) {
    switch (e) {
        case 0:
            return 0;
        case ENOENT:
            return 2;
        case ENOTDIR:
        case EINVAL:
        case ENAMETOOLONG:
        case EISDIR:
            return 3;
        case EMFILE:
        case ENFILE:
            return 4;
        case EACCES:
        case EPERM:
        case EROFS:
            return 5;
        case EBADF:
            return 6;
        case EBUSY:
            return 7;
        case ESPIPE:
            return 9;
        case EIO:
            return 10;
        case EAGAIN:
            return 12;
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:
#endif
            return 13;
        default:
            return 1;
    }
}

const char* const kNewPanelTemplate =
    "[Window Titles]\r\nwindow00=New Window\r\n[Window00]\r\nfile=\r\nsize_mm=1000\r\n"
    "window_size_ratio=1.0\r\nposition=7\r\nvisible=1\r\nident=0\r\n";

// --- The document ----------------------------------------------------------------------------

PanelDocument::PanelDocument(Settings& settings, ViewSync& view, DocumentUi& ui)
    : settings_(settings), view_(view), ui_(ui) {}

int PanelDocument::CurrentWindow() const {
    return panel_ ? settings_.LastWindow() : -1;
}

std::string PanelDocument::PanelFolder() const {
    return settings_.CurrentFileDir();
}

void PanelDocument::StoreShownWindowIfModified() {
    int current = settings_.LastWindow();
    if (modified_ && current >= 0 && current < static_cast<int>(panel_->windows.size()))
        view_.StorePanelWindow(panel_->windows[current]);
}

void PanelDocument::ClearDocument() {
    view_.ClearView();
    panel_.reset();
    path_.clear();
    modified_ = false;
    settings_.SetLastWindow(-1);
    settings_.ResetDocumentFields();
}

bool PanelDocument::SaveModified() {
    if (!panel_ || !modified_) return true;
    std::string name = path_.empty() ? settings_.CurrentFile() : path_;
    switch (AskQuestion(QuestionKind::YesNoCancel, "Save changes to " + name + "?")) {
        case Answer::Yes:
            return SaveTo(name);
        case Answer::No:
            return true;
        default:
            return false;
    }
}

bool PanelDocument::OpenAtWindow(const std::string& path, int windowIndex) {
    if (!SaveModified()) return false;
    ClearDocument();

    Panel panel;
    bool ok = ReadPanelFile(path, settings_, panel) && !settings_.CurrentFile().empty();
    if (!ok) {
        ClearDocument();
        view_.Redraw();
        settings_.SetCurrentFile("");
        return false;
    }
    panel_ = std::move(panel);
    int total = static_cast<int>(panel_->windows.size());
    int current = -1;
    if (panel_->windowCount >= 1) {
        if (windowIndex >= 0 && windowIndex < total) {
            current = windowIndex;
        } else {
            std::optional<int> chosen = ui_.ChooseWindow(*panel_, DirectoryPart(path).value_or(""));
            current = chosen && *chosen >= 0 && *chosen < total ? *chosen : 0;
            settings_.SetZoom(1.0);
        }
    } else if (total > 0) {
        // Only virtual-cockpit windows: show the one asked for, else the first.
        current = windowIndex >= 0 && windowIndex < total ? windowIndex : 0;
    }
    settings_.SetLastWindow(current);
    settings_.SetCurrentFile(path);
    path_ = path;
    if (current >= 0) view_.ShowPanelWindow(*panel_, current);
    modified_ = false;
    view_.Fit();
    return true;
}

void PanelDocument::StartUp() {
    if (!settings_.Reload() || settings_.LastFileRead().empty()) {
        settings_.SetZoom(1.0);
        return;
    }
    if (settings_.LastFileRead().size() > 2) OpenAtWindow(settings_.LastFileRead(), settings_.LastWindow());
    settings_.SetZoom(settings_.StartZoom());
}

void PanelDocument::NewPanel() {
    // The framework asks about unsaved changes before a new document replaces the old one.
    if (!SaveModified()) return;
    std::optional<std::string> path = ui_.ChooseNewPanelFile(AircraftRoot(settings_.SimDir()));
    if (!path) return;
    ClearDocument();
    view_.Redraw();

    if (PathExists(*path) &&
        AskQuestion(QuestionKind::YesNoCancel, "Overwrite Existing File " + *path + "?") != Answer::Yes)
        return;
    int error = 0;
    if (!WriteFileAtomically(*path, kNewPanelTemplate, &error)) {
        ShowError("Can't open file " + *path + "\n" + FileErrorText(FileErrorCode(error)));
        return;
    }
    settings_.SetCurrentFile(*path);
    Panel panel;
    if (!ReadPanelFile(*path, settings_, panel) || panel.windows.empty()) return;

    std::string folder = DirectoryPart(*path).value_or("");
    std::optional<std::string> chosen = ui_.ChooseBitmap(folder);
    if (!chosen) return;
    std::optional<std::string> bitmap = BitmapIntoPanelFolder(
        *chosen, folder, "The new bitmap must be in your panel directory to continue.\nCopy it there now?",
        [](int) { ShowError("Error copying bitmap file"); });
    if (!bitmap) return;

    PanelWindow& w = panel.windows[0];
    w.file = *bitmap;
    w.title = "New Window";
    w.sizeMmX = 1024;
    w.sizeMmPresent = true;
    w.sizeMmYPresent = false;
    w.windowSizeRatio = 1.0;
    w.windowSizeRatioPresent = true;
    w.position = 7;
    w.visible = 1;
    w.ident = "0";
    SetGauges(w, {});
    panel.colorCount = 0;
    panel.defaultView = {0, 0, 8191, 4000};
    settings_.SetLastWindow(0);
    if (!WritePanelFile(panel, *path, settings_)) return;
    OpenAtWindow(*path, 0);
}

bool PanelDocument::OpenNamed(const std::string& path) {
    settings_.SetLastTitle("");
    const bool ok = OpenAtWindow(path, -1);
    if (ok) settings_.SetLastTitle(AircraftTitleForPanel(path).value_or(""));
    return ok;
}

bool PanelDocument::OpenDirect() {
    std::string start = lastOpenFolder_.empty() ? AircraftRoot(settings_.SimDir()) : lastOpenFolder_;
    std::optional<std::string> path = ui_.ChooseFileToOpen(start);
    if (!path) return false;
    lastOpenFolder_ = DirectoryPart(*path).value_or("");
    bool ok = OpenNamed(*path);
    if (ok) ui_.AddToRecentFiles(*path);
    view_.Redraw();
    view_.ClearSelection();
    return ok;
}

bool PanelDocument::OpenByAircraft() {
    OpenAircraftChooser chooser(settings_, OpenAircraftChooser::Mode::Open);
    if (!ui_.RunOpenAircraft(chooser) || chooser.ChosenPath().empty()) return false;
    if (!chooser.AircraftSelected()) {
        ShowWarning("No Aircraft Selected!");
        return false;
    }
    std::string title = chooser.Title();
    if (!OpenAtWindow(chooser.ChosenPath(), -1)) return false;
    settings_.SetLastTitle(title);
    ui_.AddToRecentFiles(chooser.ChosenPath());
    view_.Redraw();
    view_.ClearSelection();
    return true;
}

bool PanelDocument::Close() {
    if (panel_ && !SaveModified()) return false;
    ClearDocument();
    view_.Redraw();
    return true;
}

bool PanelDocument::Save() {
    return SaveTo(path_.empty() ? settings_.CurrentFile() : path_);
}

bool PanelDocument::SaveTo(const std::string& path) {
    if (!panel_ || path.empty()) return false;
    StoreShownWindowIfModified();
    // A failed write has said why; the changes are still unsaved.
    if (!WritePanelFile(*panel_, path, settings_)) return false;
    modified_ = false;
    path_ = path;
    ui_.AddToRecentFiles(path);
    settings_.SetCurrentFile(path);
    return true;
}

void PanelDocument::AfterPreferences(bool rereadNeeded, bool changed) {
    if (rereadNeeded && panel_) {
        ShowWarning("Brindle will now reread the config file\nso your changes can take effect");
        std::string path = settings_.CurrentFile();
        int window = settings_.LastWindow();
        if (!Close()) return;
        OpenAtWindow(path, window);
        view_.ClearSelection();
    } else if (changed) {
        view_.Redraw();
    }
}

void PanelDocument::AfterModeDialog(bool modeChanged, SystemAccess* system) {
    if (modeChanged) {
        // The panel belongs to the other simulator (the question to save a changed one comes first).
        Close();
        view_.ClearSelection();
    }
    if (system) settings_.ExtendPathWithModules(*system);
}

std::string PanelDocument::TemporaryFolder() const {
    if (!tempFolder_.empty()) return tempFolder_;
    for (const char* var : {"TEMP", "TMPDIR"})
        if (const char* v = std::getenv(var); v && *v) return v;
#ifdef _WIN32
    return "C:\\tmp";
#else
    return "/tmp";
#endif
}

void PanelDocument::EditInTextEditor() {
    if (!panel_) return;
    if (!editor_ || !editor_->Found()) {
        ShowWarning(editor_ ? editor_->MissingMessage() : "Can't find Notepad.exe!");
        return;
    }
    std::string folder = TemporaryFolder();
    std::string temp;
    std::random_device rd;
    for (int attempt = 0; attempt < 100 && temp.empty(); ++attempt) {
        char name[32];
        std::snprintf(name, sizeof name, "brindle%04X.txt", static_cast<unsigned>(rd() & 0xFFFF));
        std::string candidate = JoinPath(folder, name);
        if (!PathExists(candidate)) temp = candidate;
    }
    if (temp.empty() || !DirectoryExists(folder)) {
        ShowWarning("Can't create a temporary file name to view panel.cfg file!");
        return;
    }
    StoreShownWindowIfModified();
    PanelWriteOptions options = WriteOptionsFrom(settings_);
    options.createBackup = false;
    if (!WriteFileAtomically(temp, FormatPanel(*panel_, options))) {
        ShowWarning("Can't create temporary panel.cfg file!");
        return;
    }
    struct Remover {
        std::string path;
        bool keep = false;
        ~Remover() {
            if (!keep) RemoveFile(path);
        }
    } remover{temp};

    std::optional<std::int64_t> before = FileModificationTime(temp);
    std::optional<std::string> beforeText = ReadFileText(temp);
    if (!before) {
        ShowWarning("Can't read the temp file created for notepad!");
        return;
    }
    std::string error;
    if (!editor_->EditAndWait(temp, error)) ShowWarning("Can't launch " + editor_->Name() + ": " + error);

    std::optional<std::int64_t> after = FileModificationTime(temp);
    if (!after) {
        ShowWarning("Can't read the temp file created for notepad!");
        return;
    }
    // The time alone misses a save within the file system's time resolution.
    bool changed = *after != *before || ReadFileText(temp) != beforeText;
    if (!changed) return;
    if (AskQuestion(
            QuestionKind::YesNo,
            "The config file was modified in Notepad.\nRead in the changes, overwrite the original config "
            "file, and reopen this panel?") != Answer::Yes)
        return;
    modified_ = false;
    std::string original = settings_.CurrentFile();
    // The copy replaces the original as a save would: with its backup when backups are on.
    if (settings_.CreateBackup() && FileExists(original))
        if (std::optional<std::string> backup = BackupFileName(ResolvePath(original)))
            CopyFileBytes(original, *backup);
    if (!CopyFileBytes(temp, original)) {
        ShowWarning("Can't copy the Notepad modified file over the original config file!");
        remover.keep = true;
        return;
    }
    Close();
    OpenAtWindow(original, -1);
    view_.Redraw();
}

bool PanelDocument::ChangeIdent(const std::string& ident) {
    if (!panel_) return false;
    int current = settings_.LastWindow();
    int titled = std::min<int>(panel_->windowCount, static_cast<int>(panel_->windows.size()));
    if (current < 0 || current >= static_cast<int>(panel_->windows.size())) return false;
    PanelWindow& w = panel_->windows[current];
    if (ident == w.ident.str()) return true;
    bool digits = !ident.empty() && ident.find_first_not_of("0123456789") == std::string::npos;
    if (w.fixed && (!digits || ident.size() > 2)) {
        ShowWarning("Can't change the Window IDENT.\n\nThe Ident for a Fixed Window must be an integer");
        return false;
    }
    int number = digits && ident.size() <= 9 ? std::atoi(ident.c_str()) : -1;
    bool inUse = false;
    for (int i = 0; i < titled; ++i) {
        if (i == current) continue;
        const PanelWindow& other = panel_->windows[i];
        // Only Fixed Windows have numbers; the other windows take part by their ident text.
        if (EqualsNoCase(other.ident.str(), ident) ||
            (other.fixed && number >= 0 && other.fixedNumber == number))
            inUse = true;
    }
    if (inUse) {
        ShowWarning("Can't change the Window IDENT.\n\nThe new Window Ident is already in use");
        return false;
    }
    w.ident = ident;
    modified_ = true;
    if (w.fixed) {
        // The views that showed this window follow it to its new number.
        for (ViewEntry& v : panel_->views)
            if (v.index == w.fixedNumber) v.index = number;
        w.fixedNumber = number;
    }
    return true;
}

void PanelDocument::AfterWindowProperties(const WindowPropertiesResult& result) {
    if (!panel_) return;
    ChangeIdent(result.ident);
    if (result.modified) modified_ = true;
    int current = settings_.LastWindow();
    if (result.bitmapChanged && current >= 0 && current < static_cast<int>(panel_->windows.size())) {
        view_.StorePanelWindow(panel_->windows[current]);
        view_.ShowPanelWindow(*panel_, current);
        view_.Redraw();
    }
}

bool PanelDocument::CopyPanelToAircraft() {
    if (!panel_) return false;
    OpenAircraftChooser chooser(settings_, OpenAircraftChooser::Mode::AddPanel);
    if (!ui_.RunOpenAircraft(chooser)) return false;
    if (!chooser.AircraftSelected()) {
        ShowWarning("No Aircraft Selected to add Panel to!");
        return false;
    }
    if (chooser.PanelName().empty()) {
        ShowWarning("The new panel must have a unique name!");
        return false;
    }
    StoreShownWindowIfModified();
    SaveModified();
    if (modified_) ShowWarning("Changes made will not be copied to the new Panel!  ");
    return AddPanelToAircraft(
        chooser.ChosenPath(), chooser.PanelName(), chooser.PanelTitle(), PanelFolder(),
        [this](int done, int total, const std::string& file) { ui_.CopyProgress(done, total, file); });
}

}  // namespace brindle
