#include "panel/panel.h"

#include <utility>

namespace brindle {

const std::array<const char*, kViewCount> kViewPrefixes = {
    "view_forward_",
    "view_forward_right_",
    "view_right_",
    "view_rear_right_",
    "view_rear_",
    "view_rear_left_",
    "view_left_",
    "view_forward_left_",
    "view_up_",
    "view_forward_up_",
    "view_forward_right_up_",
    "view_right_up_",
    "view_rear_right_up_",
    "view_rear_up_",
    "view_rear_left_up_",
    "view_left_up_",
    "view_forward_left_up_",
    "view_down_",
    "view_aux_00_",
    "view_aux_01_",
    "view_aux_02_",
    "view_aux_03_",
    "view_aux_04_",
    "view_aux_05_",
};

namespace {

bool StartsWith(const std::string& whole, const std::string& start) {
    return whole.size() > start.size() && whole.compare(0, start.size(), start) == 0;
}

}  // namespace

const std::string& GaugeEntry::FullName() const {
    return kept.fullName && StartsWith(*kept.fullName, name.str()) ? *kept.fullName : name.str();
}

const std::string& GaugeEntry::FullParameter() const {
    return kept.fullParameter && StartsWith(*kept.fullParameter, parameter.str()) ? *kept.fullParameter
                                                                                  : parameter.str();
}

std::string KeyOfLine(std::string_view line) {
    std::size_t eq = line.find('=');
    std::string_view k = line.substr(0, eq);
    while (!k.empty() && (k.front() == ' ' || k.front() == '\t')) k.remove_prefix(1);
    while (!k.empty() && (k.back() == ' ' || k.back() == '\t' || k.back() == '\r')) k.remove_suffix(1);
    std::string key(k);
    for (char& c : key) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    if (key == "windowsize_ratio") key = "window_size_ratio";
    return key;
}

void ResetViews(Panel& panel) {
    for (int i = 0; i < kViewCount; ++i) {
        ViewEntry v;
        v.name = kViewPrefixes[i];
        panel.views[i] = v;
    }
    panel.forwardWindowsList.clear();
}

Panel EmptyPanel() {
    Panel p;
    ResetViews(p);
    return p;
}

bool CanAddTitledWindow(const Panel& panel) {
    return panel.windowCount < kMaxTitledWindows &&
           panel.windowCount + panel.vcockpitCount < kMaxPanelWindows;
}

bool CanAddVcockpit(const Panel& panel) {
    return panel.windowCount + panel.vcockpitCount < kMaxPanelWindows;
}

bool CanAddGauge(const PanelWindow& window) {
    return window.gaugeCount < kMaxGauges;
}

namespace {

int KindRank(const PanelWindow& w) {
    return w.vcockpit ? 2 : w.fixed ? 1 : 0;
}

}  // namespace

int InsertWindow(Panel& panel, PanelWindow window) {
    if (window.vcockpit ? !CanAddVcockpit(panel) : !CanAddTitledWindow(panel)) return -1;
    int rank = KindRank(window);
    int at = 0;
    int total = static_cast<int>(panel.windows.size());
    while (at < total && KindRank(panel.windows[at]) <= rank) ++at;
    panel.windows.insert(panel.windows.begin() + at, std::move(window));
    if (panel.windows[at].vcockpit) {
        ++panel.vcockpitCount;
    } else {
        ++panel.windowCount;
    }
    return at;
}

void RemoveWindow(Panel& panel, int index) {
    if (index < 0 || index >= static_cast<int>(panel.windows.size())) return;
    if (panel.windows[index].vcockpit) {
        --panel.vcockpitCount;
    } else {
        --panel.windowCount;
    }
    panel.windows.erase(panel.windows.begin() + index);
}

void CopyWindow(Panel& panel, int from, int to) {
    int n = static_cast<int>(panel.windows.size());
    if (from < 0 || from >= n || to < 0 || to >= n || from == to) return;
    panel.windows[to] = panel.windows[from];
}

bool AddGauge(PanelWindow& window, GaugeEntry gauge) {
    return InsertGauge(window, window.gaugeCount, std::move(gauge));
}

bool InsertGauge(PanelWindow& window, int index, GaugeEntry gauge) {
    if (!CanAddGauge(window) || index < 0 || index > static_cast<int>(window.gauges.size())) return false;
    window.gauges.insert(window.gauges.begin() + index, std::move(gauge));
    window.gaugeCount = static_cast<int>(window.gauges.size());
    return true;
}

bool RemoveGauge(PanelWindow& window, int index) {
    if (index < 0 || index >= static_cast<int>(window.gauges.size())) return false;
    window.gauges.erase(window.gauges.begin() + index);
    window.gaugeCount = static_cast<int>(window.gauges.size());
    return true;
}

void SetGauges(PanelWindow& window, std::vector<GaugeEntry> gauges) {
    if (gauges.size() > static_cast<std::size_t>(kMaxGauges)) gauges.resize(kMaxGauges);
    window.gauges = std::move(gauges);
    window.gaugeCount = static_cast<int>(window.gauges.size());
}

int StringPairCount(const Panel& panel) {
    int n = 0;
    while (n < kMaxStringPairs && panel.strings[n].name) ++n;
    return n;
}

bool PanelIsConsistent(const Panel& panel, std::string* why) {
    auto fail = [&](std::string text) {
        if (why) *why = std::move(text);
        return false;
    };
    if (panel.windowCount < 0 || panel.vcockpitCount < 0) return fail("negative window count");
    if (panel.windowCount > kMaxTitledWindows) return fail("more than 32 titled windows");
    if (panel.windowCount + panel.vcockpitCount > kMaxPanelWindows) return fail("more than 64 windows");
    if (static_cast<int>(panel.windows.size()) != panel.windowCount + panel.vcockpitCount)
        return fail("window list and counts differ");
    int lastRank = 0;
    for (int i = 0; i < static_cast<int>(panel.windows.size()); ++i) {
        const PanelWindow& w = panel.windows[i];
        if (w.vcockpit != (i >= panel.windowCount))
            return fail("window " + std::to_string(i) + " has the wrong kind");
        int rank = KindRank(w);
        if (rank < lastRank) return fail("window " + std::to_string(i) + " is out of kind order");
        lastRank = rank;
        if (w.gaugeCount != static_cast<int>(w.gauges.size()))
            return fail("window " + std::to_string(i) + ": gauge list and count differ");
        if (w.gaugeCount > kMaxGauges) return fail("window " + std::to_string(i) + ": more than 128 gauges");
    }
    if (panel.colorCount < -1 || panel.colorCount > kMaxColors) return fail("colour count out of range");
    return true;
}

}  // namespace brindle
