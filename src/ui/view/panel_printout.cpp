#include "ui/view/panel_printout.h"

#include <wx/dc.h>
#include <wx/docview.h>

#include "ui/app/text.h"
#include "ui/document/brindle_doc.h"
#include "ui/view/image_convert.h"

CPanelPrintout::CPanelPrintout(CBrindleDoc* doc)
    : wxPrintout(FromPath(doc->settings().CurrentFile().empty() ? std::string("Brindle")
                                                                : doc->settings().CurrentFile())),
      doc_(doc) {}

void CPanelPrintout::GetPageInfo(int* minPage, int* maxPage, int* pageFrom, int* pageTo) {
    *minPage = *maxPage = *pageFrom = *pageTo = 1;
}

bool CPanelPrintout::OnPrintPage(int page) {
    wxDC* dc = GetDC();
    if (!dc || page != 1) return false;
    brindle::Image img = doc_->View().PaintWholeWindow();
    if (img.Empty()) return true;
    // Inside the page set-up's margins, so printers that cannot print to the edge lose nothing.
    if (wxDocManager* m = doc_->GetDocumentManager())
        FitThisSizeToPageMargins(wxSize(img.Width(), img.Height()), m->GetPageSetupDialogData());
    else
        FitThisSizeToPage(wxSize(img.Width(), img.Height()));
    dc->DrawBitmap(ToWxBitmap(img), 0, 0);
    return true;
}
