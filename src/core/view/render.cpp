#include "view/render.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace brindle {

namespace {

// Coordinates far outside any image, but with room to add a width without overflow.
constexpr double kCoordLimit = 1 << 28;

int ClampedTrunc(double d) {
    if (std::isnan(d)) return 0;
    return static_cast<int>(std::clamp(d, -kCoordLimit, kCoordLimit));
}

}  // namespace

std::optional<PixelRect> ElementRect(ViewGauge& gauge, int slot, const PlacementParams& p) {
    if (slot < 0 || slot >= kElementSlotCount) return std::nullopt;
    const double width = gauge.Width();
    const double height = gauge.Height();
    if (!(width > 0.0)) return std::nullopt;
    const ElementSlot& s0 = gauge.slots[0];
    const ElementSlot& e = gauge.slots[static_cast<size_t>(slot)];

    double xs = gauge.XScale(), ys = gauge.YScale();
    if (xs == 0.0) {
        xs = s0.bitmapWidth != 0 ? width / s0.bitmapWidth : 1.0;
        ys = (height != 0.0 && s0.bitmapHeight != 0) ? height / s0.bitmapHeight : xs;
        xs = std::fabs(xs);
        ys = std::fabs(ys);
        gauge.SetScales(xs, ys);
    }
    if (ys == 0.0) ys = xs;
    const double zs = p.zoom * p.scale;
    const double sx = xs * zs, sy = ys * zs;

    double px = e.x, py = e.y;
    if (e.typeFlag & (kElementNeedle | kElementSprite)) {
        px -= e.offsetX;
        py -= e.offsetY;
    }

    // Element positions are in design pixels: the gauge's design width spread over its width. A
    // module without a usable design width is taken to be designed at its static image's size.
    double design = gauge.designWidth > 0.0 ? gauge.designWidth : static_cast<double>(s0.bitmapWidth);
    double ux = design > 0.0 ? width / design : xs;
    double uy = ux;
    if (height != 0.0 && s0.bitmapWidth > 0 && s0.bitmapHeight > 0 && design > 0.0) {
        uy = height / (s0.bitmapHeight / (s0.bitmapWidth / design));
    }
    if (gauge.version == 610 && s0.bitmapWidth > 0 && design > 0.0) {
        // FS98 modules place their elements in the static image's own pixels.
        double k = s0.bitmapWidth / design;
        ux /= k;
        uy /= k;
    }
    const double ox = px * ux + gauge.x;
    const double oy = py * uy + gauge.y;

    int left = ClampedTrunc(zs * ox) - p.scroll.x;
    int top = ClampedTrunc(zs * oy) - p.scroll.y;
    int w = ClampedTrunc(e.bitmapWidth * sx);
    int h = ClampedTrunc(e.bitmapHeight * sy);
    if (h == 0 && w >= 1) h = w;
    if (w == 0 && h >= 1) w = h;
    if (w <= 0 || h <= 0) return std::nullopt;
    return PixelRect::FromSize(left, top, w, h);
}

PixelRect GaugeRect(ViewGauge& gauge, const PlacementParams& p) {
    auto r0 = ElementRect(gauge, 0, p);
    if (!r0) return {};
    PixelRect r = *r0;
    if (!p.drawAll) return r;
    const unsigned types = static_cast<unsigned>(p.drawTypes) | kElementStatic;
    for (int i = 1; i < kElementSlotCount; ++i) {
        const ElementSlot& s = gauge.slots[static_cast<size_t>(i)];
        if (!s.bitmap || !(s.typeFlag & types)) break;
        if (auto ri = ElementRect(gauge, i, p)) {
            r = {std::min(r.left, ri->left), std::min(r.top, ri->top), std::max(r.right, ri->right),
                 std::max(r.bottom, ri->bottom)};
        }
    }
    return r;
}

void DrawGaugeOutline(Image& dst, const PixelRect& rect, Pixel colour, bool cross, bool handles,
                      const PixelRect& clip) {
    if (rect.Empty()) return;
    const int l = rect.left, t = rect.top, r = rect.right, b = rect.bottom;
    // The pen runs through (l + 1, t + 1) and (r - 2, b - 2), both corners included.
    if (r - 1 > l + 1 && b - 1 > t + 1) {
        FrameRect(dst, {l + 1, t + 1, r - 1, b - 1}, colour, clip);
        if (cross) {
            DrawLine(dst, l + 1, t + 1, r - 2, b - 2, colour, clip, true);
            DrawLine(dst, r - 2, t + 1, l + 1, b - 2, colour, clip, true);
        }
    }
    if (handles) {
        FillRect(dst, {l, t, l + kHandleSize, t + kHandleSize}, colour, clip);
        FillRect(dst, {r - kHandleSize, t, r, t + kHandleSize}, colour, clip);
        FillRect(dst, {l, b - kHandleSize, l + kHandleSize, b}, colour, clip);
        FillRect(dst, {r - kHandleSize, b - kHandleSize, r, b}, colour, clip);
    }
}

