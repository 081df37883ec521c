// The reader and writer on real panel files and on generated ones: the fast key search must find
// what the literal one finds, and a save must read back as the same panel.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <functional>
#include <map>
#include <random>
#include <set>

#include "panel/key_search.h"
#include "panel/panel_writer.h"
#include "panel_test_util.h"

namespace brindle {
namespace {

using testing::Read;
using testing::ReadAll;
using testing::ReadResult;

std::vector<std::string> CorpusPanels() {
    std::vector<std::string> out;
    std::filesystem::path root = std::filesystem::path(BRINDLE_CORPUS_DIR) / "panels";
    if (!std::filesystem::exists(root)) return out;
    for (const auto& e : std::filesystem::recursive_directory_iterator(root)) {
        if (e.is_regular_file() && e.path().filename() == "panel.cfg") out.push_back(e.path().string());
    }
    std::sort(out.begin(), out.end());
    return out;
}

ReadResult ReadGoingOn(const std::string& text, SimMode mode, bool literal = false) {
    ReadResult r;
    r.ui.defaultAnswer = Answer::Yes;
    Read(r, text, mode, literal);
    return r;
}

void ExpectSameRead(const ReadResult& a, const ReadResult& b) {
    EXPECT_EQ(a.ok, b.ok);
    EXPECT_TRUE(a.panel == b.panel);
    ASSERT_EQ(a.ui.entries.size(), b.ui.entries.size());
    for (std::size_t i = 0; i < a.ui.entries.size(); ++i) {
        EXPECT_EQ(a.ui.entries[i].kind, b.ui.entries[i].kind);
        EXPECT_EQ(a.ui.entries[i].text, b.ui.entries[i].text);
    }
}

PanelWriteOptions FixedTime(SimMode mode) {
    PanelWriteOptions o;
    o.mode = mode;
    o.time = 0;
    o.utc = true;
    return o;
}

// Reading, writing and reading again gives the same panel; writing that again gives the same bytes.
void ExpectRoundTrip(const Panel& first, SimMode mode) {
    std::string text = FormatPanel(first, FixedTime(mode));
    ReadResult again = ReadGoingOn(text, mode);
    ASSERT_TRUE(again.ok);
    EXPECT_TRUE(again.panel == first);
    EXPECT_EQ(FormatPanel(again.panel, FixedTime(mode)), text);
}

TEST(PanelCorpus, EveryPanelReadsAlikeWithBothSearchesAndSurvivesASave) {
    std::vector<std::string> panels = CorpusPanels();
    ASSERT_GE(panels.size(), 20u) << "corpus missing at " << BRINDLE_CORPUS_DIR;
    for (const std::string& path : panels) {
        SCOPED_TRACE(path);
        std::string bytes = ReadAll(path);
        for (SimMode mode : {kModeFS2000, kModeFS98, kModeCFS, kModeCFS2}) {
            ReadResult fast = ReadGoingOn(bytes, mode);
            ReadResult literal = ReadGoingOn(bytes, mode, true);
            ASSERT_TRUE(fast.ok);
            ExpectSameRead(fast, literal);
            std::string why;
            EXPECT_TRUE(PanelIsConsistent(fast.panel, &why)) << why;
            if (mode != kModeFS98) ExpectRoundTrip(fast.panel, mode);
        }
    }
}

// ---------------------------------------------------------------------------------------------
// Nothing of a real panel is lost on a save

// A file's sections with their key=value lines, comments left out, keys in lower case.
struct CfgLine {
    std::string key;
    std::string value;
};
struct CfgSection {
    std::string header;
    std::vector<CfgLine> lines;
};

std::string Trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t' || s.back() == '\r')) s.remove_suffix(1);
    return std::string(s);
}

std::string Lower(std::string s) {
    for (char& c : s) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return s;
}

std::vector<CfgSection> Sections(const std::string& text) {
    std::vector<CfgSection> out(1);  // the lines before the first section
    std::size_t pos = 0;
    while (pos < text.size()) {
        std::size_t nl = text.find('\n', pos);
        std::string line = text.substr(pos, nl == std::string::npos ? std::string::npos : nl - pos);
        pos = nl == std::string::npos ? text.size() : nl + 1;
        line = Trimmed(line.substr(0, line.find("//")));
        if (line.empty()) continue;
        if (line[0] == '[') {
            out.push_back({Lower(line), {}});
        } else if (std::size_t eq = line.find('='); eq != std::string::npos) {
            std::string key = Lower(Trimmed(line.substr(0, eq)));
            if (key == "windowsize_ratio") key = "window_size_ratio";  // the reader takes both spellings
            out.back().lines.push_back({key, Trimmed(line.substr(eq + 1))});
        }
    }
    return out;
}

// Values agree piece by piece (pieces split at commas): numbers by value, text as written. The
// saved value may have pieces the original left out (the writer gives what the reader took).
bool SameValue(const std::string& original, const std::string& saved) {
    auto pieces = [](const std::string& v) {
        std::vector<std::string> out;
        std::size_t i = 0;
        while (true) {
            std::size_t c = v.find(',', i);
            out.push_back(Trimmed(v.substr(i, c == std::string::npos ? std::string::npos : c - i)));
            if (c == std::string::npos) break;
            i = c + 1;
        }
        return out;
    };
    auto number = [](const std::string& p, double* v) {
        char* end = nullptr;
        *v = std::strtod(p.c_str(), &end);
        return !p.empty() && end && *end == '\0';
    };
    std::vector<std::string> a = pieces(original), b = pieces(saved);
    while (!a.empty() && a.back().empty()) a.pop_back();
    if (b.size() < a.size()) return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        double x = 0, y = 0;
        if (number(a[i], &x) && number(b[i], &y)) {
            if (std::fabs(x - y) > 1e-9) return false;
        } else if (a[i] != b[i]) {
            return false;
        }
    }
    return true;
}

