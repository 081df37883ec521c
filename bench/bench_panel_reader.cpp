// Reading a panel.cfg of the largest size the reader accepts (about 50,000 bytes: 32 windows with
// dozens of gauges each, views, colours and strings), with the reader's own key search and with the
// literal search that upper-cases a copy of the text for every key.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cstring>
#include <string>

#include "panel/panel_reader.h"
#include "platform/messages.h"

namespace {

using namespace brindle;

std::string MaximalPanel() {
    std::string titles = "[Window Titles]\r\n";
    char line[256];
    for (int w = 0; w < 32; ++w) {
        std::snprintf(line, sizeof line, "Window%02d=Panel window number %d\r\n", w, w);
        titles += line;
    }
    std::string views = "[VIEWS]\r\n";
    const char* prefixes[] = {"VIEW_FORWARD_", "VIEW_FORWARD_RIGHT_", "VIEW_RIGHT_",
                              "VIEW_REAR_",    "VIEW_LEFT_",          "VIEW_UP_",
                              "VIEW_DOWN_",    "VIEW_AUX_00_"};
    for (const char* p : prefixes) {
        std::snprintf(line, sizeof line, "%sWINDOWS=1\r\n%sZOOM=1.0\r\n%sDIR=0.0, 0.0, 90.0\r\n\r\n", p, p,
                      p);
        views += line;
    }
    std::string tail = "[8 Bit Colors]\r\n";
    for (int c = 0; c < 32; ++c) {
        std::snprintf(line, sizeof line, "color%02d=%d,%d,%d\r\n", c, c * 7, 255 - c, c * 3);
        tail += line;
    }
    tail += "\r\n[Default View]\r\nX=0\r\nY=0\r\nSIZE_X=8191\r\nSIZE_Y=3000\r\n\r\n[Strings]\r\n";
    for (int s = 0; s < 16; ++s) {
        std::snprintf(line, sizeof line, "\"name%02d\"=value %d\r\n", s, s);
        tail += line;
    }
    std::string head = "// Generated for the reader benchmark\r\n\r\n" + titles + "\r\n" + views + "\r\n";
    std::string windowHead[32];
    std::size_t size = head.size() + tail.size();
    for (int w = 0; w < 32; ++w) {
        std::snprintf(line, sizeof line,
                      "[Window%02d]\r\nfile=panel%02d.bmp\r\nsize_mm=1024,768\r\nwindow_size_ratio=1.00\r\n"
                      "position=%d\r\nvisible=1\r\nident=%d\r\nwindow_size=0.500,0.400\r\nwindow_pos=0.100,0."
                      "200\r\n\r\n",
                      w, w, w % 9, 100 + w);
        windowHead[w] = line;
        size += windowHead[w].size() + 2;
    }
    // Gauges go round the windows until the file is (almost) full.
    std::string gauges[32];
    int count[32] = {};
    for (bool full = false; !full;) {
        for (int w = 0; w < 32; ++w) {
            int g = count[w];
            std::snprintf(line, sizeof line, "gauge%02d=Module%02d!Gauge_%d,  %d,%d,%d,%d\r\n", g, g % 17, g,
                          10 * g, 5 * w, 40 + g % 30, 30 + g % 20);
            std::size_t n = std::strlen(line);
            if (size + n > kMaxPanelFileSize - 100 || g >= kMaxGauges) {
                full = true;
                break;
            }
            gauges[w] += line;
            size += n;
            ++count[w];
        }
    }
    std::string body;
    for (int w = 0; w < 32; ++w) body += windowHead[w] + gauges[w] + "\r\n";
    return head + body + tail;
}

const std::string& Panel50k() {
    static const std::string text = MaximalPanel();
    return text;
}

void Read(benchmark::State& state, bool literal) {
    const std::string& text = Panel50k();
    RecordingMessageUi ui;
    ScopedMessageUi scope(ui);
    PanelReadOptions options;
    options.literalKeySearch = literal;
    Panel panel;
    for (auto _ : state) {
        bool ok = ParsePanelText(text, "bench.cfg", options, panel);
        benchmark::DoNotOptimize(ok);
    }
    int gauges = 0;
    for (const PanelWindow& w : panel.windows) gauges += w.gaugeCount;
    state.counters["bytes"] = static_cast<double>(text.size());
    state.counters["windows"] = panel.windowCount;
    state.counters["gauges"] = gauges;
    state.counters["messages"] =
        static_cast<double>(ui.entries.size()) / static_cast<double>(state.iterations());
    state.SetBytesProcessed(static_cast<int64_t>(state.iterations()) * static_cast<int64_t>(text.size()));
}

void BM_ReadMaximalPanel(benchmark::State& state) {
    Read(state, false);
}
void BM_ReadMaximalPanelLiteralSearch(benchmark::State& state) {
    Read(state, true);
}

BENCHMARK(BM_ReadMaximalPanel)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ReadMaximalPanelLiteralSearch)->Unit(benchmark::kMillisecond);

}  // namespace
