#include "view/window_position.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "platform/messages.h"
#include "view/bitmap.h"
#include "view/panel_view.h"

namespace brindle {

namespace {

constexpr int kViewMaxX = 8191, kViewMaxY = 6143;

bool SizeMmYGiven(const PanelWindow& w) {
    return w.sizeMmPresent && w.sizeMmYPresent;
}

// x, y of a window of the given size (fractions or pixels) anchored by a position code.
RealPair Anchor(int code, double width, double height, double screenW, double screenH) {
    RealPair p;
    switch (code % 3) {
        case 0:
            p.x = 0;
            break;
        case 1:
            p.x = (screenW - width) / 2;
            break;
        default:
            p.x = screenW - width;
            break;
    }
    switch (code / 3) {
        case 0:
            p.y = 0;
            break;
        case 1:
            p.y = (screenH - height) / 2;
            break;
        default:
            p.y = screenH - height;
            break;
    }
    return p;
}

// A typed value: digits, at most one decimal point, blanks around it; no sign.
std::optional<double> ParseTypedValue(const std::string& text) {
    std::size_t first = text.find_first_not_of(" \t");
    if (first == std::string::npos) return std::nullopt;
    std::size_t last = text.find_last_not_of(" \t");
    std::string t = text.substr(first, last - first + 1);
    bool digit = false;
    int points = 0;
    for (char c : t) {
        if (std::isdigit(static_cast<unsigned char>(c)))
            digit = true;
        else if (c == '.')
            ++points;
        else
            return std::nullopt;
    }
    if (!digit || points > 1) return std::nullopt;
    return std::strtod(t.c_str(), nullptr);
}

void SunkenEdge(Image& out, const PixelRect& r, const PixelRect& clip) {
    const Pixel dark = MakePixel(128, 128, 128), light = MakePixel(255, 255, 255);
    DrawLine(out, r.left - 1, r.top - 1, r.right, r.top - 1, dark, clip, true);
    DrawLine(out, r.left - 1, r.top - 1, r.left - 1, r.bottom, dark, clip, true);
    DrawLine(out, r.left - 1, r.bottom, r.right, r.bottom, light, clip, true);
    DrawLine(out, r.right, r.top - 1, r.right, r.bottom, light, clip, true);
}

PixelRect ScaledViewRect(const DefaultView& v, double scale, int ox, int oy) {
    return {ox + static_cast<int>(v.x * scale), oy + static_cast<int>(v.y * scale),
            ox + static_cast<int>(v.sizeX * scale), oy + static_cast<int>(v.sizeY * scale)};
}

}  // namespace

MainWindowChoice FindMainWindow(const Panel& panel) {
    MainWindowChoice c;
    int best = -1, bestAny = -1;
    for (int i = 0; i < static_cast<int>(panel.windows.size()); ++i) {
        const PanelWindow& w = panel.windows[i];
        if (w.visible == 1 && (best < 0 || w.sizeMmX > panel.windows[best].sizeMmX)) best = i;
        if (bestAny < 0 || w.sizeMmX > panel.windows[bestAny].sizeMmX) bestAny = i;
    }
    c.index = best >= 0 ? best : bestAny;
    if (c.index >= 0 && panel.windows[c.index].sizeMmX > 0) c.width = panel.windows[c.index].sizeMmX;
    return c;
}

ScreenPlacement DeriveFs2000Placement(const PanelWindow& w, int mainWidth, double r, bool keepGiven) {
    ScreenPlacement p;
    if (mainWidth <= 0) mainWidth = 1024;
    p.size.x = static_cast<double>(w.sizeMmX) / mainWidth * r;
    double h = w.sizeMmX;
    if (SizeMmYGiven(w)) {
        h = w.sizeMmY;
    } else if (w.bitmapWidth > 0 && w.bitmapHeight > 0) {
        double scaled = static_cast<double>(w.sizeMmX) * w.bitmapHeight / w.bitmapWidth;
        if (scaled > 0 && scaled < 10000) h = scaled;
    }
    p.size.y = h / (mainWidth * 0.75) * r;
    if (keepGiven && w.windowSizePresent && !(w.windowSize.x == 0 && w.windowSize.y == 0))
        p.size = w.windowSize;
    if (keepGiven && w.windowPosPresent)
        p.pos = w.windowPos;
    else
        p.pos = Anchor(w.position, p.size.x, p.size.y, 1.0, 1.0);
    return p;
}

Image OutsideViewPicture(int width, int height) {
    Image img(width, height);
    const int horizon = static_cast<int>(height * kHorizonFraction);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            Pixel p;
            if (y < horizon) {
                // Sky: deep blue overhead, paler towards the horizon.
                double t = horizon > 0 ? static_cast<double>(y) / horizon : 0;
                p = MakePixel(static_cast<int>(70 + 130 * t), static_cast<int>(120 + 100 * t),
                              static_cast<int>(200 + 50 * t));
            } else {
                // Fields in two greens with a runway running to the horizon.
                double t = height > horizon ? static_cast<double>(y - horizon) / (height - horizon) : 0;
                double half = width * (0.02 + 0.18 * t);
                double dx = std::abs(x - width / 2.0);
                if (dx < half)
                    p = (dx < half * 0.06 && (y / 4) % 2 == 0) ? MakePixel(240, 240, 240)
                                                               : MakePixel(90, 90, 96);
                else if (((x + y * 2) / 24 + y / 10) % 2 == 0)
                    p = MakePixel(static_cast<int>(80 + 30 * t), static_cast<int>(130 + 20 * t), 60);
                else
                    p = MakePixel(static_cast<int>(110 + 30 * t), static_cast<int>(140 + 10 * t), 70);
            }
            img.At(x, y) = p;
        }
    }
    return img;
}

