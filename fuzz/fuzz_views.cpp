// Any bytes as a panel.cfg, then the views and Fixed Windows: every view selected in the Fixed Windows
// editor, its ident typed and cleared, a Fixed Window created for the views that have none, Cancel, and
// the panel written and read again. The views and Fixed Windows must come back as they were written.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "panel/panel_reader.h"
#include "panel/panel_writer.h"
#include "panel/views.h"
#include "platform/messages.h"

using namespace brindle;

namespace {

// What a save keeps of the views: each view's Fixed Window number and whether that window exists.
bool SameViews(const Panel& a, const Panel& b) {
    for (int v = 0; v < kViewCount; ++v) {
        if (a.views[v].index != b.views[v].index) return false;
        if ((FindFixedWindow(a, a.views[v].index) < 0) != (FindFixedWindow(b, b.views[v].index) < 0))
            return false;
    }
    return a.windowCount == b.windowCount;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    RecordingMessageUi ui;
    ui.defaultAnswer = Answer::Yes;
    ScopedMessageUi scope(ui);
    PanelReadOptions options;
    options.mode = static_cast<SimMode>(size % 4);
    options.simDir = "C:\\FS";
    Panel panel;
    if (!ParsePanelText(std::string_view(reinterpret_cast<const char*>(data), size), "fuzz.cfg", options,
                        panel))
        return 0;
    const Panel opened = panel;
    {
        FixedWindowsEditor editor(panel, "C:\\FS\\Aircraft\\Fuzz\\Panel");
        for (int v = 0; v <= kViewCount; ++v) {
            editor.SelectView(v);
            editor.SetIdentText(std::to_string(v * 7 % 100));
            editor.SetIdentText("");
            editor.SetIdentText("12x");
        }
        editor.Cancel();
    }
    if (!(panel == opened)) __builtin_trap();  // Cancel puts back everything the dialog changed
    NextFixedWindowNumber(panel);
    for (int v = 1; v < kViewCount; ++v) {
        if (FindFixedWindow(panel, panel.views[v].index) < 0) CreateFixedWindowForView(panel, v, "view.bmp");
        if (!PanelIsConsistent(panel)) __builtin_trap();
    }
    PanelWriteOptions writeOptions;
    writeOptions.mode = options.mode;
    writeOptions.time = 0;
    const std::string saved = FormatPanel(panel, writeOptions);
    if (saved.size() > kMaxPanelFileSize) return 0;  // a save refuses it: it could not be opened again
    Panel again;
    if (!ParsePanelText(saved, "fuzz-again.cfg", options, again)) __builtin_trap();
    if (!PanelIsConsistent(again) || !SameViews(panel, again)) __builtin_trap();
    return 0;
}
