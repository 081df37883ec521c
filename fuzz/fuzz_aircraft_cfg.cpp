// Any bytes as an aircraft.cfg: the fltsim listing, the title look-up for every panel it names and the
// text with a new entry added. The added text must keep every entry and gain exactly the new one.
#include <cstddef>
#include <cstdint>
#include <string>

#include "document/aircraft.h"
#include "fuzz_scratch.h"
#include "platform/messages.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brindle;
    RecordingMessageUi ui;
    ScopedMessageUi scope(ui);
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto entries = ParseFltsimEntries(text);
    const std::string path = fuzzing::PutFile(fuzzing::ScratchDir() / "Aircraft.cfg", text);
    for (const std::string& panel : InstalledPanelNames(path)) LookUpAircraftTitle(path, panel);
    LookUpAircraftTitle(path, "");
    const auto added = AircraftCfgWithNewEntry(text, "Fuzzed", "A fuzzed title");
    if (!added) return 0;
    const auto after = ParseFltsimEntries(*added);
    if (after.size() != entries.size() + 1) __builtin_trap();
    int withName = 0;
    for (const FltsimEntry& e : after) withName += e.panel == "Fuzzed";
    int before = 0;
    for (const FltsimEntry& e : entries) before += e.panel == "Fuzzed";
    if (withName != before + 1) __builtin_trap();
    return 0;
}
