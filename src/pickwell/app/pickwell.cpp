#include <wx/app.h>
#include <wx/msgdlg.h>
#include <wx/utils.h>

#include <filesystem>
#include <system_error>

#include "app/forms.h"

namespace fs = std::filesystem;

CPickwell::CPickwell(const std::string& folder) : folder_(folder) {
    scratch_ = (fs::path(folder_) / "dum.bmp").string();
    start_ = new CStartForm(*this);
    menu_ = new CMenuForm(*this);
    gauToBmp_ = new CGauToBmpForm(*this);
    bmpToGau_ = new CBmpToGauForm(*this);
    wait_ = new CWaitForm();
    done_ = new CDoneForm();
}

void CPickwell::ShowOnly(wxFrame* form) {
    for (wxFrame* f : {static_cast<wxFrame*>(start_), static_cast<wxFrame*>(menu_),
                       static_cast<wxFrame*>(gauToBmp_), static_cast<wxFrame*>(bmpToGau_)}) {
        if (f != form) f->Hide();
    }
    done_->Hide();
    form->Centre();
    form->Show();
    form->Raise();
}

void CPickwell::Start() {
    start_->HideProgress();
    start_->FillList();
    ShowOnly(start_);
}

void CPickwell::Scan(const std::string& fileName) {
    start_->ShowProgress(0);
    std::string why;
    const bool ok = module_.Load((fs::path(folder_) / fileName).string(),
                                 [this](int percent) { start_->ShowProgress(percent); }, &why);
    if (!ok) {
        start_->HideProgress();
        ReportError(start_, why);
        return;
    }
    number_ = 1;
    if (module_.LeftOut() > 0) {
        ReportError(start_,
                    fileName + " holds more matching headers than the table can keep: the first " +
                        std::to_string(pickwell::kMaxBitmaps) + " were kept and " +
                        std::to_string(module_.LeftOut()) + " more were left out.",
                    true);
    }
    ShowMenu();
}

void CPickwell::ShowMenu() {
    ShowOnly(menu_);
}

void CPickwell::ShowGauToBmp() {
    ShowOnly(gauToBmp_);
    gauToBmp_->Open();
}

void CPickwell::ShowBmpToGau() {
    // The scratch file must not turn up in the list of .bmp files to write back.
    std::error_code ec;
    fs::remove(scratch_, ec);
    ShowOnly(bmpToGau_);
    bmpToGau_->Open();
}

void CPickwell::BackToStart() {
    module_.Clear();
    Start();
}

void CPickwell::Exit() {
    if (exiting_) return;
    exiting_ = true;
    module_.Clear();
    std::error_code ec;
    fs::remove(scratch_, ec);
    for (wxFrame* f :
         {static_cast<wxFrame*>(start_), static_cast<wxFrame*>(menu_), static_cast<wxFrame*>(gauToBmp_),
          static_cast<wxFrame*>(bmpToGau_), static_cast<wxFrame*>(wait_), static_cast<wxFrame*>(done_)}) {
        f->Destroy();
    }
}

void CPickwell::ShowWait(wxWindow* over) {
    wait_->CentreOnScreen();
    if (over != nullptr) {
        const wxRect r = over->GetScreenRect();
        const wxSize s = wait_->GetSize();
        wait_->Move(r.x + (r.width - s.x) / 2, r.y + (r.height - s.y) / 2);
    }
    wait_->Show();
    wait_->Update();
    wxSafeYield(wait_, true);
}

void CPickwell::HideWait() {
    wait_->Hide();
}

void CPickwell::ShowDone(wxWindow* over) {
    const wxRect r = over->GetScreenRect();
    const wxSize s = done_->GetSize();
    done_->Move(r.x + (r.width - s.x) / 2, r.y + (r.height - s.y) / 2);
    done_->Show();
    done_->Raise();
}

void CPickwell::ReportError(wxWindow* over, const std::string& text, bool warning) {
    if (errorListener_) {
        errorListener_(text);
        return;
    }
    wxString message = wxString::FromUTF8(text);
    if (!message.empty()) message[0] = wxToupper(message[0]);
    wxMessageBox(message, "Pickwell", wxOK | (warning ? wxICON_WARNING : wxICON_ERROR), over);
}
