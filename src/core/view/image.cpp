#include "view/image.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace brindle {

PixelRect PixelRect::Intersect(const PixelRect& o) const {
    PixelRect r{std::max(left, o.left), std::max(top, o.top), std::min(right, o.right),
                std::min(bottom, o.bottom)};
    if (r.Empty()) return {};
    return r;
}

Image::Image(int width, int height, Pixel fill) {
    if (width <= 0 || height <= 0 || width > kMaxImageSide || height > kMaxImageSide ||
        std::int64_t{width} * height > kMaxImagePixels) {
        return;
    }
    width_ = width;
    height_ = height;
    pixels_.assign(static_cast<size_t>(width) * static_cast<size_t>(height), fill);
}

namespace {

// One axis of a scaled copy: where destination pixels start and how many there are, and whether the
// copy runs backwards through the source.
struct AxisMap {
    int dstStart = 0, dstLen = 0;
    double srcStart = 0, srcLen = 0;  // srcLen may be negative (mirrored)
};

AxisMap MakeAxis(int d0, int d1, int s0, int s1) {
    AxisMap a;
    int dlen = d1 - d0;
    double sStart = s0, sLen = s1 - s0;
    if (dlen < 0) {
        // A mirrored destination: walk it forwards and the source backwards.
        a.dstStart = d1;
        a.dstLen = -dlen;
        a.srcStart = s1;
        a.srcLen = -sLen;
    } else {
        a.dstStart = d0;
        a.dstLen = dlen;
        a.srcStart = sStart;
        a.srcLen = sLen;
    }
    return a;
}

// Source pixel under the centre of destination pixel i (may lie outside the source).
int NearestSource(const AxisMap& a, int i) {
    double t = (static_cast<double>(i) + 0.5) / a.dstLen;
    return static_cast<int>(std::floor(a.srcStart + t * a.srcLen));
}

// The source pixels a destination pixel covers, with their share of its area.
struct Weights {
    int first = 0;
    std::vector<double> w;
};

Weights AreaWeights(const AxisMap& a, int i, int srcSize) {
    double p0 = a.srcStart + a.srcLen * i / a.dstLen;
    double p1 = a.srcStart + a.srcLen * (i + 1) / a.dstLen;
    if (p1 < p0) std::swap(p0, p1);
    p0 = std::max(p0, 0.0);
    p1 = std::min(p1, static_cast<double>(srcSize));
    Weights out;
    if (p1 <= p0) {
        // Enlarged far enough that the area is thinner than rounding: take the nearest pixel.
        int k = NearestSource(a, i);
        if (k < 0 || k >= srcSize) return out;
        out.first = k;
        out.w.push_back(1.0);
        return out;
    }
    int k0 = static_cast<int>(std::floor(p0));
    int k1 = static_cast<int>(std::ceil(p1));
    out.first = k0;
    double total = 0;
    for (int k = k0; k < k1; ++k) {
        double w = std::min<double>(k + 1, p1) - std::max<double>(k, p0);
        if (w < 0) w = 0;
        out.w.push_back(w);
        total += w;
    }
    if (total > 0) {
        for (double& w : out.w) w /= total;
    }
    return out;
}

// The destination pixels actually written: inside the rectangle, the clip and the image.
PixelRect Visible(const Image& dst, const AxisMap& ax, const AxisMap& ay, const PixelRect& clip) {
    PixelRect r{ax.dstStart, ay.dstStart, ax.dstStart + ax.dstLen, ay.dstStart + ay.dstLen};
    return r.Intersect(clip).Intersect(dst.Bounds());
}

}  // namespace