WindowPositionEditor::WindowPositionEditor(Panel& panel, int windowIndex, const Settings& settings)
    : panel_(panel), mode_(settings.Mode()) {
    if (windowIndex < 0 || windowIndex >= static_cast<int>(panel.windows.size())) return;
    window_ = windowIndex;
    main_ = FindMainWindow(panel);
    PanelWindow& w = panel.windows[window_];
    if (w.sizeMmX == 0) w.sizeMmX = main_.width;

    char buf[128];
    if (w.fixed)
        std::snprintf(buf, sizeof buf, "Fixed Window%02d - %s", w.fixedNumber, w.title.c_str());
    else
        std::snprintf(buf, sizeof buf, "Window%02d - %s", window_, w.title.c_str());
    name_ = buf;

    auto load = [&](const PanelWindow& pw) -> std::optional<Image> {
        std::string path = BackgroundBitmapPath(pw, settings);
        if (path.empty()) return std::nullopt;
        return LoadBmpImage(path);
    };
    bitmap_ = load(w);
    if (main_.index >= 0 && main_.index != window_) mainBitmap_ = load(panel.windows[main_.index]);
    outside_ = OutsideViewPicture(256, 192);

    const bool hasFile = w.file.has_value();
    if (mode_ == kModeFS98) {
        fs2000Offered_ = false;
    } else if (!hasFile) {
        fs98Offered_ = false;
    }
    model_ = (mode_ == kModeFS98 || (!w.windowPosPresent && hasFile)) ? PlacementModel::kFs98
                                                                      : PlacementModel::kFs2000;
    position_ = (w.position >= 0 && w.position <= 8) ? w.position : 7;
    ratio_ = w.windowSizeRatio;
    visible_ = w.visible;
    view_ = panel.defaultView;
    openingPosPresent_ = w.windowPosPresent;
    openingSizePresent_ = w.windowSizePresent;

    PanelWindow sized = w;
    if ((sized.bitmapWidth <= 0 || sized.bitmapHeight <= 0) && bitmap_) {
        sized.bitmapWidth = bitmap_->Width();
        sized.bitmapHeight = bitmap_->Height();
    }
    const PanelWindow* mw = main_.index >= 0 ? &panel.windows[main_.index] : nullptr;
    double mainRatio = mw && mw->windowSizeRatioPresent ? mw->windowSizeRatio : 1.0;
    ScreenPlacement p = DeriveFs2000Placement(sized, main_.width, mainRatio);
    values_ = {p.pos.x, p.pos.y, p.size.x, p.size.y};
    for (int f = 0; f < 4; ++f) texts_[f] = Format("%5.3f", values_[f]);
}

