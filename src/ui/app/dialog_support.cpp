#include "ui/app/dialog_support.h"

#include <wx/app.h>
#include <wx/dialog.h>
#include <wx/button.h>
#include <wx/config.h>
#include <wx/dcmemory.h>
#include <wx/icon.h>
#include <wx/tooltip.h>

#include <cmath>

#include "ui/app/about_dialog.h"
#include "ui/app/brindle_app.h"
#include "ui/app/config_store.h"
#include "ui/app/dialog_show.h"
#include "ui/app/help.h"

namespace {
ModalHook& Hook() {
    static ModalHook hook;
    return hook;
}
}  // namespace

void PrepareDialog(wxDialog* dialog, int helpTopic) {
    wxIcon icon;
    icon.CopyFromBitmap(BrindleLogo(32));
    dialog->SetIcon(icon);
    wxToolTip::SetDelay(100);
    wxToolTip::SetAutoPop(5000);
    if (helpTopic > 0) BindHelpTopic(dialog, helpTopic);
    if (auto* ok = dynamic_cast<wxButton*>(dialog->FindWindow(wxID_OK))) ok->SetDefault();
    if (dialog->FindWindow(wxID_CANCEL)) dialog->SetEscapeId(wxID_CANCEL);
    // On the main window when there is one (a dialog's parent), else on the screen.
    if (dialog->GetParent())
        dialog->CentreOnParent();
    else
        dialog->CentreOnScreen();
}

void FinishDialog(wxDialog* dialog, int code) {
    if (dialog->IsModal()) {
        dialog->EndModal(code);
    } else {
        dialog->SetReturnCode(code);
        dialog->Hide();
    }
}

int RunModal(wxDialog& dialog) {
    if (Hook()) return Hook()(dialog);
    return ShowDialog(dialog);
}

ModalHook SetModalHook(ModalHook hook) {
    ModalHook previous = std::move(Hook());
    Hook() = std::move(hook);
    return previous;
}

brindle::SystemAccess* AppSystem() {
    auto* app = dynamic_cast<CBrindleApp*>(wxTheApp);
    return app ? app->System() : nullptr;
}

void SaveSettingsNow() {
    wxConfigBase* config = wxConfigBase::Get();
    if (!config) return;
    WxConfigSettingsStore store(*config);
    brindle::GlobalSettings().Save(store);
    config->Flush();
}