bool IsGaugeLine(const CfgLine& l) {
    return l.key.size() > 5 && l.key.compare(0, 5, "gauge") == 0 &&
           std::all_of(l.key.begin() + 5, l.key.end(),
                       [](char c) { return std::isdigit(static_cast<unsigned char>(c)); });
}

// Every section of `original` is in `saved` (the k-th of a name as the k-th), and every key=value
// line of it with an equal value; gauge lines are matched in their order, as gaps in their numbers
// are closed. Only the first line of a key in a section counts: the model writes a key once.
// `repaired` says which (section, key) values the reader announced it changed.
void ExpectNothingLost(const std::string& original, const std::string& saved,
                       const std::function<bool(const std::string&, const CfgLine&, int)>& repaired) {
    std::vector<CfgSection> a = Sections(original), b = Sections(saved);
    std::map<std::string, int> seenA, seenB;
    std::map<std::pair<std::string, int>, const CfgSection*> byName;
    for (const CfgSection& s : b) byName[{s.header, seenB[s.header]++}] = &s;
    for (const CfgSection& s : a) {
        int k = seenA[s.header]++;
        auto found = byName.find({s.header, k});
        if (s.lines.empty() && s.header.empty()) continue;
        ASSERT_NE(found, byName.end()) << "section lost: " << s.header << " #" << k;
        const CfgSection& t = *found->second;
        std::vector<const CfgLine*> gaugesA, gaugesB;
        std::set<std::string> keysA;
        for (const CfgLine& l : t.lines) {
            if (IsGaugeLine(l)) gaugesB.push_back(&l);
        }
        for (const CfgLine& l : s.lines) {
            if (IsGaugeLine(l)) {
                gaugesA.push_back(&l);
                continue;
            }
            if (!keysA.insert(l.key).second) continue;
            if (repaired(s.header, l, -1)) continue;
            auto same = std::find_if(t.lines.begin(), t.lines.end(),
                                     [&](const CfgLine& m) { return m.key == l.key; });
            if (same == t.lines.end()) {
                ADD_FAILURE() << s.header << ": line lost: " << l.key << "=" << l.value;
            } else if (!SameValue(l.value, same->value)) {
                ADD_FAILURE() << s.header << ": " << l.key << "=" << l.value << " came back as "
                              << same->value;
            }
        }
        ASSERT_LE(gaugesA.size(), gaugesB.size()) << s.header << ": gauge lines lost";
        for (std::size_t g = 0; g < gaugesA.size(); ++g) {
            if (repaired(s.header, *gaugesA[g], static_cast<int>(g))) continue;
            EXPECT_TRUE(SameValue(gaugesA[g]->value, gaugesB[g]->value))
                << s.header << ": " << gaugesA[g]->key << "=" << gaugesA[g]->value << " came back as "
                << gaugesB[g]->value;
        }
    }
}

