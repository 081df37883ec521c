// The window position dialog ("Brindle - Adjust Default Window Position"): placing the shown panel
// window on the simulator's screen, either in the FS98 way (one of nine anchors and a size ratio) or
// in the FS2000 way (window_pos and window_size as fractions of the screen), its visibility at
// start-up and the panel's [Default View] rectangle, with the live preview drawn into an image.
#pragma once

#include <array>
#include <optional>
#include <string>

#include "app/settings.h"
#include "panel/panel.h"
#include "view/image.h"

namespace brindle {

enum class PlacementModel { kFs98, kFs2000 };

// The reference window of the preview: the widest visible window (the widest of all when none is
// visible); its width is 1024 when every size_mm is 0.
struct MainWindowChoice {
    int index = -1;
    int width = 1024;
};
MainWindowChoice FindMainWindow(const Panel& panel);

// The FS2000 fractions that match a window's FS98 placement. `mainRatio` is the main window's
// window_size_ratio when present, else 1.0. A window that has a window_size (not both 0) keeps it,
// one with a window_pos keeps that.
struct ScreenPlacement {
    RealPair pos, size;
};
ScreenPlacement DeriveFs2000Placement(const PanelWindow& window, int mainWidth, double mainRatio,
                                      bool keepGiven = true);

// The picture of an outside view drawn behind the Default View rectangle: sky, horizon and ground.
Image OutsideViewPicture(int width, int height);

// The colour of the preview frame around the screen.
inline constexpr Pixel kPreviewFrameColour = MakePixel(240, 240, 240);
inline constexpr Pixel kFixedWindowFill = MakePixel(175, 215, 220);
inline constexpr Pixel kPlacementOutline = MakePixel(255, 255, 0);
inline constexpr Pixel kHorizonRed = MakePixel(255, 0, 0);
// The horizon lies this far down the Default View rectangle.
inline constexpr double kHorizonFraction = 0.6045454545454546;

class WindowPositionEditor {
  public:
    static constexpr const char* kCaption = "Brindle - Adjust Default Window Position";

    enum Field { kPosX, kPosY, kSizeW, kSizeH };
    enum Slider { kViewX, kViewSizeX, kViewY, kViewSizeY };

    // Opens on window `windowIndex` of `panel`. A window whose sizeMmX is 0 takes the main window's
    // width at once. The background bitmaps are read here (quietly: the view has already reported a
    // bitmap it could not read), beside Settings CurrentFile.
    WindowPositionEditor(Panel& panel, int windowIndex, const Settings& settings);

    bool Valid() const { return window_ >= 0; }
    const std::string& WindowName() const { return name_; }
    bool IsFixedWindow() const;
    bool IsMainWindow() const { return window_ == main_.index; }
    const MainWindowChoice& Main() const { return main_; }

    // The model radios.
    PlacementModel Model() const { return model_; }
    bool Fs98Offered() const { return fs98Offered_; }
    bool Fs2000Offered() const { return fs2000Offered_; }
    bool ModelRadiosEnabled() const { return fs98Offered_ && fs2000Offered_; }
    void SetModel(PlacementModel model);

    int PositionCode() const { return position_; }
    void SetPositionCode(int code);
    double Ratio() const { return ratio_; }
    // One spin click: `step` is what the spin reports (a fast step is 5 or more).
    void SpinRatio(int step);
    // A ratio typed as text: a number from 0.01 to 10.0; false (nothing changed) otherwise.
    bool SetRatioText(const std::string& text);
    std::string RatioText() const { return Format("%6.2f", ratio_); }
    bool Visible() const { return visible_ != 0; }
    void SetVisible(bool on) { visible_ = on ? 1 : 0; }

    double Value(Field f) const;
    // The edit's text: "%5.3f" as the dialog shows it on opening, "%5.2f" after a spin click, and
    // as reset after a refused value.
    const std::string& Text(Field f) const { return texts_[f]; }
    void SpinValue(Field f, int step);
    // The Enter key: the four texts as typed, checked in the order X, Y, width, height. A refused
    // text gets its warning and the field is reset. Returns true when every text was taken.
    bool EnterValues(const std::array<std::string, 4>& texts);
    bool PositionEdited() const { return posEdited_; }
    bool SizeEdited() const { return sizeEdited_; }

    const DefaultView& View() const { return view_; }
    std::string ViewText(Slider s) const;
    // A slider moved: kept within its range and never past its partner. Returns the value taken.
    int SetSlider(Slider s, int value);

    // Red fields.
    bool RatioRed() const { return ratio_ <= 0 || ratio_ > 10.0; }
    bool ValueRed(Field f) const;
    bool ViewSizeXRed() const { return view_.sizeX <= 0 || view_.sizeX > 8192; }
    bool ViewSizeYRed() const { return view_.sizeY <= 0 || view_.sizeY > 6144; }

    // The placement aids. Transparent starts on each time; Draw X and Outline Horizon are kept for
    // the program's run.
    bool transparent = true;
    static bool& DrawX();
    static bool& OutlineHorizon();
    bool DrawXEnabled() const { return !IsMainWindow(); }
    bool OutlineHorizonEnabled() const { return !IsFixedWindow(); }

    // The preview: the simulated screen in an image of the frame's size.
    Image RenderPreview(int width, int height, Pixel frameColour = kPreviewFrameColour) const;
    // Where the placed window lands on a screen of that size (screen pixels).
    PixelRect PlacedRect(int screenWidth, int screenHeight) const;

    // OK: the values go into the panel. Cancel: the present flags the model switch changed go back.
    void Ok();
    void Cancel();

  private:
    PixelRect RectFor(const PanelWindow& w, int code, double ratio, const RealPair& pos, const RealPair& size,
                      int sw, int sh, const Image* bitmap) const;
    void DrawWindow(Image& out, const PixelRect& screen, const PanelWindow& w, const PixelRect& r,
                    const Image* bitmap, bool cross) const;
    static std::string Format(const char* format, double v);

    Panel& panel_;
    int window_ = -1;
    SimMode mode_;
    MainWindowChoice main_;
    std::string name_;
    PlacementModel model_ = PlacementModel::kFs2000;
    bool fs98Offered_ = true, fs2000Offered_ = true;
    int position_ = 7;
    double ratio_ = 1.0;
    int visible_ = 1;
    std::array<double, 4> values_{};
    std::array<std::string, 4> texts_;
    bool posEdited_ = false, sizeEdited_ = false;
    DefaultView view_;
    bool openingPosPresent_ = false, openingSizePresent_ = false;
    std::optional<Image> bitmap_, mainBitmap_;
    Image outside_;
};

}  // namespace brindle
