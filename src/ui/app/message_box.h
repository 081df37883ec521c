// The program's own modal message box and the wx front end of the engine's message interface.
#pragma once

#include <wx/dialog.h>

#include "platform/messages.h"

class wxCheckBox;

class CMessageBox : public wxDialog {
  public:
    // `withOptOut`: the "Don't show these kinds of errors again" check box is offered (warnings only).
    CMessageBox(wxWindow* parent, const wxString& text, brindle::BoxKind kind, bool withOptOut);

    bool OptOutShown() const;
    wxCheckBox* OptOutBox() const { return optOut_; }

  private:
    void OnOptOut(wxCommandEvent& event);
    void OnHelp(wxCommandEvent& event);

    wxCheckBox* optOut_ = nullptr;
};

class WxMessageUi : public brindle::MessageUi {
  public:
    void showBox(brindle::BoxKind kind, const std::string& text, bool withOptOut) override;
    brindle::Answer ask(brindle::QuestionKind kind, const std::string& text,
                        const std::string& title) override;
};
