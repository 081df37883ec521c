// Feeds arbitrary bytes to the panel reader, then writes the panel it built and reads that again.
// Messages are recorded, never shown; the text check's question is answered Yes so that binary input
// reaches the rest of the reader.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "panel/panel_reader.h"
#include "panel/panel_writer.h"
#include "platform/messages.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using namespace brindle;
    RecordingMessageUi ui;
    ui.defaultAnswer = Answer::Yes;
    ScopedMessageUi scope(ui);
    PanelReadOptions options;
    options.mode = static_cast<SimMode>(size % 4);
    options.simDir = "C:\\FS";
    Panel panel;
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (!ParsePanelText(bytes, "fuzz.cfg", options, panel)) return 0;
    if (!PanelIsConsistent(panel)) __builtin_trap();
    PanelWriteOptions writeOptions;
    writeOptions.mode = options.mode;
    writeOptions.time = 0;
    std::string text = FormatPanel(panel, writeOptions);
    Panel again;
    ParsePanelText(text, "fuzz-again.cfg", options, again);
    if (!PanelIsConsistent(again)) __builtin_trap();
    return 0;
}
