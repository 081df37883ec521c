#include "app/forms.h"

#include <wx/app.h>
#include <wx/bitmap.h>
#include <wx/button.h>
#include <wx/iconbndl.h>
#include <wx/image.h>
#include <wx/listbox.h>
#include <wx/log.h>
#include <wx/msgdlg.h>
#include <wx/scrolwin.h>
#include <wx/sizer.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/utils.h>

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "lib/bitmap_file.h"
#include "lib/file_io.h"

namespace fs = std::filesystem;

namespace {

// On Windows the forms show the program's own icon (its resources), in the title bar and the task bar.
void UseProgramIcon(wxTopLevelWindow* window) {
#ifdef __WXMSW__
    window->SetIcons(wxIconBundle("wxICON_AAA", nullptr));
#else
    (void)window;
#endif
}

constexpr const char* kScratchName = "dum.bmp";

std::string ToLowerAscii(std::string s) {
    std::transform(s.begin(), s.end(), s.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return s;
}

// The names of the files in `folder` ending in `extension` (any case), sorted without regard to case.
std::vector<std::string> FilesWithExtension(const std::string& folder, const std::string& extension) {
    std::vector<std::string> names;
    std::error_code ec;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (!it->is_regular_file(typeError)) continue;
        const std::string name = it->path().filename().string();
        if (name.size() > extension.size() && ToLowerAscii(name).ends_with(extension)) names.push_back(name);
    }
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        const std::string la = ToLowerAscii(a), lb = ToLowerAscii(b);
        return la != lb ? la < lb : a < b;
    });
    return names;
}

void FillListBox(wxListBox* list, const std::vector<std::string>& names) {
    list->Clear();
    for (const std::string& n : names) list->Append(wxString::FromUTF8(n));
    if (!names.empty()) list->SetSelection(0);
}

wxButton* AddButton(wxWindow* parent, wxSizer* sizer, const wxString& label, std::function<void()> action) {
    auto* b = new wxButton(parent, wxID_ANY, label);
    b->Bind(wxEVT_BUTTON, [action = std::move(action)](wxCommandEvent&) { action(); });
    sizer->Add(b, 0, wxALL, 4);
    return b;
}

// Lets a freshly shown or changed window paint before long work starts.
void PaintNow(wxWindow* window) {
    window->Update();
    wxSafeYield(window, true);
}

}  // namespace

// ---------------------------------------------------------------------------------------------------------

CStartForm::CStartForm(CPickwell& pickwell)
    : wxFrame(nullptr, wxID_ANY,
              "     Pickwell - Highlight the desired file then Double-Click or press ENTER",
              wxDefaultPosition, wxSize(620, 440)),
      pickwell_(pickwell) {
    UseProgramIcon(this);
    auto* panel = new wxPanel(this);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    // Window managers may cut the title short, so the instruction is repeated inside the form.
    sizer->Add(
        new wxStaticText(panel, wxID_ANY, "Highlight the desired file then Double-Click or press ENTER"), 0,
        wxALL, 6);
    files_ = new wxListBox(panel, wxID_ANY, wxDefaultPosition, wxDefaultSize, 0, nullptr, wxLB_SINGLE);
    files_->Bind(wxEVT_LISTBOX_DCLICK, [this](wxCommandEvent&) { OnChoose(); });
    files_->Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& e) {
        if (e.GetKeyCode() == WXK_RETURN || e.GetKeyCode() == WXK_NUMPAD_ENTER) {
            OnChoose();
        } else {
            e.Skip();
        }
    });
    sizer->Add(files_, 1, wxEXPAND | wxLEFT | wxRIGHT, 6);
    auto* statusRow = new wxBoxSizer(wxHORIZONTAL);
    status_ = new wxStaticText(panel, wxID_ANY, "SEARCHING for bitmaps...        % DONE  =");
    percent_ = new wxStaticText(panel, wxID_ANY, "0", wxDefaultPosition, wxSize(40, -1));
    statusRow->Add(status_, 0, wxALIGN_CENTER_VERTICAL | wxRIGHT, 6);
    statusRow->Add(percent_, 0, wxALIGN_CENTER_VERTICAL);
    sizer->Add(statusRow, 0, wxALL, 6);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    buttons->AddStretchSpacer();
    AddButton(panel, buttons, "EXIT", [this] { pickwell_.Exit(); });
    sizer->Add(buttons, 0, wxEXPAND | wxALL, 4);
    panel->SetSizer(sizer);
    HideProgress();
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { pickwell_.Exit(); });
}

