#include "app/help_topics.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

namespace brindle {
namespace {

TEST(HelpTopics, MapAndAliasLinesGiveEachNumberItsPage) {
    const std::string project =
        "[OPTIONS]\r\nDefault topic=index.html\r\n\r\n[MAP]\r\n#define IDH_GRID 160\r\n#define  idh_open\t150\r\n"
        "#define IDH_BAD 12x\r\n#define IDH_NOPAGE 170\r\n; a comment\r\n[ALIAS]\r\nIDH_GRID = grid.html\r\n"
        "IDH_OPEN=open_window.html\r\nIDH_BAD=bad.html\r\nnot an alias\r\n[FILES]\r\nIDH_X=1\r\n";
    const std::map<int, std::string> expected = {{150, "open_window.html"}, {160, "grid.html"}};
    EXPECT_EQ(ReadHelpTopicMap(project), expected);
    EXPECT_TRUE(ReadHelpTopicMap("").empty());
}

// Every topic the program opens has a page in the guide, and the page is there.
TEST(HelpTopics, TheGuideExplainsEveryTopicTheProgramOpens) {
    const std::filesystem::path guide = std::filesystem::path(BRINDLE_SAMPLES_DIR) / ".." / "doc" / "guide";
    std::ifstream in(guide / "brindle.hhp", std::ios::binary);
    ASSERT_TRUE(in) << guide;
    std::stringstream text;
    text << in.rdbuf();
    const std::map<int, std::string> topics = ReadHelpTopicMap(text.str());
    for (int topic : kHelpTopicsUsed) {
        SCOPED_TRACE(topic);
        auto page = topics.find(topic);
        ASSERT_NE(page, topics.end());
        EXPECT_TRUE(std::filesystem::is_regular_file(guide / page->second)) << page->second;
    }
}

}  // namespace
}  // namespace brindle
