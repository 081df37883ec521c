// Every step that changes a file on disk (open for writing, write, flush, rename, copy, remove, make a
// folder) passes FileStepAllowed first, so that a test can make any one step of any write path fail and
// check that nothing is lost. Outside tests no step ever fails here.
#pragma once

#include <optional>

namespace brindle {

enum class FileStep { Open, Write, Flush, Rename, Copy, Remove, MakeDir };
const char* FileStepName(FileStep step);

// The test hook. Steps are counted from the last Arm or Reset; when the count reaches the armed number,
// that one step fails with the armed error and every later step succeeds again.
class FileFaults {
  public:
    // Counts steps from now on and fails step `n` (1-based) with `error`; 0 counts without failing.
    static void Arm(int n, int error);
    // Stops failing and counting.
    static void Reset();
    // Steps counted since Arm.
    static int Steps();
    // The step that was made to fail, if it came.
    static std::optional<FileStep> Failed();
};

// Arms the hook for one scope.
class ScopedFileFault {
  public:
    explicit ScopedFileFault(int n, int error) { FileFaults::Arm(n, error); }
    ~ScopedFileFault() { FileFaults::Reset(); }
    ScopedFileFault(const ScopedFileFault&) = delete;
    ScopedFileFault& operator=(const ScopedFileFault&) = delete;
};

// Called by the file layer before each step. False, with `error` set, when the step is to fail.
bool FileStepAllowed(FileStep step, int* error);

}  // namespace brindle
