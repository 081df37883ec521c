#include "lib/command_line.h"

#include <charconv>

#include "lib/file_io.h"
#include "lib/module.h"
#include "lib/rle8.h"

namespace pickwell {

namespace {

constexpr const char* kUsage =
    "usage: pickwell                              (the windows, in the current folder)\n"
    "       pickwell --scan FILE                  list the 8-bit bitmaps found in FILE:\n"
    "                                             number, position, width, height, colours used,\n"
    "                                             and RLE8 for a compressed one\n"
    "       pickwell --extract FILE N OUT.bmp     write bitmap N of FILE as OUT.bmp\n"
    "       pickwell --replace FILE N IN.bmp      write IN.bmp over bitmap N of FILE\n";

int Fail(std::ostream& err, const std::string& message) {
    err << "pickwell: " << message << "\n";
    return 1;
}

bool ParseNumber(const std::string& text, int* number) {
    const char* end = text.data() + text.size();
    auto [ptr, ec] = std::from_chars(text.data(), end, *number);
    return ec == std::errc() && ptr == end;
}

bool LoadModule(const std::string& path, Module* module, std::ostream& err) {
    std::string why;
    if (!module->Load(path, {}, &why)) {
        Fail(err, why);
        return false;
    }
    if (module->LeftOut() > 0) {
        err << "pickwell: " << path << " has " << module->LeftOut() << " more matches after the first "
            << kMaxBitmaps << "; they were left out\n";
    }
    return true;
}

// Checks N against the table so that a script gets a clear message rather than a silently clamped number.
bool CheckNumber(const std::string& text, const Module& module, int* number, std::ostream& err) {
    if (!ParseNumber(text, number)) {
        Fail(err, "\"" + text + "\" is not a bitmap number");
        return false;
    }
    if (*number < 1 || *number > module.Count()) {
        Fail(err, "there is no bitmap number " + text + " in " + module.Path() + " (" +
                      std::to_string(module.Count()) + " found)");
        return false;
    }
    return true;
}

int Scan(const std::string& path, std::ostream& out, std::ostream& err) {
    Module module;
    if (!LoadModule(path, &module, err)) return 1;
    int number = 0;
    for (const BitmapEntry& e : module.Bitmaps()) {
        out << ++number << ' ' << e.headerPos << ' ' << e.width << ' ' << e.height << ' ' << e.paletteCount
            << (e.compression == kCompressionRle8 ? " RLE8" : "") << '\n';
    }
    return 0;
}

int Extract(const std::string& path, const std::string& n, const std::string& outPath, std::ostream& err) {
    Module module;
    if (!LoadModule(path, &module, err)) return 1;
    int number = 0;
    if (!CheckNumber(n, module, &number, err)) return 1;
    std::string why;
    const auto bmp = module.MakeBmp(number, &why);
    if (!bmp) return Fail(err, why);
    if (!WriteFileSafely(outPath, *bmp, &why)) return Fail(err, why);
    return 0;
}

int Replace(const std::string& path, const std::string& n, const std::string& bmpPath, std::ostream& out,
            std::ostream& err) {
    Module module;
    if (!LoadModule(path, &module, err)) return 1;
    int number = 0;
    if (!CheckNumber(n, module, &number, err)) return 1;
    std::vector<std::uint8_t> bmp;
    std::string why;
    if (!ReadWholeFile(bmpPath, &bmp, &why)) return Fail(err, why);
    if (!module.Replace(number, bmp, &why)) return Fail(err, why);
    out << "bitmap " << number << " of " << path << " replaced from " << bmpPath << "\n";
    return 0;
}

}  // namespace

bool WantsCommandLine(const std::vector<std::string>& args) {
    return !args.empty() && args[0].size() > 1 && args[0][0] == '-';
}

int RunCommandLine(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
    if (args.empty()) {
        err << kUsage;
        return 1;
    }
    const std::string& command = args[0];
    if (command == "--help" || command == "-h") {
        out << kUsage;
        return 0;
    }
    if (command == "--scan" && args.size() == 2) return Scan(args[1], out, err);
    if (command == "--extract" && args.size() == 4) return Extract(args[1], args[2], args[3], err);
    if (command == "--replace" && args.size() == 4) return Replace(args[1], args[2], args[3], out, err);
    if (command == "--scan" || command == "--extract" || command == "--replace") {
        err << "pickwell: wrong number of arguments for " << command << "\n" << kUsage;
    } else {
        err << "pickwell: unknown option \"" << command << "\"\n" << kUsage;
    }
    return 1;
}

}  // namespace pickwell
