// Editing of the shown panel window's gauges, free of any window library. The shell feeds it the
// view's mouse and key events and the editing commands; each call answers with an EditOutput that
// says what to repaint, which cursor and status text to show, what rubber band to draw in XOR,
// whether the document changed and what the shell must do next (open a context menu, zoom). Message
// boxes go through platform/messages.h; gauges are changed in the PanelView's records.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "app/commands.h"
#include "view/arrange.h"
#include "view/geometry.h"
#include "view/image.h"
#include "view/panel_view.h"

namespace brindle {

// Status texts of the message pane.
inline constexpr const char* kResizeStatusText = "Use +/- keys for greater control, SHIFT to constrain";
inline constexpr const char* kMoveStatusText = "Use the arrow keys for greater control";
inline constexpr const char* kReadyStatusText = "Ready";

// Messages of gauge insertion.
inline constexpr const char* kFs98AddLimitMessage = "Warning! FS98 has a limit of 64 gauges on a window.";
inline constexpr const char* kFs98InsertLimitMessage =
    "You have reached your FS98 limit of 64 gauges on this window.";
inline constexpr const char* kNotFs98Compatible = "NOT FS98 COMPAT";
inline constexpr int kFs98GaugeLimit = 64;
// "You cannot have more than one instance ..." with the reference (Add Gauge).
std::string Fs98DuplicateAddMessage(const std::string& reference);
// "This Window already has a gauge named ..." with the reference (insertion, e.g. by Paste).
std::string Fs98DuplicateInsertMessage(const std::string& reference);
// A window holding kMaxViewGauges gauges takes no more.
std::string WindowFullMessage(const std::string& reference);

// The rubber band's pen: 1 pixel, yellow, drawn in XOR mode without fill.
inline constexpr Pixel kRubberBandColour = MakePixel(255, 255, 0);

// Modifier keys held during a mouse event.
struct Modifiers {
    bool ctrl = false;
    bool shift = false;
    bool alt = false;
    bool space = false;
};

// The keys the view reacts to. kEquals and kMinus are the main keyboard's keys; the keypad keys
// are separate.
enum class EditKey {
    kShift,
    kDelete,
    kLeft,
    kRight,
    kUp,
    kDown,
    kTab,
    kEscape,
    kKeypadPlus,
    kKeypadMinus,
    kEquals,
    kMinus,
    kOther
};

// The cursor to show. kUnchanged leaves the cursor alone; kArrow is the view's normal cursor.
enum class CursorKind { kUnchanged, kArrow, kMove, kSizeNWSE, kSizeNESW, kSizeWE, kSizeNS };
// The cursor of a handle (0 interior: move; 9 border: normal).
CursorKind CursorForHandle(int handle);

// A part of the client area to repaint.
struct Repaint {
    PixelRect rect;  // client pixels; unused when `all`
    bool all = false;
    bool erase = true;
    friend bool operator==(const Repaint&, const Repaint&) = default;
};

enum class MouseCapture { kNone, kCapture, kRelease };

// What the shell does next.
enum class EditRequestKind { kZoomIn, kZoomOut, kContextMenu };
struct EditRequest {
    EditRequestKind kind = EditRequestKind::kZoomIn;
    int menu = 0;  // kContextMenu: the menu resource to pop up
    ViewPoint at;  // kContextMenu: where, in client pixels
};

// The answer to one event or command.
struct EditOutput {
    bool handled = true;   // commands: the id is an editing command
    bool consumed = true;  // right button: false when the default handling should run
    std::vector<Repaint> repaints;
    CursorKind cursor = CursorKind::kUnchanged;
    std::optional<std::string> status;  // new text of the message pane
    // Rectangles (corners in client pixels, normalised) to draw in XOR with kRubberBandColour, in
    // this order; drawing one twice removes it.
    std::vector<PixelRect> bandXor;
    bool modified = false;  // mark the document modified
    MouseCapture capture = MouseCapture::kNone;
    std::vector<EditRequest> requests;
};

// Runs the Gauge Properties dialog for gauge `index` (modal). The dialog records the undo step
// itself (EditingController::RecordUndo) before it changes the gauge.
using GaugePropertiesHandler = std::function<void(int index)>;
// Loads the element bitmaps of a newly inserted gauge (reference in gauge.name).
using GaugeImageLoader = std::function<void(ViewGauge& gauge)>;
// Runs the Add Gauge dialog: the chosen reference, or nullopt when it was cancelled.
using AddGaugeDialog = std::function<std::optional<std::string>()>;

class EditingController {
  public:
    // Edits the gauges of `view`'s shown window; settings (mode, zoom, grid, gauge clipboard) are
    // the view's. The default loader reads the gauge's module with the settings' options.
    explicit EditingController(PanelView& view);

    void SetPropertiesHandler(GaugePropertiesHandler handler) { properties_ = std::move(handler); }
    void SetGaugeLoader(GaugeImageLoader loader) { loader_ = std::move(loader); }

    // Another window was shown (or the panel closed): the drag ends and the undo step, which
    // belongs to the old window's gauges, is forgotten.
    void WindowChanged();

    // Mouse events at a client point.
    EditOutput LeftDown(ViewPoint p, Modifiers m);
    EditOutput MouseMove(ViewPoint p, Modifiers m);
    EditOutput LeftUp(ViewPoint p, Modifiers m);
    EditOutput LeftDoubleClick(ViewPoint p, Modifiers m);
    // consumed is false when no gauge is selected (the default handling runs).
    EditOutput RightDown(ViewPoint p, Modifiers m);
    // A context-menu request from the right button (at p) or the menu key (p = nullopt).
    EditOutput ContextMenu(std::optional<ViewPoint> p, Modifiers m);