void StretchCopy(Image& dst, const PixelRect& dstRect, const Image& src, const PixelRect& srcRect,
                 StretchQuality quality, const PixelRect& clip) {
    if (src.Empty() || dst.Empty()) return;
    AxisMap ax = MakeAxis(dstRect.left, dstRect.right, srcRect.left, srcRect.right);
    AxisMap ay = MakeAxis(dstRect.top, dstRect.bottom, srcRect.top, srcRect.bottom);
    if (ax.dstLen == 0 || ay.dstLen == 0 || ax.srcLen == 0 || ay.srcLen == 0) return;
    PixelRect vis = Visible(dst, ax, ay, clip);
    if (vis.Empty()) return;

    bool averaging = quality == StretchQuality::kHalftone &&
                     !(std::abs(ax.srcLen) == ax.dstLen && std::abs(ay.srcLen) == ay.dstLen);
    if (!averaging) {
        std::vector<int> cols(static_cast<size_t>(vis.Width()));
        for (int x = vis.left; x < vis.right; ++x)
            cols[static_cast<size_t>(x - vis.left)] = NearestSource(ax, x - ax.dstStart);
        for (int y = vis.top; y < vis.bottom; ++y) {
            int sy = NearestSource(ay, y - ay.dstStart);
            if (sy < 0 || sy >= src.Height()) continue;
            for (int x = vis.left; x < vis.right; ++x) {
                int sx = cols[static_cast<size_t>(x - vis.left)];
                if (sx < 0 || sx >= src.Width()) continue;
                dst.At(x, y) = src.At(sx, sy);
            }
        }
        return;
    }

    std::vector<Weights> colWeights;
    colWeights.reserve(static_cast<size_t>(vis.Width()));
    for (int x = vis.left; x < vis.right; ++x)
        colWeights.push_back(AreaWeights(ax, x - ax.dstStart, src.Width()));
    for (int y = vis.top; y < vis.bottom; ++y) {
        Weights wy = AreaWeights(ay, y - ay.dstStart, src.Height());
        if (wy.w.empty()) continue;
        for (int x = vis.left; x < vis.right; ++x) {
            const Weights& wx = colWeights[static_cast<size_t>(x - vis.left)];
            if (wx.w.empty()) continue;
            double r = 0, g = 0, b = 0;
            for (size_t j = 0; j < wy.w.size(); ++j) {
                int sy = wy.first + static_cast<int>(j);
                for (size_t i = 0; i < wx.w.size(); ++i) {
                    double w = wy.w[j] * wx.w[i];
                    Pixel p = src.At(wx.first + static_cast<int>(i), sy);
                    r += w * RedOf(p);
                    g += w * GreenOf(p);
                    b += w * BlueOf(p);
                }
            }
            dst.At(x, y) = MakePixel(static_cast<int>(std::lround(r)), static_cast<int>(std::lround(g)),
                                     static_cast<int>(std::lround(b)));
        }
    }
}

void TransparentStretch(Image& dst, const PixelRect& dstRect, const Image& src, const PixelRect& srcRect,
                        const PixelRect& clip, Pixel key) {
    // The mask-and-DC recipe (stretch into a scratch image, build a mask of the key colour, AND the
    // destination with the mask, OR in the masked image) leaves every destination pixel whose scaled
    // source pixel is the key and replaces all others: the same as this single pass.
    if (src.Empty() || dst.Empty()) return;
    AxisMap ax = MakeAxis(dstRect.left, dstRect.right, srcRect.left, srcRect.right);
    AxisMap ay = MakeAxis(dstRect.top, dstRect.bottom, srcRect.top, srcRect.bottom);
    if (ax.dstLen == 0 || ay.dstLen == 0 || ax.srcLen == 0 || ay.srcLen == 0) return;
    PixelRect vis = Visible(dst, ax, ay, clip);
    if (vis.Empty()) return;
    std::vector<int> cols(static_cast<size_t>(vis.Width()));
    for (int x = vis.left; x < vis.right; ++x)
        cols[static_cast<size_t>(x - vis.left)] = NearestSource(ax, x - ax.dstStart);
    for (int y = vis.top; y < vis.bottom; ++y) {
        int sy = NearestSource(ay, y - ay.dstStart);
        if (sy < 0 || sy >= src.Height()) continue;
        for (int x = vis.left; x < vis.right; ++x) {
            int sx = cols[static_cast<size_t>(x - vis.left)];
            if (sx < 0 || sx >= src.Width()) continue;
            Pixel p = src.At(sx, sy);
            if (p != key) dst.At(x, y) = p;
        }
    }
}

void TransparentStretch(Image& dst, const PixelRect& dstRect, const Image& src, const PixelRect& clip,
                        Pixel key) {
    TransparentStretch(dst, dstRect, src, src.Bounds(), clip, key);
}

