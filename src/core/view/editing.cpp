#include "view/editing.h"

#include <algorithm>
#include <cmath>

#include "gauges/gauge_loader.h"
#include "platform/messages.h"
#include "platform/paths.h"

namespace brindle {

namespace {

// Where the menu key opens the context menu: near the client area's top-left corner.
constexpr ViewPoint kKeyboardMenuPoint{10, 10};

bool IsArrow(EditKey k) {
    return k == EditKey::kLeft || k == EditKey::kRight || k == EditKey::kUp || k == EditKey::kDown;
}

std::int64_t Area(const PixelRect& r) {
    return r.Empty() ? 0 : std::int64_t{r.Width()} * r.Height();
}

}  // namespace

std::string Fs98DuplicateAddMessage(const std::string& reference) {
    return "You cannot have more than one instance of any gauge on a panel in FS98.\nGauge '" + reference +
           "' already exists on this panel.";
}

std::string Fs98DuplicateInsertMessage(const std::string& reference) {
    return "This Window already has a gauge named \"" + reference +
           "\"    \n\nYou can only have one instance of a Gauge in FS98";
}

std::string WindowFullMessage(const std::string& reference) {
    return "This Window already has " + std::to_string(kMaxViewGauges) +
           " gauges, the most a window can hold.\nGauge '" + reference + "' was not added.";
}

CursorKind CursorForHandle(int handle) {
    switch (handle) {
        case kHandleInterior:
            return CursorKind::kMove;
        case kHandleTopLeft:
        case kHandleBottomRight:
            return CursorKind::kSizeNWSE;
        case kHandleTopRight:
        case kHandleBottomLeft:
            return CursorKind::kSizeNESW;
        case kHandleTop:
        case kHandleBottom:
            return CursorKind::kSizeNS;
        case kHandleLeft:
        case kHandleRight:
            return CursorKind::kSizeWE;
        default:
            return CursorKind::kArrow;
    }
}

EditingController::EditingController(PanelView& view) : view_(&view) {
    loader_ = [this](ViewGauge& g) { LoadGaugeImages(g, GaugeLoadOptionsFrom(view_->settings())); };
}

void EditingController::WindowChanged() {
    undo_.Clear();
    buttonDown_ = clickedNew_ = bandDrawn_ = false;
    dragMode_ = handle_ = 0;
    resizeGauge_ = -1;
    moving_ = resizing_ = mouseMoving_ = false;
}

// ---- helpers ----

void EditingController::ToUnitsExact(ViewPoint client, double& ux, double& uy) const {
    const double zoom = view_->settings().Zoom(), scale = view_->Window().Scale;
    const ViewPoint scroll = view_->Geometry().ScrollPosition();
    if (zoom == 0.0 || scale == 0.0) {
        ux = client.x;
        uy = client.y;
        return;
    }
    ux = ((static_cast<double>(client.x) + scroll.x) / zoom) / scale;
    uy = ((static_cast<double>(client.y) + scroll.y) / zoom) / scale;
}

double EditingController::DrawnHeightOnView(int index) {
    const PixelRect r = view_->GaugeRect(index);
    if (r.Empty()) return 0.0;
    return ToUnits({0, r.bottom}).y - ToUnits({0, r.top}).y;
}

double EditingController::DrawnWidthOnView(int index) {
    const PixelRect r = view_->GaugeRect(index);
    if (r.Empty()) return 0.0;
    return ToUnits({r.right, 0}).x - ToUnits({r.left, 0}).x;
}

DrawnSize EditingController::Drawn() {
    return {[this](int i) { return DrawnWidthOnView(i); }, [this](int i) { return DrawnHeightOnView(i); }};
}

ViewPoint EditingController::ClientCentreUnits() const {
    const ViewSize client = view_->Geometry().ClientSize();
    return ToUnits({client.width / 2, client.height / 2});
}

void EditingController::RepaintGauge(int index, EditOutput& out, bool erase) {
    const PixelRect r = view_->GaugeDirtyRect(index);
    if (!r.Empty()) out.repaints.push_back({r, false, erase});
}

void EditingController::RepaintAll(EditOutput& out, bool erase) {
    out.repaints.push_back({{}, true, erase});
}

void EditingController::SetSelected(int index, bool selected, EditOutput& out) {
    ViewGauge& g = Gauges()[static_cast<size_t>(index)];
    if (g.selected == selected) return;
    g.selected = selected;
    RepaintGauge(index, out);
}

void EditingController::DeselectAll(EditOutput& out) {
    for (int i = 0; i < view_->Window().GaugeCount(); ++i) SetSelected(i, false, out);
}

void EditingController::RecordUndo() {
    undo_.Record(Gauges(), ShownIndex());
}

PixelRect EditingController::BandRect(ViewPoint a, ViewPoint b) const {
    return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
}

EditingController::SelectedHit EditingController::SelectedAt(ViewPoint units) const {
    SelectedHit hit;
    const auto& gauges = Gauges();
    for (int i = 0; i < static_cast<int>(gauges.size()); ++i) {
        const ViewGauge& g = gauges[static_cast<size_t>(i)];
        if (g.selected && HitTest(g, units)) {
            ++hit.count;
            hit.last = i;
        }
    }
    return hit;
}

CursorKind EditingController::HoverCursor(ViewPoint units) const {
    const SelectedHit hit = SelectedAt(units);
    if (hit.count == 0) return CursorKind::kArrow;
    if (hit.count >= 2) return CursorKind::kMove;
    return CursorForHandle(HandleAt(Gauges()[static_cast<size_t>(hit.last)], units, Mode()));
}

GaugePaneState EditingController::PaneState() const {
    GaugePaneState s;
    s.moving = moving_;
    s.resizing = resizing_;
    s.sizeWidth = sizeWidth_;
    s.sizeHeight = sizeHeight_;
    const auto& gauges = Gauges();
    const std::vector<int> sel = SelectedIndexes(gauges);
    const std::vector<int> marker = view_->OriginMarkerGauges();
    int origin = marker.empty() ? -1 : marker.front();
    if (marker.empty()) {
        // Without a loaded gauge to carry the marker, the nearest selected one gives the origin.
        double best = 0;
        for (int i : sel) {
            const ViewGauge& g = gauges[static_cast<size_t>(i)];
            const double d = std::sqrt(g.x * g.x + g.y * g.y);
            if (origin < 0 || d < best) {
                origin = i;
                best = d;
            }
        }
    }
    if (origin >= 0) {
        s.originX = TruncUnits(gauges[static_cast<size_t>(origin)].x);
        s.originY = TruncUnits(gauges[static_cast<size_t>(origin)].y);
    }
    s.selectedCount = static_cast<int>(sel.size());
    if (sel.size() == 1) {
        s.selectedIndex = gauges[static_cast<size_t>(sel[0])].index;
        s.selectedName = gauges[static_cast<size_t>(sel[0])].name;
    }
    return s;
}

// ---- mouse ----

EditOutput EditingController::LeftDown(ViewPoint p, Modifiers m) {
    EditOutput out;
    out.capture = MouseCapture::kCapture;
    // A band released without a mouse move since is still on the screen: finish it first.
    FinishBand(out);
    buttonDown_ = true;
    clickedNew_ = false;
    dragMode_ = 0;
    if (m.space && (m.alt || m.ctrl)) {
        out.requests.push_back({m.alt ? EditRequestKind::kZoomOut : EditRequestKind::kZoomIn, 0, {}});
        // The zoom click must not turn into a drag when the mouse moves before the release.
        clickedNew_ = true;
        return out;
    }
    if (!PanelLoaded()) return out;
    const int hit = TopmostGaugeAt(Gauges(), ToUnits(p));
    if (hit < 0) {
        DeselectAll(out);
        return out;
    }
    ViewGauge& g = Gauges()[static_cast<size_t>(hit)];
    if (m.ctrl) {
        g.selected = !g.selected;
        clickedNew_ = true;
        RepaintGauge(hit, out);
    } else if (!g.selected) {
        SetSelected(hit, true, out);
        clickedNew_ = true;
        for (int i = 0; i < view_->Window().GaugeCount(); ++i) {
            if (i != hit) SetSelected(i, false, out);
        }
    }
    return out;
}

EditOutput EditingController::MouseMove(ViewPoint p, Modifiers m) {
    EditOutput out;
    const ViewPoint u = ToUnits(p);
    cursorX_ = u.x;
    cursorY_ = u.y;
    moving_ = resizing_ = false;
    mouseMoving_ = false;

    if (!buttonDown_ || clickedNew_) {
        dragMode_ = 0;
        FinishBand(out);
        if (PanelLoaded()) out.cursor = HoverCursor(u);
        view_->SetMovingGauges(false);
        return out;
    }
    if (!PanelLoaded()) return out;

    if (dragMode_ == 0) {
        // The first movement with the button down decides what the drag does.
        const SelectedHit hit = SelectedAt(u);
        const int handle = hit.last < 0 ? 0 : HandleAt(Gauges()[static_cast<size_t>(hit.last)], u, Mode());
        last_ = p;
        if (hit.count >= 1 && handle == kHandleInterior) {
            dragMode_ = 2;
            RecordUndo();
        } else if (hit.count == 1) {
            dragMode_ = 1;
            resizeGauge_ = hit.last;
            handle_ = handle;
            RecordUndo();
        } else if (hit.count == 0) {
            dragMode_ = 3;
            anchor_ = p;
            bandDrawn_ = true;  // anchor to anchor: nothing visible yet
        }
    }
    switch (dragMode_) {
        case 1:
            Resize(p, m.shift, out);
            break;
        case 2:
            if (!m.ctrl && !(p == last_)) MoveSelected(p, out);
            break;
        case 3:
            Band(p, out);
            break;
        default:
            break;
    }
    view_->SetMovingGauges(mouseMoving_);
    return out;
}

void EditingController::Resize(ViewPoint p, bool shift, EditOutput& out) {
    if (resizeGauge_ < 0 || resizeGauge_ >= view_->Window().GaugeCount()) return;
    const int i = resizeGauge_;
    ViewGauge& g = Gauges()[static_cast<size_t>(i)];
    resizing_ = true;
    out.cursor = CursorForHandle(handle_);
    if (!g.loaded) g.widthPresent = true;
    if (p == last_) return;
    out.status = kResizeStatusText;
    out.modified = true;
    RepaintGauge(i, out);
    double cx = 0, cy = 0;
    ToUnitsExact(p, cx, cy);
    ResizeByHandle(g, handle_, cx, cy, shift, Mode());
    RepaintGauge(i, out);
    sizeWidth_ = TruncUnits(g.Width());
    sizeHeight_ = TruncUnits(EffectiveHeight(Gauges(), i, Drawn()));
    last_ = p;
}

void EditingController::MoveSelected(ViewPoint p, EditOutput& out) {
    moving_ = mouseMoving_ = true;
    out.status = kMoveStatusText;
    out.modified = true;
    out.cursor = CursorKind::kMove;
    const int dx = p.x - last_.x, dy = p.y - last_.y;
    const double zoom = view_->settings().Zoom(), scale = view_->Window().Scale;
    for (int i : SelectedIndexes(Gauges())) {
        RepaintGauge(i, out);
        MoveByPixels(Gauges()[static_cast<size_t>(i)], dx, dy, zoom, scale);
        RepaintGauge(i, out);
    }
    last_ = p;
}

void EditingController::Band(ViewPoint p, EditOutput& out) {
    if (p == last_) return;
    if (!(anchor_ == last_)) out.bandXor.push_back(BandRect(anchor_, last_));
    if (!(anchor_ == p)) out.bandXor.push_back(BandRect(anchor_, p));
    bandDrawn_ = true;
    last_ = p;
}

void EditingController::FinishBand(EditOutput& out) {
    if (!bandDrawn_) return;
    if (!(anchor_ == last_)) out.bandXor.push_back(BandRect(anchor_, last_));
    const ViewPoint a = ToUnits(anchor_), b = ToUnits(last_);
    for (int i = 0; i < view_->Window().GaugeCount(); ++i) {
        if (CaughtByBand(Gauges()[static_cast<size_t>(i)], a, b)) SetSelected(i, true, out);
    }
    bandDrawn_ = false;
    dragMode_ = 0;
}

EditOutput EditingController::LeftUp(ViewPoint, Modifiers) {
    EditOutput out;
    out.status = kReadyStatusText;
    out.capture = MouseCapture::kRelease;
    const bool dragged = dragMode_ != 0;
    buttonDown_ = clickedNew_ = false;
    handle_ = 0;
    resizeGauge_ = -1;
    moving_ = resizing_ = mouseMoving_ = false;
    view_->SetMovingGauges(false);
    if (dragged) {
        for (int i : SelectedIndexes(Gauges())) RepaintGauge(i, out);
    }
    // A drawn band is finished (its gauges selected) at the next mouse move.
    dragMode_ = 0;
    return out;
}

EditOutput EditingController::LeftDoubleClick(ViewPoint p, Modifiers) {
    EditOutput out;
    if (!PanelLoaded()) return out;
    const int hit = TopmostGaugeAt(Gauges(), ToUnits(p));
    if (SelectedCount(Gauges()) == 1 && hit >= 0) OpenProperties(hit, out);
    return out;
}

void EditingController::OpenProperties(int index, EditOutput& out) {
    if (!properties_ || index < 0 || index >= view_->Window().GaugeCount()) return;
    Gauges()[static_cast<size_t>(index)].focus = true;
    RepaintGauge(index, out);
    properties_(index);
    // The dialog may have removed the gauge; an unloaded gauge keeps its cross so it stands out.
    if (index < view_->Window().GaugeCount()) {
        ViewGauge& g = Gauges()[static_cast<size_t>(index)];
        if (g.loaded) g.focus = false;
        RepaintGauge(index, out);
    }
}

EditOutput EditingController::RightDown(ViewPoint, Modifiers) {
    EditOutput out;
    out.consumed = SelectedCount(Gauges()) >= 1;
    return out;
}

EditOutput EditingController::ContextMenu(std::optional<ViewPoint> p, Modifiers m) {
    EditOutput out;
    if (m.shift) return out;
    const int count = SelectedCount(Gauges());
    int menu = kMenuSeveralGauges;
    if (count == 0) {
        if (!PanelLoaded()) return out;
        menu = kMenuNoGauge;
    } else if (count == 1) {
        menu = kMenuOneGauge;
    }
    out.requests.push_back({EditRequestKind::kContextMenu, menu, p.value_or(kKeyboardMenuPoint)});
    return out;
}

// ---- keyboard ----

EditOutput EditingController::KeyDown(EditKey key, int repeatCount, bool /*previouslyDown*/) {
    EditOutput out;
    if (!PanelLoaded()) return out;
    if (key == EditKey::kShift) {
        shiftDown_ = true;
        return out;
    }
    // The Delete key is the Delete command, undo step included.
    if (key == EditKey::kDelete) return Delete();
    const int n = std::max(1, repeatCount);
    const bool grow = key == EditKey::kKeypadPlus || (key == EditKey::kEquals && shiftDown_);
    const bool shrink = key == EditKey::kKeypadMinus || (key == EditKey::kMinus && !shiftDown_);
    const bool anySelected = SelectedCount(Gauges()) > 0;
    // Each key-down that changes gauges is one undo step (an auto-repeat is one per event).
    if (anySelected && (IsArrow(key) || grow || shrink)) {
        RecordUndo();
        out.modified = true;
    }
    switch (key) {
        case EditKey::kTab:
            Tab(shiftDown_, out);
            break;
        case EditKey::kEscape:
            DeselectAll(out);
            break;
        case EditKey::kLeft:
        case EditKey::kRight:
        case EditKey::kUp:
        case EditKey::kDown: {
            const double dx = key == EditKey::kLeft ? -n : key == EditKey::kRight ? n : 0;
            const double dy = key == EditKey::kUp ? -n : key == EditKey::kDown ? n : 0;
            for (int i : SelectedIndexes(Gauges())) {
                moving_ = true;
                RepaintGauge(i, out);
                MoveByUnits(Gauges()[static_cast<size_t>(i)], dx, dy);
                RepaintGauge(i, out);
            }
            break;
        }
        default:
            if (grow) SizeSelected(1, out);
            if (shrink) SizeSelected(-1, out);
            break;
    }
    return out;
}

EditOutput EditingController::KeyUp(EditKey key) {
    if (key == EditKey::kShift) shiftDown_ = false;
    return {};
}

void EditingController::Tab(bool backwards, EditOutput& out) {
    auto& gauges = Gauges();
    const int count = static_cast<int>(gauges.size());
    const int live = static_cast<int>(
        std::count_if(gauges.begin(), gauges.end(), [](const ViewGauge& g) { return !g.deleted; }));
    const std::vector<int> sel = SelectedIndexes(gauges);
    if (live < 2 || sel.size() != 1) return;
    int j = sel[0];
    do {
        j = backwards ? (j == 0 ? count - 1 : j - 1) : (j + 1 == count ? 0 : j + 1);
    } while (gauges[static_cast<size_t>(j)].deleted);
    SetSelected(sel[0], false, out);
    SetSelected(j, true, out);
}

void EditingController::SizeSelected(int delta, EditOutput& out) {
    for (int i : SelectedIndexes(Gauges())) {
        ViewGauge& g = Gauges()[static_cast<size_t>(i)];
        RepaintGauge(i, out);
        // The keyboard is the fine control: no lower limit, so a gauge can reach width 0.
        g.SetWidth(g.Width() + delta, Mode());
        if (g.Height() != 0.0) g.SetHeight(g.Height() + delta, Mode());
        RepaintGauge(i, out);
    }
}

// ---- commands ----

EditOutput EditingController::ChangeSelected(const std::function<void()>& change, bool erase) {
    EditOutput out;
    if (SelectedCount(Gauges()) == 0) return out;
    RecordUndo();
    out.modified = true;
    change();
    RepaintAll(out, erase);
    return out;
}

EditOutput EditingController::LineUpVertically() {
    return ChangeSelected([this] { brindle::LineUpVertically(Gauges()); }, false);
}

EditOutput EditingController::LineUpHorizontally() {
    return ChangeSelected([this] { brindle::LineUpHorizontally(Gauges()); }, false);
}

EditOutput EditingController::StackVertically() {
    return ChangeSelected([this] { brindle::StackVertically(Gauges(), Drawn()); }, true);
}

EditOutput EditingController::StackHorizontally() {
    return ChangeSelected([this] { brindle::StackHorizontally(Gauges(), Drawn()); }, true);
}

EditOutput EditingController::SameSize(bool largest) {
    EditOutput out;
    RecordUndo();
    const std::vector<int> sel = SelectedIndexes(Gauges());
    std::vector<PixelRect> before;
    for (int i : sel) before.push_back(view_->GaugeDirtyRect(i));
    if (!brindle::SameSize(Gauges(), largest, Drawn(), Mode())) {
        // Nothing to make alike: the step just taken would undo nothing.
        undo_.Withdraw();
        return out;
    }
    out.modified = true;
    for (size_t k = 0; k < sel.size(); ++k) {
        if (!before[k].Empty()) out.repaints.push_back({before[k], false, true});
        RepaintGauge(sel[k], out);
    }
    return out;
}

EditOutput EditingController::AspectRatioOne() {
    EditOutput out;
    const std::vector<int> sel = SelectedIndexes(Gauges());
    if (sel.empty()) return out;
    RecordUndo();
    out.modified = true;
    for (int i : sel) {
        const PixelRect old = view_->GaugeDirtyRect(i);
        brindle::AspectRatioOne(Gauges(), i, Drawn(), Mode());
        const PixelRect now = view_->GaugeDirtyRect(i);
        const PixelRect& larger = Area(old) >= Area(now) ? old : now;
        if (!larger.Empty()) out.repaints.push_back({larger, false, true});
    }
    return out;
}

EditOutput EditingController::SnapSelectedToGrid() {
    EditOutput out;
    const std::vector<int> sel = SelectedIndexes(Gauges());
    if (sel.empty()) return out;
    RecordUndo();
    out.modified = true;
    const int grid = view_->settings().GridSize();
    for (int i : sel) {
        RepaintGauge(i, out);
        SnapToGrid(Gauges()[static_cast<size_t>(i)], grid);
        RepaintGauge(i, out);
    }
    return out;
}

EditOutput EditingController::MoveInDrawingOrder(OrderMove move) {
    EditOutput out;
    const OrderResult r = brindle::MoveInDrawingOrder(Gauges(), move);
    if (!r.message.empty()) ShowWarning(r.message);
    if (r.changed) {
        out.modified = true;
        resizeGauge_ = -1;
        RepaintAll(out, true);
    }
    return out;
}

EditOutput EditingController::SelectAll() {
    EditOutput out;
    for (ViewGauge& g : Gauges()) {
        if (!g.deleted) g.selected = true;
    }
    RepaintAll(out, false);
    return out;
}

EditOutput EditingController::Delete() {
    return ChangeSelected(
        [this] {
            DeleteSelected(Gauges());
            resizeGauge_ = -1;
        },
        true);
}

EditOutput EditingController::Copy() {
    EditOutput out;
    const std::vector<int> sel = SelectedIndexes(Gauges());
    // With nothing selected the clipboard keeps what it holds.
    if (sel.empty()) return out;
    auto& clipboard = view_->settings().GaugeClipboard();
    clipboard.clear();
    // A pasted copy is the same gauge: its whole reference goes along, not the size, parameter or
    // comments of this line.
    for (int i : sel) clipboard.push_back(Gauges()[static_cast<size_t>(i)].FullName());
    return out;
}

EditOutput EditingController::Cut() {
    EditOutput out = Copy();
    EditOutput del = Delete();
    out.modified = del.modified;
    out.repaints = std::move(del.repaints);
    return out;
}

EditOutput EditingController::Paste() {
    EditOutput out;
    const std::vector<std::string> refs = view_->settings().GaugeClipboard();
    if (refs.empty() || !PanelLoaded()) return out;
    RecordUndo();
    out.modified = true;
    const ViewPoint centre = ClientCentreUnits();
    double x = centre.x, y = centre.y;
    DeselectAll(out);
    for (const std::string& ref : refs) {
        x += 10;
        y += 10;
        InsertGauge(ref, x, y, out);
    }
    return out;
}

EditOutput EditingController::HideSelected() {
    EditOutput out;
    view_->HideSelected();
    RepaintAll(out, true);
    return out;
}

EditOutput EditingController::UnhideSelected() {
    EditOutput out;
    view_->UnhideSelected();
    RepaintAll(out, true);
    return out;
}

bool EditingController::InsertChecks(const std::string& reference) const {
    const auto& gauges = Gauges();
    const int count = static_cast<int>(gauges.size());
    if (Mode() == kModeFS98) {
        if (count >= kFs98GaugeLimit) {
            ShowWarning(kFs98InsertLimitMessage);
            return false;
        }
        for (const ViewGauge& g : gauges) {
            if (EqualsNoCase(g.name, reference)) {
                ShowWarning(Fs98DuplicateInsertMessage(reference));
                return false;
            }
        }
    }
    if (count >= kMaxViewGauges) {
        ShowWarning(WindowFullMessage(reference));
        return false;
    }
    return true;
}

bool EditingController::InsertGauge(const std::string& reference, double x, double y, EditOutput& out) {
    if (!PanelLoaded() || !InsertChecks(reference)) return false;
    const SimMode mode = Mode();
    ViewGauge g;
    g.index = view_->Window().GaugeCount();
    g.name = reference.substr(0, kMaxViewGaugeNameLength);
    if (reference.size() > g.name.size()) g.kept.fullName = reference;
    g.selected = true;
    g.x = x;
    g.y = y;
    g.SetWidth(0.0, mode);
    g.SetHeight(0.0, mode);
    if (loader_) loader_(g);
    Gauges().push_back(std::move(g));
    RepaintGauge(view_->Window().GaugeCount() - 1, out);
    out.modified = true;
    return true;
}

EditOutput EditingController::AddGauge(const AddGaugeDialog& dialog, std::optional<ViewPoint> at) {
    EditOutput out;
    if (!PanelLoaded()) return out;
    const bool fs98 = Mode() == kModeFS98;
    if (fs98 && view_->Window().GaugeCount() >= kFs98GaugeLimit) ShowWarning(kFs98AddLimitMessage);
    std::optional<std::string> ref = dialog ? dialog() : std::nullopt;
    if (!ref || ref->empty() || ref->find(kNotFs98Compatible) != std::string::npos) return out;
    if (fs98) {
        for (const ViewGauge& g : Gauges()) {
            if (!g.deleted && EqualsNoCase(g.name, *ref)) {
                ShowWarning(Fs98DuplicateAddMessage(*ref));
                return out;
            }
        }
    }
    DeselectAll(out);
    const ViewPoint centre = at.value_or(ClientCentreUnits());
    InsertGauge(*ref, centre.x, centre.y, out);
    return out;
}

EditOutput EditingController::Undo() {
    EditOutput out;
    if (!PanelLoaded() || !undo_.UndoAvailable()) return out;
    if (undo_.Window() != ShownIndex()) {
        // The step belongs to another window's gauges: never put them into this one.
        undo_.Clear();
        return out;
    }
    undo_.Undo(Gauges());
    resizeGauge_ = -1;
    out.modified = true;
    RepaintAll(out, false);
    return out;
}

EditOutput EditingController::Redo() {
    EditOutput out;
    if (!PanelLoaded() || !undo_.RedoAvailable()) return out;
    if (undo_.Window() != ShownIndex()) {
        undo_.Clear();
        return out;
    }
    undo_.Redo(Gauges());
    resizeGauge_ = -1;
    out.modified = true;
    RepaintAll(out, false);
    return out;
}

EditOutput EditingController::Properties() {
    EditOutput out;
    for (int i : SelectedIndexes(Gauges())) {
        // An earlier dialog may have removed gauges or changed the selection.
        if (i >= view_->Window().GaugeCount() || !Gauges()[static_cast<size_t>(i)].selected) continue;
        OpenProperties(i, out);
    }
    return out;
}

ImagePtr EditingController::GaugeBitmapForClipboard() const {
    ImagePtr last;
    for (int i : SelectedIndexes(Gauges())) {
        const ImagePtr& b = Gauges()[static_cast<size_t>(i)].slots[0].bitmap;
        if (b) last = b;
    }
    return last;
}

// ---- command routing and state ----

namespace {

// The commands the controller carries out, each with what it runs.
struct EditCommand {
    Cmd cmd;
    EditOutput (*run)(EditingController&);
};
using EC = EditingController;
const EditCommand kEditCommands[] = {
    {Cmd::LineUpVertically, [](EC& c) { return c.LineUpVertically(); }},
    {Cmd::ContextLineUpVertically, [](EC& c) { return c.LineUpVertically(); }},
    {Cmd::LineUpHorizontally, [](EC& c) { return c.LineUpHorizontally(); }},
    {Cmd::ContextLineUpHorizontally, [](EC& c) { return c.LineUpHorizontally(); }},
    {Cmd::StackVertically, [](EC& c) { return c.StackVertically(); }},
    {Cmd::StackHorizontally, [](EC& c) { return c.StackHorizontally(); }},
    {Cmd::SameSizeLargest, [](EC& c) { return c.SameSize(true); }},
    {Cmd::SameSizeLargestContext, [](EC& c) { return c.SameSize(true); }},
    {Cmd::SameSizeSmallest, [](EC& c) { return c.SameSize(false); }},
    {Cmd::SameSizeSmallestMenu, [](EC& c) { return c.SameSize(false); }},
    {Cmd::AspectRatio, [](EC& c) { return c.AspectRatioOne(); }},
    {Cmd::SnapToGrid, [](EC& c) { return c.SnapSelectedToGrid(); }},
    {Cmd::SnapToGridContext, [](EC& c) { return c.SnapSelectedToGrid(); }},
    {Cmd::MoveUp, [](EC& c) { return c.MoveInDrawingOrder(OrderMove::kUp); }},
    {Cmd::MoveToFront, [](EC& c) { return c.MoveInDrawingOrder(OrderMove::kToFront); }},
    {Cmd::MoveDown, [](EC& c) { return c.MoveInDrawingOrder(OrderMove::kDown); }},
    {Cmd::MoveToBack, [](EC& c) { return c.MoveInDrawingOrder(OrderMove::kToBack); }},
    {Cmd::SelectAll, [](EC& c) { return c.SelectAll(); }},
    {Cmd::Delete, [](EC& c) { return c.Delete(); }},
    {Cmd::Copy, [](EC& c) { return c.Copy(); }},
    {Cmd::Cut, [](EC& c) { return c.Cut(); }},
    {Cmd::Paste, [](EC& c) { return c.Paste(); }},
    {Cmd::PasteTool, [](EC& c) { return c.Paste(); }},
    {Cmd::HideGaugeBitmaps, [](EC& c) { return c.HideSelected(); }},
    {Cmd::UnhideGaugeBitmaps, [](EC& c) { return c.UnhideSelected(); }},
    {Cmd::Undo, [](EC& c) { return c.Undo(); }},
    {Cmd::Redo, [](EC& c) { return c.Redo(); }},
    {Cmd::GaugeProperties, [](EC& c) { return c.Properties(); }},
};

}  // namespace

std::vector<Cmd> EditingController::Commands() {
    std::vector<Cmd> cmds;
    for (const EditCommand& e : kEditCommands) cmds.push_back(e.cmd);
    return cmds;
}

EditOutput EditingController::Execute(int id) {
    for (const EditCommand& e : kEditCommands)
        if (static_cast<int>(e.cmd) == id) return e.run(*this);
    EditOutput out;
    out.handled = false;
    return out;
}

void EditingController::FillCommandContext(CommandContext& ctx) const {
    ctx.undoAvailable = undo_.UndoAvailable() && undo_.Window() == ShownIndex();
    ctx.redoAvailable = undo_.RedoAvailable() && undo_.Window() == ShownIndex();
    ctx.selectedCount = SelectedCount(Gauges());
    ctx.gaugeCount = PanelLoaded() ? view_->Window().GaugeCount() : 0;
    ctx.clipboardCount = view_->settings().GaugeClipboardCount();
    ctx.outlineMode = view_->OutlineMode();
    ctx.canHide = view_->CanHide();
    ctx.canUnhide = view_->CanUnhide();
}

}  // namespace brindle