bool WindowPositionEditor::IsFixedWindow() const {
    return window_ >= 0 && panel_.windows[window_].fixed;
}

bool& WindowPositionEditor::DrawX() {
    static bool on = false;
    return on;
}

bool& WindowPositionEditor::OutlineHorizon() {
    static bool on = false;
    return on;
}

std::string WindowPositionEditor::Format(const char* format, double v) {
    char buf[64];
    std::snprintf(buf, sizeof buf, format, v);
    return buf;
}

void WindowPositionEditor::SetModel(PlacementModel model) {
    if (!Valid() || (model == PlacementModel::kFs98 && !fs98Offered_) ||
        (model == PlacementModel::kFs2000 && !fs2000Offered_))
        return;
    model_ = model;
    PanelWindow& w = panel_.windows[window_];
    if (model == PlacementModel::kFs98) {
        w.windowPosPresent = false;
    } else {
        w.windowPosPresent = true;
        w.windowSizePresent = true;
        posEdited_ = sizeEdited_ = true;
    }
}

void WindowPositionEditor::SetPositionCode(int code) {
    if (code >= 0 && code <= 8) position_ = code;
}

void WindowPositionEditor::SpinRatio(int step) {
    double delta = std::abs(step) >= 5 ? 0.05 : 0.01;
    ratio_ += step < 0 ? -delta : delta;
    ratio_ = std::clamp(std::round(ratio_ * 100) / 100, 0.01, 10.0);
}

bool WindowPositionEditor::SetRatioText(const std::string& text) {
    std::optional<double> v = ParseTypedValue(text);
    if (!v || *v < 0.01 || *v > 10.0) return false;
    ratio_ = *v;
    return true;
}

double WindowPositionEditor::Value(Field f) const {
    return values_[f];
}

bool WindowPositionEditor::ValueRed(Field f) const {
    double v = values_[f];
    if (f == kPosX || f == kPosY) return v < 0.0 || v > 1.0;
    return v <= 0.0 || v > 1.0;
}

void WindowPositionEditor::SpinValue(Field f, int step) {
    double delta = std::abs(step) >= 5 ? 0.05 : 0.01;
    double lo = (f == kPosX || f == kPosY) ? 0.0 : 0.01, hi = (f == kPosX || f == kPosY) ? 1.0 : 2.0;
    double v = values_[f] + (step < 0 ? -delta : delta);
    values_[f] = std::clamp(std::round(v * 100) / 100, lo, hi);
    texts_[f] = Format("%5.2f", values_[f]);
    (f == kPosX || f == kPosY ? posEdited_ : sizeEdited_) = true;
}

bool WindowPositionEditor::EnterValues(const std::array<std::string, 4>& texts) {
    static const char* const kMessages[4] = {
        "The data entered in the \"Window Position X\" field is not valid\nEnter a number between 0.0 and "
        "1.0",
        "The data entered in the \"Window Position Y\" field is not valid\nEnter a number between 0.0 and "
        "1.0",
        "The data entered in the \"Window Size Width\" field is not valid\nEnter a number between 0.01 and "
        "1.0",
        "The data entered in the \"Window Size Height\" field is not valid\nEnter a number between 0.01 and "
        "1.0",
    };
    bool all = true;
    for (int f = 0; f < 4; ++f) {
        const bool isPos = f == kPosX || f == kPosY;
        std::optional<double> v = ParseTypedValue(texts[f]);
        if (v && *v <= (isPos ? 1.0 : 2.0)) {
            values_[f] = (!isPos && *v == 0.0) ? 0.01 : *v;
            texts_[f] = texts[f];
            if (!isPos) sizeEdited_ = true;
        } else {
            ShowWarning(kMessages[f]);
            values_[f] = isPos ? 0.0 : 0.5;
            texts_[f] = isPos ? "0.0" : "0.5";
            all = false;
        }
    }
    posEdited_ = true;
    return all;
}

