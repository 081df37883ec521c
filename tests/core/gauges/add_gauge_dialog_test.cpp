#include "gauges/add_gauge_dialog.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <algorithm>
#include <filesystem>
#include <fstream>

namespace brindle {
namespace {

namespace fs = std::filesystem;
using Logic = AddGaugeDialogLogic;

// A simulator folder whose gauges folder holds the sample modules plus files a listing must cope
// with: a copy with ".gau" inside its name, one in capitals, a zero-byte module, a folder named like
// a module, a pipe named like one (opening it would block) and a text file.
class AddGaugeDialog : public ::testing::Test {
  protected:
    void SetUp() override {
        sim_ = fs::path(::testing::TempDir()) /
               ("add_gauge_" + std::string(::testing::UnitTest::GetInstance()->current_test_info()->name()));
        fs::remove_all(sim_);
        const fs::path samples = fs::path(BRINDLE_SAMPLES_DIR) / "FS2000" / "gauges";
        const fs::path g = sim_ / "gauges";
        fs::create_directories(g);
        fs::copy(samples, g, fs::copy_options::recursive);
        fs::copy_file(samples / "Demo_Cessna.gau", g / "x.gau.bak");
        fs::copy_file(samples / "FS98_Clock.gau", g / "UPPER.GAU");
        std::ofstream(g / "zero.gau").close();
        std::ofstream(g / "readme.txt") << "not a module";
        fs::create_directories(g / "Folder.gau");
#ifndef _WIN32
        // Windows folders hold no pipes.
        ASSERT_EQ(mkfifo((g / "pipe.gau").c_str(), 0644), 0);
#endif
        settings_.SetMode(kModeFS2000);
        settings_.SetSimDir(sim_.string());
        settings_.SetHighRes(0);
    }
    void TearDown() override {
        fs::remove_all(sim_);
    }

    // A dialog opened on the fixture.
    Logic Opened() {
        Logic d(settings_, memory_);
        d.Open();
        return d;
    }
    static int EntryOf(const Logic& d, const std::string& text) {
        for (std::size_t i = 0; i < d.Entries().size(); ++i)
            if (d.Entries()[i] == text) return static_cast<int>(i);
        ADD_FAILURE() << "no entry " << text;
        return -1;
    }
    static int GaugeOf(const Logic& d, const std::string& name) {
        for (std::size_t i = 0; i < d.GaugeNames().size(); ++i)
            if (d.GaugeNames()[i] == name) return static_cast<int>(i);
        ADD_FAILURE() << "no gauge " << name;
        return -1;
    }