TEST(PanelCorpus, AnUneditedSaveKeepsEverySectionAndLine) {
    std::vector<std::string> panels = CorpusPanels();
    ASSERT_GE(panels.size(), 20u);
    // The reader's own announced repairs, and the cut of the default view.
    auto repaired = [](const ReadResult& r) {
        return [&r](const std::string& header, const CfgLine& l, int gauge) {
            if (header == "[default view]") return true;
            for (const std::string& m : r.texts()) {
                if (gauge >= 0) {
                    // "In Window01, Gauge19: ... I'll set it ..." for the window of that number.
                    std::size_t digits = header.find_first_of("0123456789");
                    std::string number = digits == std::string::npos ? "" : header.substr(digits, 2);
                    char where[64];
                    std::snprintf(where, sizeof where, "Window%s, Gauge%02d:", number.c_str(), gauge);
                    if (m.find(where) != std::string::npos && m.find("I'll set it") != std::string::npos)
                        return true;
                    continue;
                }
                if (l.key == "size_mm" && m.find("Size MM for") != std::string::npos) return true;
                if (l.key.find("ratio") != std::string::npos &&
                    m.find("Windowsize_Ratio = 0.0") != std::string::npos)
                    return true;
            }
            return false;
        };
    };
    for (const std::string& path : panels) {
        SCOPED_TRACE(path);
        std::string bytes = ReadAll(path);
        for (SimMode mode : {kModeFS2000, kModeCFS, kModeCFS2}) {
            ReadResult r = ReadGoingOn(bytes, mode);
            ASSERT_TRUE(r.ok);
            ExpectNothingLost(bytes, FormatPanel(r.panel, FixedTime(mode)), repaired(r));
        }
        if (HasFailure()) return;
    }
}

TEST(PanelCorpus, KnownContentOfRealPanels) {
    std::filesystem::path root = std::filesystem::path(BRINDLE_CORPUS_DIR) / "panels";
    ReadResult lvld = ReadGoingOn(ReadAll((root / "01-lvld767-fsx/panel.cfg").string()), kModeFS2000);
    EXPECT_EQ(lvld.panel.windowCount, 19);
    EXPECT_EQ(lvld.panel.vcockpitCount, 3);
    EXPECT_EQ(lvld.panel.forwardWindowsList, "1,2,3,4,41,45,1000,61,MAIN_PANEL");
    EXPECT_EQ(lvld.panel.views[0].index, 1);
    EXPECT_DOUBLE_EQ(lvld.panel.views[1].zoom, 0.98);

    // Window titles jump from 05 to 17: only the run from 00 counts; two windows share an ident.
    ReadResult c172 = ReadGoingOn(ReadAll((root / "08-c172ii-p3d/panel.cfg").string()), kModeFS2000);
    EXPECT_EQ(c172.panel.windowCount, 6);
    EXPECT_EQ(c172.panel.windows[0].file, "panel 172main.bmp");
    EXPECT_EQ(c172.panel.windows[0].sizeMmX, 1280);
    EXPECT_FALSE(c172.panel.windows[0].sizeMmYPresent);

    // A gap in the gauge numbers (09 then 13) ends the list after one bridged number.
    ReadResult a330 = ReadGoingOn(ReadAll((root / "12-a330neo-fsx/panel.cfg").string()), kModeFS2000);
    EXPECT_EQ(a330.panel.windowCount, 17);
    EXPECT_EQ(a330.panel.vcockpitCount, 2);
}

