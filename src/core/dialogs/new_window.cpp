#include "dialogs/new_window.h"

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "dialogs/choosers.h"
#include "dialogs/field_text.h"
#include "platform/messages.h"
#include "platform/paths.h"
#include "view/bitmap.h"

namespace brindle {

namespace {

constexpr std::size_t kMaxPathLength = 260;

std::string Format(const char* pattern, const std::string& arg) {
    std::string out;
    const char* at = std::strstr(pattern, "%s");
    if (!at) return pattern;
    out.assign(pattern, at);
    out += arg;
    out += at + 2;
    return out;
}

std::string Fixed62(double v) {
    char buf[32];
    std::snprintf(buf, sizeof buf, "%6.2f", v);
    return buf;
}

}  // namespace

NewWindowDialogState::NewWindowDialogState(const Panel& panel, const Settings& settings)
    : mode_(settings.Mode()), panelFolder_(DirectoryPart(settings.CurrentFile()).value_or("")) {
    const int main = MainPanelWindow(panel);
    if (main >= 0) mainWidth_ = std::max(0, panel.windows[static_cast<std::size_t>(main)].sizeMmX);
}

void NewWindowDialogState::SetUseBitmap(bool yes) {
    if (!BitmapRadiosEnabled()) return;
    useBitmap_ = yes;
}

void NewWindowDialogState::ChooseColour(ColorEntry colour) {
    chosenColour_ = colour;
    red = std::to_string(colour.red());
    green = std::to_string(colour.green());
    blue = std::to_string(colour.blue());
}

bool NewWindowDialogState::Browse(const std::string& fullPath) {
    bitmapFile = fullPath;
    BitmapFileRequest request;
    request.path = fullPath;
    if (!ReadBitmapFile(request, false)) return false;
    readPath_ = fullPath;
    colours_ = request.colours;
    const int width = request.width;
    const int height = std::abs(request.height);
    sizeMm = std::to_string(width);
    heldSizeMm_ = width;
    if (mainWidth_ > 0 && width > 0) {
        // The new window as wide on the screen, relative to the main panel, as its bitmap is.
        double x = std::min(1.0, static_cast<double>(width) / mainWidth_);
        double y = std::min(1.0, height * x / width);
        sizeX = Fixed62(x);
        sizeY = Fixed62(y);
    }
    return true;
}

bool NewWindowDialogState::CheckBitmap() {
    std::string path = bitmapFile;
    if (path.empty() || path.size() > kMaxPathLength) {
        ShowError(Format("The Bitmap Filename \"%s\" is not valid.\nPlease re-enter a valid filename", path));
        return false;
    }
    // A name without a folder is one in the panel's folder.
    if (FolderOf(path).empty()) path = JoinPath(panelFolder_, path);
    if (!FileExists(path)) {
        ShowError(Format("The Bitmap Filename \"%s\" does not exist.\nPlease re-enter a valid filename",
                         bitmapFile));
        return false;
    }
    const std::string name = NameOf(path);
    if (!SameFolder(FolderOf(path), panelFolder_)) {
        const std::string question = Format(
            "The Bitmap file:\"%s\" must be in the current Aircraft's Panel directory. Should I copy it "
            "there now?",
            path);
        if (AskQuestion(QuestionKind::YesNo, question) != Answer::Yes) return false;
        const std::string target = JoinPath(panelFolder_, name);
        int error = 0;
        // Another bitmap of that name may belong to another window: it is never replaced.
        if (PathExists(target)) {
            error = EEXIST;
        } else if (!CopyFileBytes(path, target, &error)) {
            if (error == 0) error = EIO;
        } else {
            error = 0;
        }
        if (error != 0) {
            ShowError(Format("File copy of %s failed!\n\n", path) + std::strerror(error));
            return false;
        }
        // The field now names the copy, so OK given again after a later check failed does not
        // copy a second time onto the first copy.
        if (readPath_ == bitmapFile) readPath_ = target;
        bitmapFile = target;
        path = target;
    }
    if (readPath_ != bitmapFile && readPath_ != path) {
        // Typed rather than browsed: its colour count is still needed for the 8-bit warning.
        std::optional<Dib> dib = ReadDibQuietly(path);
        colours_ = dib ? dib->Colours() : 0;
        readPath_ = path;
    }
    result_.useBitmap = true;
    result_.bitmapFile = name;
    return true;
}

bool NewWindowDialogState::CheckColour() {
    const struct {
        const std::string* text;
        const char* name;
    } parts[] = {{&red, "Red"}, {&green, "Green"}, {&blue, "Blue"}};
    int v[3] = {};
    for (int i = 0; i < 3; ++i) {
        std::optional<long> n = ParseFieldUnsigned(*parts[i].text);
        if (!n || *n > 255) {
            ShowError(std::string("The value of Window Background Color ") + parts[i].name +
                      " is invalid.\nEnter a number from 0 to 255");
            return false;
        }
        v[i] = static_cast<int>(*n);
    }
    result_.useBitmap = false;
    result_.colour = ColorEntry::FromRgb(static_cast<std::uint8_t>(v[0]), static_cast<std::uint8_t>(v[1]),
                                         static_cast<std::uint8_t>(v[2]))
                         .value;
    return true;
}

bool NewWindowDialogState::CheckScreenFields() {
    const struct {
        const std::string* text;
        const char* name;
        double* out;
    } sizes[] = {{&sizeX, "X", &result_.sizeX}, {&sizeY, "Y", &result_.sizeY}};
    for (const auto& s : sizes) {
        std::optional<double> v = ParseFieldReal(*s.text);
        if (!v || !(*v > 0.0) || *v > 1.0) {
            ShowError(std::string("The value of Window Size ") + s.name +
                      " is invalid.\nEnter a number between 0.01 and 1.0");
            return false;
        }
        *s.out = *v;
    }
    result_.sizeMm = heldSizeMm_;
    if (mainWidth_ > 0)
        result_.sizeMm = std::max(1, static_cast<int>(std::trunc(mainWidth_ * result_.sizeX)));
    const struct {
        const std::string* text;
        const char* name;
        double* out;
    } positions[] = {{&posX, "X", &result_.posX}, {&posY, "Y", &result_.posY}};
    for (const auto& p : positions) {
        const bool onlyDigits =
            !p.text->empty() && p.text->find_first_not_of("0123456789.") == std::string::npos;
        std::optional<double> v = onlyDigits ? ParseFieldReal(*p.text) : std::nullopt;
        if (!v || *v < 0.0 || *v > 1.0) {
            ShowError(std::string("The value of Window Pos ") + p.name +
                      " is invalid.\nEnter a number between 0.0 and 1.0");
            return false;
        }
        *p.out = *v;
    }
    return true;
}

bool NewWindowDialogState::CheckFs98Fields() {
    std::optional<double> r = ParseFieldReal(ratio);
    if (!r || !(*r > 0.0) || *r > 100.0) {
        ShowError("The value of Window Size Ratio is invalid.\nEnter a number between 0.01 and 100.0");
        return false;
    }
    result_.ratio = *r;
    result_.position = std::clamp(positionCode, 0, 8);
    if (sizeMm.find_first_not_of(" \t") == std::string::npos) {
        result_.sizeMm = heldSizeMm_;
    } else {
        std::optional<long> mm = ParseFieldUnsigned(sizeMm);
        if (!mm || *mm < 1 || *mm > 8192) {
            ShowError("The Value of Size MM is invalid.\nPlease enter a value between 1 and 8192");
            return false;
        }
        result_.sizeMm = static_cast<int>(*mm);
    }
    return true;
}

void NewWindowDialogState::NotEightBitWarning(const char* text) {
    if ((mode_ == kModeFS98 || mode_ == kModeCFS) && result_.useBitmap && colours_ > 256 && ShowAgainFlag())
        ShowWarningWithOptOut(text);
}

bool NewWindowDialogState::Ok(Trigger trigger) {
    result_ = NewWindowFields{};
    result_.title = title.substr(0, kMaxTitleLength);
    result_.visible = visible;
    if (useBitmap_ ? !CheckBitmap() : !CheckColour()) return false;
    if (trigger == Trigger::Button) NotEightBitWarning(kNewWindowNotEightBitOk);
    if (mode_ == kModeFS98 ? !CheckFs98Fields() : !CheckScreenFields()) return false;
    if (trigger == Trigger::EnterKey) NotEightBitWarning(kNewWindowNotEightBitEnter);
    return true;
}

}  // namespace brindle
