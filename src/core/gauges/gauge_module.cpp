#include "gauges/gauge_module.h"

#include <filesystem>

#include "platform/paths.h"
#include "view/bitmap.h"

namespace brindle {
namespace {

constexpr std::uintmax_t kMaxModuleBytes = 256u * 1024 * 1024;
constexpr std::size_t kMaxTextChars = 4096;

using L = GaugeLayout;

// The element chain's next element: a pointer to a pointer; 0 ends the chain.
std::uint32_t NextElement(const GaugeModule& m, std::uint32_t element) {
    std::uint32_t list = m.Pointer(element, L::kElemNext);
    return list ? m.Pointer(list) : 0;
}

std::uint32_t FirstElement(const GaugeModule& m, std::uint32_t header) {
    std::uint32_t list = m.Pointer(header, L::kHeaderElements);
    return list ? m.Pointer(list) : 0;
}

void FillSlot(const GaugeModule& m, GaugeInfo& info, int slot, std::uint32_t element, unsigned type,
              unsigned resource) {
    auto s = static_cast<size_t>(slot);
    info.typeFlag[s] = 1u << type;
    info.resourceId[s] = resource;
    info.elementPosition[s] = {static_cast<int>(m.Word(element, L::kElemX)),
                               static_cast<int>(m.Word(element, L::kElemY))};
    info.elementOffset[s] = {static_cast<int>(m.Word(element, L::kElemOffsetX)),
                             static_cast<int>(m.Word(element, L::kElemOffsetY))};
    info.transparent[s] = static_cast<int>(m.Word(element, L::kElemImageFlags) & 1u);
}

// The header that owns an element, or `fallback` when the owner pointer is absent.
std::uint32_t OwnerOf(const GaugeModule& m, std::uint32_t element, std::uint32_t fallback) {
    std::uint32_t owner = m.Pointer(element, L::kElemOwner);
    return owner ? owner : fallback;
}

}  // namespace

const char* VersionLabel(unsigned version) {
    switch (version) {
        case kVersionFS98:
            return "FS98";
        case kVersionCFS:
            return "CFS";
        case kVersionFS2000:
            return "FS2000";
        case kVersionCFS2:
            return "CFS2";
        default:
            return "Unknown";
    }
}

const char* TypeFlagText(unsigned flag) {
    switch (flag) {
        case 1:
            return "TYPE_STATIC_IMAGE";
        case 2:
            return "TYPE_NEEDLE";
        case 4:
            return "TYPE_STRING";
        case 8:
            return "TYPE_SLIDER";
        case 16:
            return "TYPE_ICON";
        case 32:
            return "TYPE_MOVING_IMAGE";
        case 64:
            return "TYPE_SPRITE";
        default:
            return "";
    }
}

std::shared_ptr<GaugeModule> GaugeModule::Open(const std::string& path, std::string* error) {
    if (!FileExists(path)) {
        if (error) *error = "no such file";
        return nullptr;
    }
    std::error_code ec;
    auto size = std::filesystem::file_size(ResolvePath(path), ec);
    if (ec || size > kMaxModuleBytes) {
        if (error) *error = ec ? ec.message() : "the file is too large for a gauge module";
        return nullptr;
    }
    int err = 0;
    auto bytes = ReadFileBytes(path, &err);
    if (!bytes) {
        if (error) *error = "can't read the file";
        return nullptr;
    }
    auto pe = PeImage::Parse(std::move(*bytes), error);
    if (!pe) return nullptr;
    return std::make_shared<GaugeModule>(path, std::move(*pe));
}

std::uint32_t GaugeModule::Linkage() const {
    auto rva = image_.FindExport("Linkage");
    return rva ? image_.ImageBase() + *rva : 0;
}

std::uint32_t GaugeModule::Word(std::uint32_t address, std::uint32_t offset) const {
    auto rva = image_.VaToRva(address);
    if (!rva || std::uint64_t{*rva} + offset > 0xFFFFFFFFu) return 0;
    return image_.U32(*rva + offset).value_or(0);
}

std::uint32_t GaugeModule::Pointer(std::uint32_t address, std::uint32_t offset) const {
    std::uint32_t v = Word(address, offset);
    return image_.VaToRva(v) ? v : 0;
}

std::optional<std::string> GaugeModule::Text(std::uint32_t address) const {
    auto rva = image_.VaToRva(address);
    if (!rva) return std::nullopt;
    return image_.CString(*rva, kMaxTextChars);
}

std::vector<std::uint32_t> GaugeModule::GaugeHeaders(int limit) const {
    std::vector<std::uint32_t> out;
    std::uint32_t linkage = Linkage();
    if (!linkage) return out;
    for (int i = 0; i < limit; ++i) {
        std::uint32_t h = Pointer(linkage, L::kLinkageHeaders + 4 * static_cast<std::uint32_t>(i));
        if (!h) break;
        out.push_back(h);
    }
    return out;
}

std::optional<std::string> GaugeModule::HeaderName(std::uint32_t header) const {
    std::uint32_t p = Pointer(header, L::kHeaderName);
    if (!p) return std::nullopt;
    return Text(p);
}

std::optional<std::vector<std::uint8_t>> GaugeModule::BitmapResource(std::uint32_t number) const {
    return image_.FindResource(kResourceTypeBitmap, number & 0xFFFFu);
}

ImagePtr GaugeModule::LoadBitmap(std::uint32_t number) const {
    auto id = static_cast<std::uint16_t>(number & 0xFFFFu);
    auto it = bitmaps_.find(id);
    if (it != bitmaps_.end()) return it->second;
    ImagePtr result;
    if (auto data = BitmapResource(id)) {
        if (auto dib = Dib::FromPacked(std::move(*data)))
            result = std::make_shared<const brindle::Image>(dib->Decode());
    }
    bitmaps_.emplace(id, result);
    return result;
}

ModuleHandle OpenModule(const std::string& path, std::string* error) {
    return GaugeModule::Open(path, error);
}

unsigned ProbeFirstVersion(const std::string& path) {
    ModuleHandle m = OpenModule(path);
    if (!m) return 0;
    auto headers = m->GaugeHeaders(1);
    return headers.empty() ? 0 : m->HeaderVersion(headers[0]);
}

bool ListGauges(GaugeFile& file, SimMode mode) {
    file.gaugeNames.clear();
    ModuleHandle m = OpenModule(file.path);
    if (!m) return false;
    auto headers = m->GaugeHeaders(kMaxListedGauges);
    if (headers.empty()) return false;
    file.firstVersion = m->HeaderVersion(headers[0]);
    auto cut = [](std::string s) {
        if (s.size() > kMaxGaugeNameChars) s.resize(kMaxGaugeNameChars);
        return s;
    };
    if (file.firstVersion == kVersionFS98) {
        if (m->Pointer(headers[0], L::kHeaderName)) {
            std::string name = m->HeaderName(headers[0]).value_or("");
            file.gaugeNames.push_back(name.empty() ? "No Internal Name" : cut(name));
        }
        return true;
    }
    if (mode == kModeFS98) {
        file.gaugeNames.push_back("NOT FS98 COMPATIBLE!");
        return false;
    }
    for (std::uint32_t h : headers) {
        // A header without a readable name still takes its place in the list.
        std::string name = m->HeaderName(h).value_or("");
        file.gaugeNames.push_back(name.empty() ? "No Internal Name" : cut(name));
    }
    return true;
}

std::uint32_t FindGauge(const GaugeModule& module, std::string_view name) {
    for (std::uint32_t h : module.GaugeHeaders(kMaxSearchedHeaders)) {
        auto n = module.HeaderName(h);
        if (n && EqualsNoCase(*n, name)) return h;
    }
    return 0;
}

int ReadNamedGauge(GaugeInfo& info, bool highRes) {
    if (!info.module) return -1;
    const GaugeModule& m = *info.module;
    if (!m.Linkage() || !info.gaugeName) return -1;
    if (m.GaugeHeaders(1).empty()) return -1;
    std::uint32_t header = FindGauge(m, *info.gaugeName);
    if (!header) return -100;
    std::uint32_t element = FirstElement(m, header);
    if (!element) return -1;
    info.designWidth = m.HeaderDesignWidth(OwnerOf(m, element, header));
    int slot = 0;
    for (int walked = 0; element && walked < kMaxChainElements; ++walked) {
        unsigned type = m.Word(element, L::kElemType);
        if (type != kString && type <= kSprite) {
            unsigned resource = m.Word(element, L::kElemResource);
            if (highRes && m.HeaderVersion(OwnerOf(m, element, header)) != kVersionFS98 &&
                m.HasBitmap(resource + 500)) {
                resource += 500;
            }
            FillSlot(m, info, slot, element, type, resource);
            ++slot;
        }
        if (slot >= kGaugeSlots) break;
        element = NextElement(m, element);
    }
    return 0;
}

int ReadFirstGauge(GaugeInfo& info) {
    if (!info.module) return -1;
    const GaugeModule& m = *info.module;
    auto headers = m.GaugeHeaders(1);
    if (headers.empty()) return -1;
    std::uint32_t element = FirstElement(m, headers[0]);
    if (!element) return -1;
    info.designWidth = m.HeaderDesignWidth(OwnerOf(m, element, headers[0]));
    int kept = 0, slot = 0;
    for (; element && slot < kGaugeSlots; ++slot) {
        unsigned type = m.Word(element, L::kElemType);
        if (type != kString && type <= kSprite) {
            FillSlot(m, info, slot, element, type, m.Word(element, L::kElemResource));
            ++kept;
        }
        element = NextElement(m, element);
    }
    // A chain that fills all 28 slots counts as read even when none of them was kept.
    return (kept > 0 || slot == kGaugeSlots) ? 0 : -2;
}

int ReadHeaderIdentity(const GaugeModule& module, const std::optional<std::string>& gaugeName,
                       HeaderIdentity& out) {
    std::uint32_t header = 0;
    if (gaugeName) {
        header = FindGauge(module, *gaugeName);
        if (!header) return -1;
    } else {
        auto headers = module.GaugeHeaders(1);
        if (headers.empty()) return 0;
        header = headers[0];
    }
    out.internalName = module.HeaderName(header).value_or("");
    out.version = module.HeaderVersion(header);
    return module.HeaderDesignWidth(header);
}

GaugeReference SplitGaugeReference(std::string_view reference) {
    GaugeReference r;
    auto bang = reference.find('!');
    if (bang == std::string_view::npos) {
        r.modulePart = std::string(reference);
    } else {
        r.modulePart = std::string(reference.substr(0, bang));
        r.gaugePart = std::string(reference.substr(bang + 1));
    }
    return r;
}

std::string GaugeModulePath(const std::string& gaugesDir, const std::string& modulePart) {
    return NativeSeparators(JoinPath(gaugesDir, modulePart + ".gau"));
}

ModuleHandle ModuleCache::Get(const std::string& path) {
    std::string key = ResolvePath(path);
#ifdef _WIN32
    // Windows leaves the letter case of a path as it was given: one module named in two ways is
    // still one module.
    key = ToUpperAscii(key);
#endif
    auto it = modules_.find(key);
    if (it != modules_.end()) return it->second;
    ModuleHandle m = OpenModule(path);
    modules_.emplace(key, m);
    return m;
}

}  // namespace brindle
