#include "gauges/gauge_properties_dialog.h"

#include <cctype>
#include <climits>
#include <cstdio>

#include "gauges/add_gauge_dialog.h"
#include "platform/messages.h"
#include "view/arrange.h"
#include "view/editing.h"
#include "view/panel_view.h"
#include "view/render.h"

namespace brindle {
namespace {

// A whole number as a dialog's number field reads it: blanks around it, an optional sign, digits.
bool ParseWhole(const std::string& text, int* out) {
    std::size_t b = 0, e = text.size();
    while (b < e && std::isspace(static_cast<unsigned char>(text[b]))) ++b;
    while (e > b && std::isspace(static_cast<unsigned char>(text[e - 1]))) --e;
    if (b == e) return false;
    bool negative = false;
    if (text[b] == '+' || text[b] == '-') negative = text[b++] == '-';
    if (b == e) return false;
    long long v = 0;
    for (std::size_t i = b; i < e; ++i) {
        if (!std::isdigit(static_cast<unsigned char>(text[i]))) return false;
        v = v * 10 + (text[i] - '0');
        if (v > static_cast<long long>(INT_MAX) + 1) return false;
    }
    if (negative) v = -v;
    if (v < INT_MIN || v > INT_MAX) return false;
    *out = static_cast<int>(v);
    return true;
}

bool OutOf(const std::string& text, int low, int high) {
    int v = 0;
    return ParseWhole(text, &v) && (v < low || v > high);
}

std::string Whole(double v) {
    return std::to_string(TruncUnits(v));
}

std::string HeightText(double h) {
    return h == 0.0 ? std::string() : Whole(h);
}

}  // namespace

const char* GaugeVersionFamily(int version) {
    switch (version) {
        case 610:
            return "FS98";
        case 700:
            return "FS2000";
        case 650:
            return "CFS";
        case 750:
            return "CFS2";
        default:
            return "Unknown";
    }
}

Image GaugePicture(const ViewGauge& gauge, bool transparentGauges) {
    const ElementSlot& s0 = gauge.slots[0];
    if (!s0.bitmap || s0.bitmap->Empty()) return {};
    const int w = s0.bitmapWidth > 0 ? s0.bitmapWidth : s0.bitmap->Width();
    const int h = s0.bitmapHeight > 0 ? s0.bitmapHeight : s0.bitmap->Height();
    Image out(w, h);
    if (out.Empty()) return out;
    // The gauge drawn at the origin, one panel unit per pixel of its first bitmap.
    ViewGauge g = gauge;
    g.x = g.y = 0.0;
    g.SetWidth(w, kModeFS2000);
    g.SetHeight(0.0, kModeFS2000);
    PlacementParams p;
    p.drawAll = true;
    p.drawTypes = 127;
    for (int i = 0; i < kElementSlotCount; ++i) {
        const ElementSlot& s = g.slots[static_cast<std::size_t>(i)];
        if (!s.bitmap || s.bitmap->Empty()) continue;
        auto rect = ElementRect(g, i, p);
        if (!rect) continue;
        const bool transparent =
            i > 0 && ((s.typeFlag & kElementSprite) || (transparentGauges && s.transparent));
        if (transparent) {
            TransparentStretch(out, *rect, *s.bitmap, out.Bounds());
        } else {
            StretchCopy(out, *rect, *s.bitmap, s.bitmap->Bounds(), StretchQuality::kColorOnColor,
                        out.Bounds());
        }
    }
    return out;
}

GaugePropertiesDialogLogic::GaugePropertiesDialogLogic(PanelView& view, EditingController* editing,
                                                       std::function<void()> markModified, int index)
    : view_(&view), editing_(editing), markModified_(std::move(markModified)) {
    current_ = (index >= 0 && index < view.Window().GaugeCount()) ? index : 0;
    Show();
}

ViewGauge* GaugePropertiesDialogLogic::Current() {
    auto& gauges = view_->Gauges();
    if (current_ < 0 || current_ >= static_cast<int>(gauges.size())) return nullptr;
    return &gauges[static_cast<std::size_t>(current_)];
}

const ViewGauge* GaugePropertiesDialogLogic::Current() const {
    const auto& gauges = view_->Gauges();
    if (current_ < 0 || current_ >= static_cast<int>(gauges.size())) return nullptr;
    return &gauges[static_cast<std::size_t>(current_)];
}

bool GaugePropertiesDialogLogic::HasGauge() const {
    return Current() != nullptr;
}

std::vector<std::string> GaugePropertiesDialogLogic::ListLines() const {
    std::vector<std::string> lines;
    for (const ViewGauge& g : view_->Gauges()) lines.push_back(g.name);
    return lines;
}

void GaugePropertiesDialogLogic::Show() {
    fields_ = {};
    xEdited_ = yEdited_ = widthEdited_ = heightEdited_ = parameterEdited_ = hiddenToggled_ = false;
    const ViewGauge* g = Current();
    if (!g) return;
    const bool fs98 = view_->settings().Mode() == kModeFS98;
    fields_.x = Whole(g->x);
    fields_.y = Whole(g->y);
    fields_.sizeX = g->widthPresent ? Whole(g->Width()) : std::string();
    if (!fs98) fields_.sizeY = HeightText(g->Height());
    fields_.parameter = fs98 ? std::string(kNotValidInFs98) : g->parameter;
    savedWidth_ = g->Width();
    savedHeight_ = g->Height();
    savedX_ = g->x;
    savedY_ = g->y;
    savedParameter_ = g->parameter;
    savedHidden_ = g->hidden;
    savedWidthPresent_ = g->widthPresent;
    savedHeightPresent_ = g->heightPresent;
}

std::string GaugePropertiesDialogLogic::FileNameText() const {
    const ViewGauge* g = Current();
    if (!g) return "";
    const auto bang = g->name.find('!');
    std::string module = (bang != std::string::npos && bang != 0) ? g->name.substr(0, bang) : g->name;
    return module + ".GAU";
}

std::string GaugePropertiesDialogLogic::IndexText() const {
    const ViewGauge* g = Current();
    if (!g) return "";
    char buf[16];
    std::snprintf(buf, sizeof buf, "%02d", g->index);
    return buf;
}

std::string GaugePropertiesDialogLogic::GaugeNameText() const {
    const ViewGauge* g = Current();
    return g ? g->internalName : std::string();
}

std::string GaugePropertiesDialogLogic::WarningText() const {
    const ViewGauge* g = Current();
    if (!g) return "";
    if (g->loaded) return g->hidden ? "Hidden" : "";
    switch (g->loadStatus) {
        case kLoadFileNotFound:
            return "Error: File not found";
        case kLoadNoUsableBitmap:
            return "Error: no Bitmap in Gauge file";
        case kLoadModuleNotLoadable:
            return "Error: Can't Load Gauge file";
        case kLoadGaugeNotInModule:
            return "Error: Gauge does not exist in this file";
        case kLoadNoStaticBitmap:
            return "Warning: Gauge does not have a static bitmap";
        default:
            return "";
    }
}

std::string GaugePropertiesDialogLogic::BitmapWidthText() const {
    const ViewGauge* g = Current();
    if (!g) return "";
    return g->loaded ? std::to_string(g->slots[0].bitmapWidth) : "unknown";
}

std::string GaugePropertiesDialogLogic::BitmapHeightText() const {
    const ViewGauge* g = Current();
    if (!g) return "";
    return g->loaded ? std::to_string(g->slots[0].bitmapHeight) : "unknown";
}

std::string GaugePropertiesDialogLogic::VersionText() const {
    const ViewGauge* g = Current();
    return g ? GaugeVersionFamily(g->version) : "";
}

std::string GaugePropertiesDialogLogic::HideButtonLabel() const {
    const ViewGauge* g = Current();
    return (g && g->hidden) ? "UnHide" : "Hide";
}

void GaugePropertiesDialogLogic::SetX(std::string t) {
    if (t != fields_.x) xEdited_ = true;
    fields_.x = std::move(t);
}
void GaugePropertiesDialogLogic::SetY(std::string t) {
    if (t != fields_.y) yEdited_ = true;
    fields_.y = std::move(t);
}
void GaugePropertiesDialogLogic::SetSizeX(std::string t) {
    if (t != fields_.sizeX) widthEdited_ = true;
    fields_.sizeX = std::move(t);
}
void GaugePropertiesDialogLogic::SetSizeY(std::string t) {
    if (t != fields_.sizeY) heightEdited_ = true;
    fields_.sizeY = std::move(t);
}
void GaugePropertiesDialogLogic::SetParameter(std::string t) {
    if (t != fields_.parameter) parameterEdited_ = true;
    fields_.parameter = std::move(t);
}

bool GaugePropertiesDialogLogic::ApplyEnabled() const {
    return HasGauge() &&
           (xEdited_ || yEdited_ || widthEdited_ || heightEdited_ || parameterEdited_ || hiddenToggled_);
}

bool GaugePropertiesDialogLogic::SizeYShown() const {
    return view_->settings().Mode() != kModeFS98;
}

bool GaugePropertiesDialogLogic::ParameterShown() const {
    const ViewGauge* g = Current();
    return !g || g->version != 610;
}

bool GaugePropertiesDialogLogic::ParameterEnabled() const {
    return view_->settings().Mode() != kModeFS98;
}

std::string GaugePropertiesDialogLogic::ParameterLabel() const {
    return ParameterShown() ? "Param" : "";
}

bool GaugePropertiesDialogLogic::XRed() const {
    return OutOf(fields_.x, 0, 1280);
}
bool GaugePropertiesDialogLogic::YRed() const {
    return OutOf(fields_.y, 0, 1280);
}
bool GaugePropertiesDialogLogic::SizeXRed() const {
    return OutOf(fields_.sizeX, 5, 1280);
}
bool GaugePropertiesDialogLogic::SizeYRed() const {
    return OutOf(fields_.sizeY, 5, 1280);
}

void GaugePropertiesDialogLogic::RecordUndoOnce() {
    if (!undoRecorded_ && editing_) editing_->RecordUndo();
    undoRecorded_ = true;
}

void GaugePropertiesDialogLogic::RedrawGauge(int index) {
    view_->Invalidate(view_->GaugeDirtyRect(index));
}

bool GaugePropertiesDialogLogic::Apply() {
    ViewGauge* g = Current();
    if (!g) return true;
    const SimMode mode = view_->settings().Mode();
    bool changed = false;
    auto change = [&] {
        RecordUndoOnce();
        // Before the change, so that the old area is repainted too.
        RedrawGauge(current_);
        changed = true;
    };
    int v = 0;
    // A gauge line without a size leaves Size X empty; an untouched empty field keeps it so.
    if (!(fields_.sizeX.empty() && !g->widthPresent)) {
        if (!ParseWhole(fields_.sizeX, &v) || v < 1) {
            ShowWarning(kSizeXInvalid);
            fields_.sizeX = savedWidthPresent_ ? Whole(savedWidth_) : std::string();
            widthEdited_ = false;
            return false;
        }
        if (v != g->Width() || !g->widthPresent) {
            change();
            g->SetWidth(v, mode);
            g->widthPresent = true;
        }
    }
    if (mode != kModeFS98) {
        if (fields_.sizeY.empty()) {
            if (g->Height() != 0.0 || g->heightPresent) {
                change();
                g->SetHeight(0.0, mode);
                g->heightPresent = false;
            }
        } else {
            if (!ParseWhole(fields_.sizeY, &v) || v < 1) {
                ShowWarning(kSizeYInvalid);
                fields_.sizeY = HeightText(savedHeight_);
                heightEdited_ = false;
                return false;
            }
            if (v != g->Height() || !g->heightPresent) {
                change();
                g->SetHeight(v, mode);
                g->heightPresent = true;
            }
        }
    }
    if (!ParseWhole(fields_.x, &v)) {
        ShowWarning(kXInvalid);
        fields_.x = Whole(savedX_);
        xEdited_ = false;
        return false;
    }
    if (v != g->x) {
        change();
        g->x = v;
    }
    if (!ParseWhole(fields_.y, &v)) {
        ShowWarning(kYInvalid);
        fields_.y = Whole(savedY_);
        yEdited_ = false;
        return false;
    }
    if (v != g->y) {
        change();
        g->y = v;
    }
    // In FS98 mode the field says "Not Valid in FS98"; an FS98 gauge has no parameter field.
    if (ParameterEnabled() && ParameterShown()) {
        std::string p = fields_.parameter.substr(0, kMaxParameter);
        if (p != g->parameter) {
            change();
            g->parameter = std::move(p);
        }
    }
    if (changed) {
        modified_ = true;
        RedrawGauge(current_);
    }
    xEdited_ = yEdited_ = widthEdited_ = heightEdited_ = parameterEdited_ = hiddenToggled_ = false;
    return true;
}

void GaugePropertiesDialogLogic::ToggleHidden() {
    ViewGauge* g = Current();
    if (!g) return;
    g->hidden = !g->hidden;
    RedrawGauge(current_);
    hiddenToggled_ = true;
}

void GaugePropertiesDialogLogic::DeleteGauge() {
    if (!HasGauge()) return;
    RecordUndoOnce();
    view_->RemoveGauge(current_);
    modified_ = true;
    if (markModified_) markModified_();
    const int count = view_->Window().GaugeCount();
    if (current_ >= count) current_ = count - 1;
    if (ViewGauge* g = Current()) {
        g->focus = true;
        RedrawGauge(current_);
    }
    Show();
}

void GaugePropertiesDialogLogic::ChooseGauge(int line) {
    auto& gauges = view_->Gauges();
    if (line < 0 || line >= static_cast<int>(gauges.size())) return;
    for (int i = 0; i < static_cast<int>(gauges.size()); ++i) {
        ViewGauge& g = gauges[static_cast<std::size_t>(i)];
        if (g.selected || g.focus) {
            g.selected = g.focus = false;
            RedrawGauge(i);
        }
    }
    ViewGauge& chosen = gauges[static_cast<std::size_t>(line)];
    chosen.selected = chosen.focus = true;
    current_ = line;
    RedrawGauge(line);
    Show();
}

void GaugePropertiesDialogLogic::ClearFocusOfAll() {
    auto& gauges = view_->Gauges();
    for (int i = 0; i < static_cast<int>(gauges.size()); ++i) {
        if (gauges[static_cast<std::size_t>(i)].focus) {
            gauges[static_cast<std::size_t>(i)].focus = false;
            RedrawGauge(i);
        }
    }
}

bool GaugePropertiesDialogLogic::Ok() {
    if (!Apply()) return false;
    if (modified_ && markModified_) markModified_();
    ClearFocusOfAll();
    return true;
}

void GaugePropertiesDialogLogic::Cancel() {
    if (ViewGauge* g = Current()) {
        if (g->Width() != savedWidth_ || g->Height() != savedHeight_ || g->x != savedX_ || g->y != savedY_ ||
            g->parameter != savedParameter_ || g->widthPresent != savedWidthPresent_ ||
            g->heightPresent != savedHeightPresent_) {
            const SimMode mode = view_->settings().Mode();
            RedrawGauge(current_);
            g->SetWidth(savedWidth_, mode);
            g->SetHeight(savedHeight_, mode);
            g->x = savedX_;
            g->y = savedY_;
            g->parameter = savedParameter_;
            g->widthPresent = savedWidthPresent_;
            g->heightPresent = savedHeightPresent_;
        }
    }
    modified_ = false;
    ClearFocusOfAll();
    view_->InvalidateAll();
}

Image GaugePropertiesDialogLogic::PreviewImage(int w, int h, Pixel face) const {
    const ViewGauge* g = Current();
    if (!g) return Image(w, h, face);
    Image picture = GaugePicture(*g, view_->settings().TransparentGauges() != 0);
    if (picture.Empty()) return Image(w, h, face);
    return FitPicture(picture, w, h, face, false);
}

}  // namespace brindle