void CStartForm::FillList() {
    FillListBox(files_, FilesWithExtension(pickwell_.Folder(), ".gau"));
    files_->SetFocus();
}

void CStartForm::ShowProgress(int percent) {
    if (status_->IsShown() && percent_->GetLabel() == wxString::Format("%d", percent)) return;
    status_->Show();
    percent_->Show();
    percent_->SetLabel(wxString::Format("%d", percent));
    status_->GetParent()->Layout();
    PaintNow(this);
}

void CStartForm::HideProgress() {
    status_->Hide();
    percent_->Hide();
}

void CStartForm::OnChoose() {
    const int i = files_->GetSelection();
    if (i == wxNOT_FOUND) return;
    pickwell_.Scan(files_->GetString(static_cast<unsigned>(i)).utf8_string());
}

// ---------------------------------------------------------------------------------------------------------

CMenuForm::CMenuForm(CPickwell& pickwell)
    : wxFrame(nullptr, wxID_ANY, "Pickwell", wxDefaultPosition, wxSize(260, 240)) {
    UseProgramIcon(this);
    auto* panel = new wxPanel(this);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    auto add = [&](const wxString& label, std::function<void()> action) {
        auto* b = new wxButton(panel, wxID_ANY, label, wxDefaultPosition, wxSize(180, 36));
        b->Bind(wxEVT_BUTTON, [action = std::move(action)](wxCommandEvent&) { action(); });
        sizer->Add(b, 0, wxALIGN_CENTER | wxALL, 5);
    };
    sizer->AddStretchSpacer();
    add("GAU to BMP", [&pickwell] { pickwell.ShowGauToBmp(); });
    add("BMP to GAU", [&pickwell] { pickwell.ShowBmpToGau(); });
    add("BACK", [&pickwell] { pickwell.BackToStart(); });
    add("EXIT", [&pickwell] { pickwell.Exit(); });
    sizer->AddStretchSpacer();
    panel->SetSizer(sizer);
    Bind(wxEVT_CLOSE_WINDOW, [&pickwell](wxCloseEvent&) { pickwell.Exit(); });
}

// ---------------------------------------------------------------------------------------------------------

CNumberedForm::CNumberedForm(CPickwell& pickwell, const wxString& title)
    : wxFrame(nullptr, wxID_ANY, title, wxDefaultPosition, wxSize(760, 640)), pickwell_(pickwell) {
    UseProgramIcon(this);
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { pickwell_.Exit(); });
}