void FillRect(Image& dst, const PixelRect& rect, Pixel colour, const PixelRect& clip) {
    PixelRect r = rect.Intersect(clip).Intersect(dst.Bounds());
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) dst.At(x, y) = colour;
    }
}

void FrameRect(Image& dst, const PixelRect& rect, Pixel colour, const PixelRect& clip) {
    if (rect.Empty()) return;
    FillRect(dst, {rect.left, rect.top, rect.right, rect.top + 1}, colour, clip);
    FillRect(dst, {rect.left, rect.bottom - 1, rect.right, rect.bottom}, colour, clip);
    FillRect(dst, {rect.left, rect.top + 1, rect.left + 1, rect.bottom - 1}, colour, clip);
    FillRect(dst, {rect.right - 1, rect.top + 1, rect.right, rect.bottom - 1}, colour, clip);
}

namespace {

// Bresenham's walk; the caller keeps the walk short.
void Bresenham(Image& dst, std::int64_t x, std::int64_t y, std::int64_t x1, std::int64_t y1, Pixel colour,
               const PixelRect& r, bool includeEnd) {
    std::int64_t dx = std::llabs(x1 - x), dy = -std::llabs(y1 - y);
    int sx = x < x1 ? 1 : -1, sy = y < y1 ? 1 : -1;
    std::int64_t err = dx + dy;
    for (;;) {
        bool last = (x == x1 && y == y1);
        if (last && !includeEnd) break;
        if (x >= r.left && x < r.right && y >= r.top && y < r.bottom) {
            dst.At(static_cast<int>(x), static_cast<int>(y)) = colour;
        }
        if (last) break;
        std::int64_t e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y += sy;
        }
    }
}

}  // namespace

void DrawLine(Image& dst, int x0, int y0, int x1, int y1, Pixel colour, const PixelRect& clip,
              bool includeEnd) {
    PixelRect r = clip.Intersect(dst.Bounds());
    if (r.Empty()) return;
    std::int64_t steps = std::max(std::llabs(std::int64_t{x1} - x0), std::llabs(std::int64_t{y1} - y0));
    if (steps <= 4 * std::int64_t{kMaxImageSide}) {
        Bresenham(dst, x0, y0, x1, y1, colour, r, includeEnd);
        return;
    }
    // A very long line: cut it to the visible area first (Liang-Barsky) so the walk stays short.
    double t0 = 0, t1 = 1;
    double ddx = static_cast<double>(x1) - x0, ddy = static_cast<double>(y1) - y0;
    const double p[4] = {-ddx, ddx, -ddy, ddy};
    const double q[4] = {x0 - (r.left - 1.0), r.right - x0 + 0.0, y0 - (r.top - 1.0), r.bottom - y0 + 0.0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) return;
            continue;
        }
        double t = q[i] / p[i];
        if (p[i] < 0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1) return;
    }
    auto at = [](double a, double d, double t) { return static_cast<std::int64_t>(std::llround(a + d * t)); };
    Bresenham(dst, at(x0, ddx, t0), at(y0, ddy, t0), at(x0, ddx, t1), at(y0, ddy, t1), colour, r,
              includeEnd || t1 < 1);
}

void XorFillRect(Image& dst, const PixelRect& rect, const PixelRect& clip, Pixel pen) {
    PixelRect r = rect.Intersect(clip).Intersect(dst.Bounds());
    for (int y = r.top; y < r.bottom; ++y) {
        for (int x = r.left; x < r.right; ++x) dst.At(x, y) ^= pen;
    }
}

void XorFrameRect(Image& dst, const PixelRect& rect, const PixelRect& clip, Pixel pen) {
    if (rect.Empty()) return;
    XorFillRect(dst, {rect.left, rect.top, rect.right, rect.top + 1}, clip, pen);
    if (rect.Height() > 1) XorFillRect(dst, {rect.left, rect.bottom - 1, rect.right, rect.bottom}, clip, pen);
    XorFillRect(dst, {rect.left, rect.top + 1, rect.left + 1, rect.bottom - 1}, clip, pen);
    if (rect.Width() > 1)
        XorFillRect(dst, {rect.right - 1, rect.top + 1, rect.right, rect.bottom - 1}, clip, pen);
}

}  // namespace brindle
