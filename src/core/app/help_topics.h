// The user's guide's topics. Every "Help..." button and F1 names a topic number; the guide's project
// file (.hhp) says which page explains it, in its [MAP] section ("#define IDH_NAME 120") and its
// [ALIAS] section ("IDH_NAME=page.html").
#pragma once

#include <map>
#include <string>
#include <string_view>

namespace brindle {

// Topic number to page file, as the project text gives them. Lines that do not parse are passed over;
// a topic whose name has no page is left out.
std::map<int, std::string> ReadHelpTopicMap(std::string_view projectText);

// The topics the program opens, each dialog's number in one list (so that a test can check that the
// guide has a page for each).
inline constexpr int kHelpTopicsUsed[] = {100, 120, 130, 140, 150, 160, 165, 170, 180,
                                          190, 200, 220, 230, 250, 260, 270, 280, 290};
inline constexpr int kHelpContentsTopic = 100;
inline constexpr int kHelpWarningTopic = 250;

}  // namespace brindle