// ---------------------------------------------------------------------------------------------
// Generated input

const char* const kFragments[] = {
    "[Window Titles]",
    "[window titles]",
    "Window00=Main",
    "Window01=Radio",
    "window02=",
    "Fixed Window03=Compass",
    "fixed window05=X",
    "[Window00]",
    "[WINDOW01]",
    "[window02]",
    "[Fixed Window03]",
    "[FIXED WINDOW05]",
    "[Vcockpit01]",
    "[VCockpit02]",
    "[vcockpit04]",
    "file=a.bmp",
    "FILE_1024=b.bmp ",
    "size_mm=1024,768",
    "SIZE_MM=0",
    "size_mm=9000",
    "window_size_ratio=0",
    "windowsize_ratio=1.5",
    "position=3",
    "visible=0",
    "ident=MAIN",
    "IDENT=main",
    "texture=$t",
    "sizeable=1",
    "nomenu=1",
    "render_3d_window=1",
    "image_blend=0.5",
    "window_pos=2,0.5",
    "window_pos=0.1",
    "pixel_size=10 20",
    "window_size=0.5,0.5",
    "window_size=3",
    "Background_color=1,2,3",
    "gauge00=a!b,1,2,3,4",
    "gauge01=c!d,-5,6,-7,-8,param;c",
    "gauge02=,0,0,0,0",
    "gauge03=e!f",
    "GAUGE05=g!h,1",
    "gauge06=i!j,1,2,,1300",
    "htmlgauge00=x.html,0,0",
    "  gauge04=k!l,1,2",
    "gauge07=m!n,-100,-100,10,10",
    "[8 Bit Colors]",
    "color00=1,2,3",
    "COLOR01=4,5",
    "color02=6",
    "PALETTE=p.pal",
    "[Default View]",
    "X=5",
    "SIZE_X=9000",
    "Y=7",
    "SIZE_Y=100",
    "[Strings]",
    "\"a\"=b",
    "\"c\"=d",
    "[VIEWS]",
    "VIEW_FORWARD_WINDOWS=1,2,MAIN",
    "view_forward_zoom=1.5",
    "VIEW_REAR_DIR=1,2,3",
    "view_aux_05_eye=2",
    "VIEW_UP_WINDOWS=4",
    "[AdvDisplay]",
    "[EpicInfo]",
    "[Esound]",
    "//\tkept",
    "// dropped",
    "//",
    "=",
    ",",
    ";",
    "[",
    "]",
    "\"",
    "alias",
    "Titles]",
    "gauge",
    "window",
    "view_",
    "color",
};

// Fragments joined by line ends, blanks or nothing; with `wholeLines` every fragment is a line.
std::string RandomPanelText(std::mt19937& rng, bool wholeLines = false) {
    std::uniform_int_distribution<int> count(0, 120);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(kFragments) - 1);
    std::uniform_int_distribution<int> coin(0, 9);
    std::string text;
    int lines = count(rng);
    for (int i = 0; i < lines; ++i) {
        std::string f = kFragments[pick(rng)];
        if (f == "alias" && coin(rng) != 0) continue;  // mostly not an alias file
        if (coin(rng) == 0) {
            for (char& c : f) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        }
        text += f;
        int end = wholeLines ? coin(rng) % 8 : coin(rng);
        text += end < 5 ? "\n" : end < 8 ? "\r\n" : end < 9 ? " " : "";
    }
    return text;
}

