#include "gauges/export.h"

#include <cerrno>
#include <cstdlib>
#include <vector>

#include "app/settings.h"
#include "platform/messages.h"
#include "platform/paths.h"

namespace brindle {

const std::array<const char*, kStockGaugeCount> kStockGaugeNames = {
    "737-400.ADI.GAU",
    "737-400.AIRSPEED.GAU",
    "737-400.ALTIMETER.GAU",
    "737-400.AUTOPILOT.GAU",
    "737-400.CLOCK-SIM-RATE.GAU",
    "737-400.CONTROLS.1.GAU",
    "737-400.CONTROLS.2.GAU",
    "737-400.CONTROLS.3.GAU",
    "737-400.CONTROLS.4.GAU",
    "737-400.CONTROLS.GAU",
    "737-400.ENGINE-START.1.GAU",
    "737-400.ENGINE-START.2.GAU",
    "737-400.ENGINE-START.3.GAU",
    "737-400.ENGINE-START.4.GAU",
    "737-400.ENGINE-START.GAU",
    "737-400.FLAPS.GAU",
    "737-400.FUEL-QUANTITY.GAU",
    "737-400.GAU",
    "737-400.HSI.GAU",
    "737-400.LANDING-GEAR.GAU",
    "737-400.MAIN-SET.1.GAU",
    "737-400.MAIN-SET.13.GAU",
    "737-400.MAIN-SET.2.GAU",
    "737-400.MAIN-SET.34.GAU",
    "737-400.MAIN-SET.GAU",
    "737-400.NWS.GAU",
    "737-400.OIL.1.GAU",
    "737-400.OIL.13.GAU",
    "737-400.OIL.2.GAU",
    "737-400.OIL.34.GAU",
    "737-400.OIL.GAU",
    "737-400.OMI.GAU",
    "737-400.RADIO-STACK.GAU",
    "737-400.RMI.GAU",
    "737-400.STROB-NAV-SWITCH.GAU",
    "737-400.VERTICAL-SPEED.GAU",
    "737-400.WARNING_ENUNCIATORS.1.GAU",
    "737-400.WARNING_ENUNCIATORS.13.GAU",
    "737-400.WARNING_ENUNCIATORS.2.GAU",
    "737-400.WARNING_ENUNCIATORS.34.GAU",
    "737-400.WARNING_ENUNCIATORS.GAU",
    "737-400.X-FEED.GAU",
    "BELL_206B.AIRSPEED.GAU",
    "BELL_206B.ALTIMETER.GAU",
    "BELL_206B.CLOCK.GAU",
    "BELL_206B.CONTROL_SURFACES.GAU",
    "BELL_206B.FUEL_QUANTITY.GAU",
    "BELL_206B.GAS_PRODUCER.GAU",
    "BELL_206B.GAU",
    "BELL_206B.GENERATOR_FUEL_PSI.GAU",
    "BELL_206B.OIL.GAU",
    "BELL_206B.ROTOR.GAU",
    "BELL_206B.TEMPERATURE.GAU",
    "BELL_206B.TORQUE.GAU",
    "BELL_206B.TRANSMISSION.GAU",
    "BELL_206B.TURBINE_TEMPERATURE.GAU",
    "BELL_206B.TURN_INDICATOR.GAU",
    "BELL_206B.VERTICAL_SPEED.GAU",
    "BENDIX_KING.ADF.MODEL_A.GAU",
    "BENDIX_KING.ADF.MODEL_B.GAU",
    "BENDIX_KING.ADF.SLAVED.GAU",
    "BENDIX_KING.DME.GAU",
    "BENDIX_KING.HSI.GAU",
    "BENDIX_KING.VOR1.GAU",
    "BENDIX_KING.VOR2.GAU",
    "BENDIX_KING_RADIO.ADF.GAU",
    "BENDIX_KING_RADIO.AP.GAU",
    "BENDIX_KING_RADIO.DME.GAU",
    "BENDIX_KING_RADIO.GAU",
    "BENDIX_KING_RADIO.NAV_COMM_1.GAU",
    "BENDIX_KING_RADIO.NAV_COMM_2.GAU",
    "BENDIX_KING_RADIO.XPNDR.GAU",
    "BENDIX_KING_RADIOS_OPEN.GAU",
    "BF109E.GAU",
    "BOEING777-300.GAU",
    "CESSNA.GAU",
    "CESSNA182IFR.GAU",
    "CESSNA182RG.GAU",
    "CESSNA182S.GAU",
    "CESSNA_182.AIRSPEED.GAU",
    "CESSNA_182.ALTIMETER.GAU",
    "CESSNA_182.ATTITUDE.GAU",
    "CESSNA_182.CONTROLS.GAU",
    "CESSNA_182.DIRECTIONAL_GYRO.GAU",
    "CESSNA_182.EGT_CHT.1.GAU",
    "CESSNA_182.EGT_CHT.2.GAU",
    "CESSNA_182.EGT_CHT.3.GAU",
    "CESSNA_182.EGT_CHT.4.GAU",
    "CESSNA_182.EGT_CHT.GAU",
    "CESSNA_182.FUEL_QUANTITY.GAU",
    "CESSNA_182.MANIFOLD_PRESSURE_FUEL_FLOW.1.GAU",
    "CESSNA_182.MANIFOLD_PRESSURE_FUEL_FLOW.2.GAU",
    "CESSNA_182.MANIFOLD_PRESSURE_FUEL_FLOW.3.GAU",
    "CESSNA_182.MANIFOLD_PRESSURE_FUEL_FLOW.4.GAU",
    "CESSNA_182.MANIFOLD_PRESSURE_FUEL_FLOW.GAU",
    "CESSNA_182.OIL.1.GAU",
    "CESSNA_182.OIL.2.GAU",
    "CESSNA_182.OIL.3.GAU",
    "CESSNA_182.OIL.4.GAU",
    "CESSNA_182.OIL.GAU",
    "CESSNA_182.OMI.GAU",
    "CESSNA_182.RPM.1.GAU",
    "CESSNA_182.RPM.2.GAU",
    "CESSNA_182.RPM.3.GAU",
    "CESSNA_182.RPM.4.GAU",
    "CESSNA_182.RPM.GAU",
    "CESSNA_182.SUCTION.GAU",
    "CESSNA_182.SWITCHES.GAU",
    "CESSNA_182.TIMER.GAU",
    "CESSNA_182.TURN_COORDINATOR.GAU",
    "CESSNA_182.VACUUM_AMPS.GAU",
    "CESSNA_182.VERTICAL_SPEED.GAU",
    "CESSNA_182_RG.CONTROLS.GAU",
    "CESSNA_182_RG.FUEL.GAU",
    "CESSNA_182_RG.OIL.1.GAU",
    "CESSNA_182_RG.OIL.2.GAU",
    "CESSNA_182_RG.OIL.3.GAU",
    "CESSNA_182_RG.OIL.4.GAU",
    "CESSNA_182_RG.OIL.GAU",
    "CONCORDE.GAU",
    "EXTRA-300.ACRO-TANK.GAU",
    "EXTRA-300.AIRSPEED.GAU",
    "EXTRA-300.ALTIMETER.GAU",
    "EXTRA-300.AMPS.GAU",
    "EXTRA-300.ATTITUDE.GAU",
    "EXTRA-300.CONTROLS.GAU",
    "EXTRA-300.CONTROL_SURFACES.GAU",
    "EXTRA-300.DIRECTIONAL-GYRO.GAU",
    "EXTRA-300.EGT.GAU",
    "EXTRA-300.FUEL-FLOW-GPH.GAU",
    "EXTRA-300.G-METER.GAU",
    "EXTRA-300.GAU",
    "EXTRA-300.IGNITION.GAU",
    "EXTRA-300.MANIFOLD-PRESSURE-FUEL-FLOW.GAU",
    "EXTRA-300.OIL-PRESSURE-TEMPATURE.GAU",
    "EXTRA-300.SWITCHES.GAU",
    "EXTRA-300.TACHOMETER.GAU",
    "EXTRA-300.TIMER.GAU",
    "EXTRA-300.TURN-COORDINATOR.GAU",
    "EXTRA-300.VERTICAL-SPEED.GAU",
    "EXTRA-300.WING-TANK.GAU",
    "EXTRA-300.WISKEY-COMPASS.GAU",
    "FW190A.GAU",
    "GENERIC.AIRSPEED.GAU",
    "GENERIC.CONTROLS.1.GAU",
    "GENERIC.CONTROLS.2.GAU",
    "GENERIC.CONTROLS.3.GAU",
    "GENERIC.CONTROLS.4.GAU",
    "GENERIC.NUMBER.1.GAU",
    "GENERIC.NUMBER.2.GAU",
    "GENERIC.NUMBER.3.GAU",
    "GENERIC.NUMBER.4.GAU",
    "GPS.GAU",
    "HURRICANE_1.GAU",
    "KINGAIR.GAU",
    "KINGAIR_RADIO.GAU",
    "LEAR_45.AOA.GAU",
    "LEAR_45.AUTOPILOT.GAU",
    "LEAR_45.CHRONOMETER.GAU",
    "LEAR_45.CONTROL_SURFACES.GAU",
    "LEAR_45.EICAS.1.GAU",
    "LEAR_45.EICAS.13.GAU",
    "LEAR_45.EICAS.2.GAU",
    "LEAR_45.EICAS.34.GAU",
    "LEAR_45.EICAS.GAU",
    "LEAR_45.ELEVATOR-TRIM.GAU",
    "LEAR_45.FLAPS.GAU",
    "LEAR_45.GAU",
    "LEAR_45.GEAR.GAU",
    "LEAR_45.LIGHT_SWITCHES.GAU",
    "LEAR_45.PFD.GAU",
    "LEAR_45.RADIO_STACK.GAU",
    "LEAR_45.SPOILER.GAU",
    "LEAR_45.THRUST_LEVERS.1.GAU",
    "LEAR_45.THRUST_LEVERS.2.GAU",
    "LEAR_45.THRUST_LEVERS.3.GAU",
    "LEAR_45.THRUST_LEVERS.4.GAU",
    "LEAR_45.THRUST_LEVERS.GAU",
    "LEAR_45.WARNING_ENUNCIATORS.GAU",
    "MAGNETIC_COMPASS.GAU",
    "MINICONTROLS.GAU",
    "MOONEY_BRAVO.GAU",
    "P47D.GAU",
    "P51D.GAU",
    "SCHWEIZER.AIRSPEED.GAU",
    "SCHWEIZER.ALTIMETER.GAU",
    "SCHWEIZER.COM-RADIO.GAU",
    "SCHWEIZER.COMPASS.GAU",
    "SCHWEIZER.GAU",
    "SCHWEIZER.MASTER.GAU",
    "SCHWEIZER.VERTICAL-SPEED.GAU",
    "SOPWITH.AIRSPEED.GAU",
    "SOPWITH.ALTIMETER.GAU",
    "SOPWITH.COMPASS.GAU",
    "SOPWITH.FUEL.GAU",
    "SOPWITH.GAU",
    "SOPWITH.MAGNETOS.GAU",
    "SOPWITH.OIL-PRESSURE.GAU",
    "SOPWITH.RPM-INDICATOR.GAU",
    "SOPWITH.TURN-COORDINATOR.GAU",
    "SPITFIRE_MKI.GAU",
    "HUD.gau",
    "a6m2_zero.gau",
    "a6m5_zero.gau",
    "cfs2hud.gau",
    "cfshud.gau",
    "f4f4_wildcat.gau",
    "f4u1a_corsair.gau",
    "f6f3_hellcat.gau",
    "lso.gau",
    "n1k2j_george.gau",
    "p38f_lightning.gau",
};

bool IsStockGauge(const std::string& moduleFileName) {
    for (const char* name : kStockGaugeNames)
        if (EqualsNoCase(moduleFileName, name)) return true;
    return false;
}

std::string GaugeModuleFileName(const std::string& gaugeName) {
    std::size_t bang = gaugeName.rfind('!');
    return (bang == std::string::npos ? gaugeName : gaugeName.substr(0, bang)) + ".gau";
}

namespace {

std::string LastComponent(const std::string& path) {
    return FileNamePart(path).value_or(path);
}

// A bitmap name from the panel file, as a path below the export's "Panel" folder. Sub-folders are
// kept (and made) so that the copied panel.cfg still finds the file; a name that would lead out of
// the folder ("..", a drive, a leading separator) lands directly in it instead.
std::string BitmapTarget(const std::string& panelDir, const std::string& file) {
    std::vector<std::string> parts;
    bool safe = !file.empty() && !IsPathSep(file.front()) && file.find(':') == std::string::npos;
    for (std::size_t pos = 0; safe && pos <= file.size();) {
        std::size_t next = file.find_first_of("\\/", pos);
        if (next == std::string::npos) next = file.size();
        std::string part = file.substr(pos, next - pos);
        if (part == "..") safe = false;
        if (!part.empty() && part != ".") parts.push_back(part);
        pos = next + 1;
    }
    if (!safe || parts.empty()) return JoinPath(panelDir, LastComponent(file));
    std::string target = panelDir;
    for (std::size_t i = 0; i + 1 < parts.size(); ++i) {
        target = JoinPath(target, parts[i]);
        MakeDirectory(target);
    }
    return JoinPath(target, parts.back());
}

// Creates `path` unless it is there; false when it is missing and can't be made.
bool EnsureFolder(const std::string& path) {
    int error = 0;
    return MakeDirectory(path, &error) || error == EEXIST;
}

}  // namespace

PanelExportResult ExportPanel(const Panel& panel, const PanelExportOptions& options) {
    PanelExportResult result;
    const std::string& dest = options.destination;
    if (!DirectoryExists(dest) && (!MakeDirectory(dest) || !DirectoryExists(dest))) {
        ShowWarning("Can't access the destination directory!");
        return result;
    }
    std::string panelDir = JoinPath(dest, "Panel"), gaugesDir = JoinPath(dest, "Gauges");
    if (!EnsureFolder(panelDir)) {
        ShowWarning("Couldn't create the \"Panel\" directory!");
        return result;
    }
    if (!EnsureFolder(gaugesDir)) {
        ShowWarning("Couldn't create the \"Gauges\" directory!");
        return result;
    }
    result.exported = true;
    auto copy = [&](const std::string& from, const std::string& to, const std::string& failure) {
        if (options.onFile) options.onFile(to);
        if (CopyFileBytes(from, to)) {
            ++result.copied;
        } else {
            ++result.failed;
            ShowWarning(failure);
        }
    };

    // The file on disk: edits not yet saved are not part of the export.
    copy(JoinPath(options.panelFolder, "Panel.cfg"), JoinPath(panelDir, "Panel.cfg"),
         "Copy of \"Panel.cfg\" Failed!");

    int titled = std::min<int>(panel.windowCount, static_cast<int>(panel.windows.size()));
    std::string lastTarget;
    for (int w = 0; w < titled; ++w) {
        if (options.onWindow) options.onWindow(w + 1, titled);
        const PanelWindow& window = panel.windows[w];
        for (const OwnedText* file : {&window.file, &window.file1024}) {
            if (!*file || (*file)->empty()) continue;
            copy(JoinPath(options.panelFolder, **file), BitmapTarget(panelDir, **file),
                 "Copy of file \"" + **file + "\" Failed!");
        }
        for (const GaugeEntry& gauge : window.gauges) {
            std::string module = GaugeModuleFileName(gauge.name.str());
            if (options.excludeStandard && IsStockGauge(module)) continue;
            std::string target = JoinPath(gaugesDir, LastComponent(module));
            // A run of gauges from one module copies it once.
            if (EqualsNoCase(target, lastTarget)) continue;
            lastTarget = target;
            copy(JoinPath(options.gaugesDir, module), target, "Copy of Gauge \"" + module + "\" Failed!");
        }
    }
    return result;
}

std::string DefaultExportDestination() {
#ifdef _WIN32
    return "C:\\";
#else
    const char* home = std::getenv("HOME");
    return home && *home ? home : "/";
#endif
}

std::optional<std::string> PanelExportDialogLogic::Browsed(const std::optional<std::string>& chosen) {
    destinationDir = chosen.value_or("");
    return chosen;
}

PanelExportResult PanelExportDialogLogic::Ok(const std::string& editText, const Panel& panel,
                                             PanelExportOptions options) {
    destinationDir = editText.substr(0, std::min(editText.size(), kMaxDestinationLength));
    if (destinationDir.empty()) return {};
    options.destination = destinationDir;
    options.excludeStandard = excludeStandard;
    return ExportPanel(panel, options);
}

}  // namespace brindle
