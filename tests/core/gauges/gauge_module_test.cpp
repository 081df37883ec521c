// Reads the sample gauge modules committed in samples/FS2000/gauges (built from samples/gauges/src).
#include "gauges/gauge_module.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "platform/paths.h"

namespace brindle {
namespace {

namespace fs = std::filesystem;

std::string GaugesDir() {
    return std::string(BRINDLE_SAMPLES_DIR) + "/FS2000/gauges";
}
std::string Module(const std::string& rel) {
    return GaugeModulePath(GaugesDir(), rel);
}

std::vector<std::uint8_t> Bytes(const std::string& rel) {
    return *ReadFileBytes(Module(rel));
}

TEST(PeImage, FindsLinkageAndTranslatesAddresses) {
    std::string error;
    auto pe = PeImage::Parse(Bytes("Demo_Cessna"), &error);
    ASSERT_TRUE(pe) << error;
    EXPECT_EQ(pe->ImageBase(), 0x10000000u);
    ASSERT_TRUE(pe->FindExport("Linkage"));
    EXPECT_FALSE(pe->FindExport("linkage"));  // export names compare exactly
    EXPECT_FALSE(pe->VaToRva(pe->ImageBase() - 1));
    EXPECT_FALSE(pe->VaToRva(pe->ImageBase() + pe->SizeOfImage()));
    EXPECT_EQ(pe->VaToRva(pe->ImageBase() + 16), 16u);
    EXPECT_TRUE(pe->FindResource(kResourceTypeBitmap, 501));
    EXPECT_FALSE(pe->FindResource(kResourceTypeBitmap, 13));

    // A module at another preferred base reads the same way.
    auto low = PeImage::Parse(Bytes("FS98_Compass"));
    ASSERT_TRUE(low);
    EXPECT_EQ(low->ImageBase(), 0x00400000u);
}

TEST(PeImage, RefusesDamagedHeaders) {
    const std::vector<std::uint8_t> good = Bytes("Demo_Cessna");
    const std::uint32_t pe = good[0x3C] | (good[0x3D] << 8);
    struct Case {
        const char* name;
        std::function<void(std::vector<std::uint8_t>&)> damage;
        const char* message;
    };
    const std::vector<Case> cases = {
        {"no MZ", [](auto& b) { b[0] = 'X'; }, "no MZ header"},
        {"e_lfanew past the end", [](auto& b) { b[0x3C] = b[0x3D] = b[0x3E] = 0xFF; }, "no PE header"},
        {"not x86",
         [&](auto& b) {
             b[pe + 4] = 0x64;
             b[pe + 5] = 0x86;
         },
         "not a 32-bit x86 module"},
        {"PE32+",
         [&](auto& b) {
             b[pe + 24] = 0x0B;
             b[pe + 25] = 0x02;
         },
         "PE32"},
        {"cut after the headers", [](auto& b) { b.resize(1200); }, "outside the file"},
        {"too many sections", [&](auto& b) { b[pe + 6] = 0xFF; }, "too many sections"},
    };
    for (const auto& c : cases) {
        auto bytes = good;
        c.damage(bytes);
        std::string error;
        EXPECT_FALSE(PeImage::Parse(bytes, &error)) << c.name;
        EXPECT_NE(error.find(c.message), std::string::npos) << c.name << ": " << error;
    }
    // Every cut of the file either parses or is refused; none reads outside the buffer.
    for (size_t n = 0; n < good.size(); n += 61) {
        std::vector<std::uint8_t> cut(good.begin(), good.begin() + static_cast<std::ptrdiff_t>(n));
        if (auto p = PeImage::Parse(cut)) p->FindResource(kResourceTypeBitmap, 1);
    }
}

TEST(GaugeModule, ProbesAndListsEveryFamily) {
    struct Case {
        std::string module;
        SimMode mode;
        unsigned firstVersion;
        bool ok;
        std::vector<std::string> names;
    };
    const std::vector<Case> cases = {
        {"Demo_Cessna",
         kModeFS2000,
         700,
         true,
         {"Airspeed", "Altimeter", "Attitude", "Switches", "Clock", "Wide", "Annunciator"}},
        {"Demo_Cessna", kModeFS98, 700, false, {"NOT FS98 COMPATIBLE!"}},
        {"FS98_Compass", kModeFS98, 610, true, {"Compass"}},  // an FS98 module holds its first gauge only
        {"FS98_Clock", kModeFS2000, 610, true, {"No Internal Name"}},
        {"Combat\\CFS_Gunsight", kModeCFS, 650, true, {"Gunsight", "Ammo"}},
        {"combat\\cfs_gunsight", kModeCFS, 650, true, {"Gunsight", "Ammo"}},  // any letter case
        {"CFS2_Radar", kModeCFS2, 750, true, {"Radar", "Fuel"}},
        {"Broken\\Empty", kModeFS2000, 0, false, {}},
        {"Broken\\NoLinkage", kModeFS2000, 0, false, {}},
        {"Broken\\NotADll", kModeFS2000, 0, false, {}},
        {"Broken\\Truncated", kModeFS2000, 0, false, {}},
        {"NoSuchModule", kModeFS2000, 0, false, {}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.module);
        EXPECT_EQ(ProbeFirstVersion(Module(c.module)), c.firstVersion);
        GaugeFile file{Module(c.module)};
        EXPECT_EQ(ListGauges(file, c.mode), c.ok);
        EXPECT_EQ(file.gaugeNames, c.names);
        EXPECT_FALSE(file.module);  // closed again
    }
    EXPECT_TRUE(OpenModule(Module("Broken\\Strings")));
    std::string error;
    EXPECT_FALSE(OpenModule(Module("Broken\\NotADll"), &error));
    EXPECT_NE(error.find("MZ"), std::string::npos);
}

GaugeInfo Info(const std::string& module, std::optional<std::string> gauge) {
    GaugeInfo info;
    info.module = OpenModule(Module(module));
    info.gaugeName = std::move(gauge);
    return info;
}

TEST(GaugeModule, NamedReadSkipsStringsAndPicksHighResolution) {
    GaugeInfo lo = Info("Demo_Cessna", "AIRSPEED");
    ASSERT_EQ(ReadNamedGauge(lo, false), 0);
    EXPECT_EQ(lo.designWidth, 96);
    EXPECT_EQ(lo.typeFlag[0], 1u);
    EXPECT_EQ(lo.resourceId[0], 1u);
    EXPECT_EQ(lo.typeFlag[1], 2u);  // the needle: the string took no slot
    EXPECT_EQ(lo.resourceId[1], 2u);
    EXPECT_EQ(lo.elementPosition[1], (std::array<int, 2>{48, 48}));
    EXPECT_EQ(lo.elementOffset[1], (std::array<int, 2>{4, 40}));
    EXPECT_EQ(lo.transparent[1], 1);
    EXPECT_EQ(lo.resourceId[2], 0u);

    GaugeInfo hi = Info("Demo_Cessna", "Airspeed");
    ASSERT_EQ(ReadNamedGauge(hi, true), 0);
    EXPECT_EQ(hi.resourceId[0], 501u);
    EXPECT_EQ(hi.resourceId[1], 2u);  // no 502 in the module

    GaugeInfo cfs2 = Info("CFS2_Radar", "radar");
    ASSERT_EQ(ReadNamedGauge(cfs2, true), 0);
    EXPECT_EQ(cfs2.resourceId[0], 517u);
    EXPECT_EQ(cfs2.typeFlag[1], 64u);

    // An FS98 gauge never takes the +500 bitmap, even though its module has one.
    GaugeInfo fs98 = Info("FS98_Compass", "Compass");
    ASSERT_EQ(ReadNamedGauge(fs98, true), 0);
    EXPECT_EQ(fs98.resourceId[0], 17u);

    GaugeInfo many = Info("Demo_Cessna", "Annunciator");
    ASSERT_EQ(ReadNamedGauge(many, false), 0);
    for (int i = 1; i < kGaugeSlots; ++i) EXPECT_EQ(many.typeFlag[static_cast<size_t>(i)], 16u) << i;
    EXPECT_EQ(many.elementPosition[27][0], 4 + 4 * 27);  // slot 27 is lamp 27: the chain ended there
}

TEST(GaugeModule, FirstGaugeReadKeepsTheChainOrder) {
    GaugeInfo info = Info("FS98_Compass", std::nullopt);
    ASSERT_EQ(ReadFirstGauge(info), 0);
    EXPECT_EQ(info.resourceId[0], 17u);  // no high-resolution choice in a first-gauge read
    EXPECT_EQ(info.typeFlag[1], 0u);     // the string's slot stays empty
    EXPECT_EQ(info.resourceId[1], 0u);
    EXPECT_EQ(info.typeFlag[2], 2u);
    EXPECT_EQ(info.designWidth, 100);
}

TEST(GaugeModule, ReadResultsOfBrokenGauges) {
    struct Case {
        std::string module;
        std::optional<std::string> gauge;
        int result;
    };
    const std::vector<Case> cases = {
        {"Broken\\Strings", std::nullopt, -2},  // strings only
        {"Broken\\Strings", "Text", 0},         // a named read keeps going and fills nothing
        {"Broken\\Strings", "Loop", 0},         // strings in a loop: the walk still ends
        {"Broken\\Strings", "Ghost", 0},        // unknown element type
        {"Broken\\NoBitmap", "Bare", -1},       // no element list
        {"Broken\\NoBitmap", "Dangling", -1},   // element pointer outside the module
        {"Broken\\NoBitmap", "Nope", -100},      {"Broken\\Empty", "Any", -1},
        {"Broken\\Empty", std::nullopt, -1},     {"Broken\\NoLinkage", "Plate", -1},
        {"Broken\\NoLinkage", std::nullopt, -1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.module + "!" + c.gauge.value_or("(first)"));
        GaugeInfo info = Info(c.module, c.gauge);
        ASSERT_TRUE(info.module);
        int r = c.gauge ? ReadNamedGauge(info, true) : ReadFirstGauge(info);
        EXPECT_EQ(r, c.result);
        if (r == 0) {
            EXPECT_EQ(info.typeFlag[0], 0u);
        }
    }
    GaugeInfo noName = Info("Demo_Cessna", std::nullopt);
    EXPECT_EQ(ReadNamedGauge(noName, false), -1);
}

TEST(GaugeModule, HeaderIdentity) {
    auto m = OpenModule(Module("Demo_Cessna"));
    ASSERT_TRUE(m);
    HeaderIdentity id;
    EXPECT_EQ(ReadHeaderIdentity(*m, std::string("altimeter"), id), 96);
    EXPECT_EQ(id.internalName, "Altimeter");
    EXPECT_EQ(id.version, 700u);
    HeaderIdentity untouched{"keep", 1};
    EXPECT_EQ(ReadHeaderIdentity(*m, std::string("nope"), untouched), -1);
    EXPECT_EQ(untouched.internalName, "keep");
    EXPECT_EQ(ReadHeaderIdentity(*m, std::nullopt, id), 96);
    EXPECT_EQ(id.internalName, "Airspeed");
    auto empty = OpenModule(Module("Broken\\Empty"));
    EXPECT_EQ(ReadHeaderIdentity(*empty, std::nullopt, untouched), 0);
    EXPECT_EQ(untouched.internalName, "keep");
}

TEST(GaugeModule, BitmapsDecodeFromEveryStoredFormat) {
    auto m = OpenModule(Module("Demo_Cessna"));
    ASSERT_TRUE(m);
    // RLE8, 8-bit, 4-bit, 24-bit and 16-bit 5-6-5 resources.
    for (unsigned id : {1u, 2u, 5u, 6u, 8u}) {
        ImagePtr img = m->LoadBitmap(id);
        ASSERT_TRUE(img) << id;
        EXPECT_GT(img->Width(), 0);
    }
    EXPECT_EQ(m->LoadBitmap(501)->Width(), 192);
    EXPECT_EQ(m->LoadBitmap(501 + 65536), m->LoadBitmap(501));  // numbers are taken modulo 65536
    EXPECT_FALSE(m->LoadBitmap(13));
    // The bezel keeps its near-black centre apart from the transparent black around it.
    ImagePtr mask = m->LoadBitmap(7);
    EXPECT_EQ(mask->At(0, 0), 0x000000u);
    EXPECT_EQ(mask->At(48, 48), 0x010101u);
}

TEST(GaugeModule, SplitsReferences) {
    auto r = SplitGaugeReference("Combat\\CFS_Gunsight!Gunsight!x");
    EXPECT_EQ(r.modulePart, "Combat\\CFS_Gunsight");
    EXPECT_EQ(r.gaugePart, "Gunsight!x");
    auto fs98 = SplitGaugeReference("attitude");
    EXPECT_EQ(fs98.modulePart, "attitude");
    EXPECT_FALSE(fs98.gaugePart);
}

TEST(GaugeModuleCorpus, RealModulesReadWithoutTrouble) {
    fs::path dir = fs::path(BRINDLE_CORPUS_DIR) / "gauges";
    if (!fs::exists(dir)) GTEST_SKIP() << "no corpus";
    int opened = 0;
    for (const auto& e : fs::directory_iterator(dir)) {
        auto m = OpenModule(e.path().string());
        if (!m) continue;
        ++opened;
        GaugeFile file{e.path().string()};
        ListGauges(file, kModeFS2000);
        for (const auto& name : file.gaugeNames) {
            GaugeInfo info{m, name};
            ReadNamedGauge(info, true);
        }
        GaugeInfo first{m, std::nullopt};
        ReadFirstGauge(first);
    }
    EXPECT_GT(opened, 0);
}

}  // namespace
}  // namespace brindle
