#include "app/window_commands.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <utility>

#include "document/text_editor.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "view/panel_view.h"

namespace brindle {

namespace {

bool ValidIndex(const Panel& panel, int index) {
    return index >= 0 && index < static_cast<int>(panel.windows.size());
}

// The whole ident as a decimal number (an optional sign allowed), else nullopt.
std::optional<long long> IdentNumber(const std::string& ident) {
    const char* first = ident.data();
    const char* last = first + ident.size();
    if (first != last && *first == '+') ++first;
    long long value = 0;
    auto [end, ec] = std::from_chars(first, last, value);
    if (ec != std::errc() || end != last || first == last) return std::nullopt;
    return value;
}

// Shows `index` and fits it, without touching the window shown before.
void Show(Panel& panel, Settings& settings, ViewSync& view, int index) {
    settings.SetLastWindow(index);
    view.ShowPanelWindow(panel, index);
    view.Fit();
    view.Redraw();
}

}  // namespace

bool SwitchToWindow(Panel& panel, Settings& settings, ViewSync& view, int index, bool commit) {
    if (!ValidIndex(panel, index)) return false;
    const int current = settings.LastWindow();
    if (commit && ValidIndex(panel, current)) view.StorePanelWindow(panel.windows[current]);
    Show(panel, settings, view, index);
    return true;
}

int MainPanelWindow(const Panel& panel) {
    const int titled = std::min<int>(panel.windowCount, static_cast<int>(panel.windows.size()));
    for (int i = 0; i < titled; ++i) {
        const PanelWindow& w = panel.windows[i];
        if (w.vcockpit) continue;
        if (EqualsNoCase(w.ident.str(), "MAIN_PANEL") || (w.ident == "0" && w.visible != 0)) return i;
    }
    int best = -1;
    long long bestIdent = 0;
    for (int i = 0; i < titled; ++i) {
        const PanelWindow& w = panel.windows[i];
        if (w.vcockpit || w.visible == 0) continue;
        std::optional<long long> n = IdentNumber(w.ident.str());
        if (n && (best < 0 || *n < bestIdent)) {
            best = i;
            bestIdent = *n;
        }
    }
    return best;
}

NewWindowFields DefaultNewWindowFields(const Panel& panel, SimMode mode) {
    NewWindowFields f;
    if (mode == kModeFS98) return f;
    const int main = MainPanelWindow(panel);
    if (main >= 0 && panel.windows[main].sizeMmX > 0)
        f.sizeMm = static_cast<int>(std::trunc(panel.windows[main].sizeMmX * f.sizeX));
    return f;
}

PanelWindow MakeNewWindow(const NewWindowFields& f, SimMode mode, int windowCount) {
    PanelWindow w;
    w.setKind(WindowKind::Window);
    w.title = f.title;
    w.visible = f.visible ? 1 : 0;
    w.position = f.position;
    w.windowSizeRatio = f.ratio;
    w.windowSizeRatioPresent = true;
    w.sizeMmX = f.sizeMm;
    w.sizeMmPresent = true;
    if (f.useBitmap) {
        w.file = f.bitmapFile;
        w.file1024 = f.bitmapFile;
    } else {
        w.backgroundColor = ColorEntry{f.colour};
        w.backgroundColorPresent = true;
    }
    if (mode == kModeFS98) {
        w.sizeMmYPresent = true;
    } else {
        w.windowPos = RealPair{f.posX, f.posY};
        w.windowPosPresent = true;
        w.windowSize = RealPair{f.sizeX, f.sizeY};
        w.windowSizePresent = f.sizeX > 0.0 && f.sizeY > 0.0;
    }
    w.ident = std::to_string((static_cast<long long>(windowCount) + 1) * 10);
    return w;
}

std::string NewWindowIdent(const Panel& panel) {
    const int titled = std::min<int>(panel.windowCount, static_cast<int>(panel.windows.size()));
    auto inUse = [&](long long number) {
        const std::string text = std::to_string(number);
        for (int i = 0; i < titled; ++i) {
            const PanelWindow& w = panel.windows[i];
            if (EqualsNoCase(w.ident.str(), text) || (w.fixed && w.fixedNumber == number)) return true;
        }
        return false;
    };
    // Two windows with one ident could not be told apart by the simulator, nor by the IDENT rules.
    long long number = (static_cast<long long>(panel.windowCount) + 1) * 10;
    while (inUse(number)) number += 10;
    return std::to_string(number);
}

int AddNewWindow(Panel& panel, Settings& settings, ViewSync& view, const NewWindowDialog& dialog) {
    const int current = settings.LastWindow();
    if (ValidIndex(panel, current)) view.StorePanelWindow(panel.windows[current]);
    // Better said before the user fills in the dialog than after.
    if (!CanAddTitledWindow(panel)) {
        ShowWarning(kNoRoomForWindow);
        return -1;
    }
    std::optional<NewWindowFields> fields = dialog ? dialog() : std::nullopt;
    if (!fields) return -1;
    // Plain Windows come first in the list, so this lands after the last of them.
    PanelWindow window = MakeNewWindow(*fields, settings.Mode(), panel.windowCount);
    window.ident = NewWindowIdent(panel);
    const int at = InsertWindow(panel, std::move(window));
    if (at < 0) return -1;
    // Showing another window forgets the undo step, which belonged to the old window's gauges.
    Show(panel, settings, view, at);
    return at;
}

bool DeleteCurrentWindow(Panel& panel, Settings& settings, ViewSync& view) {
    const int current = settings.LastWindow();
    if (panel.windowCount == 1 || panel.windows.size() <= 1) {
        ShowWarning(kCantDeleteOnlyWindow);
        return false;
    }
    if (!ValidIndex(panel, current)) return false;
    if (AskQuestion(QuestionKind::OkCancel, kAskDeleteWindow) != Answer::Ok) return false;
    settings.SetLastWindow(0);
    view.ClearView();
    RemoveWindow(panel, current);
    Show(panel, settings, view, 0);
    return true;
}

std::string ShownBackgroundPath(const Panel& panel, int index, const Settings& settings) {
    return ValidIndex(panel, index) ? BackgroundBitmapPath(panel.windows[index], settings) : std::string{};
}

ProgramRunner SystemProgramRunner() {
    return [](const std::vector<std::string>& argv, std::string& error) { return RunAndWait(argv, error); };
}

bool EditWindowBitmap(const std::string& bitmapPath, const std::string& paintProgram,
                      const ProgramRunner& run) {
    if (paintProgram.size() < 4) return false;
    auto stamp = [&] { return FileExists(bitmapPath) ? FileModificationTime(bitmapPath) : std::nullopt; };
    const std::optional<std::int64_t> before = stamp();
    if (!before) {
        ShowWarning(kCantReadBitmapFile);
        return false;
    }
    // An argument vector needs no quotes around the path; the program gets the file's real name.
    std::string error;
    if (!run || !run({paintProgram, ResolvePath(bitmapPath)}, error)) {
        std::string name = FileNamePart(paintProgram).value_or(paintProgram);
        ShowWarning("Can't launch Paint Program \"" + name + "\" : " + error);
    }
    const std::optional<std::int64_t> after = stamp();
    if (!after) {
        ShowWarning(kCantReadBitmapFile);
        return false;
    }
    return *after != *before;
}

}  // namespace brindle
