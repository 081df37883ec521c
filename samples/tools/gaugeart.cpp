// Draws the artwork of the sample gauge modules and the demo panel as .bmp files, and makes the
// damaged copies of modules that the failure paths are tried with.
//
//   gaugeart gauges DIR     element bitmaps, named <number>.bmp
//   gaugeart panel DIR      the demo panel's background bitmaps
//   gaugeart truncate IN OUT BYTES
//
// Built for the host; no dependency on the engine so the samples never test the code with itself.
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

constexpr double kPi = 3.14159265358979323846;

struct Rgb {
    int r, g, b;
};

// A short 16-entry table (biClrUsed 16), so readers must cope with tables below 256 entries.
const std::vector<Rgb> kPalette = {
    {0, 0, 0},        // 0 black: transparent
    {255, 255, 255},  // 1 white
    {220, 30, 30},    // 2 red
    {40, 200, 60},    // 3 green
    {40, 80, 220},    // 4 blue
    {250, 220, 40},   // 5 yellow
    {60, 60, 60},     // 6 dark grey
    {170, 170, 170},  // 7 light grey
    {250, 140, 20},   // 8 orange
    {110, 170, 240},  // 9 sky
    {140, 90, 40},    // 10 earth
    {35, 40, 48},     // 11 panel
    {1, 1, 1},        // 12 near black: opaque
    {90, 100, 110},   // 13 bezel
    {20, 20, 24},     // 14 dial face
    {200, 200, 190},  // 15 marking
};

enum : std::uint8_t {
    K = 0,
    W = 1,
    RED = 2,
    GRN = 3,
    BLU = 4,
    YEL = 5,
    DGR = 6,
    LGR = 7,
    ORA = 8,
    SKY = 9,
    EARTH = 10,
    PANEL = 11,
    NEARK = 12,
    BEZEL = 13,
    FACE = 14,
    MARK = 15
};

struct Canvas {
    int w, h;
    std::vector<std::uint8_t> px;
    Canvas(int width, int height, std::uint8_t fill = K)
        : w(width), h(height), px(size_t(width) * height, fill) {}
    void set(int x, int y, std::uint8_t c) {
        if (x >= 0 && y >= 0 && x < w && y < h) px[size_t(y) * w + x] = c;
    }
    std::uint8_t get(int x, int y) const { return px[size_t(y) * w + x]; }
    void rect(int x0, int y0, int x1, int y1, std::uint8_t c) {
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) set(x, y, c);
    }
    void disc(double cx, double cy, double r, std::uint8_t c) {
        for (int y = int(cy - r) - 1; y <= int(cy + r) + 1; ++y)
            for (int x = int(cx - r) - 1; x <= int(cx + r) + 1; ++x)
                if ((x + 0.5 - cx) * (x + 0.5 - cx) + (y + 0.5 - cy) * (y + 0.5 - cy) <= r * r) set(x, y, c);
    }
    void ring(double cx, double cy, double r0, double r1, std::uint8_t c) {
        for (int y = int(cy - r1) - 1; y <= int(cy + r1) + 1; ++y)
            for (int x = int(cx - r1) - 1; x <= int(cx + r1) + 1; ++x) {
                double d = std::hypot(x + 0.5 - cx, y + 0.5 - cy);
                if (d >= r0 && d <= r1) set(x, y, c);
            }
    }
    void line(double x0, double y0, double x1, double y1, double width, std::uint8_t c) {
        int steps = int(std::hypot(x1 - x0, y1 - y0) * 2) + 1;
        for (int i = 0; i <= steps; ++i) {
            double t = double(i) / steps;
            disc(x0 + (x1 - x0) * t, y0 + (y1 - y0) * t, width / 2, c);
        }
    }
};

void put16(std::vector<std::uint8_t>& v, std::uint32_t x) {
    v.push_back(std::uint8_t(x));
    v.push_back(std::uint8_t(x >> 8));
}
void put32(std::vector<std::uint8_t>& v, std::uint32_t x) {
    put16(v, x & 0xFFFF);
    put16(v, x >> 16);
}