std::string WindowPositionEditor::ViewText(Slider s) const {
    int v = s == kViewX ? view_.x : s == kViewSizeX ? view_.sizeX : s == kViewY ? view_.y : view_.sizeY;
    return std::to_string(v);
}

int WindowPositionEditor::SetSlider(Slider s, int value) {
    switch (s) {
        case kViewX:
            view_.x = std::clamp(value, 0, std::clamp(view_.sizeX, 0, kViewMaxX));
            return view_.x;
        case kViewSizeX:
            view_.sizeX = std::clamp(value, std::clamp(view_.x, 0, kViewMaxX), kViewMaxX);
            return view_.sizeX;
        case kViewY:
            view_.y = std::clamp(value, 0, std::clamp(view_.sizeY, 0, kViewMaxY));
            return view_.y;
        case kViewSizeY:
            view_.sizeY = std::clamp(value, std::clamp(view_.y, 0, kViewMaxY), kViewMaxY);
            return view_.sizeY;
    }
    return value;
}

PixelRect WindowPositionEditor::RectFor(const PanelWindow& w, int code, double ratio, const RealPair& pos,
                                        const RealPair& size, int sw, int sh, const Image* bitmap) const {
    const double mainWidth = main_.width > 0 ? main_.width : 1024;
    double bw = bitmap ? bitmap->Width() : w.sizeMmX;
    double bh = bitmap ? bitmap->Height() : (SizeMmYGiven(w) ? w.sizeMmY : w.sizeMmX);
    if (model_ == PlacementModel::kFs98) {
        double width = sw * (w.sizeMmX / mainWidth) * ratio;
        double height = bw > 0 ? bh * width / bw : 0;
        RealPair at = Anchor(code, width, height, sw, sh);
        return PixelRect::FromSize(static_cast<int>(at.x), static_cast<int>(at.y), static_cast<int>(width),
                                   static_cast<int>(height));
    }
    RealPair s = size;
    if (s.y <= 0) {
        double h = SizeMmYGiven(w) ? w.sizeMmY : (bw > 0 ? bh * w.sizeMmX / bw : w.sizeMmX);
        s.y = h / (mainWidth * 0.75);
    }
    if (s.x <= 0 || s.x > 1.0 || s.y <= 0 || s.y > 1.0) {
        PanelWindow sized = w;
        if (bitmap) {
            sized.bitmapWidth = bitmap->Width();
            sized.bitmapHeight = bitmap->Height();
        }
        const PanelWindow* mw = main_.index >= 0 ? &panel_.windows[main_.index] : nullptr;
        s = DeriveFs2000Placement(sized, main_.width,
                                  mw && mw->windowSizeRatioPresent ? mw->windowSizeRatio : 1.0, false)
                .size;
    }
    return PixelRect::FromSize(static_cast<int>(pos.x * sw), static_cast<int>(pos.y * sh),
                               static_cast<int>(s.x * sw), static_cast<int>(s.y * sh));
}

PixelRect WindowPositionEditor::PlacedRect(int sw, int sh) const {
    if (!Valid()) return {};
    const PanelWindow& w = panel_.windows[window_];
    return RectFor(w, position_, ratio_, {values_[kPosX], values_[kPosY]}, {values_[kSizeW], values_[kSizeH]},
                   sw, sh, bitmap_ ? &*bitmap_ : nullptr);
}

