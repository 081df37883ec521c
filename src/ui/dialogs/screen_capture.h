// The Screen Capture command: a file name from the save dialog, then the view's visible area, taken
// from the engine's own picture of it, written as a .bmp file.
#pragma once

#include <functional>
#include <optional>
#include <string>

#include "view/image.h"

class wxWindow;

// The save dialog of Screen Capture; nullopt when cancelled.
std::optional<std::string> ChooseCaptureFile(wxWindow* parent);
// Tests put their own chooser in place (an empty function restores the save dialog).
using CaptureFileChooser = std::function<std::optional<std::string>(wxWindow* parent)>;
void SetCaptureFileChooser(CaptureFileChooser chooser);
// Writes `picture` (the view's client area) to `path` with the wait cursor up. False after the
// message when it could not be written.
bool WriteScreenCapture(const brindle::Image& picture, const std::string& path);
