// brindle-cli gauges: what a gauge module holds, as the editor reads it. brindle-cli load: the
// gauges of one panel window loaded as the view loads them.
#include <filesystem>
#include <iostream>
#include <nlohmann/json.hpp>
#include <set>

#include "app/settings.h"
#include "cli/commands.h"
#include "cli/sim_mode.h"
#include "gauges/gauge_loader.h"
#include "gauges/gauge_module.h"
#include "panel/panel_json.h"
#include "panel/panel_reader.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "view/bitmap.h"

namespace brindle::cli {
namespace {

using nlohmann::json;
using L = GaugeLayout;

json ElementsAsStored(const GaugeModule& m, std::uint32_t header, std::set<std::uint32_t>& resources) {
    json elements = json::array();
    std::uint32_t list = m.Pointer(header, L::kHeaderElements);
    std::uint32_t element = list ? m.Pointer(list) : 0;
    for (int walked = 0; element && walked < kMaxChainElements; ++walked) {
        std::uint32_t resource = m.Word(element, L::kElemResource);
        if (resource != 0) resources.insert(resource);
        elements.push_back({{"type", m.Word(element, L::kElemType)},
                            {"resourceId", resource},
                            {"x", static_cast<int>(m.Word(element, L::kElemX))},
                            {"y", static_cast<int>(m.Word(element, L::kElemY))},
                            {"offsetX", static_cast<int>(m.Word(element, L::kElemOffsetX))},
                            {"offsetY", static_cast<int>(m.Word(element, L::kElemOffsetY))},
                            {"transparent", (m.Word(element, L::kElemImageFlags) & 1u) != 0}});
        std::uint32_t next = m.Pointer(element, L::kElemNext);
        element = next ? m.Pointer(next) : 0;
    }
    return elements;
}

int RunGauges(const std::string& path, const std::string& modeText, bool highRes,
              const std::string& extractDir) {
    SimMode mode = kModeFS2000;
    if (auto parsed = ParseSimMode(modeText)) {
        mode = *parsed;
    } else {
        std::cerr << "brindle-cli gauges: unknown mode \"" << modeText << "\" (FS2000, FS98, CFS, CFS2)\n";
        return kExitUsage;
    }
    std::string error;
    ModuleHandle module = OpenModule(path, &error);
    if (!module) {
        std::cerr << "brindle-cli gauges: can't load " << path << ": " << error << "\n";
        return kExitFailed;
    }
    json out;
    out["firstVersion"] = ProbeFirstVersion(path);
    out["linkage"] = module->Linkage() != 0;
    GaugeFile file{path};
    bool listed = ListGauges(file, mode);
    json names = json::array();
    for (const auto& n : file.gaugeNames) names.push_back(Cp1252ToUtf8(n));
    out["list"] = {{"ok", listed}, {"names", names}};

    std::set<std::uint32_t> resources;
    json gauges = json::array();
    for (std::uint32_t header : module->GaugeHeaders(kMaxListedGauges)) {
        auto name = module->HeaderName(header);
        json g;
        g["name"] = name ? json(Cp1252ToUtf8(*name)) : json(nullptr);
        g["version"] = module->HeaderVersion(header);
        g["family"] = VersionLabel(module->HeaderVersion(header));
        g["designWidth"] = module->HeaderDesignWidth(header);
        g["elements"] = ElementsAsStored(*module, header, resources);
        gauges.push_back(std::move(g));
    }
    out["gauges"] = std::move(gauges);

    if (!extractDir.empty()) {
        std::set<std::uint32_t> wanted = resources;
        if (highRes) {
            for (std::uint32_t r : resources) {
                if (module->HasBitmap(r + 500)) wanted.insert(r + 500);
            }
        }
        std::error_code ec;
        std::filesystem::create_directories(ResolvePath(extractDir), ec);
        json written = json::array();
        for (std::uint32_t r : wanted) {
            ImagePtr img = module->LoadBitmap(r);
            if (!img) continue;
            std::string file = JoinPath(extractDir, std::to_string(r & 0xFFFFu) + ".bmp");
            if (!WriteBmp24(file, *img)) {
                std::cerr << "brindle-cli gauges: can't write " << file << "\n";
                return kExitFailed;
            }
            written.push_back(Cp1252ToUtf8(file));
        }
        out["extracted"] = std::move(written);
    }
    std::cout << out.dump(2) << "\n";
    return kExitOk;
}

json Messages(const RecordingMessageUi& ui) {
    json out = json::array();
    for (const auto& e : ui.entries) {
        out.push_back({{"kind", RecordingMessageUi::kindName(e.kind)}, {"text", Cp1252ToUtf8(e.text)}});
    }
    return out;
}

struct LoadArgs {
    std::string panel;
    int window = 0;
    std::string simDir;
    std::string mode = "FS2000";
    bool highRes = false;
};

int RunLoad(const LoadArgs& a) {
    SimMode mode = kModeFS2000;
    if (auto parsed = ParseSimMode(a.mode)) {
        mode = *parsed;
    } else {
        std::cerr << "brindle-cli load: unknown mode \"" << a.mode << "\" (FS2000, FS98, CFS, CFS2)\n";
        return kExitUsage;
    }
    // Without --sim-dir the panel is taken to sit in <sim>/Aircraft/<aircraft>/Panel/.
    std::string simDir = a.simDir;
    if (simDir.empty()) {
        std::filesystem::path p = std::filesystem::absolute(ResolvePath(a.panel));
        simDir = p.parent_path().parent_path().parent_path().parent_path().string();
    }
    RecordingMessageUi ui;
    ScopedMessageUi scope(ui);
    PanelReadOptions readOptions;
    readOptions.mode = mode;
    readOptions.simDir = simDir;
    Panel panel;
    if (!ReadPanelFile(a.panel, readOptions, panel)) {
        std::cout << json{{"loadFailed", true}, {"messages", Messages(ui)}}.dump(2) << "\n";
        return kExitFailed;
    }
    if (a.window < 0 || a.window >= static_cast<int>(panel.windows.size())) {
        std::cerr << "brindle-cli load: the panel has no window " << a.window << " (it has "
                  << panel.windows.size() << ")\n";
        return kExitFailed;
    }
    PanelWindow& window = panel.windows[static_cast<size_t>(a.window)];
    ModuleCache cache;
    GaugeLoadOptions options{JoinPath(simDir, "gauges"), a.highRes, mode, &cache};
    json gauges = json::array();
    for (size_t i = 0; i < window.gauges.size(); ++i) {
        GaugeEntry& entry = window.gauges[i];
        ViewGauge g = ViewGauge::FromEntry(entry, static_cast<int>(i), mode);
        bool loaded = LoadGaugeImages(g, options, &entry);
        json slots = json::array();
        for (const auto& s : g.slots) {
            if (s.typeFlag == 0 && s.resourceId == 0 && s.bitmapWidth == 0) {
                slots.push_back(nullptr);
                continue;
            }
            slots.push_back({{"typeFlag", s.typeFlag},
                             {"resourceId", s.resourceId},
                             {"bitmapWidth", s.bitmapWidth},
                             {"bitmapHeight", s.bitmapHeight},
                             {"hasBitmap", s.bitmap != nullptr},
                             {"transparent", s.transparent}});
        }
        // Trailing empty slots say nothing.
        while (!slots.empty() && slots.back().is_null()) slots.erase(slots.size() - 1);
        gauges.push_back({{"name", Cp1252ToUtf8(g.name)},
                          {"loaded", loaded},
                          {"loadedMark", g.loaded},
                          {"loadStatus", g.loadStatus},
                          {"width", g.Width()},
                          {"height", g.Height()},
                          {"widthPresent", g.widthPresent},
                          {"heightPresent", g.heightPresent},
                          {"xScale", g.XScale()},
                          {"yScale", g.YScale()},
                          {"designWidth", g.designWidth},
                          {"version", g.version},
                          {"internalName", Cp1252ToUtf8(g.internalName)},
                          {"focus", g.focus},
                          {"slots", std::move(slots)}});
    }
    json out = {{"window", a.window},
                {"title", Cp1252ToUtf8(window.title.str())},
                {"gaugesDir", Cp1252ToUtf8(options.gaugesDir)},
                {"messages", Messages(ui)},
                {"gauges", std::move(gauges)}};
    std::cout << out.dump(2) << "\n";
    return kExitOk;
}

const CommandRegistration kLoad([](CLI::App& app, int* result) {
    auto* cmd =
        app.add_subcommand("load", "Load the gauge bitmaps of one panel window and print them as JSON");
    auto args = std::make_shared<LoadArgs>();
    cmd->add_option("PANEL", args->panel, "The panel.cfg")->required();
    cmd->add_option("--window", args->window, "Window number (its place in the panel's window list)")
        ->required();
    cmd->add_option("--sim-dir", args->simDir, "Simulator folder; its gauges folder holds the modules");
    cmd->add_option("--mode", args->mode, "Simulator mode: FS2000, FS98, CFS or CFS2");
    cmd->add_flag("--high-res", args->highRes, "Use the +500 high-resolution bitmaps");
    cmd->callback([=] { *result = RunLoad(*args); });
});

const CommandRegistration kGauges([](CLI::App& app, int* result) {
    auto* cmd = app.add_subcommand("gauges", "Print the gauges of a gauge module (.gau) as JSON");
    auto path = std::make_shared<std::string>();
    auto mode = std::make_shared<std::string>("FS2000");
    auto highRes = std::make_shared<bool>(false);
    auto extract = std::make_shared<std::string>();
    cmd->add_option("MODULE", *path, "The gauge module")->required();
    cmd->add_option("--mode", *mode, "Simulator mode: FS2000, FS98, CFS or CFS2");
    cmd->add_flag("--high-res", *highRes, "Also extract the +500 high-resolution bitmaps");
    cmd->add_option("--extract", *extract, "Write every bitmap the chains name as DIR/<number>.bmp (24-bit)");
    cmd->callback([=] { *result = RunGauges(*path, *mode, *highRes, *extract); });
});

}  // namespace
}  // namespace brindle::cli