wxSizer* CNumberedForm::MakeNumberRow(wxWindow* panel) {
    auto* grid = new wxFlexGridSizer(2, 3, 6, 28);
    total_ =
        new wxTextCtrl(panel, wxID_ANY, "", wxDefaultPosition, wxSize(80, -1), wxTE_READONLY | wxTE_RIGHT);
    grid->Add(total_, 0, wxALIGN_CENTER_VERTICAL);
    grid->Add(new wxStaticText(panel, wxID_ANY, "< Total      Bitmaps"), 0, wxALIGN_CENTER_VERTICAL);
    width_ = new wxStaticText(panel, wxID_ANY, "Width  =", wxDefaultPosition, wxSize(150, -1));
    grid->Add(width_, 0, wxALIGN_CENTER_VERTICAL);
    number_ = new wxTextCtrl(panel, wxID_ANY, "1", wxDefaultPosition, wxSize(80, -1), wxTE_RIGHT);
    number_->SetBackgroundColour(wxColour(0, 0, 255));
    number_->SetForegroundColour(*wxWHITE);
    wxFont bold = number_->GetFont();
    bold.MakeBold();
    number_->SetFont(bold);
    number_->Bind(wxEVT_TEXT, [this](wxCommandEvent&) {
        pickwell_.SetNumber(
            pickwell::ClampNumber(number_->GetValue().utf8_string(), pickwell_.Module().Count()));
        ShowSize();
    });
    grid->Add(number_, 0, wxALIGN_CENTER_VERTICAL);
    grid->AddSpacer(0);
    height_ = new wxStaticText(panel, wxID_ANY, "Height =", wxDefaultPosition, wxSize(150, -1));
    grid->Add(height_, 0, wxALIGN_CENTER_VERTICAL);
    return grid;
}

wxSizer* CNumberedForm::MakeBottomRow(wxWindow* panel) {
    auto* column = new wxBoxSizer(wxVERTICAL);
    note_ = new wxStaticText(panel, wxID_ANY, "");
    note_->SetForegroundColour(wxColour(170, 0, 0));
    column->Add(note_, 0, wxEXPAND | wxLEFT | wxRIGHT, 6);
    auto* row = new wxBoxSizer(wxHORIZONTAL);
    module_ = new wxStaticText(panel, wxID_ANY, "");
    row->Add(module_, 1, wxALIGN_CENTER_VERTICAL | wxLEFT, 6);
    AddButton(panel, row, "BACK", [this] { pickwell_.ShowMenu(); });
    AddButton(panel, row, "EXIT", [this] { pickwell_.Exit(); });
    column->Add(row, 0, wxEXPAND | wxALL, 2);
    return column;
}

void CNumberedForm::ShowNumber(int number) {
    total_->ChangeValue(wxString::Format("%d", pickwell_.Module().Count()));
    number_->ChangeValue(wxString::Format("%d", number));
    pickwell_.SetNumber(number);
    module_->SetLabel(wxString::FromUTF8(fs::path(pickwell_.Module().Path()).filename().string()));
    ShowSize();
}

void CNumberedForm::ShowSize() {
    const pickwell::BitmapEntry* e = pickwell_.Module().Entry(pickwell_.Number());
    width_->SetLabel(e ? wxString::Format("Width  = %d", e->width) : wxString("Width  ="));
    height_->SetLabel(e ? wxString::Format("Height = %d", e->height) : wxString("Height ="));
}

void CNumberedForm::SetNote(const wxString& text) {
    wxString sentence = text;
    if (!sentence.empty()) sentence[0] = wxToupper(sentence[0]);
    note_->SetLabel(sentence);
    // Reasons can be long; they wrap rather than run off the form.
    note_->Wrap(std::max(200, GetClientSize().x - 24));
    note_->GetParent()->Layout();
}

void CNumberedForm::ShowPicture(const wxString& path) {
    wxLogNull quiet;  // a file wx cannot read is reported in the form, not in a log window
    wxImage image;
    if (!image.LoadFile(path, wxBITMAP_TYPE_BMP) || !image.IsOk()) {
        ClearPicture();
        SetNote("The picture cannot be shown: " + path + " is not a bitmap this program can display.");
        return;
    }
    picture_->SetBitmap(wxBitmap(image));
    pictureBox_->SetVirtualSize(image.GetWidth(), image.GetHeight());
    pictureBox_->Scroll(0, 0);
    pictureBox_->Refresh();
}

void CNumberedForm::ClearPicture() {
    picture_->SetBitmap(wxNullBitmap);
    pictureBox_->SetVirtualSize(0, 0);
    pictureBox_->Refresh();
}

