// Gauge modules (.gau): the structures reachable from the "Linkage" export (gauge headers and their
// element chains) and the bitmap resources the elements name. The module is read from its file and
// never run; every pointer read from it is checked to land inside the image, and one that does not
// counts as absent (0).
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/settings.h"
#include "gauges/pe_image.h"
#include "view/image.h"

namespace brindle {

inline constexpr int kGaugeSlots = 28;           // element slots of one gauge
inline constexpr int kMaxListedGauges = 128;     // names ListGauges collects
inline constexpr int kMaxSearchedHeaders = 100;  // headers FindGauge looks at
inline constexpr std::size_t kMaxGaugeNameChars = 63;
// Elements one chain walk looks at: skipped elements take no slot, so a chain that loops through
// them would otherwise never end.
inline constexpr int kMaxChainElements = 256;

// Header versions and element types.
inline constexpr unsigned kVersionFS98 = 610, kVersionCFS = 650, kVersionFS2000 = 700, kVersionCFS2 = 750;
enum ElementType : unsigned {
    kStaticImage = 0,
    kNeedle = 1,
    kString = 2,
    kSlider = 3,
    kIcon = 4,
    kMovingImage = 5,
    kSprite = 6,
};
// "FS98", "CFS", "FS2000", "CFS2" or "Unknown".
const char* VersionLabel(unsigned version);
// "TYPE_STATIC_IMAGE" ... "TYPE_SPRITE" for a type flag (1 << type); "" for anything else.
const char* TypeFlagText(unsigned flag);

// Offsets of the fields read from the module's structures.
struct GaugeLayout {
    static constexpr std::uint32_t kLinkageHeaders = 24;
    static constexpr std::uint32_t kHeaderVersion = 0, kHeaderName = 4, kHeaderElements = 8,
                                   kHeaderDesignWidth = 44;
    static constexpr std::uint32_t kElemType = 0, kElemResource = 4, kElemX = 8, kElemY = 12,
                                   kElemOffsetX = 24, kElemOffsetY = 28, kElemOwner = 32, kElemNext = 40,
                                   kElemImageFlags = 48;
};

// One opened module. Bitmaps decoded from it are kept while the module is open, so that gauges
// of one window load that share a module decode each bitmap once.
class GaugeModule {
  public:
    static std::shared_ptr<GaugeModule> Open(const std::string& path, std::string* error = nullptr);
    GaugeModule(std::string path, PeImage image) : path_(std::move(path)), image_(std::move(image)) {}

    const std::string& Path() const { return path_; }
    const PeImage& Image() const { return image_; }

    // The address of the "Linkage" record (an absolute address at the image base), or 0.
    std::uint32_t Linkage() const;
    // The 32-bit value at `address` + `offset`; 0 when it can't be read.
    std::uint32_t Word(std::uint32_t address, std::uint32_t offset = 0) const;
    // The value at `address` + `offset` taken as a pointer: 0 unless it lands inside the image.
    std::uint32_t Pointer(std::uint32_t address, std::uint32_t offset = 0) const;
    // The NUL-terminated text at `address`, or nullopt when absent or unterminated.
    std::optional<std::string> Text(std::uint32_t address) const;

    // Gauge header pointers of the Linkage list, in order, ending before the first 0 (at most `limit`).
    std::vector<std::uint32_t> GaugeHeaders(int limit) const;
    unsigned HeaderVersion(std::uint32_t header) const { return Word(header, GaugeLayout::kHeaderVersion); }
    int HeaderDesignWidth(std::uint32_t header) const {
        return static_cast<int>(Word(header, GaugeLayout::kHeaderDesignWidth));
    }
    // The name of a header; nullopt when its name pointer is 0.
    std::optional<std::string> HeaderName(std::uint32_t header) const;

    // The bitmap resource with this number (taken modulo 65536), decoded; nullptr when there is
    // none or it is not a bitmap that can be drawn.
    ImagePtr LoadBitmap(std::uint32_t number) const;
    bool HasBitmap(std::uint32_t number) const { return LoadBitmap(number) != nullptr; }
    // The raw packed bitmap of a resource (for extraction).
    std::optional<std::vector<std::uint8_t>> BitmapResource(std::uint32_t number) const;

  private:
    std::string path_;
    PeImage image_;
    mutable std::map<std::uint16_t, ImagePtr> bitmaps_;
};

// An open module; null = not open. Dropping the last reference closes it.
using ModuleHandle = std::shared_ptr<const GaugeModule>;

// Null when no file exists at `path` or it is not a loadable 32-bit module.
ModuleHandle OpenModule(const std::string& path, std::string* error = nullptr);

// The header version of the module's first gauge; 0 when it can't be opened, has no "Linkage" or
// no first gauge.
unsigned ProbeFirstVersion(const std::string& path);

struct GaugeFile {
    std::string path;
    ModuleHandle module;
    unsigned firstVersion = 0;
    std::vector<std::string> gaugeNames;  // at most 128, each at most 63 characters
};

// Fills gaugeNames and firstVersion; false when the module can't be opened, has no gauge, or (in
// FS98 mode) is not an FS98 module. The module is closed again before returning.
bool ListGauges(GaugeFile& file, SimMode mode);

// The header of the gauge named `name` (ignoring case) among the first 100 headers, or 0.
std::uint32_t FindGauge(const GaugeModule& module, std::string_view name);

// The elements of one gauge, collected for drawing.
struct GaugeInfo {
    ModuleHandle module;
    std::optional<std::string> gaugeName;
    int designWidth = 0;
    std::array<unsigned, kGaugeSlots> typeFlag{};
    std::array<unsigned, kGaugeSlots> resourceId{};
    std::array<std::array<int, 2>, kGaugeSlots> elementPosition{};
    std::array<std::array<int, 2>, kGaugeSlots> elementOffset{};
    std::array<int, kGaugeSlots> transparent{};
};

// 0, -1 (no Linkage, no gauge, no name asked for, no element) or -100 (no gauge of that name).
// Strings and unknown element types take no slot. With `highRes` a gauge of a version other than
// 610 uses the bitmap numbered +500 where the module has one.
int ReadNamedGauge(GaugeInfo& info, bool highRes);
// 0, -1 (no Linkage, no first gauge, no element) or -2 (no element that takes a slot). Every
// element walked uses up its slot; skipped ones leave it empty.
int ReadFirstGauge(GaugeInfo& info);

struct HeaderIdentity {
    std::string internalName;
    unsigned version = 0;
};
// The design width of the named gauge (or the first one without a name) and its name and version
// in `out`; -1 when the named gauge is not found, 0 when the module has no first gauge (nothing is
// copied in both cases).
int ReadHeaderIdentity(const GaugeModule& module, const std::optional<std::string>& gaugeName,
                       HeaderIdentity& out);

// A gauge reference split at its first "!": the module part (backslashes are folders) and the
// gauge part, absent for an FS98-style reference.
struct GaugeReference {
    std::string modulePart;
    std::optional<std::string> gaugePart;
};
GaugeReference SplitGaugeReference(std::string_view reference);
// gaugesDir + separator + module part + ".gau", as shown in messages.
std::string GaugeModulePath(const std::string& gaugesDir, const std::string& modulePart);

// Modules opened during one load of a window's gauges, each parsed once. Never kept longer.
class ModuleCache {
  public:
    // The module at `path` (opened on first use); null when it can't be opened.
    ModuleHandle Get(const std::string& path);

  private:
    std::map<std::string, ModuleHandle> modules_;
};

}  // namespace brindle
