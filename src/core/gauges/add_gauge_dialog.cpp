#include "gauges/add_gauge_dialog.h"

#include <algorithm>
#include <cstdio>

#include "platform/paths.h"
#include "view/bitmap.h"

namespace brindle {
namespace {

constexpr const char* kParentEntry = "..";

char Upper(char c) {
    return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
}

bool MatchFrom(std::string_view p, std::string_view n) {
    // Greedy with one back-track point: the last "*" seen.
    std::size_t pi = 0, ni = 0, star = std::string_view::npos, mark = 0;
    while (ni < n.size()) {
        if (pi < p.size() && (p[pi] == '?' || Upper(p[pi]) == Upper(n[ni]))) {
            ++pi;
            ++ni;
        } else if (pi < p.size() && p[pi] == '*') {
            star = pi++;
            mark = ni;
        } else if (star != std::string_view::npos) {
            pi = star + 1;
            ni = ++mark;
        } else {
            return false;
        }
    }
    while (pi < p.size() && p[pi] == '*') ++pi;
    return pi == p.size();
}

std::string Format(const char* format, int n) {
    char buf[64];
    std::snprintf(buf, sizeof buf, format, n);
    return buf;
}

// Bytes of the packed bitmap's pixel rows: row length (rounded up to 4 bytes) times height.
int BitmapBytes(const GaugeModule& module, unsigned resource) {
    auto packed = module.BitmapResource(resource);
    if (!packed) return 0;
    auto dib = Dib::FromPacked(std::move(*packed));
    if (!dib) return 0;
    std::int64_t row = (static_cast<std::int64_t>(dib->Width()) * dib->BitCount() + 31) / 32 * 4;
    std::int64_t bytes = row * dib->Height();
    return bytes > 0x7FFFFFFF ? 0x7FFFFFFF : static_cast<int>(bytes);
}

}  // namespace

AddGaugeMemory& GlobalAddGaugeMemory() {
    static AddGaugeMemory memory;
    return memory;
}

bool WildcardMatch(std::string_view pattern, std::string_view name) {
    if (MatchFrom(pattern, name)) return true;
    // "*.*" and "name.*" also take names without an extension, as a folder listing does.
    if (pattern.size() >= 2 && pattern.substr(pattern.size() - 2) == ".*" &&
        name.find('.') == std::string_view::npos) {
        return MatchFrom(pattern.substr(0, pattern.size() - 2), name);
    }
    return false;
}

const char* AddGaugeDialogLogic::FamilyText(int index) {
    static const char* const kTexts[kFamilyCount] = {"All Gauge Files (.gau)", "FS2000 Gauge Files (.gau)",
                                                     "FS98 Gauge Files (.gau)", "CFS Gauge Files (.gau)",
                                                     "CFS2 Gauge Files (.gau)"};
    return (index >= 0 && index < kFamilyCount) ? kTexts[index] : "";
}

unsigned AddGaugeDialogLogic::FamilyVersion(int index) {
    static const unsigned kVersions[kFamilyCount] = {0, kVersionFS2000, kVersionFS98, kVersionCFS,
                                                     kVersionCFS2};
    return (index >= 0 && index < kFamilyCount) ? kVersions[index] : 0;
}

AddGaugeDialogLogic::AddGaugeDialogLogic(const Settings& settings, AddGaugeMemory& memory)
    : settings_(&settings), memory_(&memory), gaugesDir_(settings.GaugesDirForDisplay()) {
    browseDir_ = gaugesDir_;
}

std::string AddGaugeDialogLogic::FileCountText() const {
    return Format("Gauge Files   (%d Files)", static_cast<int>(entries_.size()));
}

std::string AddGaugeDialogLogic::GaugeCountText() const {
    if (!gaugeListEnabled_) return "";
    return Format("Gauges in File   (%d Gauges)", static_cast<int>(gaugeNames_.size()));
}

std::string AddGaugeDialogLogic::FilePath(const std::string& name) const {
    return JoinPath(browseDir_, name);
}

void AddGaugeDialogLogic::Open(const ListingProgress& progress) {
    info_ = {};
    preview_ = {};
    family_ = 0;
    if (!memory_->lastPattern.empty()) {
        pattern_ = memory_->lastPattern;
        headerVersion_ = static_cast<unsigned>(memory_->lastHeaderVersion);
        memory_->lastPattern.clear();
    }
    fileName_ = memory_->lastFile;
    edit_ = pattern_;
    ListFiles(progress);
    gaugeNames_.clear();
    gaugeListEnabled_ = false;
    if (memory_->lastFileIndex != -1 && !fileName_.empty()) {
        for (std::size_t i = 0; i < entries_.size(); ++i) {
            if (!entryIsDir_[i] && entries_[i] == fileName_) {
                selectedEntry_ = static_cast<int>(i);
                break;
            }
        }
        // The re-selected file shows its gauges again, as choosing it did.
        if (selectedEntry_ >= 0) ReadFile();
    }
    ShowPreview();
}

void AddGaugeDialogLogic::ListFiles(const ListingProgress& progress) {
    entries_.clear();
    entryIsDir_.clear();
    selectedEntry_ = -1;
    if (family_ == 0 && pattern_ == "*") fileCount_ = 0;

    struct Found {
        std::string name;
        bool dir;
    };
    std::vector<Found> found;
    for (bool dirs : {true, false}) {
        for (std::string& n : ListDirectory(browseDir_, dirs)) {
            if (WildcardMatch(pattern_, n)) found.push_back({std::move(n), dirs});
        }
    }
    // A folder listing comes in name order without regard to case, folders among the files.
    std::stable_sort(found.begin(), found.end(), [](const Found& a, const Found& b) {
        return ToUpperAscii(a.name) < ToUpperAscii(b.name);
    });

    // Never above the gauges folder.
    if (depth_ > 0 && WildcardMatch(pattern_, kParentEntry)) {
        entries_.push_back(kParentEntry);
        entryIsDir_.push_back(true);
    }
    const unsigned wanted = FamilyVersion(family_);
    int examined = 0;
    if (family_ != 0 && progress) progress(0, fileCount_);
    for (const Found& f : found) {
        if (f.dir) {
            entries_.push_back("[" + f.name + "]");
            entryIsDir_.push_back(true);
            continue;
        }
        if (f.name.find(".gau") == std::string::npos) continue;
        if (family_ == 0) {
            ++fileCount_;
        } else {
            bool keep = ProbeFirstVersion(FilePath(f.name)) == wanted;
            ++examined;
            if (progress) progress(examined, fileCount_);
            if (!keep) continue;
        }
        entries_.push_back(f.name);
        entryIsDir_.push_back(false);
    }
}

void AddGaugeDialogLogic::ReadFile() {
    gaugeFile_ = GaugeFile{FilePath(fileName_)};
    listed_ = ListGauges(gaugeFile_, settings_->Mode());
    headerVersion_ = gaugeFile_.firstVersion;
    ListGaugesOfFile();
}

void AddGaugeDialogLogic::ListGaugesOfFile() {
    gaugeNames_.clear();
    selectedGaugeLine_ = -1;
    reference_.clear();
    if (fileName_.empty()) return;
    for (const std::string& n : gaugeFile_.gaugeNames) {
        if (!n.empty() && gaugeNames_.size() < static_cast<std::size_t>(kMaxListedGauges))
            gaugeNames_.push_back(n);
    }
    gaugeListEnabled_ = headerVersion_ != kVersionFS98;
}

void AddGaugeDialogLogic::ClearSelections() {
    selectedEntry_ = -1;
    selectedGaugeLine_ = -1;
    gaugeNames_.clear();
    gaugeListEnabled_ = false;
    listed_ = false;
}

void AddGaugeDialogLogic::ChooseEntry(int index, const ListingProgress& progress) {
    if (index < 0 || index >= static_cast<int>(entries_.size())) return;
    selectedEntry_ = index;
    selectedGauge_.clear();
    reference_.clear();
    error_.clear();
    preview_ = {};
    const std::string& entry = entries_[static_cast<std::size_t>(index)];
    if (entryIsDir_[static_cast<std::size_t>(index)]) {
        if (entry == kParentEntry) {
            if (depth_ == 0) {
                selectedEntry_ = -1;
                return;
            }
            auto cut = [](std::string& s) {
                auto at = s.find_last_of("\\/");
                s.resize(at == std::string::npos ? 0 : at);
            };
            cut(browseDir_);
            cut(subDir_);
            --depth_;
        } else {
            std::string name = entry.substr(1, entry.size() - 2);
            browseDir_ = JoinPath(browseDir_, name);
            subDir_ += "\\" + name;
            ++depth_;
        }
        pattern_ = "*";
        edit_ = "*";
        fileName_.clear();
        ListFiles(progress);
        ClearSelections();
        ClearPreview();
        return;
    }
    fileName_ = entry;
    ReadFile();
    ShowPreview();
    if (depth_ == 0) {
        memory_->lastFile = fileName_;
        memory_->lastFileIndex = index;
    } else {
        memory_->lastFile.clear();
        memory_->lastPattern.clear();
        memory_->lastFileIndex = -1;
    }
}

void AddGaugeDialogLogic::ChooseGauge(int line) {
    if (headerVersion_ == kVersionFS98 || line < 0 || line >= static_cast<int>(gaugeNames_.size())) return;
    selectedGaugeLine_ = line;
    selectedGauge_ = gaugeNames_[static_cast<std::size_t>(line)];
    ShowPreview();
}

void AddGaugeDialogLogic::ShowPreview() {
    if (selectedEntry_ < 0) return;
    if (fileName_.empty()) {
        ClearPreview();
        return;
    }
    const std::string path = FilePath(fileName_);
    if (!FileExists(path)) {
        ClearPreview();
        return;
    }
    module_.reset();
    module_ = OpenModule(path);
    if (!module_) {
        error_ = kCantLoad;
        ClearPreview();
        return;
    }
    error_.clear();
    info_ = {};
    info_.module = module_;
    preview_ = {};
    if (headerVersion_ == kVersionFS98) {
        ReadFirstGauge(info_);
    } else if (selectedGauge_.empty()) {
        ClearPreview();
        module_.reset();
        return;
    } else {
        info_.gaugeName = selectedGauge_;
        ReadNamedGauge(info_, settings_->HighRes() != 0);
    }
    infoRead_ = true;
    DrawSlot();
    UpdateTexts();
}

void AddGaugeDialogLogic::ClearPreview() {
    infoRead_ = false;
    preview_ = {};
    UpdateTexts();
}

void AddGaugeDialogLogic::DrawSlot() {
    const auto slot = static_cast<std::size_t>(preview_.slot);
    const unsigned resource = info_.resourceId[slot];
    const unsigned flag = info_.typeFlag[slot];
    preview_.typeText = TypeFlagText(flag & (~flag + 1));
    preview_.width = preview_.height = preview_.bytes = 0;
    preview_.bitmap.reset();
    if (static_cast<int>(resource) < 1 || !module_) {
        preview_.resourceId = -1;
        return;
    }
    preview_.resourceId = static_cast<int>(resource);
    if (ImagePtr bmp = module_->LoadBitmap(resource)) {
        preview_.bitmap = bmp;
        preview_.width = bmp->Width();
        preview_.height = bmp->Height();
        preview_.bytes = BitmapBytes(*module_, resource);
    }
}

void AddGaugeDialogLogic::UpdateTexts() {
    reference_.clear();
    familyLabel_.clear();
    const bool shown = infoRead_;
    preview_.shown = false;
    const auto dot = fileName_.rfind('.');
    if (fileName_.empty() || dot == std::string::npos ||
        (!gaugeNames_.empty() && gaugeNames_[0] == kNotFs98Compatible)) {
        return;
    }
    const std::string stem = fileName_.substr(0, dot);
    if (listed_) familyLabel_ = VersionLabel(headerVersion_);
    if (!shown) return;
    if (headerVersion_ == kVersionFS98) {
        reference_ = stem;
    } else if (!selectedGauge_.empty()) {
        reference_ = stem + "!" + selectedGauge_;
    }
    if (!reference_.empty()) edit_ = reference_;
    preview_.shown = true;
}

void AddGaugeDialogLogic::Step(int direction) {
    if (!infoRead_ || direction == 0) return;
    int slot = preview_.slot;
    if (direction < 0) {
        slot = std::max(0, slot - 1);
    } else {
        slot = std::min(kGaugeSlots - 1, slot + 1);
        while (slot > 0 && static_cast<int>(info_.resourceId[static_cast<std::size_t>(slot)]) < 1) --slot;
    }
    preview_.slot = slot;
    DrawSlot();
}

void AddGaugeDialogLogic::ToggleTransparent() {
    memory_->transparentPreview = !memory_->transparentPreview;
}

void AddGaugeDialogLogic::ChooseFamily(int index, const ListingProgress& progress) {
    if (index < 0 || index >= kFamilyCount || index == family_) return;
    fileName_.clear();
    selectedGauge_.clear();
    pattern_ = "*";
    edit_ = "*";
    ShowPreview();
    family_ = index;
    ListFiles(progress);
    ClearSelections();
    ClearPreview();
}

void AddGaugeDialogLogic::ApplyPattern(const ListingProgress& progress) {
    std::string text = edit_.empty() ? std::string("*") : edit_;
    if (!(EqualsNoCase(text, pattern_) && text != "*")) {
        pattern_ = text;
        ListFiles(progress);
        selectedGauge_.clear();
        fileName_.clear();
        module_.reset();
    }
    ClearSelections();
    ClearPreview();
}

bool AddGaugeDialogLogic::Enter(const ListingProgress& progress) {
    if (!reference_.empty() && edit_ == reference_) return true;
    ApplyPattern(progress);
    return false;
}

std::string AddGaugeDialogLogic::Ok() {
    memory_->lastFile = fileName_;
    memory_->lastPattern = pattern_;
    memory_->lastHeaderVersion = static_cast<int>(headerVersion_);
    std::string ref = reference_;
    if (!subDir_.empty()) {
        if (!ref.empty()) ref = subDir_.substr(1) + "\\" + ref;
        memory_->lastFileIndex = -1;
    }
    memory_->lastAddedReference = ref;
    module_.reset();
    return ref;
}

void AddGaugeDialogLogic::Cancel() {
    memory_->lastAddedReference.clear();
    module_.reset();
}

Image FitPicture(const Image& src, int w, int h, Pixel face, bool transparent) {
    Image img(w, h, face);
    if (img.Empty() || src.Empty()) return img;
    const double r = std::max(static_cast<double>(src.Width()) / w, static_cast<double>(src.Height()) / h);
    const int dw = std::max(1, static_cast<int>(src.Width() / r));
    const int dh = std::max(1, static_cast<int>(src.Height() / r));
    const PixelRect dst = PixelRect::FromSize((w - dw) / 2, (h - dh) / 2, dw, dh);
    if (transparent) {
        TransparentStretch(img, dst, src, img.Bounds());
    } else {
        StretchCopy(img, dst, src, src.Bounds(), StretchQuality::kColorOnColor, img.Bounds());
    }
    return img;
}

Image AddGaugeDialogLogic::PreviewImage(int w, int h, Pixel face) const {
    if (!preview_.bitmap) return Image(w, h, face);
    return FitPicture(*preview_.bitmap, w, h, face, memory_->transparentPreview);
}

}  // namespace brindle
