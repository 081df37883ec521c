#include "platform/file_faults.h"

namespace brindle {

namespace {

struct FaultState {
    bool counting = false;
    int steps = 0;
    int failAt = 0;
    int error = 0;
    std::optional<FileStep> failed;
};

FaultState& State() {
    static FaultState state;
    return state;
}

}  // namespace

const char* FileStepName(FileStep step) {
    switch (step) {
        case FileStep::Open:
            return "open";
        case FileStep::Write:
            return "write";
        case FileStep::Flush:
            return "flush";
        case FileStep::Rename:
            return "rename";
        case FileStep::Copy:
            return "copy";
        case FileStep::Remove:
            return "remove";
        case FileStep::MakeDir:
            return "mkdir";
    }
    return "?";
}

void FileFaults::Arm(int n, int error) {
    State() = FaultState{true, 0, n, error, std::nullopt};
}

void FileFaults::Reset() {
    State() = FaultState{};
}

int FileFaults::Steps() {
    return State().steps;
}

std::optional<FileStep> FileFaults::Failed() {
    return State().failed;
}

bool FileStepAllowed(FileStep step, int* error) {
    FaultState& s = State();
    if (!s.counting) return true;
    if (++s.steps != s.failAt) return true;
    s.failed = step;
    if (error) *error = s.error;
    return false;
}

}  // namespace brindle
