// brindle-cli palette: the colour palette dialog: ReCalculate from a window's bitmap, Apply to
// entries, Delete, New Color, in that order, then OK. Prints the list as the dialog shows it.
#include <iostream>
#include <nlohmann/json.hpp>

#include "cli/commands.h"
#include "cli/panel_edit.h"
#include "dialogs/color_palette.h"
#include "panel/panel_json.h"
#include "platform/paths.h"

namespace brindle::cli {
namespace {

struct PaletteArgs : PanelEditArgs {
    std::optional<int> window;
    bool recalculate = false;
    std::vector<std::string> set, add;
    std::vector<int> remove;
};

int RunPalette(const PaletteArgs& a) {
    if (a.recalculate && !a.window) {
        std::cerr << "brindle-cli palette: --recalculate needs --window\n";
        return kExitUsage;
    }
    std::vector<std::vector<std::string>> sets, adds;
    std::vector<int> setIndex;
    for (const std::string& s : a.set) {
        std::size_t eq = s.find('=');
        auto rgb = eq == std::string::npos ? std::nullopt : SplitFields(s.substr(eq + 1), 3);
        int index = -1;
        try {
            index = eq == std::string::npos ? -1 : std::stoi(s.substr(0, eq));
        } catch (const std::exception&) {
        }
        if (!rgb || index < 0) {
            std::cerr << "brindle-cli palette: --set wants I=R,G,B\n";
            return kExitUsage;
        }
        setIndex.push_back(index);
        sets.push_back(*rgb);
    }
    for (const std::string& s : a.add) {
        auto rgb = SplitFields(s, 3);
        std::array<int, 3> v{};
        bool ok = rgb.has_value();
        for (int k = 0; ok && k < 3; ++k) {
            try {
                std::size_t used = 0;
                v[k] = std::stoi((*rgb)[k], &used);
                ok = used == (*rgb)[k].size() && v[k] >= 0 && v[k] <= 255;
            } catch (const std::exception&) {
                ok = false;
            }
        }
        if (!ok) {
            std::cerr << "brindle-cli palette: --add wants R,G,B, each 0 to 255\n";
            return kExitUsage;
        }
        adds.push_back(*rgb);
    }

    PanelEditSession session(a);
    if (!session.Open()) return kExitFailed;
    ColorPaletteEditor ed(session.panel);
    if (ed.UsesPaletteFile()) std::cerr << ed.PaletteFileNote() << "\n";
    auto refused = [&] { return kExitFailed; };
    if (a.recalculate) {
        if (*a.window < 0 || *a.window >= static_cast<int>(session.panel.windows.size())) {
            std::cerr << "brindle-cli palette: the panel has no window " << *a.window << "\n";
            return kExitFailed;
        }
        const PanelWindow& w = session.panel.windows[*a.window];
        if (!ed.ReCalculate(w.file ? JoinPath(session.panelFolder, *w.file) : std::string()))
            return refused();
    }
    for (std::size_t i = 0; i < sets.size(); ++i) {
        if (!ed.SelectEntry(setIndex[i])) {
            std::cerr << "There is no Color" << (setIndex[i] < 10 ? "0" : "") << setIndex[i]
                      << " in the list\n";
            return refused();
        }
        if (!ed.Apply({sets[i][0], sets[i][1], sets[i][2]})) return refused();
    }
    for (int index : a.remove) {
        if (!ed.SelectEntry(index)) {
            std::cerr << "There is no Color" << (index < 10 ? "0" : "") << index << " in the list\n";
            return refused();
        }
        ed.Delete();
    }
    for (const auto& rgb : adds) {
        if (!ed.AddColor(ColorEntry::FromRgb(static_cast<std::uint8_t>(std::stoi(rgb[0])),
                                             static_cast<std::uint8_t>(std::stoi(rgb[1])),
                                             static_cast<std::uint8_t>(std::stoi(rgb[2])))))
            return refused();
    }
    nlohmann::json lines = nlohmann::json::array();
    for (const auto& l : ed.Lines()) lines.push_back(l.text);
    std::cout << nlohmann::json{{"count", ed.Count()}, {"lines", lines}, {"modified", ed.Modified()}}.dump(2)
              << '\n';
    if (!ed.Modified()) return kExitOk;
    ed.Ok(session.panel);
    return session.Save() ? kExitOk : kExitFailed;
}

const CommandRegistration kPalette([](CLI::App& app, int* result) {
    auto* cmd = app.add_subcommand("palette", "The colour palette dialog: edit the 8-bit colour table");
    auto args = std::make_shared<PaletteArgs>();
    AddPanelEditOptions(cmd, *args, false);
    cmd->add_option("--window", args->window, "The window whose bitmap ReCalculate reads");
    cmd->add_flag("--recalculate", args->recalculate, "ReCalculate the table from the window's 8-bit bitmap");
    cmd->add_option("--set", args->set, "Apply R,G,B (as typed) to entry I: I=R,G,B (repeatable)");
    cmd->add_option("--delete", args->remove, "Delete entry I (repeatable)");
    cmd->add_option("--add", args->add, "New Color R,G,B (repeatable)");
    cmd->callback([=] { *result = RunPalette(*args); });
});

}  // namespace
}  // namespace brindle::cli
