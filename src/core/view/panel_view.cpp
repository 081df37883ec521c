#include "view/panel_view.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "gauges/gauge_loader.h"
#include "view/bitmap.h"

namespace brindle {

namespace {

// The scaled background is kept only up to this size; beyond it each paint scales the clip's part.
constexpr std::int64_t kMaxScaledBackgroundPixels = std::int64_t{8} * 1024 * 1024;

PixelRect Offset(const PixelRect& r, int dx, int dy) {
    return {r.left + dx, r.top + dy, r.right + dx, r.bottom + dy};
}

Pixel PixelOf(ColorEntry c) {
    return MakePixel(c.red(), c.green(), c.blue());
}

std::string Printf(const char* fmt, auto... args) {
    int n = std::snprintf(nullptr, 0, fmt, args...);
    if (n <= 0) return {};
    std::string out(static_cast<size_t>(n) + 1, '\0');
    std::snprintf(out.data(), out.size(), fmt, args...);
    out.resize(static_cast<size_t>(n));
    return out;
}

int TruncCoord(double d) {
    if (std::isnan(d)) return 0;
    return static_cast<int>(std::clamp(d, -double(1 << 28), double(1 << 28)));
}

}  // namespace

std::string ReadingGaugeText(const std::string& reference) {
    return "Reading " + reference;
}

ShownWindow ShownWindow::From(const PanelWindow& w, int index) {
    ShownWindow s;
    s.index = index;
    s.kind = w.kind();
    s.fixedNumber = w.fixedNumber;
    s.vcockpitNumber = w.vcockpitNumber;
    s.title = w.title.str();
    s.hasFile = w.file.has_value();
    s.hasFile1024 = w.file1024.has_value();
    s.backgroundColour = PixelOf(w.backgroundColor);
    s.sizeMmX = std::max(0, w.sizeMmX);
    s.sizeMmY = std::max(0, w.sizeMmY);
    s.sizeMmPresent = w.sizeMmPresent;
    s.sizeMmYPresent = w.sizeMmYPresent;
    return s;
}

std::string MainFrameTitle(bool panelLoaded, const std::string& currentFile, const std::string& lastTitle,
                           const ShownWindow* w) {
    if (!panelLoaded) return "Brindle";
    if (currentFile.empty()) return "Brindle - Untitled";
    if (!w) return "Brindle - " + currentFile;
    const char* last = lastTitle.c_str();
    const char* file = currentFile.c_str();
    switch (w->kind) {
        case WindowKind::Window:
            return Printf("Brindle - %s - \"%s\" - Window%02d, %s", last, w->title.c_str(), w->index, file);
        case WindowKind::FixedWindow:
            return Printf("Brindle - %s - \"%s\" - Fixed Window%02d, %s", last, w->title.c_str(),
                          w->fixedNumber, file);
        case WindowKind::Vcockpit:
            return Printf("Brindle - %s - VCockpit%02d, %s", last, w->vcockpitNumber, file);
    }
    return "Brindle";
}

std::string BackgroundBitmapPath(const PanelWindow& w, const Settings& settings) {
    const SimMode mode = settings.Mode();
    const std::string* name = nullptr;
    if (mode != kModeFS98 && settings.HighRes() && w.file1024) {
        name = &*w.file1024;
    } else if (w.file) {
        name = &*w.file;
    } else if (mode != kModeFS98 && w.file1024) {
        // Only the high-resolution name is given: better that bitmap than none.
        name = &*w.file1024;
    }
    if (!name) return {};
    std::optional<std::string> dir = DirectoryPart(settings.CurrentFile());
    return dir ? *dir + "\\" + *name : *name;
}

PanelView::PanelView(Settings& settings) : settings_(&settings), geometry_(settings) {}

bool PanelView::ShowPanelWindow(Panel& panel, int windowIndex, const GaugeLoadProgress& progress) {
    if (windowIndex < 0 || windowIndex >= static_cast<int>(panel.windows.size())) return false;
    PanelWindow& pw = panel.windows[static_cast<size_t>(windowIndex)];
    const SimMode mode = settings_->Mode();

    window_ = ViewWindow{};
    DropCaches();
    background_.reset();
    const int count = std::min<int>(static_cast<int>(pw.gauges.size()), kMaxViewGauges);
    window_.gauges.reserve(static_cast<size_t>(count));
    for (int nn = 0; nn < count; ++nn) {
        const GaugeEntry& entry = pw.gauges[static_cast<size_t>(nn)];
        ViewGauge g = ViewGauge::FromEntry(entry, nn, mode);
        g.comment = entry.comment;
        window_.gauges.push_back(std::move(g));
    }
    shown_ = ShownWindow::From(pw, windowIndex);

    LoadBackground(pw);

    ModuleCache cache;
    GaugeLoadOptions options = GaugeLoadOptionsFrom(*settings_);
    options.cache = &cache;
    if (progress) progress(0, count, {});
    for (int nn = 0; nn < count; ++nn) {
        ViewGauge& g = window_.gauges[static_cast<size_t>(nn)];
        if (progress) progress(nn, count, g.name);
        LoadGaugeImages(g, options, &pw.gauges[static_cast<size_t>(nn)]);
    }
    if (progress) progress(count, count, {});
    for (ViewGauge& g : window_.gauges) g.outlined = g.selected = g.deleted = g.focus = false;

    outlineMode_ = 0;
    moving_ = false;
    geometry_.SetWindowMetrics(window_.bitmapWidth, window_.bitmapHeight, window_.Scale);
    Fit();
    return true;
}

void PanelView::ShowRecords(ViewWindow window, const ShownWindow& info) {
    window_ = std::move(window);
    shown_ = info;
    DropCaches();
    background_.reset();
    if (!window_.data) UseBackgroundMetrics();
    outlineMode_ = 0;
    moving_ = false;
    geometry_.SetWindowMetrics(window_.bitmapWidth, window_.bitmapHeight, window_.Scale);
    Fit();
}

void PanelView::Clear() {
    window_ = ViewWindow{};
    shown_.reset();
    background_.reset();
    DropCaches();
    geometry_.SetWindowMetrics(0, 0, 1.0);
    InvalidateAll();
}

bool PanelView::ReloadBackground(PanelWindow& pw) {
    if (!shown_) return false;
    window_.data.reset();
    window_.colourCount = 0;
    background_.reset();
    // The window's scale may change with the bitmap's width, and the gauges are drawn at that scale.
    DropCaches();
    LoadBackground(pw);
    geometry_.SetWindowMetrics(window_.bitmapWidth, window_.bitmapHeight, window_.Scale);
    InvalidateAll();
    return window_.data.has_value();
}

void PanelView::LoadBackground(PanelWindow& pw) {
    window_.bitmapPath = BackgroundBitmapPath(pw, *settings_);
    if (!window_.bitmapPath.empty()) {
        BitmapFileRequest request;
        request.path = window_.bitmapPath;
        if (ReadBitmapFile(request, true) && request.data) {
            window_.bitmapWidth = request.data->Width();
            window_.bitmapHeight = request.data->Height();
            window_.colourCount = request.colours;
            window_.data = std::move(request.data);
            window_.Scale = (pw.sizeMmPresent && pw.sizeMmX > 0)
                                ? 1.0 / (static_cast<double>(pw.sizeMmX) / window_.bitmapWidth)
                                : 1.0;
            pw.bitmapWidth = window_.bitmapWidth;
            pw.bitmapHeight = window_.bitmapHeight;
            return;
        }
    }
    UseBackgroundMetrics();
}

void PanelView::UseBackgroundMetrics() {
    // Without a bitmap the window is drawn at its size_mm, one pixel per unit.
    if (!shown_) return;
    window_.bitmapWidth = shown_->sizeMmX;
    window_.bitmapHeight = shown_->sizeMmYPresent ? shown_->sizeMmY : shown_->sizeMmX;
    window_.Scale = 1.0;
}

void PanelView::StorePanelWindow(PanelWindow& pw) const {
    std::vector<GaugeEntry> entries;
    entries.reserve(window_.gauges.size());
    for (const ViewGauge& g : window_.gauges) {
        if (g.deleted) continue;
        GaugeEntry e;
        e.name = g.name;
        e.x = TruncCoord(g.x);
        e.y = TruncCoord(g.y);
        e.width = TruncCoord(g.Width());
        double h = g.Height();
        if (h == 0.0) {
            // The drawn height: element 0's pixel height at the gauge's scale.
            double ys = g.YScale() != 0.0 ? g.YScale() : g.XScale();
            h = g.slots[0].bitmapHeight * ys;
        }
        e.height = TruncCoord(h);
        e.bitmapLoaded = g.loaded;
        e.widthPresent = g.widthPresent;
        e.heightPresent = g.heightPresent;
        e.parameter = g.parameter;
        e.comment = g.comment;
        e.kept = g.kept;
        entries.push_back(std::move(e));
    }
    SetGauges(pw, std::move(entries));
}

void PanelView::RemoveGauge(int index) {
    if (index < 0 || index >= window_.GaugeCount()) return;
    ViewGauge& g = window_.gauges[static_cast<size_t>(index)];
    const Pixel colour = g.outlineColour;
    const bool focus = g.focus;
    g.outlineColour = kFocusRed;
    g.focus = true;
    PixelRect r = GaugeDirtyRect(index);
    r.right += 40;
    r.bottom += 40;
    Invalidate(r);
    if (invalidator_) invalidator_->UpdateNow();
    g.deleted = true;
    g.outlineColour = colour;
    g.focus = focus;
    Invalidate(r);
    if (invalidator_) invalidator_->UpdateNow();
    CompactGauges();
}

void PanelView::CompactGauges() {
    std::erase_if(window_.gauges, [](const ViewGauge& g) { return g.deleted; });
    for (size_t i = 0; i < window_.gauges.size(); ++i) window_.gauges[i].index = static_cast<int>(i);
}

PlacementParams PanelView::Placement() const {
    PlacementParams p;
    p.zoom = settings_->Zoom();
    p.scale = window_.Scale;
    p.scroll = geometry_.ScrollPosition();
    p.drawAll = settings_->DrawAllBitmaps() != 0;
    p.drawTypes = settings_->GaugeDrawTypes();
    return p;
}

PixelRect PanelView::GaugeRect(int index) {
    if (index < 0 || index >= window_.GaugeCount()) return {};
    return brindle::GaugeRect(window_.gauges[static_cast<size_t>(index)], Placement());
}

PixelRect PanelView::GaugeDirtyRect(int index) {
    if (index < 0 || index >= window_.GaugeCount()) return {};
    const PlacementParams p = Placement();
    ViewGauge& g = window_.gauges[static_cast<size_t>(index)];
    PixelRect r = brindle::GaugeRect(g, p);
    // Elements the filter shows beyond the rectangle's walk, the handles and the origin marker.
    const unsigned types = static_cast<unsigned>(p.drawTypes) | kElementStatic;
    auto add = [&r](const PixelRect& e) {
        if (e.Empty()) return;
        r = r.Empty() ? e
                      : PixelRect{std::min(r.left, e.left), std::min(r.top, e.top),
                                  std::max(r.right, e.right), std::max(r.bottom, e.bottom)};
    };
    if (!r.Empty()) {
        // Handles of a gauge smaller than themselves reach past its rectangle.
        const PixelRect g0 = r;
        add(PixelRect::FromSize(g0.left, g0.top, kHandleSize, kHandleSize));
        add({g0.right - kHandleSize, g0.bottom - kHandleSize, g0.right, g0.bottom});
    }
    if (p.drawAll) {
        for (int i = 1; i < kElementSlotCount; ++i) {
            const ElementSlot& s = g.slots[static_cast<size_t>(i)];
            if (!s.bitmap || !(s.typeFlag & types)) continue;
            if (auto e = brindle::ElementRect(g, i, p)) add(*e);
        }
    }
    const double zs = p.zoom * p.scale;
    add(PixelRect::FromSize(TruncCoord(zs * g.x) - p.scroll.x, TruncCoord(zs * g.y) - p.scroll.y, kHandleSize,
                            kHandleSize));
    return r;
}

std::optional<PixelRect> PanelView::ElementRect(int gauge, int slot) {
    if (gauge < 0 || gauge >= window_.GaugeCount()) return std::nullopt;
    return brindle::ElementRect(window_.gauges[static_cast<size_t>(gauge)], slot, Placement());
}

StretchQuality PanelView::Quality() const {
    return settings_->UseHalftoneBLT() ? StretchQuality::kHalftone : StretchQuality::kColorOnColor;
}

const Image* PanelView::BackgroundImage() {
    if (!window_.data) return nullptr;
    if (!background_) background_ = window_.data->Decode();
    return background_->Empty() ? nullptr : &*background_;
}

void PanelView::Paint(Image& out, ViewPoint origin, const PixelRect& clip) {
    const PixelRect c = clip.Intersect(PixelRect::FromSize(origin.x, origin.y, out.Width(), out.Height()));
    if (c.Empty()) return;
    const PixelRect ic = Offset(c, -origin.x, -origin.y);
    // The view's own colour only where the window's picture does not cover the clip.
    PixelRect covered;
    if (shown_) {
        const ViewPoint scroll = geometry_.ScrollPosition();
        const ViewSize size =
            ScrollSizesForZoom(settings_->Zoom(), window_.bitmapWidth, window_.bitmapHeight);
        covered = PixelRect::FromSize(-scroll.x, -scroll.y, size.width, size.height).Intersect(c);
    }
    if (covered.Empty()) {
        FillRect(out, ic, kViewBackground, ic);
    } else {
        const PixelRect k = Offset(covered, -origin.x, -origin.y);
        FillRect(out, {ic.left, ic.top, ic.right, k.top}, kViewBackground, ic);
        FillRect(out, {ic.left, k.bottom, ic.right, ic.bottom}, kViewBackground, ic);
        FillRect(out, {ic.left, k.top, k.left, k.bottom}, kViewBackground, ic);
        FillRect(out, {k.right, k.top, ic.right, k.bottom}, kViewBackground, ic);
    }
    if (shown_) {
        PaintBackground(out, origin, c);
        const PlacementParams p = Placement();
        const std::vector<int> markers = moving_ ? OriginMarkerGauges() : std::vector<int>{};
        for (int i = 0; i < window_.GaugeCount(); ++i) PaintGauge(i, out, origin, c, p, markers);
        PaintGrid(out, origin, c);
    }
    ViewPoint scroll = geometry_.ScrollPosition();
    window_.ScrollX = scroll.x;
    window_.ScrollY = scroll.y;
}

Image PanelView::PaintRect(const PixelRect& clip) {
    if (clip.Empty()) return {};
    Image out(clip.Width(), clip.Height(), kViewBackground);
    Paint(out, {clip.left, clip.top}, clip);
    return out;
}

Image PanelView::PaintWholeWindow() {
    ViewSize size = ScrollSizesForZoom(settings_->Zoom(), window_.bitmapWidth, window_.bitmapHeight);
    ViewPoint scroll = geometry_.ScrollPosition();
    return PaintRect(PixelRect::FromSize(-scroll.x, -scroll.y, size.width, size.height));
}

void PanelView::PaintBackground(Image& out, ViewPoint origin, const PixelRect& c) {
    const double zoom = settings_->Zoom();
    const ViewPoint scroll = geometry_.ScrollPosition();
    const ViewSize size = ScrollSizesForZoom(zoom, window_.bitmapWidth, window_.bitmapHeight);
    const PixelRect content = PixelRect::FromSize(-scroll.x, -scroll.y, size.width, size.height);
    const PixelRect ic = Offset(c, -origin.x, -origin.y);
    const PixelRect target = Offset(content, -origin.x, -origin.y);

    const Image* bg = BackgroundImage();
    if (!bg) {
        Pixel colour = settings_->Mode() == kModeFS98 ? kWhite : shown_->backgroundColour;
        FillRect(out, target, colour, ic);
        return;
    }
    if (size.width <= 0 || size.height <= 0) return;
    const StretchQuality quality = Quality();
    if (size.width == bg->Width() && size.height == bg->Height()) {
        BlitScaled(out, target.left, target.top, *bg, false, ic);
        return;
    }
    if (std::int64_t{size.width} * size.height <= kMaxScaledBackgroundPixels) {
        if (scaledBackground_.Width() != size.width || scaledBackground_.Height() != size.height ||
            scaledZoom_ != zoom || scaledQuality_ != quality) {
            scaledBackground_ = Image(size.width, size.height);
            StretchCopy(scaledBackground_, scaledBackground_.Bounds(), *bg, bg->Bounds(), quality,
                        scaledBackground_.Bounds());
            scaledZoom_ = zoom;
            scaledQuality_ = quality;
        }
        BlitScaled(out, target.left, target.top, scaledBackground_, false, ic);
        return;
    }
    StretchCopy(out, target, *bg, bg->Bounds(), quality, ic);
}

void PanelView::PaintGauge(int index, Image& out, ViewPoint origin, const PixelRect& c,
                           const PlacementParams& p, const std::vector<int>& markers) {
    ViewGauge& g = window_.gauges[static_cast<size_t>(index)];
    if (g.deleted) return;
    const PixelRect ic = Offset(c, -origin.x, -origin.y);

    std::optional<Pixel> asked;
    if (!g.HasAnyBitmap() || !g.loaded) {
        g.outlined = true;
        asked = g.placeholderColour;
    } else if (g.hidden) {
        asked = kHiddenGrey;
    } else if (drawGaugeBitmaps_) {
        const bool transparentGauges = settings_->TransparentGauges() != 0;
        const unsigned types = static_cast<unsigned>(p.drawTypes) | kElementStatic;
        const int slots = p.drawAll ? kElementSlotCount : 1;
        for (int i = 0; i < slots; ++i) {
            const ElementSlot& s = g.slots[static_cast<size_t>(i)];
            if (!s.bitmap || s.bitmap->Empty()) continue;
            if (p.drawAll && !(s.typeFlag & types)) continue;
            auto rect = brindle::ElementRect(g, i, p);
            if (!rect || rect->Intersect(c).Empty()) continue;
            const bool transparent = (s.typeFlag & kElementSprite) || (transparentGauges && s.transparent);
            // The transparent blit picks the nearest pixel whatever the stretch mode, so black stays
            // exactly black.
            const StretchQuality q = transparent ? StretchQuality::kColorOnColor : Quality();
            const PixelRect target = Offset(*rect, -origin.x, -origin.y);
            if (const ScaledBitmap* scaled =
                    elements_.Get(s.bitmap, rect->Width(), rect->Height(), q, transparent)) {
                BlitScaled(out, target.left, target.top, *scaled, transparent, ic);
            } else if (transparent) {
                TransparentStretch(out, target, *s.bitmap, ic);
            } else {
                StretchCopy(out, target, *s.bitmap, s.bitmap->Bounds(), q, ic);
            }
        }
    }

    if (!g.loaded || g.selected || g.hidden || g.outlined) {
        Pixel colour = asked.value_or(g.outlineColour);
        if (g.focus) colour = g.outlineColour == kFocusRed ? kFocusRed : kFocusGreen;
        PixelRect r = brindle::GaugeRect(g, p);
        if (!r.Empty() && !r.Intersect(c).Empty())
            DrawGaugeOutline(out, Offset(r, -origin.x, -origin.y), colour, g.focus, g.selected, ic);
    }
    if (std::find(markers.begin(), markers.end(), index) != markers.end()) {
        const double zs = p.zoom * p.scale;
        PixelRect m =
            PixelRect::FromSize(TruncCoord(zs * g.x) - p.scroll.x - origin.x,
                                TruncCoord(zs * g.y) - p.scroll.y - origin.y, kHandleSize, kHandleSize);
        FillRect(out, m, kOriginMarkerColour, ic);
    }
}

void PanelView::PaintGrid(Image& out, ViewPoint origin, const PixelRect& c) {
    if (!settings_->GridVisible()) return;
    const int g = settings_->GridSize();
    const double zoom = settings_->Zoom(), scale = window_.Scale;
    const double step = zoom * scale * g;
    if (g <= 0 || !(step > 0.0)) return;
    const ViewSize ext = GridExtent(window_.bitmapWidth, window_.bitmapHeight, scale);
    const GridDotShape shape = GridDotShapeFor(ext.width, g, zoom);
    const ViewPoint scroll = geometry_.ScrollPosition();
    const PixelRect ic = Offset(c, -origin.x, -origin.y);
    // Only the dots whose 3 x 3 reach meets the clip box (with its 2-pixel margin) are visited.
    auto first = [&](int lo, int s) {
        return std::max(0, static_cast<int>(std::floor((lo - 3.0 + s) / step)));
    };
    auto last = [&](int hi, int s) { return static_cast<int>(std::ceil((hi + 3.0 + s) / step)); };
    const int kx0 = first(c.left, scroll.x), kx1 = last(c.right, scroll.x);
    const int ky0 = first(c.top, scroll.y), ky1 = last(c.bottom, scroll.y);
    for (int ky = ky0; ky <= ky1 && std::int64_t{ky} * g < ext.height; ++ky) {
        for (int kx = kx0; kx <= kx1 && std::int64_t{kx} * g < ext.width; ++kx) {
            ViewPoint v = UnitsToView({kx * g, ky * g}, zoom, scale);
            DrawGridDot(out, v.x - scroll.x - origin.x, v.y - scroll.y - origin.y, shape, ic);
        }
    }
}

void PanelView::SetDrawGaugeBitmaps(bool on) {
    drawGaugeBitmaps_ = on;
    InvalidateAll();
}

void PanelView::CycleOutlineMode() {
    switch (outlineMode_) {
        case 0:
            for (ViewGauge& g : window_.gauges) g.outlined = true;
            outlineMode_ = 1;
            break;
        case 1:
            drawGaugeBitmaps_ = false;
            outlineMode_ = 2;
            break;
        case 2:
            for (ViewGauge& g : window_.gauges) g.outlined = false;
            outlineMode_ = 3;
            break;
        default:
            drawGaugeBitmaps_ = true;
            outlineMode_ = 0;
            break;
    }
    InvalidateAll();
}

void PanelView::SetOutlineMode(int mode) {
    if (mode < 0 || mode > 3) return;
    while (outlineMode_ != mode) CycleOutlineMode();
}

void PanelView::SetMovingGauges(bool moving) {
    if (moving_ == moving) return;
    moving_ = moving;
    for (int i : OriginMarkerGauges()) Invalidate(GaugeDirtyRect(i));
}

std::vector<int> PanelView::OriginMarkerGauges() const {
    std::vector<int> out;
    double best = 0;
    for (int i = 0; i < window_.GaugeCount(); ++i) {
        const ViewGauge& g = window_.gauges[static_cast<size_t>(i)];
        if (!g.selected || !g.loaded || g.deleted) continue;
        double d = std::sqrt(g.x * g.x + g.y * g.y);
        if (out.empty() || d < best) {
            out.assign(1, i);
            best = d;
        } else if (d == best) {
            out.push_back(i);
        }
    }
    return out;
}

void PanelView::ToggleTransparentGauges() {
    settings_->SetTransparentGauges(settings_->TransparentGauges() ? 0 : 1);
    InvalidateAll();
}

void PanelView::ToggleDrawAllBitmaps() {
    settings_->SetDrawAllBitmaps(settings_->DrawAllBitmaps() ? 0 : 1);
    InvalidateAll();
}

bool PanelView::ToggleElementType(int bit) {
    static constexpr int kToggleable =
        kElementIcon | kElementNeedle | kElementSlider | kElementSprite | kElementMovingImage;
    if (!ElementTypeToggleEnabled(*settings_) || (bit & kToggleable) == 0 || (bit & (bit - 1)) != 0)
        return false;
    settings_->SetGaugeDrawTypes(settings_->GaugeDrawTypes() ^ bit);
    InvalidateAll();
    return true;
}

void PanelView::ToggleGrid() {
    settings_->SetGridVisible(settings_->GridVisible() ? 0 : 1);
    InvalidateAll();
}

void PanelView::SetGridSize(int size) {
    settings_->SetGridSize(size);
    if (settings_->GridVisible()) InvalidateAll();
}

void PanelView::StretchQualityChanged() {
    DropCaches();
    InvalidateAll();
}

bool PanelView::CanHide() const {
    for (const ViewGauge& g : window_.gauges) {
        if (g.selected && g.hidden) return false;
    }
    return true;
}

bool PanelView::CanUnhide() const {
    bool anyHidden = false;
    for (const ViewGauge& g : window_.gauges) {
        if (!g.selected) continue;
        if (!g.hidden) return false;
        anyHidden = true;
    }
    return anyHidden;
}

void PanelView::HideSelected() {
    for (ViewGauge& g : window_.gauges) {
        if (g.selected) g.hidden = true;
    }
    InvalidateAll();
}

void PanelView::UnhideSelected() {
    for (ViewGauge& g : window_.gauges) {
        if (g.selected) g.hidden = false;
    }
    InvalidateAll();
}

bool PanelView::CanTestSkyColor() const {
    // A bitmap of more than 8 bits per pixel has no colour table whose entry 0 could be the sky.
    return shown_ && (shown_->hasFile || shown_->hasFile1024) && window_.data &&
           !window_.data->ColorTable().empty();
}

Pixel PanelView::SkyColor() const {
    return window_.data ? window_.data->FirstColor() : kBlack;
}

bool PanelView::SetSkyColor(Pixel colour) {
    if (!CanTestSkyColor()) return false;
    if (!window_.data->SetColorTableEntry(0, colour)) return false;
    background_.reset();
    scaledBackground_ = Image();
    InvalidateAll();
    return true;
}

ViewCommandState PanelView::CommandState(bool panelLoaded) const {
    ViewCommandState s;
    s.panelLoaded = panelLoaded && shown_.has_value();
    s.hasBitmapPath = !window_.bitmapPath.empty();
    s.backgroundLoaded = window_.data.has_value();
    s.bitmapWidth = window_.bitmapWidth;
    return s;
}

bool PanelView::ZoomIn() {
    if (!geometry_.ZoomIn()) return false;
    InvalidateAll();
    return true;
}

void PanelView::ZoomOut() {
    geometry_.ZoomOut();
    InvalidateAll();
}

void PanelView::Fit() {
    geometry_.Fit();
    InvalidateAll();
}

void PanelView::SetZoom(double zoom) {
    settings_->SetZoom(zoom);
    geometry_.ApplyScrollSizes();
    InvalidateAll();
}

void PanelView::DropCaches() {
    elements_.Clear();
    scaledBackground_ = Image();
    scaledZoom_ = 0;
}

void PanelView::InvalidateAll() {
    if (invalidator_) invalidator_->InvalidateAll();
}

void PanelView::Invalidate(const PixelRect& r) {
    if (invalidator_ && !r.Empty()) invalidator_->Invalidate(r);
}

}  // namespace brindle