    fs::path sim_;
    Settings settings_;
    AddGaugeMemory memory_;
};

using Entries = std::vector<std::string>;

TEST(WildcardMatch, FolderListingRules) {
    struct Case {
        const char* pattern;
        const char* name;
        bool match;
    };
    const Case cases[] = {
        {"*", "Demo_Cessna.gau", true},
        {"Cessna*", "cessna172.gau", true},
        {"Cessna*", "MyCessna.gau", false},
        {"*.gau", "x.GAU", true},
        {"?emo*", "Demo.gau", true},
        {"D?mo", "Demo.gau", false},
        {"*a*b*", "xxaxxbxx", true},
        {"*a*b", "xxaxxbxxc", false},
        {"*.*", "README", true},
        {"abc.*", "abc", true},
        {"", "abc", false},
        {"*", "..", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(WildcardMatch(c.pattern, c.name), c.match) << c.pattern << " " << c.name;
}

TEST_F(AddGaugeDialog, ListsModulesAndFoldersAndWalksIntoSubFoldersButNotAbove) {
    Logic d = Opened();
    EXPECT_EQ(d.BrowseDir(), (sim_ / "gauges").string());
    // ".gau" anywhere in the name, in small letters; folders bracketed; no ".." at the top.
    EXPECT_EQ(d.Entries(),
              (Entries{"[Broken]", "CFS2_Radar.gau", "[Combat]", "Demo_Cessna.gau", "[Folder.gau]",
                       "FS98_Clock.gau", "FS98_Compass.gau", "x.gau.bak", "zero.gau"}));
    EXPECT_EQ(d.FileCountText(), "Gauge Files   (9 Files)");
    EXPECT_EQ(d.FileCount(), 6);
    EXPECT_FALSE(d.GaugeListEnabled());

    d.ChooseEntry(EntryOf(d, "[Combat]"));
    EXPECT_EQ(d.SubDir(), "\\Combat");
    EXPECT_EQ(d.SubDirDepth(), 1);
    EXPECT_EQ(d.BrowseDir(), (sim_ / "gauges" / "Combat").string());
    EXPECT_EQ(d.Entries(), (Entries{"..", "CFS_Gunsight.gau"}));
    EXPECT_EQ(d.SelectedEntry(), -1);
    EXPECT_EQ(d.EditText(), "*");

    d.ChooseEntry(0);  // ".."
    EXPECT_EQ(d.SubDir(), "");
    EXPECT_EQ(d.SubDirDepth(), 0);
    EXPECT_EQ(d.BrowseDir(), (sim_ / "gauges").string());
    EXPECT_EQ(d.Entries().front(), "[Broken]");

    // A folder named like a module is a folder.
    d.ChooseEntry(EntryOf(d, "[Folder.gau]"));
    EXPECT_EQ(d.Entries(), (Entries{".."}));
}

TEST_F(AddGaugeDialog, FamilyFilterProbesEveryModuleOnceAndSkipsWhatCantBeRead) {
    struct Case {
        int family;
        Entries files;
    };
    const Case cases[] = {
        {1, {"Demo_Cessna.gau", "x.gau.bak"}},
        {2, {"FS98_Clock.gau", "FS98_Compass.gau"}},
        {3, {}},
        {4, {"CFS2_Radar.gau"}},
    };
    for (const Case& c : cases) {
        Logic d = Opened();
        std::vector<std::pair<int, int>> steps;
        d.ChooseFamily(c.family, [&](int done, int total) { steps.emplace_back(done, total); });
        EXPECT_EQ(d.FamilyFilter(), c.family);
        Entries files;
        for (const std::string& e : d.Entries())
            if (e.front() != '[') files.push_back(e);
        EXPECT_EQ(files, c.files) << c.family;
        // Folders are always listed; the bar runs over the count of the last unfiltered listing.
        EXPECT_EQ(std::count(d.Entries().begin(), d.Entries().end(), "[Combat]"), 1);
        ASSERT_EQ(steps.size(), 7u);
        EXPECT_EQ(steps.front(), std::make_pair(0, 6));
        EXPECT_EQ(steps.back(), std::make_pair(6, 6));
    }
    // Inside a folder the filter applies too; back to all lists everything again.
    Logic d = Opened();
    d.ChooseFamily(3);
    d.ChooseEntry(EntryOf(d, "[Combat]"));
    EXPECT_EQ(d.Entries(), (Entries{"..", "CFS_Gunsight.gau"}));
    d.ChooseEntry(0);
    d.ChooseFamily(0);
    EXPECT_EQ(d.Entries().size(), 9u);
}

TEST_F(AddGaugeDialog, NameFilterIsAppliedByEnterOnly) {
    Logic d = Opened();
    d.SetEditText("fs98*");
    EXPECT_EQ(d.Entries().size(), 9u);  // typing alone changes nothing
    EXPECT_FALSE(d.Enter());
    EXPECT_EQ(d.Pattern(), "fs98*");
    EXPECT_EQ(d.Entries(), (Entries{"FS98_Clock.gau", "FS98_Compass.gau"}));
    d.ChooseEntry(0);
    EXPECT_EQ(d.Reference(), "FS98_Clock");
    EXPECT_EQ(d.EditText(), "FS98_Clock");
    // The same pattern again (any case) only clears the choice.
    d.SetEditText("FS98*");
    EXPECT_FALSE(d.Enter());
    EXPECT_EQ(d.Entries().size(), 2u);
    EXPECT_EQ(d.SelectedEntry(), -1);
    EXPECT_EQ(d.Reference(), "");
    // An empty edit lists everything.
    d.SetEditText("");
    d.Enter();
    EXPECT_EQ(d.Pattern(), "*");
    EXPECT_EQ(d.Entries().size(), 9u);
}

TEST_F(AddGaugeDialog, ChoosingAGaugeShowsItsSlotsAndReference) {
    Logic d = Opened();
    d.ChooseEntry(EntryOf(d, "Demo_Cessna.gau"));
    EXPECT_TRUE(d.GaugeListEnabled());
    EXPECT_EQ(d.GaugeNames().size(), 7u);
    EXPECT_EQ(d.GaugeCountText(), "Gauges in File   (7 Gauges)");
    EXPECT_EQ(d.FamilyLabel(), "FS2000");
    EXPECT_EQ(d.Reference(), "");  // no gauge chosen yet
    EXPECT_FALSE(d.ShownPreview().shown);

    d.ChooseGauge(GaugeOf(d, "Airspeed"));
    EXPECT_EQ(d.Reference(), "Demo_Cessna!Airspeed");
    EXPECT_EQ(d.EditText(), "Demo_Cessna!Airspeed");
    EXPECT_EQ(d.ErrorText(), "");
    struct Expect {
        int step;
        int slot, resource, width, height, bytes;
        const char* type;
    };
    // 8-bit bitmaps: a row is the width rounded up to 4 bytes. The string element takes no slot;
    // past the last element the up-down stays on it.
    const Expect steps[] = {
        {0, 0, 1, 96, 96, 9216, "TYPE_STATIC_IMAGE"},  {+1, 1, 2, 8, 44, 352, "TYPE_NEEDLE"},
        {+1, 1, 2, 8, 44, 352, "TYPE_NEEDLE"},         {-1, 0, 1, 96, 96, 9216, "TYPE_STATIC_IMAGE"},
        {-1, 0, 1, 96, 96, 9216, "TYPE_STATIC_IMAGE"},
    };
    for (const Expect& e : steps) {
        d.Step(e.step);
        const auto& p = d.ShownPreview();
        EXPECT_TRUE(p.shown);
        EXPECT_EQ(p.slot, e.slot);
        EXPECT_EQ(p.resourceId, e.resource);
        EXPECT_EQ(p.width, e.width);
        EXPECT_EQ(p.height, e.height);
        EXPECT_EQ(p.bytes, e.bytes);
        EXPECT_EQ(p.typeText, e.type);
        EXPECT_NE(p.bitmap, nullptr);
    }
    EXPECT_TRUE(d.Enter());  // the edit shows the reference: Enter accepts
    EXPECT_EQ(d.Ok(), "Demo_Cessna!Airspeed");
    EXPECT_EQ(memory_.lastAddedReference, "Demo_Cessna!Airspeed");
}

TEST_F(AddGaugeDialog, Fs98ModuleIsItsOneGaugeInADisabledList) {
    Logic d = Opened();
    d.ChooseEntry(EntryOf(d, "FS98_Clock.gau"));
    EXPECT_FALSE(d.GaugeListEnabled());
    EXPECT_EQ(d.GaugeNames(), (Entries{"No Internal Name"}));
    EXPECT_EQ(d.GaugeCountText(), "");
    EXPECT_EQ(d.FamilyLabel(), "FS98");
    EXPECT_EQ(d.Reference(), "FS98_Clock");
    EXPECT_TRUE(d.ShownPreview().shown);
    EXPECT_GT(d.ShownPreview().width, 0);
    d.ChooseGauge(0);  // the disabled list takes no choice
    EXPECT_EQ(d.Reference(), "FS98_Clock");
}

TEST_F(AddGaugeDialog, ModulesThatCantBeReadGiveTheErrorLineAndNoReference) {
    for (const char* name : {"zero.gau", "x.gau.bak"}) {
        Logic d = Opened();
        fs::resize_file(sim_ / "gauges" / "x.gau.bak", 100);  // cut short
        d.ChooseEntry(EntryOf(d, name));
        EXPECT_EQ(d.ErrorText(), "Can't load Gauge file") << name;
        EXPECT_EQ(d.Reference(), "");
        EXPECT_FALSE(d.ShownPreview().shown);
        d.ChooseGauge(0);
        EXPECT_EQ(d.Ok(), "");
    }
    // Broken modules that open: a gauge without bitmaps shows the zero values and resource -1.
    Logic d = Opened();
    d.ChooseEntry(EntryOf(d, "[Broken]"));
    for (const char* name : {"Empty.gau", "NoLinkage.gau", "NotADll.gau", "Truncated.gau", "Strings.gau"}) {
        d.ChooseEntry(EntryOf(d, name));
        for (int i = 0; i < static_cast<int>(d.GaugeNames().size()); ++i) d.ChooseGauge(i);
        for (int s = 0; s < 30; ++s) d.Step(+1);
    }
    d.ChooseEntry(EntryOf(d, "NoBitmap.gau"));
    d.ChooseGauge(GaugeOf(d, "Missing"));
    EXPECT_TRUE(d.ShownPreview().shown);
    EXPECT_EQ(d.ShownPreview().width, 0);
    EXPECT_EQ(d.ShownPreview().bitmap, nullptr);
    EXPECT_EQ(d.Reference(), "NoBitmap!Missing");
    d.ChooseGauge(GaugeOf(d, "Bare"));
    EXPECT_EQ(d.ShownPreview().resourceId, -1);
    EXPECT_EQ(d.Ok(), "Broken\\NoBitmap!Bare");
}

// The corpus's sound modules are real modules of a later simulator: every family filter leaves them
// out, and choosing them, their gauges and every slot shows what they hold without harm.
TEST_F(AddGaugeDialog, SoundModulesOfTheCorpusAreFilteredOutAndPreviewedWithoutHarm) {
    const fs::path corpus = fs::path(BRINDLE_CORPUS_DIR) / "gauges";
    if (!fs::is_directory(corpus)) GTEST_SKIP() << "no corpus at " << corpus;
    const fs::path sound = sim_ / "gauges" / "Sound";
    fs::create_directories(sound);
    for (const auto& e : fs::directory_iterator(corpus)) {
        fs::copy_file(e.path(), sound / e.path().filename());
        // The corpus is read-only, and Windows does not remove read-only files.
        fs::permissions(sound / e.path().filename(), fs::perms::owner_write, fs::perm_options::add);
    }
    Logic d = Opened();
    d.ChooseEntry(EntryOf(d, "[Sound]"));
    const Entries all = d.Entries();
    EXPECT_EQ(std::count_if(all.begin(), all.end(), [](const std::string& e) { return e.ends_with(".gau"); }),
              3);
    for (int family = 1; family < Logic::kFamilyCount; ++family) {
        d.ChooseFamily(family);
        EXPECT_EQ(d.Entries(), (Entries{".."})) << family;
    }
    d.ChooseFamily(0);
    for (int i = 1; i < static_cast<int>(d.Entries().size()); ++i) {
        d.ChooseEntry(i);
        EXPECT_EQ(d.FamilyLabel(), "Unknown");
        for (int g = 0; g < static_cast<int>(d.GaugeNames().size()); ++g) {
            d.ChooseGauge(g);
            EXPECT_EQ(d.ErrorText(), "");
            for (int s = 0; s < 30; ++s) d.Step(+1);
            d.PreviewImage(64, 64, kWhite);
        }
    }
}

TEST_F(AddGaugeDialog, InFs98ModeOtherFamiliesAreNotCompatible) {
    settings_.SetMode(kModeFS98);
    settings_.SetSimDir(sim_.string());
    Logic d = Opened();
    d.ChooseEntry(EntryOf(d, "Demo_Cessna.gau"));
    EXPECT_EQ(d.GaugeNames(), (Entries{"NOT FS98 COMPATIBLE!"}));
    d.ChooseGauge(0);
    EXPECT_EQ(d.Reference(), "");
    EXPECT_EQ(d.FamilyLabel(), "");
    EXPECT_EQ(d.Ok(), "");
}

TEST_F(AddGaugeDialog, OkInASubFolderNamesItAndReopeningRestoresTheLastTopLevelFile) {
    {
        Logic d = Opened();
        d.ChooseEntry(EntryOf(d, "[Combat]"));
        d.ChooseEntry(EntryOf(d, "CFS_Gunsight.gau"));
        d.ChooseGauge(GaugeOf(d, "Ammo"));
        EXPECT_EQ(d.Ok(), "Combat\\CFS_Gunsight!Ammo");
        EXPECT_EQ(memory_.lastFileIndex, -1);
    }
    {
        Logic d = Opened();  // a new opening starts at the top
        EXPECT_EQ(d.SubDir(), "");
        EXPECT_EQ(d.SelectedEntry(), -1);
        d.SetEditText("fs98*");
        d.Enter();
        d.ChooseEntry(EntryOf(d, "FS98_Compass.gau"));
        EXPECT_EQ(d.Ok(), "FS98_Compass");
    }
    {
        Logic d = Opened();  // the pattern and the file come back, once
        EXPECT_EQ(d.Pattern(), "fs98*");
        EXPECT_EQ(d.Entries(), (Entries{"FS98_Clock.gau", "FS98_Compass.gau"}));
        EXPECT_EQ(d.SelectedEntry(), 1);
        EXPECT_EQ(d.Reference(), "FS98_Compass");
        EXPECT_TRUE(d.ShownPreview().shown);
        d.Cancel();
        EXPECT_EQ(memory_.lastAddedReference, "");
    }
    Logic d = Opened();
    EXPECT_EQ(d.Pattern(), "*");
    EXPECT_EQ(d.Entries()[static_cast<std::size_t>(d.SelectedEntry())], "FS98_Compass.gau");
}

TEST_F(AddGaugeDialog, PreviewKeepsTheAspectAndDrawsBlackTransparently) {
    Logic d = Opened();
    d.ChooseEntry(EntryOf(d, "Demo_Cessna.gau"));
    d.ChooseGauge(GaugeOf(d, "Airspeed"));
    d.Step(+1);  // the 8 x 44 needle: tall, so it is centred across
    const Pixel face = MakePixel(1, 2, 3);
    Image opaque = d.PreviewImage(100, 88, face);
    ASSERT_EQ(opaque.Width(), 100);
    // 8 x 44 scaled by 88 / 44 = 16 x 88 at x 42.
    EXPECT_EQ(opaque.At(41, 40), face);
    EXPECT_EQ(opaque.At(58, 40), face);
    EXPECT_NE(opaque.At(50, 0), face);
    int blackOpaque = 0, faceTransparent = 0;
    d.ToggleTransparent();
    EXPECT_TRUE(memory_.transparentPreview);
    Image clear = d.PreviewImage(100, 88, face);
    for (int y = 0; y < 88; ++y)
        for (int x = 42; x < 58; ++x) {
            blackOpaque += opaque.At(x, y) == kBlack;
            faceTransparent += clear.At(x, y) == face && opaque.At(x, y) == kBlack;
        }
    EXPECT_GT(blackOpaque, 0);
    EXPECT_EQ(faceTransparent, blackOpaque);
}

}  // namespace
}  // namespace brindle
