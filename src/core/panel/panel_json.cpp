#include "panel/panel_json.h"

namespace brindle {
namespace {

using nlohmann::json;

// Windows-1252 0x80..0x9F; 0 marks the five bytes the code page leaves undefined.
constexpr char16_t kCp1252High[32] = {0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
                                      0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0,      0x017D, 0,
                                      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
                                      0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out.push_back(static_cast<char>(cp));
    } else if (cp < 0x800) {
        out.push_back(static_cast<char>(0xC0 | (cp >> 6)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    } else {
        out.push_back(static_cast<char>(0xE0 | (cp >> 12)));
        out.push_back(static_cast<char>(0x80 | ((cp >> 6) & 0x3F)));
        out.push_back(static_cast<char>(0x80 | (cp & 0x3F)));
    }
}

json Text(std::string_view s) {
    return Cp1252ToUtf8(s);
}

json Owned(const OwnedText& t) {
    return t ? json(Cp1252ToUtf8(*t)) : json(nullptr);
}

json Color(const ColorEntry& c) {
    return {{"r", c.red()}, {"g", c.green()}, {"b", c.blue()}};
}

const char* KindName(WindowKind k) {
    switch (k) {
        case WindowKind::Window:
            return "window";
        case WindowKind::FixedWindow:
            return "fixed";
        case WindowKind::Vcockpit:
            return "vcockpit";
    }
    return "window";
}

}  // namespace

std::string Cp1252ToUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char ch : text) {
        auto b = static_cast<unsigned char>(ch);
        if (b < 0x80) {
            out.push_back(ch);
        } else if (b < 0xA0) {
            char16_t cp = kCp1252High[b - 0x80];
            AppendUtf8(out, cp ? cp : b);
        } else {
            AppendUtf8(out, b);
        }
    }
    return out;
}

json GaugeToJson(const GaugeEntry& g) {
    return {{"name", Text(g.name)},
            {"x", g.x},
            {"y", g.y},
            {"width", g.width},
            {"widthPresent", g.widthPresent},
            {"height", g.height},
            {"heightPresent", g.heightPresent},
            {"parameter", Text(g.parameter)},
            {"bitmapLoaded", g.bitmapLoaded},
            {"comment", Owned(g.comment)}};
}

json WindowToJson(const PanelWindow& w) {
    json gauges = json::array();
    for (const GaugeEntry& g : w.gauges) gauges.push_back(GaugeToJson(g));
    return {{"kind", KindName(w.kind())},
            {"fixed", w.fixed},
            {"vcockpit", w.vcockpit},
            {"fixedNumber", w.fixedNumber},
            {"vcockpitNumber", w.vcockpitNumber},
            {"title", Text(w.title)},
            {"file", Owned(w.file)},
            {"file1024", Owned(w.file1024)},
            {"backgroundColor", Color(w.backgroundColor)},
            {"backgroundColorPresent", w.backgroundColorPresent},
            {"sizeMmX", w.sizeMmX},
            {"sizeMmY", w.sizeMmY},
            {"sizeMmPresent", w.sizeMmPresent},
            {"sizeMmYPresent", w.sizeMmYPresent},
            {"windowSizeRatio", w.windowSizeRatio},
            {"windowSizeRatioPresent", w.windowSizeRatioPresent},
            {"position", w.position},
            {"visible", w.visible},
            {"ident", Text(w.ident)},
            {"texture", Text(w.texture)},
            {"texturePresent", w.texturePresent},
            {"sizeable", w.sizeable},
            {"sizeablePresent", w.sizeablePresent},
            {"nomenu", w.nomenu},
            {"nomenuPresent", w.nomenuPresent},
            {"render3dWindow", w.render3dWindow},
            {"render3dWindowPresent", w.render3dWindowPresent},
            {"imageBlend", w.imageBlend},
            {"imageBlendPresent", w.imageBlendPresent},
            {"windowPos", {{"x", w.windowPos.x}, {"y", w.windowPos.y}}},
            {"windowPosPresent", w.windowPosPresent},
            {"windowSize", {{"x", w.windowSize.x}, {"y", w.windowSize.y}}},
            {"windowSizePresent", w.windowSizePresent},
            {"pixelSize", {{"x", w.pixelSize.x}, {"y", w.pixelSize.y}}},
            {"pixelSizePresent", w.pixelSizePresent},
            {"gauges", gauges},
            {"gaugeCount", w.gaugeCount},
            {"bitmapWidth", w.bitmapWidth},
            {"bitmapHeight", w.bitmapHeight}};
}

json PanelToJson(const Panel& p) {
    json windows = json::array();
    for (const PanelWindow& w : p.windows) windows.push_back(WindowToJson(w));
    json strings = json::array();
    for (const StringPair& s : p.strings)
        strings.push_back({{"name", Owned(s.name)}, {"value", Owned(s.value)}});
    json views = json::array();
    for (const ViewEntry& v : p.views) {
        views.push_back({{"name", v.name},
                         {"index", v.index},
                         {"zoom", v.zoom},
                         {"eye", v.eye},
                         {"dir", {{"Pitch", v.dir.Pitch}, {"Bank", v.dir.Bank}, {"Heading", v.dir.Heading}}},
                         {"dirPresent", v.dirPresent}});
    }
    json colors = json::array();
    for (const ColorEntry& c : p.colors) colors.push_back(Color(c));
    return {{"windows", windows},
            {"windowCount", p.windowCount},
            {"vcockpitCount", p.vcockpitCount},
            {"headerComments", Text(p.headerComments)},
            {"strings", strings},
            {"views", views},
            {"forwardWindowsList", Text(p.forwardWindowsList)},
            {"colors", colors},
            {"colorCount", p.colorCount},
            {"paletteFile", Owned(p.paletteFile)},
            {"defaultView",
             {{"x", p.defaultView.x},
              {"y", p.defaultView.y},
              {"sizeX", p.defaultView.sizeX},
              {"sizeY", p.defaultView.sizeY}}},
            {"advDisplayText", Text(p.advDisplayText)},
            {"epicInfoText", Text(p.epicInfoText)},
            {"esoundText", Text(p.esoundText)},
            {"loadFailed", p.loadFailed}};
}

}  // namespace brindle
