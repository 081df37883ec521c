// Renders an SVG at the sizes Windows shows a program's icon in and writes them as one .ico whose
// entries are PNG images (read by every Windows since Vista).
#include <wx/app.h>
#include <wx/bmpbndl.h>
#include <wx/image.h>
#include <wx/init.h>
#include <wx/mstream.h>

#include <cstdint>
#include <cstdio>
#include <fstream>
#include <vector>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: make_ico IN.svg OUT.ico\n");
        return 2;
    }
    wxInitializer init(argc, argv);
    if (!init.IsOk()) return 1;
    wxInitAllImageHandlers();
    const int sizes[] = {16, 24, 32, 48, 64, 256};
    std::vector<std::vector<unsigned char>> pngs;
    for (int s : sizes) {
        wxBitmapBundle b = wxBitmapBundle::FromSVGFile(argv[1], wxSize(s, s));
        if (!b.IsOk()) return 1;
        wxImage img = b.GetBitmap(wxSize(s, s)).ConvertToImage();
        wxMemoryOutputStream out;
        if (!img.SaveFile(out, wxBITMAP_TYPE_PNG)) return 1;
        std::vector<unsigned char> data(out.GetSize());
        out.CopyTo(data.data(), data.size());
        pngs.push_back(std::move(data));
    }
    std::vector<unsigned char> ico;
    auto u16 = [&](unsigned v) { ico.push_back(v & 0xff); ico.push_back((v >> 8) & 0xff); };
    auto u32 = [&](std::uint32_t v) { u16(v & 0xffff); u16(v >> 16); };
    u16(0); u16(1); u16(static_cast<unsigned>(pngs.size()));
    std::uint32_t offset = 6 + 16 * static_cast<std::uint32_t>(pngs.size());
    for (size_t i = 0; i < pngs.size(); ++i) {
        ico.push_back(sizes[i] >= 256 ? 0 : sizes[i]);
        ico.push_back(sizes[i] >= 256 ? 0 : sizes[i]);
        ico.push_back(0); ico.push_back(0);
        u16(1); u16(32);
        u32(static_cast<std::uint32_t>(pngs[i].size()));
        u32(offset);
        offset += static_cast<std::uint32_t>(pngs[i].size());
    }
    for (auto& p : pngs) ico.insert(ico.end(), p.begin(), p.end());
    std::ofstream(argv[2], std::ios::binary).write(reinterpret_cast<const char*>(ico.data()), ico.size());
    return 0;
}
