// What the bitmap chooser shows beside its file list (the highlighted bitmap, its size, depth and
// file size) and how the folder chooser settles its result. The shell's choosers only draw this.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "view/bitmap.h"
#include "view/image.h"

namespace brindle {

inline constexpr const char* kBmpDialogTitle = "Select a Background Bitmap";
inline constexpr const char* kBmpDialogFilter = "Bitmaps (*.bmp)|*.bmp;*.BMP";
inline constexpr const char* kFolderSelectButton = "Select";
inline constexpr const char* kFolderReadError = "Error in Getcurrentdirectory";

// Reads a .bmp file without any message: nullopt when it is not a bitmap that can be drawn.
// `length` gets the file's length in bytes.
std::optional<Dib> ReadDibQuietly(const std::string& path, std::int64_t* length = nullptr);

// The depth label for a bitmap's bits per pixel; empty for a depth without a name.
const char* ColorDepthText(int bitsPerPixel);

// The four property lines under the preview.
struct PreviewLines {
    std::string width;   // "Width: %d pixels"
    std::string height;  // "Height: %d pixels"
    std::string depth;   // ColorDepthText
    std::string size;    // "Size: %ld Kb", the file length / 1024 truncated

    bool Empty() const { return width.empty() && height.empty() && depth.empty() && size.empty(); }
};

// Where a bitmap of bw x bh is drawn in a preview area of aw x ah: as large as fits with its aspect
// kept, centred along the other side.
struct PreviewRect {
    int x = 0, y = 0, width = 0, height = 0;
    friend bool operator==(const PreviewRect&, const PreviewRect&) = default;
};
PreviewRect FitPreview(int bw, int bh, int aw, int ah);

// The preview of the highlighted file. Highlighting the file shown already reads nothing again; a
// file that is not a readable bitmap clears the preview. Never shows a message.
class BitmapPreview {
  public:
    // Returns true when the preview changed (the caller repaints).
    bool Select(const std::string& path);
    // The dialog opens or closes: nothing is shown and the next highlight reads its file again.
    void Reset();

    const std::optional<Image>& Picture() const { return image_; }
    const PreviewLines& Lines() const { return lines_; }
    const std::string& LastPath() const { return lastPath_; }
    // How many files were read (for the tests of the skip).
    int Reads() const { return reads_; }

  private:
    std::optional<Image> image_;
    PreviewLines lines_;
    std::string lastPath_;
    int reads_ = 0;
};

// The folder chooser's result: the folder the user is in when "Select" is pressed; without one
// (it cannot be read) the error box says so and the result is the folder the chooser opened in.
std::string FolderChooserResult(const std::optional<std::string>& current, const std::string& initial);

}  // namespace brindle
