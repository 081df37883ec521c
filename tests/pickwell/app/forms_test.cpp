// Drives Pickwell's forms the way a user would, on the Xvfb display the test script starts.
#include "app/forms.h"

#include <gtest/gtest.h>
#include <wx/app.h>
#include <wx/button.h>
#include <wx/init.h>
#include <wx/listbox.h>
#include <wx/statbmp.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>

#include <filesystem>

#include "../support.h"
#include "lib/module.h"

namespace {

using pickwell::testing::ModuleBuilder;
using pickwell::testing::Slurp;
using pickwell::testing::Spill;
using pickwell::testing::TempDir;

class WxEnvironment : public ::testing::Environment {
  public:
    void SetUp() override {
        static int argc = 1;
        static char name[] = "test_pickwell_gui";
        static char* argv[] = {name, nullptr};
        wxApp::SetInstance(new wxApp);
        ASSERT_TRUE(wxEntryStart(argc, argv));
        wxTheApp->CallOnInit();
    }
    void TearDown() override { wxEntryCleanup(); }
};
const auto* const kEnv = ::testing::AddGlobalTestEnvironment(new WxEnvironment);

void Click(wxButton* button) {
    wxCommandEvent e(wxEVT_BUTTON, button->GetId());
    e.SetEventObject(button);
    button->GetEventHandler()->ProcessEvent(e);
}

void DoubleClick(wxListBox* list, int item) {
    list->SetSelection(item);
    wxCommandEvent e(wxEVT_LISTBOX_DCLICK, list->GetId());
    e.SetEventObject(list);
    e.SetInt(item);
    list->GetEventHandler()->ProcessEvent(e);
}

void Highlight(wxListBox* list, int item) {
    list->SetSelection(item);
    wxCommandEvent e(wxEVT_LISTBOX, list->GetId());
    e.SetEventObject(list);
    e.SetInt(item);
    list->GetEventHandler()->ProcessEvent(e);
}

std::vector<std::string> Items(wxListBox* list) {
    std::vector<std::string> items;
    for (unsigned i = 0; i < list->GetCount(); ++i) items.push_back(list->GetString(i).utf8_string());
    return items;
}

struct Folder {
    Folder() {
        m.Filler(100);
        m.Bitmap(32, 32, 0);
        m.Filler(10);
        second = m.Bitmap(17, 10, 16);
        Spill(dir.File("b_two.gau"), m.bytes);
        Spill(dir.File("A_EMPTY.GAU"), std::vector<std::uint8_t>(500, 0));
        Spill(dir.File("notes.txt"), {'x'});
    }
    TempDir dir;
    ModuleBuilder m;
    std::size_t second = 0;
};

TEST(PickwellForms, ScanViewMakeBmpReplaceAndExit) {
    Folder f;
    CPickwell pw(f.dir.Path().string());
    std::vector<std::string> errors;
    pw.SetErrorListener([&](const std::string& text) { errors.push_back(text); });
    pw.Start();

    CStartForm* start = pw.StartForm();
    EXPECT_EQ(start->GetTitle(),
              "     Pickwell - Highlight the desired file then Double-Click or press ENTER");
    EXPECT_EQ(Items(start->Files()), (std::vector<std::string>{"A_EMPTY.GAU", "b_two.gau"}));
    EXPECT_FALSE(start->Status()->IsShown());

    DoubleClick(start->Files(), 1);
    EXPECT_FALSE(start->IsShown());
    EXPECT_TRUE(pw.MenuForm()->IsShown());
    EXPECT_EQ(pw.Module().Count(), 2);

    // GAU to BMP opens on bitmap 1 and writes it to the scratch file.
    pw.ShowGauToBmp();
    CGauToBmpForm* g = pw.GauToBmpForm();
    EXPECT_EQ(g->GetTitle(), "Enter the bitmap number in the blue box and click VIEW to display it.");
    EXPECT_EQ(g->TotalBox()->GetValue(), "2");
    EXPECT_EQ(g->NumberBox()->GetValue(), "1");
    EXPECT_EQ(g->WidthText()->GetLabel(), "Width  = 32");
    const std::string scratch = f.dir.File("dum.bmp");
    EXPECT_EQ(Slurp(scratch), *pw.Module().MakeBmp(1, nullptr));
    EXPECT_TRUE(g->Picture()->GetBitmap().IsOk());
    EXPECT_EQ(g->Picture()->GetBitmap().GetWidth(), 32);

    // The number box clamps what is typed; the sizes follow it.
    g->NumberBox()->SetValue("0");
    EXPECT_EQ(g->WidthText()->GetLabel(), "Width  = 32");
    g->NumberBox()->SetValue("77");
    EXPECT_EQ(g->WidthText()->GetLabel(), "Width  = 17");
    EXPECT_EQ(g->HeightText()->GetLabel(), "Height = 10");
    Click(g->ViewButton());
    EXPECT_EQ(g->NumberBox()->GetValue(), "2");
    EXPECT_EQ(Slurp(scratch).size(), 1278u);
    Click(g->NextButton());
    EXPECT_EQ(g->NumberBox()->GetValue(), "2");
    Click(g->PreviousButton());
    Click(g->PreviousButton());
    EXPECT_EQ(g->NumberBox()->GetValue(), "1");
    Click(g->NextButton());

    // MAKE BMP copies the shown bitmap under the typed name and says DONE.
    g->NameBox()->SetValue("second.bmp");
    Click(g->MakeButton());
    EXPECT_TRUE(errors.empty()) << errors.front();
    EXPECT_EQ(Slurp(f.dir.File("second.bmp")), Slurp(scratch));
    EXPECT_TRUE(pw.DoneForm()->IsShown());
    g->NameBox()->SetValue("DUM.BMP");
    Click(g->MakeButton());
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("scratch file"), std::string::npos);

