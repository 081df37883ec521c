#include "gauges/gauge_loader.h"

#include <cstdio>

#include "panel/panel.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "platform/printf.h"

namespace brindle {
namespace {

void Report(const std::string& text) {
    if (ShowAgainFlag()) ShowWarningWithOptOut(text);
}

void SetLoadedMarks(ViewGauge& g, GaugeEntry* entry, bool loaded) {
    g.loaded = loaded;
    if (entry) entry->bitmapLoaded = loaded;
}

void ApplyFallbackSize(ViewGauge& g, SimMode mode) {
    ElementSlot& s0 = g.slots[0];
    if (g.Width() == 0.0) {
        g.SetWidth(20.0, mode);
        g.SetHeight(20.0, mode);
        s0.bitmapWidth = 20;
        s0.bitmapHeight = 20;
    } else {
        int w = static_cast<int>(g.Width());
        if (s0.bitmapWidth == 0) s0.bitmapWidth = w;
        if (s0.bitmapHeight == 0) s0.bitmapHeight = w;
    }
}

}  // namespace

GaugeLoadOptions GaugeLoadOptionsFrom(const Settings& settings) {
    GaugeLoadOptions o;
    o.gaugesDir = settings.GaugesDir();
    o.highRes = settings.HighRes() != 0;
    o.mode = settings.Mode();
    return o;
}

bool LoadGaugeImages(ViewGauge& gauge, const GaugeLoadOptions& options, GaugeEntry* entry) {
    const int nn = gauge.index;
    GaugeReference ref = SplitGaugeReference(gauge.name);
    const std::string shownName = ref.gaugePart.value_or(gauge.name);

    for (auto& s : gauge.slots) s = ElementSlot{};
    gauge.loadStatus = kLoadOk;
    SetLoadedMarks(gauge, entry, true);
    if (entry) gauge.widthPresent = entry->widthPresent;

    const std::string path = GaugeModulePath(options.gaugesDir, ref.modulePart);
    auto notLoaded = [&](int status) {
        gauge.loadStatus = status;
        ApplyFallbackSize(gauge, options.mode);
        SetLoadedMarks(gauge, entry, false);
        return false;
    };
    if (!FileExists(path)) {
        Report(Printf("Can't Load a bitmap for Gauge %d.\n\n File \"%s\" does not exist", nn, path.c_str()));
        gauge.focus = true;
        return notLoaded(kLoadFileNotFound);
    }
    ModuleHandle module = options.cache ? options.cache->Get(path) : OpenModule(path);
    if (!module) {
        Report(Printf("Can't Load a bitmap for Gauge %d.\n\nFile \"%s\"\nCan't load Gauge DLL", nn,
                      path.c_str()));
        gauge.focus = true;
        return notLoaded(kLoadModuleNotLoadable);
    }

    GaugeInfo info;
    info.module = module;
    info.gaugeName = ref.gaugePart;
    int result = ref.gaugePart ? ReadNamedGauge(info, options.highRes) : ReadFirstGauge(info);
    if (result < 0) {
        int status = kLoadNoUsableBitmap;
        if (result == -2) {
            Report(
                Printf("No Bitmap found for Gauge%02d, '%s'.\n\nFile \"%s\" does not contain a static Bitmap "
                       "Resource",
                       nn, shownName.c_str(), path.c_str()));
            status = kLoadNoStaticBitmap;
        } else if (result == -100) {
            Report(Printf("Can't find Gauge%02d, '%s'.\n\nFile \"%s\" does not contain a Gauge named \"%s\"",
                          nn, shownName.c_str(), path.c_str(), shownName.c_str()));
            status = kLoadGaugeNotInModule;
        } else {
            Report(Printf(
                "Can't Load a bitmap for Gauge%02d, '%s'.\n\nFile \"%s\" does not contain a valid Bitmap "
                "Resource",
                nn, shownName.c_str(), path.c_str()));
        }
        return notLoaded(status);
    }

    for (int i = 0; i < kElementSlotCount; ++i) {
        ElementSlot& s = gauge.slots[static_cast<size_t>(i)];
        s.typeFlag = info.typeFlag[static_cast<size_t>(i)];
        s.resourceId = info.resourceId[static_cast<size_t>(i)];
        s.x = info.elementPosition[static_cast<size_t>(i)][0];
        s.y = info.elementPosition[static_cast<size_t>(i)][1];
        s.offsetX = info.elementOffset[static_cast<size_t>(i)][0];
        s.offsetY = info.elementOffset[static_cast<size_t>(i)][1];
        s.transparent = info.transparent[static_cast<size_t>(i)] != 0;
    }
    gauge.designWidth = info.designWidth;

    bool anyBitmap = false;
    for (auto& s : gauge.slots) {
        if (s.resourceId == 0) break;
        if (ImagePtr bmp = module->LoadBitmap(s.resourceId)) {
            s.bitmap = bmp;
            s.bitmapWidth = bmp->Width();
            s.bitmapHeight = bmp->Height();
            anyBitmap = true;
        }
    }
    if (gauge.slots[0].resourceId == 0 || !anyBitmap) {
        Report(Printf(
            "Can't Load a bitmap for Gauge%02d, '%s'.\n\nFile \"%s\" does not contain a valid bitmap in "
            "resource 0",
            nn, shownName.c_str(), path.c_str()));
        ElementSlot& s0 = gauge.slots[0];
        if (gauge.Width() == 0.0) {
            gauge.SetWidthOnly(20.0);
            s0.bitmapWidth = 20;
            s0.bitmapHeight = 20;
        } else {
            int w = static_cast<int>(gauge.Width());
            if (s0.bitmapWidth == 0) s0.bitmapWidth = w;
            if (s0.bitmapHeight == 0) s0.bitmapHeight = w;
        }
        SetLoadedMarks(gauge, entry, false);
        gauge.loadStatus = kLoadNoUsableBitmap;
    }

    HeaderIdentity identity;
    int designWidth = ReadHeaderIdentity(*module, ref.gaugePart, identity);
    gauge.internalName = identity.internalName;
    gauge.version = static_cast<int>(identity.version);
    if (gauge.Width() == 0.0 && designWidth > 0 && designWidth < 2000)
        gauge.SetWidth(designWidth, options.mode);

    // The list was built (through the setters) before the bitmaps were known, so the scales still
    // assume an element 0 of unknown size; bring them in step with the loaded element 0 now.
    if (gauge.loadStatus == kLoadOk) gauge.SetWidth(gauge.Width(), options.mode);
    gauge.widthPresent = true;
    return true;
}

}  // namespace brindle
