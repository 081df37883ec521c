#include "platform/file_faults.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>

#include "fault_walk.h"
#include "platform/paths.h"
#include "view/bitmap.h"
#include "view/image.h"

namespace brindle {
namespace {

namespace fs = std::filesystem;
using testing::LeftoverTemporaries;
using testing::WalkFileFaults;

class FileFaultsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("brindle-faults-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    void Put(const std::string& name, const std::string& text) const {
        std::ofstream(dir_ / name, std::ios::binary) << text;
    }
    std::string Get(const std::string& name) const {
        std::ifstream in(dir_ / name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    fs::path dir_;
};

// Each primitive of the layer: its steps in order, and after any of them fails the target is as it was,
// no temporary is left and the error is the one that struck.
TEST_F(FileFaultsTest, EveryStepOfEveryPrimitiveCanFailAndLeavesTheTargetAsItWas) {
    struct Case {
        const char* what;
        std::function<bool(int*)> run;
        std::vector<std::string> steps;
        const char* target;
        const char* before;  // the target's text before; nullptr = absent
    };
    const std::string big(200000, 'x');
    const Case cases[] = {
        {"replace a file",
         [&](int* e) { return WriteFileAtomically(Path("t.cfg"), "new text", e); },
         {"open", "write", "flush", "rename"},
         "t.cfg",
         "old text"},
        {"make a new file",
         [&](int* e) { return WriteFileAtomically(Path("n.cfg"), big, e); },
         {"open", "write", "flush", "rename"},
         "n.cfg",
         nullptr},
        {"copy a file",
         [&](int* e) { return CopyFileBytes(Path("src.bmp"), Path("t.cfg"), e); },
         {"copy", "open", "write", "flush", "rename"},
         "t.cfg",
         "old text"},
        {"make a folder", [&](int* e) { return MakeDirectory(Path("sub"), e); }, {"mkdir"}, "sub", nullptr},
        {"remove a file", [&](int*) { return RemoveFile(Path("t.cfg")); }, {"remove"}, "t.cfg", "old text"},
        {"capture a window",
         [&](int* e) { return WriteBmp24(Path("shot.bmp"), Image(3, 2, MakePixel(255, 0, 0)), e); },
         {"open", "write", "flush", "rename"},
         "shot.bmp",
         nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        auto prepare = [&] {
            fs::remove_all(dir_);
            fs::create_directories(dir_);
            Put("src.bmp", "BM source");
            if (c.before) Put(c.target, c.before);
        };
        int error = 0;
        const auto steps = WalkFileFaults(
            prepare, [&] { return c.run(&error); },
            [&](int, FileStep, bool ok) {
                EXPECT_FALSE(ok);
                if (c.before) {
                    EXPECT_EQ(Get(c.target), c.before);
                } else {
                    EXPECT_FALSE(fs::exists(dir_ / c.target));
                }
                EXPECT_TRUE(LeftoverTemporaries(dir_).empty());
                // Removing tells no error code.
                if (std::string(c.what) != "remove a file") {
                    EXPECT_EQ(error, ENOSPC);
                }
            });
        EXPECT_EQ(steps, c.steps);
    }
}

TEST_F(FileFaultsTest, AReplacedFileKeepsItsPermissionsAndNothingFailsWhenUnarmed) {
    Put("t.cfg", "old");
#ifndef _WIN32
    // Windows files have no permission bits to keep.
    fs::permissions(Path("t.cfg"), fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
#endif
    ASSERT_TRUE(WriteFileAtomically(Path("t.cfg"), "new"));
#ifndef _WIN32
    EXPECT_EQ(fs::status(Path("t.cfg")).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
#endif
    // Counting alone fails nothing, and after Reset nothing is counted.
    {
        ScopedFileFault counting(0, 0);
        EXPECT_TRUE(WriteFileAtomically(Path("t.cfg"), "again"));
        EXPECT_EQ(FileFaults::Steps(), 4);
        EXPECT_FALSE(FileFaults::Failed());
    }
    EXPECT_TRUE(WriteFileAtomically(Path("t.cfg"), "last"));
    EXPECT_EQ(FileFaults::Steps(), 0);
    EXPECT_EQ(Get("t.cfg"), "last");
}

#ifdef _WIN32
// Windows does not replace a read-only file: the save fails with the reason, the file stays as it was
// and no temporary is left beside it.
TEST_F(FileFaultsTest, AReadOnlyFileIsLeftAsItWas) {
    Put("t.cfg", "old");
    fs::permissions(Path("t.cfg"), fs::perms::owner_write, fs::perm_options::remove);
    if (std::FILE* probe = std::fopen(Path("t.cfg").c_str(), "r+b")) {
        std::fclose(probe);
        fs::permissions(Path("t.cfg"), fs::perms::owner_write, fs::perm_options::add);
        GTEST_SKIP() << "this system lets the user write read-only files, as Wine run by root does";
    }
    int error = 0;
    EXPECT_FALSE(WriteFileAtomically(Path("t.cfg"), "new", &error));
    EXPECT_EQ(error, EACCES);
    EXPECT_EQ(Get("t.cfg"), "old");
    EXPECT_TRUE(LeftoverTemporaries(dir_).empty());
    fs::permissions(Path("t.cfg"), fs::perms::owner_write, fs::perm_options::add);
}
#endif

}  // namespace
}  // namespace brindle