// RLE8 rows, bottom-up: runs where pixels repeat, absolute runs elsewhere.
std::vector<std::uint8_t> Rle8(const Canvas& c) {
    std::vector<std::uint8_t> out;
    for (int y = c.h - 1; y >= 0; --y) {
        int x = 0;
        while (x < c.w) {
            int run = 1;
            while (x + run < c.w && run < 255 && c.get(x + run, y) == c.get(x, y)) ++run;
            int n = 0;
            if (run < 3) {
                while (x + n < c.w && n < 255) {
                    if (x + n + 2 < c.w && c.get(x + n, y) == c.get(x + n + 1, y) &&
                        c.get(x + n, y) == c.get(x + n + 2, y))
                        break;
                    ++n;
                }
            }
            if (run >= 3 || n < 3) {
                out.push_back(std::uint8_t(run));
                out.push_back(c.get(x, y));
                x += run;
                continue;
            }
            out.push_back(0);
            out.push_back(std::uint8_t(n));
            for (int i = 0; i < n; ++i) out.push_back(c.get(x + i, y));
            if (n & 1) out.push_back(0);
            x += n;
        }
        out.push_back(0);
        out.push_back(0);
    }
    out.push_back(0);
    out.push_back(1);
    return out;
}

enum class Format { k8, kRle8, k4, k24, k16Bitfields };

bool WriteBmp(const std::string& path, const Canvas& c, Format f) {
    std::vector<std::uint8_t> bits;
    int bitCount = 8;
    std::uint32_t compression = 0;
    std::uint32_t clrUsed = 16;
    bool table = true;
    switch (f) {
        case Format::k8:
        case Format::k4: {
            bitCount = f == Format::k8 ? 8 : 4;
            int stride = ((c.w * bitCount + 31) / 32) * 4;
            for (int y = c.h - 1; y >= 0; --y) {
                std::vector<std::uint8_t> row(size_t(stride), 0);
                for (int x = 0; x < c.w; ++x) {
                    if (bitCount == 8)
                        row[size_t(x)] = c.get(x, y);
                    else
                        row[size_t(x / 2)] |= std::uint8_t((x & 1) ? c.get(x, y) : c.get(x, y) << 4);
                }
                bits.insert(bits.end(), row.begin(), row.end());
            }
            break;
        }
        case Format::kRle8:
            bits = Rle8(c);
            compression = 1;
            break;
        case Format::k24:
        case Format::k16Bitfields: {
            table = false;
            clrUsed = 0;
            bitCount = f == Format::k24 ? 24 : 16;
            compression = f == Format::k24 ? 0 : 3;
            int stride = ((c.w * bitCount + 31) / 32) * 4;
            for (int y = c.h - 1; y >= 0; --y) {
                std::vector<std::uint8_t> row(size_t(stride), 0);
                for (int x = 0; x < c.w; ++x) {
                    Rgb p = kPalette[c.get(x, y)];
                    if (bitCount == 24) {
                        row[size_t(x) * 3] = std::uint8_t(p.b);
                        row[size_t(x) * 3 + 1] = std::uint8_t(p.g);
                        row[size_t(x) * 3 + 2] = std::uint8_t(p.r);
                    } else {
                        // 5-6-5; exact black stays black, the near-black entry stays non-black.
                        std::uint32_t v = (std::uint32_t(p.r >> 3) << 11) | (std::uint32_t(p.g >> 2) << 5) |
                                          std::uint32_t(p.b >> 3);
                        if (v == 0 && (p.r || p.g || p.b)) v = 1;
                        row[size_t(x) * 2] = std::uint8_t(v);
                        row[size_t(x) * 2 + 1] = std::uint8_t(v >> 8);
                    }
                }
                bits.insert(bits.end(), row.begin(), row.end());
            }
            break;
        }
    }
    std::vector<std::uint8_t> info;
    put32(info, 40);
    put32(info, std::uint32_t(c.w));
    put32(info, std::uint32_t(c.h));
    put16(info, 1);
    put16(info, std::uint32_t(bitCount));
    put32(info, compression);
    put32(info, std::uint32_t(bits.size()));
    put32(info, 2835);
    put32(info, 2835);
    put32(info, clrUsed);
    put32(info, 0);
    if (compression == 3) {
        put32(info, 0xF800);
        put32(info, 0x07E0);
        put32(info, 0x001F);
    }
    if (table) {
        for (const Rgb& p : kPalette) {
            info.push_back(std::uint8_t(p.b));
            info.push_back(std::uint8_t(p.g));
            info.push_back(std::uint8_t(p.r));
            info.push_back(0);
        }
    }
    std::vector<std::uint8_t> file{'B', 'M'};
    put32(file, std::uint32_t(14 + info.size() + bits.size()));
    put32(file, 0);
    put32(file, std::uint32_t(14 + info.size()));
    file.insert(file.end(), info.begin(), info.end());
    file.insert(file.end(), bits.begin(), bits.end());
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
    return bool(out);
}