void ScaledBitmap::MakeRuns(Pixel key) {
    rowStart.clear();
    runs.clear();
    rowStart.reserve(static_cast<size_t>(image.Height()) + 1);
    for (int y = 0; y < image.Height(); ++y) {
        rowStart.push_back(static_cast<int>(runs.size()));
        int x = 0;
        const int w = image.Width();
        while (x < w) {
            while (x < w && image.At(x, y) == key) ++x;
            int first = x;
            while (x < w && image.At(x, y) != key) ++x;
            if (x > first) runs.emplace_back(first, x);
        }
    }
    rowStart.push_back(static_cast<int>(runs.size()));
}

std::size_t ScaledBitmap::Bytes() const {
    return image.Pixels().size() * sizeof(Pixel) + rowStart.size() * sizeof(int) +
           runs.size() * sizeof(std::pair<int, int>);
}

const ScaledBitmap* ScaledBitmapCache::Get(const ImagePtr& src, int w, int h, StretchQuality quality,
                                           bool runs) {
    if (!src || src->Empty() || w <= 0 || h <= 0 || w > kMaxImageSide || h > kMaxImageSide ||
        std::int64_t{w} * h > kMaxImagePixels) {
        return nullptr;
    }
    Key key{src.get(), w, h, static_cast<int>(quality)};
    if (auto it = entries_.find(key); it != entries_.end()) {
        ScaledBitmap& found = it->second.scaled;
        if (runs && !found.HasRuns()) {
            bytes_ -= found.Bytes();
            found.MakeRuns();
            bytes_ += found.Bytes();
        }
        return &found;
    }

    ScaledBitmap scaled;
    scaled.image = Image(w, h);
    if (scaled.image.Empty()) return nullptr;
    StretchCopy(scaled.image, scaled.image.Bounds(), *src, src->Bounds(), quality, scaled.image.Bounds());
    if (runs) scaled.MakeRuns();
    const std::size_t size = scaled.Bytes();
    if (bytes_ + size > budget_) {
        // Zooming leaves whole sets of sizes unused; start again rather than grow without end.
        Clear();
        if (size > budget_) {
            scratch_ = std::move(scaled);
            return &scratch_;
        }
    }
    bytes_ += size;
    auto [it, inserted] = entries_.emplace(key, Entry{src, std::move(scaled)});
    return &it->second.scaled;
}

void ScaledBitmapCache::Clear() {
    entries_.clear();
    bytes_ = 0;
}

void BlitScaled(Image& dst, int x, int y, const Image& scaled, bool transparent, const PixelRect& clip,
                Pixel key) {
    PixelRect vis =
        PixelRect::FromSize(x, y, scaled.Width(), scaled.Height()).Intersect(clip).Intersect(dst.Bounds());
    if (vis.Empty()) return;
    const int n = vis.Width();
    for (int row = vis.top; row < vis.bottom; ++row) {
        const Pixel* s =
            scaled.Pixels().data() + static_cast<std::size_t>(row - y) * scaled.Width() + (vis.left - x);
        Pixel* d = &dst.At(vis.left, row);
        if (!transparent) {
            std::memcpy(d, s, static_cast<std::size_t>(n) * sizeof(Pixel));
            continue;
        }
        for (int i = 0; i < n; ++i) {
            if (s[i] != key) d[i] = s[i];
        }
    }
}

void BlitScaled(Image& dst, int x, int y, const ScaledBitmap& scaled, bool transparent,
                const PixelRect& clip) {
    if (!transparent || !scaled.HasRuns()) {
        BlitScaled(dst, x, y, scaled.image, transparent, clip);
        return;
    }
    const Image& img = scaled.image;
    PixelRect vis =
        PixelRect::FromSize(x, y, img.Width(), img.Height()).Intersect(clip).Intersect(dst.Bounds());
    if (vis.Empty()) return;
    const int c0 = vis.left - x, c1 = vis.right - x;
    for (int row = vis.top; row < vis.bottom; ++row) {
        const int sy = row - y;
        const Pixel* s = img.Pixels().data() + static_cast<std::size_t>(sy) * img.Width();
        Pixel* d = dst.Pixels().data() + static_cast<std::size_t>(row) * dst.Width();
        for (int k = scaled.rowStart[static_cast<size_t>(sy)];
             k < scaled.rowStart[static_cast<size_t>(sy) + 1]; ++k) {
            int a = std::max(scaled.runs[static_cast<size_t>(k)].first, c0);
            int b = std::min(scaled.runs[static_cast<size_t>(k)].second, c1);
            if (b > a) std::memcpy(d + (x + a), s + a, static_cast<std::size_t>(b - a) * sizeof(Pixel));
        }
    }
}

}  // namespace brindle