void WindowPositionEditor::DrawWindow(Image& out, const PixelRect& screen, const PanelWindow& w,
                                      const PixelRect& r, const Image* bitmap, bool cross) const {
    if (r.Empty()) return;
    if (bitmap && !bitmap->Empty()) {
        if (transparent) {
            if (w.fixed) FillRect(out, r, kFixedWindowFill, screen);
            TransparentStretch(out, r, *bitmap, screen);
        } else {
            StretchCopy(out, r, *bitmap, bitmap->Bounds(), StretchQuality::kColorOnColor, screen);
        }
    } else {
        Pixel fill = MakePixel(w.backgroundColor.red(), w.backgroundColor.green(), w.backgroundColor.blue());
        if (!(transparent && fill == kBlack)) FillRect(out, r, fill, screen);
        FrameRect(out, r, kBlack, screen);
    }
    FrameRect(out, r, kPlacementOutline, screen);
    if (cross) {
        DrawLine(out, r.left, r.top, r.right - 1, r.bottom - 1, kPlacementOutline, screen, true);
        DrawLine(out, r.right - 1, r.top, r.left, r.bottom - 1, kPlacementOutline, screen, true);
    }
}

Image WindowPositionEditor::RenderPreview(int width, int height, Pixel frameColour) const {
    Image out(width, height, frameColour);
    if (out.Empty() || !Valid()) return out;
    int sw = std::min(width, height * 4 / 3);
    int sh = sw * 3 / 4;
    if (sw <= 0 || sh <= 0) return out;
    const int ox = (width - sw) / 2, oy = (height - sh) / 2;
    const PixelRect screen = PixelRect::FromSize(ox, oy, sw, sh);
    FillRect(out, screen, MakePixel(40, 40, 48), screen);
    const double viewScale = sw / 8192.0;
    const PanelWindow& w = panel_.windows[window_];

    if (!w.fixed) {
        PixelRect vr = ScaledViewRect(view_, viewScale, ox, oy);
        if (!vr.Empty()) {
            SunkenEdge(out, vr, screen);
            StretchCopy(out, vr, outside_, outside_.Bounds(), StretchQuality::kColorOnColor, screen);
        }
    }

    auto offset = [&](PixelRect r) {
        return PixelRect{r.left + ox, r.top + oy, r.right + ox, r.bottom + oy};
    };
    if (!w.fixed && !IsMainWindow() && main_.index >= 0) {
        const PanelWindow& m = panel_.windows[main_.index];
        const Image* mb = mainBitmap_ ? &*mainBitmap_ : nullptr;
        PanelWindow sized = m;
        if (mb) {
            sized.bitmapWidth = mb->Width();
            sized.bitmapHeight = mb->Height();
        }
        ScreenPlacement mp =
            DeriveFs2000Placement(sized, main_.width, m.windowSizeRatioPresent ? m.windowSizeRatio : 1.0);
        PixelRect mr = RectFor(m, m.position, m.windowSizeRatioPresent ? m.windowSizeRatio : 1.0, mp.pos,
                               mp.size, sw, sh, mb);
        DrawWindow(out, screen, m, offset(mr), mb, false);
    }
    DrawWindow(out, screen, w, offset(PlacedRect(sw, sh)), bitmap_ ? &*bitmap_ : nullptr,
               DrawX() && DrawXEnabled());

    if (OutlineHorizon() && OutlineHorizonEnabled()) {
        PixelRect vr = ScaledViewRect(view_, viewScale, ox, oy);
        FrameRect(out, vr, kHorizonRed, screen);
        int y = vr.top + static_cast<int>(vr.Height() * kHorizonFraction);
        DrawLine(out, vr.left, y, vr.right, y, kHorizonRed, screen);
    }
    return out;
}

void WindowPositionEditor::Ok() {
    if (!Valid()) return;
    PanelWindow& w = panel_.windows[window_];
    panel_.defaultView = view_;
    w.position = position_;
    w.visible = visible_;
    w.windowSizeRatio = ratio_;
    w.windowSizeRatioPresent = true;
    if (posEdited_) {
        w.windowPos = {values_[kPosX], values_[kPosY]};
        w.windowPosPresent = true;
    }
    if (sizeEdited_) {
        w.windowSize = {values_[kSizeW], values_[kSizeH]};
        w.windowSizePresent = true;
    }
}

void WindowPositionEditor::Cancel() {
    if (!Valid()) return;
    PanelWindow& w = panel_.windows[window_];
    w.windowPosPresent = openingPosPresent_;
    w.windowSizePresent = openingSizePresent_;
}

}  // namespace brindle