// A round dial: bezel, face, ticks every `step` degrees over `sweep` starting at `start`, a coloured arc.
Canvas Dial(int size, int major, std::uint8_t arc) {
    Canvas c(size, size, K);
    double r = size / 2.0;
    c.disc(r, r, r - 0.5, BEZEL);
    c.disc(r, r, r * 0.9, FACE);
    c.ring(r, r, r * 0.70, r * 0.76, arc);
    for (int i = 0; i < major * 5; ++i) {
        double a = -225.0 + 270.0 * i / (major * 5 - 1);
        double rad = a * kPi / 180.0;
        double inner = (i % 5 == 0) ? r * 0.68 : r * 0.78;
        c.line(r + std::cos(rad) * inner, r + std::sin(rad) * inner, r + std::cos(rad) * r * 0.86,
               r + std::sin(rad) * r * 0.86, (i % 5 == 0) ? size / 48.0 + 1 : 1, MARK);
    }
    c.disc(r, r, size / 20.0, DGR);
    return c;
}

// A needle pointing up, on black, with its pivot at the bottom centre.
Canvas Needle(int w, int h, std::uint8_t colour) {
    Canvas c(w, h, K);
    c.line(w / 2.0, h - w / 2.0, w / 2.0, 2, w / 3.0, colour);
    c.disc(w / 2.0, h - w / 2.0, w / 2.0 - 0.5, LGR);
    return c;
}

Canvas Lamp(int size, std::uint8_t colour) {
    Canvas c(size, size, K);
    c.disc(size / 2.0, size / 2.0, size / 2.0 - 0.5, BEZEL);
    c.disc(size / 2.0, size / 2.0, size / 2.0 - 3, colour);
    c.disc(size / 2.0 - 3, size / 2.0 - 3, size / 8.0, W);
    return c;
}

Canvas Switch(int w, int h, bool up) {
    Canvas c(w, h, PANEL);
    c.rect(2, 2, w - 2, h - 2, DGR);
    c.disc(w / 2.0, h / 2.0, w / 4.0, BEZEL);
    c.line(w / 2.0, h / 2.0, w / 2.0, up ? 4 : h - 4, w / 5.0, LGR);
    return c;
}

Canvas Horizon(int w, int h) {
    Canvas c(w, h, SKY);
    c.rect(0, h / 2, w, h, EARTH);
    c.rect(0, h / 2 - 1, w, h / 2 + 1, W);
    for (int i = 1; i < 6; ++i)
        c.rect(w / 2 - 10 * (i % 2 + 1), h / 2 - i * 12, w / 2 + 10 * (i % 2 + 1), h / 2 - i * 12 + 1, W);
    return c;
}

Canvas Mask(int size) {
    // A bezel ring on black: the horizon shows through the transparent centre.
    Canvas c(size, size, K);
    c.ring(size / 2.0, size / 2.0, size * 0.42, size / 2.0, BEZEL);
    c.rect(size / 2 - 20, size / 2 - 2, size / 2 - 6, size / 2 + 2, ORA);
    c.rect(size / 2 + 6, size / 2 - 2, size / 2 + 20, size / 2 + 2, ORA);
    // Near-black pixels: they must stay visible even though they look black.
    c.rect(size / 2 - 1, size / 2 - 1, size / 2 + 1, size / 2 + 1, NEARK);
    return c;
}

Canvas Gunsight(int size) {
    Canvas c(size, size, K);
    c.ring(size / 2.0, size / 2.0, size * 0.40, size * 0.44, ORA);
    c.line(size / 2.0, 4, size / 2.0, size * 0.35, 2, ORA);
    c.line(size / 2.0, size * 0.65, size / 2.0, size - 4, 2, ORA);
    c.line(4, size / 2.0, size * 0.35, size / 2.0, 2, ORA);
    c.line(size * 0.65, size / 2.0, size - 4, size / 2.0, 2, ORA);
    c.disc(size / 2.0, size / 2.0, 2, RED);
    return c;
}

