// Repaint cost of the panel view: a 1600 x 1200 view of a window with 100 gauges (four elements each,
// half of them transparent) at zoom 1.0 and 2.0, and the small repaint that moving one gauge
// causes, each beside a plain copy of a frame of the same size.
#include <benchmark/benchmark.h>

#include <cstring>
#include <memory>
#include <vector>

#include "view/bitmap.h"
#include "view/panel_view.h"

namespace brindle {
namespace {

constexpr int kViewW = 1600, kViewH = 1200;

ImagePtr Pattern(int w, int h, int seed, bool blackBorder) {
    auto img = std::make_shared<Image>(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            bool edge = blackBorder && (x < w / 6 || x >= w - w / 6 || y < h / 6 || y >= h - h / 6);
            img->At(x, y) = edge ? kBlack : MakePixel(x * 3 + seed, y * 5 + seed, (x + y) * 7 + seed);
        }
    }
    return img;
}

Dib Background(int w, int h) {
    // An 8-bit bitmap as panel backgrounds usually are.
    std::vector<std::uint8_t> v;
    auto put32 = [&v](std::uint32_t x) {
        for (int i = 0; i < 4; ++i) v.push_back(static_cast<std::uint8_t>(x >> (8 * i)));
    };
    put32(40);
    put32(static_cast<std::uint32_t>(w));
    put32(static_cast<std::uint32_t>(h));
    v.push_back(1), v.push_back(0), v.push_back(8), v.push_back(0);
    put32(0);
    put32(0);
    put32(2835);
    put32(2835);
    put32(256);
    put32(0);
    for (int i = 0; i < 256; ++i) put32(static_cast<std::uint32_t>(MakePixel(i, 255 - i, (i * 7) & 255)));
    const int stride = (w + 3) & ~3;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < stride; ++x) v.push_back(static_cast<std::uint8_t>((x / 8 + y / 8) & 255));
    }
    return *Dib::FromPacked(std::move(v));
}

struct Fixture {
    Settings settings;
    PanelView view{settings};
    Image frame{kViewW, kViewH};

    explicit Fixture(double zoom, bool halftone = false) {
        settings.SetDrawAllBitmaps(1);
        settings.SetGaugeDrawTypes(127);
        settings.SetTransparentGauges(1);
        settings.SetUseHalftoneBLT(halftone ? 1 : 0);
        const int bw = static_cast<int>(kViewW / zoom), bh = static_cast<int>(kViewH / zoom);
        ViewWindow w;
        w.data = Background(bw, bh);
        w.bitmapWidth = bw;
        w.bitmapHeight = bh;
        w.Scale = 1.0;
        ImagePtr face = Pattern(100, 100, 1, true), needle = Pattern(10, 60, 2, true),
                 icon = Pattern(24, 24, 3, false), tape = Pattern(30, 12, 4, false);
        for (int i = 0; i < 100; ++i) {
            ViewGauge g;
            g.index = i;
            g.name = "Bench!Gauge";
            g.x = (i % 10) * (bw / 10.0) + 4;
            g.y = (i / 10) * (bh / 10.0) + 4;
            auto slot = [](ImagePtr img, unsigned type, int x, int y, bool transparent) {
                ElementSlot s;
                s.bitmapWidth = img->Width();
                s.bitmapHeight = img->Height();
                s.bitmap = std::move(img);
                s.typeFlag = type;
                s.x = x;
                s.y = y;
                s.transparent = transparent;
                return s;
            };
            g.slots[0] = slot(face, kElementStatic, 0, 0, true);
            g.slots[1] = slot(tape, kElementMovingImage, 35, 70, false);
            g.slots[2] = slot(needle, kElementNeedle, 45, 20, true);
            g.slots[3] = slot(icon, kElementIcon, 10, 10, false);
            g.designWidth = 100;
            g.version = 700;
            g.loaded = true;
            // Slightly larger than the bitmaps, so every element is scaled.
            g.SetWidth(bw / 10.0 - 12, kModeFS2000);
            w.gauges.push_back(std::move(g));
        }
        ShownWindow info;
        info.index = 0;
        info.hasFile = true;
        info.sizeMmX = bw;
        info.sizeMmPresent = true;
        view.Geometry().SetClientSize({kViewW, kViewH});
        view.ShowRecords(std::move(w), info);
        view.SetZoom(zoom);
    }
    void PaintAll() { view.Paint(frame, {0, 0}, {0, 0, kViewW, kViewH}); }
};

void BM_FrameCopy(benchmark::State& state) {
    std::vector<Pixel> a(static_cast<size_t>(kViewW) * kViewH, 0x123456), b(a.size());
    for (auto _ : state) {
        std::memcpy(b.data(), a.data(), a.size() * sizeof(Pixel));
        benchmark::DoNotOptimize(b.data());
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_FrameCopy)->Unit(benchmark::kMicrosecond);

void BM_FullRepaint(benchmark::State& state) {
    Fixture f(state.range(0) / 10.0, state.range(1) != 0);
    f.PaintAll();  // the scaled bitmaps are made on the first paint after a zoom
    for (auto _ : state) {
        f.PaintAll();
        benchmark::DoNotOptimize(f.frame.Pixels().data());
    }
}
// Arguments: zoom x 10, halftone.
BENCHMARK(BM_FullRepaint)->Args({10, 0})->Args({20, 0})->Args({20, 1})->Unit(benchmark::kMicrosecond);

void BM_FirstPaintAfterZoom(benchmark::State& state) {
    Fixture f(state.range(0) / 10.0);
    for (auto _ : state) {
        f.view.DropCaches();
        f.PaintAll();
        benchmark::DoNotOptimize(f.frame.Pixels().data());
    }
}
BENCHMARK(BM_FirstPaintAfterZoom)->Arg(10)->Arg(20)->Unit(benchmark::kMicrosecond);

void BM_MoveOneGauge(benchmark::State& state) {
    Fixture f(state.range(0) / 10.0);
    f.PaintAll();
    const int index = 44;
    int step = 0;
    for (auto _ : state) {
        // What a drag step invalidates: the gauge's rectangle before and after a move of 3 units.
        PixelRect before = f.view.GaugeDirtyRect(index);
        ViewGauge& g = f.view.Gauges()[index];
        g.x += (step++ % 2) ? -3 : 3;
        PixelRect after = f.view.GaugeDirtyRect(index);
        f.view.Paint(f.frame, {0, 0}, before);
        f.view.Paint(f.frame, {0, 0}, after);
        benchmark::DoNotOptimize(f.frame.Pixels().data());
    }
}
BENCHMARK(BM_MoveOneGauge)->Arg(10)->Arg(20)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace brindle
