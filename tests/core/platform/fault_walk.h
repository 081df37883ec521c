// Walks an injected failure over every file step of a write path, the way SQLite's I/O-error tests do:
// one run without failures counts the steps, then one run per step with that step failing.
#pragma once

#include <gtest/gtest.h>

#include <cerrno>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/file_faults.h"

namespace brindle::testing {

// The temporary files an interrupted write could leave below `root`.
inline std::vector<std::string> LeftoverTemporaries(const std::filesystem::path& root) {
    std::vector<std::string> left;
    std::error_code ec;
    for (auto it = std::filesystem::recursive_directory_iterator(root, ec);
         !ec && it != std::filesystem::recursive_directory_iterator(); it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.rfind(".~", 0) == 0 && name.size() > 4 && name.substr(name.size() - 4) == ".tmp")
            left.push_back(it->path().string());
    }
    return left;
}

// `prepare()` puts the files as they were before each run; `attempt()` runs the write path and returns
// whether it said it succeeded; `check(n, step, ok)` looks at what run n (step n failing) left. Returns
// the names of the steps in order, so that a test can see every kind of step was walked.
template <typename Prepare, typename Attempt, typename Check>
std::vector<std::string> WalkFileFaults(Prepare prepare, Attempt attempt, Check check, int error = ENOSPC) {
    std::vector<std::string> names;
    prepare();
    int steps = 0;
    {
        ScopedFileFault counting(0, 0);
        EXPECT_TRUE(attempt()) << "the write path fails without any injected failure";
        steps = FileFaults::Steps();
    }
    for (int n = 1; n <= steps; ++n) {
        prepare();
        bool ok = false;
        std::optional<FileStep> failed;
        {
            ScopedFileFault fault(n, error);
            ok = attempt();
            failed = FileFaults::Failed();
        }
        EXPECT_TRUE(failed) << "step " << n << " of " << steps << " never came";
        if (!failed) continue;
        names.push_back(FileStepName(*failed));
        SCOPED_TRACE("step " + std::to_string(n) + " (" + FileStepName(*failed) + ") failing");
        check(n, *failed, ok);
    }
    return names;
}

}  // namespace brindle::testing