// ---------------------------------------------------------------------------------------------------------

namespace {

// A scrolled white box with the picture at its top left corner.
wxScrolledWindow* MakePictureBox(wxWindow* parent, wxStaticBitmap** picture) {
    auto* box = new wxScrolledWindow(parent, wxID_ANY, wxDefaultPosition, wxSize(300, 200),
                                     wxBORDER_SUNKEN | wxHSCROLL | wxVSCROLL);
    box->SetBackgroundColour(*wxWHITE);
    box->SetScrollRate(10, 10);
    *picture = new wxStaticBitmap(box, wxID_ANY, wxNullBitmap, wxPoint(0, 0));
    return box;
}

}  // namespace

CGauToBmpForm::CGauToBmpForm(CPickwell& pickwell)
    : CNumberedForm(pickwell, "Enter the bitmap number in the blue box and click VIEW to display it.") {
    auto* panel = new wxPanel(this);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(new wxStaticText(panel, wxID_ANY, GetTitle()), 0, wxALL, 6);
    auto* top = new wxBoxSizer(wxHORIZONTAL);
    top->Add(MakeNumberRow(panel), 0, wxALL, 6);
    auto* buttons = new wxBoxSizer(wxHORIZONTAL);
    view_ = AddButton(panel, buttons, "VIEW", [this] { View(pickwell_.Number()); });
    next_ = AddButton(panel, buttons, "NEXT",
                      [this] { View(pickwell::NextNumber(pickwell_.Number(), pickwell_.Module().Count())); });
    previous_ = AddButton(panel, buttons, "PREVIOUS", [this] {
        View(pickwell::PreviousNumber(pickwell_.Number(), pickwell_.Module().Count()));
    });
    top->Add(buttons, 0, wxALIGN_CENTER_VERTICAL | wxLEFT, 12);
    sizer->Add(top, 0);
    pictureBox_ = MakePictureBox(panel, &picture_);
    sizer->Add(pictureBox_, 1, wxEXPAND | wxLEFT | wxRIGHT, 6);
    sizer->Add(new wxStaticText(panel, wxID_ANY, "Enter BMP name (include .bmp), Click MAKE BMP"), 0,
               wxLEFT | wxTOP, 6);
    auto* nameRow = new wxBoxSizer(wxHORIZONTAL);
    name_ = new wxTextCtrl(panel, wxID_ANY, "", wxDefaultPosition, wxSize(300, -1), wxTE_PROCESS_ENTER);
    name_->Bind(wxEVT_TEXT_ENTER, [this](wxCommandEvent&) { MakeBmp(); });
    nameRow->Add(name_, 0, wxALIGN_CENTER_VERTICAL | wxALL, 4);
    make_ = AddButton(panel, nameRow, "MAKE BMP", [this] { MakeBmp(); });
    sizer->Add(nameRow, 0, wxLEFT, 2);
    sizer->Add(MakeBottomRow(panel), 0, wxEXPAND);
    panel->SetSizer(sizer);
}

void CGauToBmpForm::Open() {
    const bool any = pickwell_.Module().Count() > 0;
    for (wxWindow* w : {static_cast<wxWindow*>(view_), static_cast<wxWindow*>(next_),
                        static_cast<wxWindow*>(previous_), static_cast<wxWindow*>(make_)}) {
        w->Enable(any);
    }
    ShowNumber(1);
    if (any) {
        View(1);
    } else {
        shown_.clear();
        ClearPicture();
        SetNote("No 8-bit bitmap was found in this file.");
    }
}