    // BMP to GAU: the scratch file is gone from the folder and from the list.
    pw.ShowMenu();
    pw.ShowBmpToGau();
    CBmpToGauForm* b = pw.BmpToGauForm();
    EXPECT_EQ(b->GetTitle(), "Enter CORRECT bmp number in blue box, D-Click /Enter BMP name.  ");
    EXPECT_FALSE(std::filesystem::exists(scratch));
    EXPECT_EQ(Items(b->Files()), (std::vector<std::string>{"second.bmp"}));
    EXPECT_EQ(b->FileWidth()->GetLabel(), "Width  = 17");
    EXPECT_EQ(b->FileHeight()->GetLabel(), "Height = 10");

    // Written over bitmap 1 (32 x 32) it is refused and nothing changes; over bitmap 2 it is written.
    const auto before = Slurp(f.dir.File("b_two.gau"));
    b->NumberBox()->SetValue("1");
    pw.DoneForm()->Hide();
    DoubleClick(b->Files(), 0);
    ASSERT_EQ(errors.size(), 2u);
    EXPECT_NE(errors[1].find("sizes must be the same"), std::string::npos) << errors[1];
    EXPECT_EQ(Slurp(f.dir.File("b_two.gau")), before);
    EXPECT_FALSE(pw.DoneForm()->IsShown());
    auto edited = Slurp(f.dir.File("second.bmp"));
    edited[1078] ^= 0x5A;
    Spill(f.dir.File("second.bmp"), edited);
    Highlight(b->Files(), 0);
    EXPECT_EQ(b->Picture()->GetBitmap().GetWidth(), 17);
    b->NumberBox()->SetValue("2");
    DoubleClick(b->Files(), 0);
    EXPECT_EQ(errors.size(), 2u);
    EXPECT_TRUE(pw.DoneForm()->IsShown());
    auto want = before;
    want[f.second + 40 + 64] ^= 0x5A;
    EXPECT_EQ(Slurp(f.dir.File("b_two.gau")), want);

    // GAU to BMP again leaves a scratch file, which EXIT removes.
    pw.ShowGauToBmp();
    EXPECT_TRUE(std::filesystem::exists(scratch));
    pw.Exit();
    EXPECT_FALSE(std::filesystem::exists(scratch));
    wxTheApp->ProcessIdle();
}

TEST(PickwellForms, AModuleWithoutBitmapsDisablesViewing) {
    Folder f;
    CPickwell pw(f.dir.Path().string());
    std::vector<std::string> errors;
    pw.SetErrorListener([&](const std::string& text) { errors.push_back(text); });
    pw.Start();
    DoubleClick(pw.StartForm()->Files(), 0);  // A_EMPTY.GAU
    EXPECT_EQ(pw.Module().Count(), 0);
    pw.ShowGauToBmp();
    CGauToBmpForm* g = pw.GauToBmpForm();
    EXPECT_EQ(g->TotalBox()->GetValue(), "0");
    EXPECT_FALSE(g->ViewButton()->IsEnabled());
    EXPECT_FALSE(g->MakeButton()->IsEnabled());
    EXPECT_FALSE(g->Note()->GetLabel().empty());
    EXPECT_FALSE(std::filesystem::exists(f.dir.File("dum.bmp")));
    // BACK to the start form lets another file be scanned.
    pw.BackToStart();
    EXPECT_TRUE(pw.StartForm()->IsShown());
    EXPECT_EQ(pw.Module().Count(), 0);
    std::filesystem::remove(f.dir.File("b_two.gau"));
    DoubleClick(pw.StartForm()->Files(), 1);  // listed, but gone from the disk
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_NE(errors[0].find("cannot open"), std::string::npos);
    EXPECT_TRUE(pw.StartForm()->IsShown());
    pw.Exit();
    wxTheApp->ProcessIdle();
}

}  // namespace