namespace {

// A side view of an aeroplane, nose to the right, in a box of w x h.
void DrawPlane(wxDC& dc, int w, int h, brindle::SimMode mode) {
    auto P = [&](double x, double y) { return wxPoint(int(x * w), int(y * h)); };
    const wxColour body = mode == brindle::kModeCFS    ? wxColour(90, 110, 70)
                          : mode == brindle::kModeCFS2 ? wxColour(60, 80, 120)
                                                       : wxColour(235, 235, 240);
    dc.SetPen(wxPen(wxColour(30, 30, 30), 1));
    dc.SetBrush(wxBrush(body));
    switch (mode) {
        case brindle::kModeFS2000: {  // an airliner: long fuselage, swept fin, engine under the wing
            wxPoint fuselage[] = {P(0.08, 0.52), P(0.18, 0.44), P(0.86, 0.44),
                                  P(0.95, 0.50), P(0.86, 0.56), P(0.18, 0.56)};
            dc.DrawPolygon(6, fuselage);
            wxPoint fin[] = {P(0.10, 0.46), P(0.06, 0.20), P(0.16, 0.20), P(0.26, 0.46)};
            dc.DrawPolygon(4, fin);
            wxPoint wing[] = {P(0.40, 0.52), P(0.56, 0.52), P(0.46, 0.74), P(0.40, 0.74)};
            dc.DrawPolygon(4, wing);
            dc.SetBrush(wxBrush(wxColour(150, 150, 160)));
            dc.DrawRoundedRectangle(P(0.46, 0.60), wxSize(w * 12 / 100, h * 9 / 100), 2);
            dc.SetPen(*wxTRANSPARENT_PEN);
            dc.SetBrush(wxBrush(wxColour(40, 90, 170)));
            for (int i = 0; i < 8; ++i)
                dc.DrawRectangle(P(0.26 + i * 0.07, 0.47), wxSize(std::max(2, w / 40), 2));
            break;
        }
        case brindle::kModeFS98: {  // a high-wing single with a propeller
            wxPoint fuselage[] = {P(0.12, 0.50), P(0.30, 0.44), P(0.78, 0.42),
                                  P(0.86, 0.48), P(0.78, 0.60), P(0.30, 0.58)};
            dc.DrawPolygon(6, fuselage);
            wxPoint fin[] = {P(0.14, 0.48), P(0.12, 0.24), P(0.22, 0.24), P(0.30, 0.46)};
            dc.DrawPolygon(4, fin);
            dc.SetBrush(wxBrush(wxColour(200, 40, 40)));
            dc.DrawRectangle(P(0.44, 0.34), wxSize(w * 30 / 100, h * 7 / 100));
            dc.DrawLine(P(0.52, 0.41), P(0.60, 0.58));
            dc.SetPen(wxPen(wxColour(30, 30, 30), 2));
            dc.DrawLine(P(0.88, 0.30), P(0.88, 0.68));
            dc.DrawLine(P(0.40, 0.60), P(0.40, 0.74));
            dc.DrawLine(P(0.74, 0.60), P(0.76, 0.74));
            break;
        }
        default: {  // a fighter of the war years, with roundels or stars
            wxPoint fuselage[] = {P(0.10, 0.50), P(0.28, 0.44), P(0.56, 0.38), P(0.84, 0.42),
                                  P(0.90, 0.50), P(0.84, 0.58), P(0.28, 0.56)};
            dc.DrawPolygon(7, fuselage);
            wxPoint canopy[] = {P(0.48, 0.40), P(0.54, 0.30), P(0.64, 0.30), P(0.68, 0.39)};
            dc.SetBrush(wxBrush(wxColour(170, 210, 230)));
            dc.DrawPolygon(4, canopy);
            dc.SetBrush(wxBrush(body));
            wxPoint fin[] = {P(0.12, 0.48), P(0.10, 0.26), P(0.20, 0.28), P(0.28, 0.45)};
            dc.DrawPolygon(4, fin);
            // CFS2's Corsair-like gull wing, CFS's straight one.
            if (mode == brindle::kModeCFS2) {
                wxPoint wing[] = {P(0.52, 0.54), P(0.60, 0.66), P(0.70, 0.62),
                                  P(0.76, 0.70), P(0.64, 0.74), P(0.56, 0.70)};
                dc.DrawPolygon(6, wing);
            } else {
                wxPoint wing[] = {P(0.50, 0.54), P(0.70, 0.54), P(0.66, 0.66), P(0.52, 0.66)};
                dc.DrawPolygon(4, wing);
            }
            dc.SetPen(*wxTRANSPARENT_PEN);
            if (mode == brindle::kModeCFS) {
                for (auto [r, c] :
                     {std::pair{6, wxColour(20, 40, 140)}, {4, *wxWHITE}, {2, wxColour(200, 20, 20)}})
                    dc.SetBrush(wxBrush(c)), dc.DrawCircle(P(0.36, 0.50), std::max(1, h * r / 64));
            } else {
                dc.SetBrush(*wxWHITE_BRUSH);
                dc.DrawCircle(P(0.36, 0.50), std::max(1, h * 5 / 64));
            }
            dc.SetPen(wxPen(wxColour(30, 30, 30), 2));
            dc.DrawLine(P(0.92, 0.30), P(0.92, 0.70));
            break;
        }
    }
}

}  // namespace

wxBitmap SimModePicture(brindle::SimMode mode, const wxSize& size) {
    wxBitmap bmp(size);
    wxMemoryDC dc(bmp);
    // Sky above, ground below, as each simulator family looks.
    const bool combat = mode == brindle::kModeCFS || mode == brindle::kModeCFS2;
    dc.GradientFillLinear(wxRect(0, 0, size.x, size.y * 3 / 4),
                          combat ? wxColour(120, 150, 190) : wxColour(90, 160, 230),
                          combat ? wxColour(200, 210, 220) : wxColour(190, 225, 250), wxSOUTH);
    dc.SetPen(*wxTRANSPARENT_PEN);
    dc.SetBrush(wxBrush(mode == brindle::kModeCFS2 ? wxColour(40, 100, 160) : wxColour(90, 130, 70)));
    dc.DrawRectangle(0, size.y * 3 / 4, size.x, size.y - size.y * 3 / 4);
    DrawPlane(dc, size.x, size.y, mode);
    dc.SetTextForeground(*wxWHITE);
    wxFont font = wxFont(wxFontInfo(std::max(6, size.y / 6)).Bold());
    dc.SetFont(font);
    const char* label = mode == brindle::kModeFS2000 ? "2000"
                        : mode == brindle::kModeFS98 ? "98"
                        : mode == brindle::kModeCFS  ? "CFS"
                                                     : "CFS2";
    dc.DrawText(label, 3, size.y - dc.GetTextExtent(label).y - 1);
    dc.SelectObject(wxNullBitmap);
    return bmp;
}

wxBitmap PreferencesPicture(int size) {
    return BrindleLogo(size);
}

void UseProgramIcon(wxTopLevelWindow* dialog, wxWindow* parent) {
    wxWindow* top = parent ? wxGetTopLevelParent(parent) : wxTheApp ? wxTheApp->GetTopWindow() : nullptr;
    if (auto* tlw = dynamic_cast<wxTopLevelWindow*>(top);
        tlw && tlw != dialog && tlw->GetIcons().GetIconCount() > 0)
        dialog->SetIcons(tlw->GetIcons());
}

void UseDialogToolTipTimes() {
    wxToolTip::SetDelay(100);
    wxToolTip::SetAutoPop(5000);
}