void CGauToBmpForm::View(int number) {
    const int n = std::clamp(number, 1, std::max(pickwell_.Module().Count(), 1));
    ShowNumber(n);
    SetNote("");
    pickwell_.ShowWait(this);
    std::string why;
    auto bmp = pickwell_.Module().MakeBmp(n, &why);
    // The scratch file is always rewritten, so that it never shows an older bitmap.
    std::error_code ec;
    fs::remove(pickwell_.ScratchPath(), ec);
    bool written = false;
    if (bmp) written = pickwell::WriteFileSafely(pickwell_.ScratchPath(), *bmp, &why);
    pickwell_.HideWait();
    if (!written) {
        shown_.clear();
        ClearPicture();
        SetNote(wxString::FromUTF8(why));
        return;
    }
    shown_ = std::move(*bmp);
    ShowPicture(wxString::FromUTF8(pickwell_.ScratchPath()));
}

void CGauToBmpForm::MakeBmp() {
    const std::string name = name_->GetValue().utf8_string();
    if (name.empty()) {
        pickwell_.ReportError(this, "Type a name for the .bmp file first (include .bmp).");
        return;
    }
    if (shown_.empty()) {
        pickwell_.ReportError(this, "No bitmap is shown, so there is nothing to write.");
        return;
    }
    const fs::path target = fs::path(pickwell_.Folder()) / name;
    std::error_code ec;
    if (ToLowerAscii(target.filename().string()) == kScratchName) {
        pickwell_.ReportError(this,
                              std::string(kScratchName) +
                                  " is Pickwell's scratch file and is removed on exit; choose another name.");
        return;
    }
    std::string why;
    if (!pickwell::WriteFileSafely(target.string(), shown_, &why)) {
        pickwell_.ReportError(this, "The .bmp file was not written: " + why);
        return;
    }
    pickwell_.ShowDone(this);
}

// ---------------------------------------------------------------------------------------------------------

CBmpToGauForm::CBmpToGauForm(CPickwell& pickwell)
    : CNumberedForm(pickwell, "Enter CORRECT bmp number in blue box, D-Click /Enter BMP name.  ") {
    auto* panel = new wxPanel(this);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    sizer->Add(new wxStaticText(panel, wxID_ANY, GetTitle()), 0, wxALL, 6);
    sizer->Add(MakeNumberRow(panel), 0, wxALL, 6);
    auto* middle = new wxBoxSizer(wxHORIZONTAL);
    auto* left = new wxBoxSizer(wxVERTICAL);
    files_ = new wxListBox(panel, wxID_ANY, wxDefaultPosition, wxSize(240, -1), 0, nullptr, wxLB_SINGLE);
    files_->Bind(wxEVT_LISTBOX, [this](wxCommandEvent&) { OnHighlight(); });
    files_->Bind(wxEVT_LISTBOX_DCLICK, [this](wxCommandEvent&) { OnChoose(); });
    files_->Bind(wxEVT_KEY_DOWN, [this](wxKeyEvent& e) {
        if (e.GetKeyCode() == WXK_RETURN || e.GetKeyCode() == WXK_NUMPAD_ENTER) {
            OnChoose();
        } else {
            e.Skip();
        }
    });
    left->Add(files_, 1, wxEXPAND);
    left->Add(new wxStaticText(panel, wxID_ANY, "(Highlight to View or before Entering)"), 0, wxTOP, 4);
    fileWidth_ = new wxStaticText(panel, wxID_ANY, "Width  =");
    fileHeight_ = new wxStaticText(panel, wxID_ANY, "Height =");
    left->Add(fileWidth_, 0, wxTOP, 2);
    left->Add(fileHeight_, 0, wxTOP, 2);
    middle->Add(left, 0, wxEXPAND | wxRIGHT, 8);
    pictureBox_ = MakePictureBox(panel, &picture_);
    middle->Add(pictureBox_, 1, wxEXPAND);
    sizer->Add(middle, 1, wxEXPAND | wxLEFT | wxRIGHT, 6);
    sizer->Add(MakeBottomRow(panel), 0, wxEXPAND);
    panel->SetSizer(sizer);
}

void CBmpToGauForm::Open() {
    ShowNumber(pickwell_.Number());
    SetNote(pickwell_.Module().Count() > 0 ? wxString()
                                           : wxString("No 8-bit bitmap was found in this file."));
    FillList();
}