Canvas Plate(int w, int h, std::uint8_t colour) {
    Canvas c(w, h, colour);
    c.rect(0, 0, w, 2, LGR);
    c.rect(0, h - 2, w, h, DGR);
    return c;
}

Canvas Strip(int w, int h) {
    // A vertical tape of numbers-like marks for a moving image.
    Canvas c(w, h, FACE);
    for (int y = 0; y < h; y += 10) c.rect(2, y, (y % 50 == 0) ? w - 2 : w / 2, y + 2, MARK);
    return c;
}

int Gauges(const std::string& dir) {
    struct Item {
        int number;
        Canvas canvas;
        Format format;
    };
    std::vector<Item> items = {
        {1, Dial(96, 8, GRN), Format::kRle8},     // airspeed face
        {501, Dial(192, 8, GRN), Format::kRle8},  // airspeed face, high resolution
        {2, Needle(8, 44, W), Format::k8},        // airspeed needle
        {3, Dial(96, 10, YEL), Format::kRle8},    // altimeter face
        {503, Dial(192, 10, YEL), Format::kRle8},
        {4, Needle(8, 42, W), Format::k8},              // long hand
        {5, Needle(10, 28, ORA), Format::k4},           // short hand, 4 bits per pixel
        {6, Horizon(64, 128), Format::k24},             // attitude moving image, 24 bits
        {7, Mask(96), Format::k8},                      // attitude bezel (transparent)
        {8, Needle(6, 40, ORA), Format::k16Bitfields},  // attitude sprite, 16-bit 5-6-5
        {9, Lamp(24, RED), Format::k8},
        {10, Lamp(24, GRN), Format::k8},
        {11, Plate(120, 40, PANEL), Format::kRle8},
        {12, Switch(20, 36, true), Format::k8},
        {13, Switch(20, 36, false), Format::k8},
        {14, Dial(64, 12, BLU), Format::kRle8},  // clock
        {15, Strip(16, 120), Format::k8},
        {16, Gunsight(80), Format::kRle8},
        {17, Dial(100, 6, RED), Format::kRle8},   // compass / radar
        {517, Dial(200, 6, RED), Format::kRle8},  // high resolution, ignored for FS98 gauges
        {18, Plate(60, 20, DGR), Format::k8},
    };
    for (const auto& it : items) {
        std::string path = dir + "/" + std::to_string(it.number) + ".bmp";
        if (!WriteBmp(path, it.canvas, it.format)) {
            std::cerr << "gaugeart: can't write " << path << "\n";
            return 1;
        }
    }
    return 0;
}

int Panel(const std::string& dir) {
    Canvas main(640, 240, PANEL);
    main.rect(0, 0, 640, 6, DGR);
    main.rect(0, 234, 640, 240, DGR);
    for (int x = 20; x < 640; x += 150) main.disc(x, 14, 3, BEZEL);
    main.rect(430, 150, 620, 225, DGR);
    Canvas radio(320, 120, DGR);
    radio.rect(4, 4, 316, 116, PANEL);
    radio.rect(20, 30, 140, 60, K);
    radio.rect(180, 30, 300, 60, K);
    return (WriteBmp(dir + "/panel_main.bmp", main, Format::k8) &&
            WriteBmp(dir + "/panel_radio.bmp", radio, Format::k8))
               ? 0
               : 1;
}

int Truncate(const std::string& in, const std::string& out, long bytes) {
    std::ifstream f(in, std::ios::binary);
    std::vector<char> data((std::istreambuf_iterator<char>(f)), std::istreambuf_iterator<char>());
    if (!f.good() && !f.eof()) return 1;
    if (bytes < 0 || size_t(bytes) > data.size()) bytes = long(data.size());
    std::ofstream o(out, std::ios::binary);
    o.write(data.data(), bytes);
    return o ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    std::vector<std::string> a(argv + 1, argv + argc);
    if (a.size() == 2 && a[0] == "gauges") return Gauges(a[1]);
    if (a.size() == 2 && a[0] == "panel") return Panel(a[1]);
    if (a.size() == 4 && a[0] == "truncate") return Truncate(a[1], a[2], std::stol(a[3]));
    std::cerr << "usage: gaugeart gauges DIR | panel DIR | truncate IN OUT BYTES\n";
    return 2;
}
