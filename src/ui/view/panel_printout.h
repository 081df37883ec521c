// Printing and print preview of the shown panel window: the window at the current zoom, scaled to
// fit the page with its aspect kept.
#pragma once

#include <wx/print.h>

class CBrindleDoc;

class CPanelPrintout : public wxPrintout {
  public:
    explicit CPanelPrintout(CBrindleDoc* doc);
    bool OnPrintPage(int page) override;
    bool HasPage(int page) override { return page == 1; }
    void GetPageInfo(int* minPage, int* maxPage, int* pageFrom, int* pageTo) override;

  private:
    CBrindleDoc* doc_;
};
