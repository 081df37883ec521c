// brindle-cli gauges: what a gauge module holds, as the editor reads it.
#include <filesystem>
#include <iostream>
#include <nlohmann/json.hpp>
#include <set>

#include "app/settings.h"
#include "cli/commands.h"
#include "gauges/gauge_module.h"
#include "platform/paths.h"
#include "view/bitmap.h"

namespace brindle::cli {
namespace {

using nlohmann::json;
using L = GaugeLayout;

// "FS2000", "FS98", "CFS", "CFS2" or the number 0..3.
bool ParseMode(const std::string& text, SimMode* mode) {
    static const std::pair<const char*, SimMode> kNames[] = {
        {"FS2000", kModeFS2000}, {"FS98", kModeFS98}, {"CFS", kModeCFS}, {"CFS2", kModeCFS2},
        {"0", kModeFS2000},      {"1", kModeFS98},    {"2", kModeCFS},   {"3", kModeCFS2}};
    for (const auto& [name, m] : kNames) {
        if (EqualsNoCase(text, name)) {
            *mode = m;
            return true;
        }
    }
    return false;
}

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
    if (!ParseMode(modeText, &mode)) {
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
    out["list"] = {{"ok", listed}, {"names", file.gaugeNames}};

    std::set<std::uint32_t> resources;
    json gauges = json::array();
    for (std::uint32_t header : module->GaugeHeaders(kMaxListedGauges)) {
        auto name = module->HeaderName(header);
        json g;
        g["name"] = name ? json(*name) : json(nullptr);
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
            written.push_back(file);
        }
        out["extracted"] = std::move(written);
    }
    std::cout << out.dump(2) << "\n";
    return kExitOk;
}

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