TEST(PanelGenerated, FastAndLiteralSearchesReadGeneratedFilesAlike) {
    std::mt19937 rng(12345);
    for (int i = 0; i < 400; ++i) {
        std::string text = RandomPanelText(rng);
        if (text.empty()) continue;
        SCOPED_TRACE(text);
        SimMode mode = static_cast<SimMode>(i % 4);
        ReadResult fast = ReadGoingOn(text, mode);
        ReadResult literal = ReadGoingOn(text, mode, true);
        ExpectSameRead(fast, literal);
        std::string why;
        EXPECT_TRUE(PanelIsConsistent(fast.panel, &why)) << why;
        if (HasFailure()) return;
    }
}

TEST(PanelGenerated, SavedGeneratedPanelsReadBackAlike) {
    std::mt19937 rng(777);
    for (int i = 0; i < 400; ++i) {
        std::string text = RandomPanelText(rng, true);
        if (text.empty()) continue;
        ReadResult first = ReadGoingOn(text, kModeFS2000);
        if (!first.ok) continue;
        // What the reader repairs changes a second read; saving that once more must be stable.
        std::string saved = FormatPanel(first.panel, FixedTime(kModeFS2000));
        ReadResult second = ReadGoingOn(saved, kModeFS2000);
        ASSERT_TRUE(second.ok);
        SCOPED_TRACE(saved);
        ExpectRoundTrip(second.panel, kModeFS2000);
        if (HasFailure()) return;
    }
}

TEST(KeySearchTest, FastSearchAgreesWithTheLiteralOne) {
    std::mt19937 rng(99);
    const char* keys[] = {"GAUGE00",
                          "gauge01",
                          "GAUGE1",
                          "Window00",
                          "WINDOW_POS",
                          "[window01",
                          "Fixed Window03",
                          "[fixed window03",
                          "[vcockpit01",
                          "VIEW_FORWARD_",
                          "view_forward_windows",
                          "COLOR00",
                          "color",
                          "X=",
                          "SIZE_X=",
                          "[",
                          "=",
                          "a",
                          "GAUGE100",
                          "[VCOCKPIT0"};
    for (int i = 0; i < 300; ++i) {
        std::string text = RandomPanelText(rng);
        KeySearch fast(text);
        KeySearch literal(text, true);
        std::uniform_int_distribution<std::size_t> pos(0, text.size() + 2);
        for (int j = 0; j < 40; ++j) {
            const char* key = keys[rng() % std::size(keys)];
            std::size_t start = pos(rng);
            std::size_t limit = rng() % 3 == 0 ? KeySearch::npos : pos(rng);
            ASSERT_EQ(fast.find(start, key, limit), literal.find(start, key, limit))
                << key << " from " << start << " before " << limit << " in\n"
                << text;
            ASSERT_EQ(fast.findAtLineStart(start, key, limit), literal.findAtLineStart(start, key, limit))
                << key;
        }
    }
}

TEST(KeySearchTest, LiteralSearchSemantics) {
    std::string text = "[Window00]\ngauge00=a\nxgauge01=b\n";
    KeySearch s(text);
    EXPECT_EQ(s.find(0, "GAUGE00"), 11u);
    EXPECT_EQ(s.find(12, "gauge00"), KeySearch::npos);
    EXPECT_EQ(s.find(0, "GAUGE00", 11), KeySearch::npos);  // found at the limit: not before it
    EXPECT_EQ(s.find(0, "GAUGE00", 12), 11u);
    EXPECT_EQ(s.findAtLineStart(0, "gauge00"), 11u);
    EXPECT_EQ(s.findAtLineStart(0, "gauge01"), KeySearch::npos);  // the first find does not start a line
    EXPECT_EQ(s.find(0, "GAUGE01"), 22u);
    EXPECT_EQ(s.find(text.size() + 5, "G"), KeySearch::npos);
    EXPECT_EQ(LiteralKeyFind(text, 0, "window00]"), 1u);
}

}  // namespace
}  // namespace brindle