    // Key events. repeatCount is the number of auto-repeats the event stands for (at least 1);
    // previouslyDown is set when the key was already down (auto-repeat). Every key-down that changes
    // gauges is one undo step. Tab steps to the next gauge, Shift+Tab to the previous one; an
    // auto-repeated Tab keeps stepping the same way. Nothing happens while no window is shown.
    EditOutput KeyDown(EditKey key, int repeatCount = 1, bool previouslyDown = false);
    EditOutput KeyUp(EditKey key);

    // The commands Execute carries out.
    static std::vector<Cmd> Commands();
    // Any of the commands below by number. handled is false for other numbers.
    EditOutput Execute(int commandId);
    // Fills what the command rules need from the editing side: undo and redo, the selection, the
    // gauge and clipboard counts, the outline mode, whether the selection can be hidden or shown.
    void FillCommandContext(CommandContext& ctx) const;

    // The commands.
    EditOutput LineUpVertically();
    EditOutput LineUpHorizontally();
    EditOutput StackVertically();
    EditOutput StackHorizontally();
    EditOutput SameSize(bool largest);
    EditOutput AspectRatioOne();
    EditOutput SnapSelectedToGrid();
    EditOutput MoveInDrawingOrder(OrderMove move);
    EditOutput SelectAll();
    EditOutput Delete();
    EditOutput Copy();
    EditOutput Cut();
    EditOutput Paste();
    EditOutput HideSelected();
    EditOutput UnhideSelected();
    // Add Gauge: the FS98 capacity warning, the dialog, the FS98 duplicate check, then the gauge at
    // the centre of the client area (or at `at`, in panel units).
    EditOutput AddGauge(const AddGaugeDialog& dialog, std::optional<ViewPoint> at = std::nullopt);
    // Adds gauge `reference` at (x, y) panel units, selected, with its bitmaps loaded. False (with
    // its warning shown) when the window can take no more gauges or, in FS98, already has it.
    bool InsertGauge(const std::string& reference, double x, double y, EditOutput& out);
    EditOutput Undo();
    EditOutput Redo();
    // The Gauge Properties dialog for every selected gauge in index order.
    EditOutput Properties();
    // The element-0 image the "Copy Gauge Bitmap to Clipboard" command puts on the system clipboard:
    // that of the last selected gauge that has one; null when none has.
    ImagePtr GaugeBitmapForClipboard() const;

    // Takes the undo snapshot (used by the Gauge Properties dialog before it changes a gauge).
    void RecordUndo();
    const UndoRecord& UndoState() const { return undo_; }

    // What the status bar shows.
    int CursorX() const { return cursorX_; }
    int CursorY() const { return cursorY_; }
    GaugePaneState PaneState() const;
    int DragMode() const { return dragMode_; }
    bool BandDrawn() const { return bandDrawn_; }

  private:
    std::vector<ViewGauge>& Gauges() { return view_->Gauges(); }
    const std::vector<ViewGauge>& Gauges() const { return view_->Gauges(); }
    SimMode Mode() const { return view_->settings().Mode(); }
    bool PanelLoaded() const { return view_->Shown() != nullptr; }
    int ShownIndex() const { return view_->Shown() ? view_->Shown()->index : -1; }
    ViewPoint ToUnits(ViewPoint client) const { return view_->Geometry().ToUnits(client); }
    // The centre of the client area in panel units, where inserted gauges go.
    ViewPoint ClientCentreUnits() const;
    // The client point in panel units without rounding.
    void ToUnitsExact(ViewPoint client, double& ux, double& uy) const;
    DrawnSize Drawn();
    double DrawnHeightOnView(int index);
    double DrawnWidthOnView(int index);

    void RepaintGauge(int index, EditOutput& out, bool erase = true);
    void RepaintAll(EditOutput& out, bool erase);
    void SetSelected(int index, bool selected, EditOutput& out);
    void DeselectAll(EditOutput& out);
    // The selected gauges under a point in panel units: how many, and the last of them (-1 for none).
    struct SelectedHit {
        int count = 0;
        int last = -1;
    };
    SelectedHit SelectedAt(ViewPoint units) const;
    CursorKind HoverCursor(ViewPoint units) const;
    void FinishBand(EditOutput& out);
    void Resize(ViewPoint p, bool shift, EditOutput& out);
    void MoveSelected(ViewPoint p, EditOutput& out);
    void Band(ViewPoint p, EditOutput& out);
    void OpenProperties(int index, EditOutput& out);
    void Tab(bool backwards, EditOutput& out);
    void SizeSelected(int delta, EditOutput& out);
    // With any gauge selected: one undo step, `change`, and the whole view repainted.
    EditOutput ChangeSelected(const std::function<void()>& change, bool erase);
    PixelRect BandRect(ViewPoint a, ViewPoint b) const;
    bool InsertChecks(const std::string& reference) const;

    PanelView* view_;
    GaugePropertiesHandler properties_;
    GaugeImageLoader loader_;
    UndoRecord undo_;

    // The drag.
    bool buttonDown_ = false;
    bool clickedNew_ = false;
    int dragMode_ = 0;  // 0 undecided, 1 resize, 2 move, 3 rubber band
    int handle_ = 0;
    int resizeGauge_ = -1;
    ViewPoint anchor_;
    ViewPoint last_;
    bool bandDrawn_ = false;
    bool shiftDown_ = false;
    bool moving_ = false;    // gauges moved (mouse or arrows): the pane shows the origin
    bool resizing_ = false;  // a gauge resized: the pane shows its size
    bool mouseMoving_ = false;
    double sizeWidth_ = 0, sizeHeight_ = 0;
    int cursorX_ = 0, cursorY_ = 0;
};

}  // namespace brindle