void CBmpToGauForm::FillList() {
    FillListBox(files_, FilesWithExtension(pickwell_.Folder(), ".bmp"));
    if (files_->GetCount() > 0) {
        OnHighlight();
    } else {
        ClearPicture();
        fileWidth_->SetLabel("Width  =");
        fileHeight_->SetLabel("Height =");
    }
    files_->SetFocus();
}

void CBmpToGauForm::OnHighlight() {
    const int i = files_->GetSelection();
    if (i == wxNOT_FOUND) return;
    const std::string path =
        (fs::path(pickwell_.Folder()) / files_->GetString(static_cast<unsigned>(i)).utf8_string()).string();
    std::vector<std::uint8_t> bytes;
    std::string why;
    std::optional<pickwell::BmpInfo> info;
    if (pickwell::ReadWholeFile(path, &bytes, &why)) info = pickwell::ParseBmp(bytes, &why);
    fileWidth_->SetLabel(info ? wxString::Format("Width  = %d", info->width) : wxString("Width  ="));
    fileHeight_->SetLabel(info ? wxString::Format("Height = %d", info->height) : wxString("Height ="));
    SetNote(info ? wxString() : wxString::FromUTF8(why));
    if (info) {
        ShowPicture(wxString::FromUTF8(path));
    } else {
        ClearPicture();
    }
}

void CBmpToGauForm::OnChoose() {
    const int i = files_->GetSelection();
    if (i == wxNOT_FOUND) return;
    const std::string name = files_->GetString(static_cast<unsigned>(i)).utf8_string();
    std::vector<std::uint8_t> bmp;
    std::string why;
    if (!pickwell::ReadWholeFile((fs::path(pickwell_.Folder()) / name).string(), &bmp, &why)) {
        pickwell_.ReportError(this, why);
        return;
    }
    if (!pickwell_.Module().Replace(pickwell_.Number(), bmp, &why)) {
        pickwell_.ReportError(this, why);
        return;
    }
    pickwell_.ShowDone(this);
}

// ---------------------------------------------------------------------------------------------------------

namespace {

constexpr long kSmallFormStyle = wxCAPTION | wxSTAY_ON_TOP | wxFRAME_TOOL_WINDOW;

}  // namespace

CWaitForm::CWaitForm()
    : wxFrame(nullptr, wxID_ANY, "               PLEASE WAIT", wxDefaultPosition, wxSize(260, 90),
              kSmallFormStyle) {
    auto* panel = new wxPanel(this);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    auto* text = new wxStaticText(panel, wxID_ANY, "PLEASE WAIT");
    wxFont bold = text->GetFont();
    bold.MakeBold();
    text->SetFont(bold);
    sizer->AddStretchSpacer();
    sizer->Add(text, 0, wxALIGN_CENTER);
    sizer->AddStretchSpacer();
    panel->SetSizer(sizer);
}

CDoneForm::CDoneForm()
    : wxFrame(nullptr, wxID_ANY, "               DONE", wxDefaultPosition, wxSize(220, 120),
              kSmallFormStyle) {
    auto* panel = new wxPanel(this);
    auto* sizer = new wxBoxSizer(wxVERTICAL);
    auto* text = new wxStaticText(panel, wxID_ANY, "DONE");
    wxFont bold = text->GetFont();
    bold.MakeBold();
    text->SetFont(bold);
    sizer->Add(text, 0, wxALIGN_CENTER | wxTOP, 12);
    auto* ok = new wxButton(panel, wxID_OK, "OK");
    ok->Bind(wxEVT_BUTTON, [this](wxCommandEvent&) { Hide(); });
    sizer->Add(ok, 0, wxALIGN_CENTER | wxALL, 10);
    panel->SetSizer(sizer);
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent&) { Hide(); });
}
