#include "view/render_png.h"

#include <png.h>

#include <cstring>

#include "platform/paths.h"

namespace brindle {

namespace {

void WriteToVector(png_structp png, png_bytep data, png_size_t length) {
    auto* out = static_cast<std::vector<std::uint8_t>*>(png_get_io_ptr(png));
    out->insert(out->end(), data, data + length);
}

void FlushNothing(png_structp) {}

struct ReadCursor {
    const std::vector<std::uint8_t>* bytes;
    std::size_t pos = 0;
};

void ReadFromVector(png_structp png, png_bytep data, png_size_t length) {
    auto* c = static_cast<ReadCursor*>(png_get_io_ptr(png));
    if (length > c->bytes->size() - c->pos) png_error(png, "truncated");
    std::memcpy(data, c->bytes->data() + c->pos, length);
    c->pos += length;
}

}  // namespace

std::vector<std::uint8_t> EncodePng(const Image& image) {
    std::vector<std::uint8_t> out;
    if (image.Empty()) return out;
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return out;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_write_struct(&png, nullptr);
        return out;
    }
    std::vector<png_byte> row(static_cast<std::size_t>(image.Width()) * 3);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_write_struct(&png, &info);
        return {};
    }
    png_set_write_fn(png, &out, WriteToVector, FlushNothing);
    png_set_IHDR(png, info, static_cast<png_uint_32>(image.Width()), static_cast<png_uint_32>(image.Height()),
                 8, PNG_COLOR_TYPE_RGB, PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT,
                 PNG_FILTER_TYPE_DEFAULT);
    png_write_info(png, info);
    for (int y = 0; y < image.Height(); ++y) {
        for (int x = 0; x < image.Width(); ++x) {
            Pixel p = image.At(x, y);
            row[static_cast<std::size_t>(x) * 3] = static_cast<png_byte>(RedOf(p));
            row[static_cast<std::size_t>(x) * 3 + 1] = static_cast<png_byte>(GreenOf(p));
            row[static_cast<std::size_t>(x) * 3 + 2] = static_cast<png_byte>(BlueOf(p));
        }
        png_write_row(png, row.data());
    }
    png_write_end(png, nullptr);
    png_destroy_write_struct(&png, &info);
    return out;
}

bool WritePng(const std::string& path, const Image& image, int* error) {
    std::vector<std::uint8_t> bytes = EncodePng(image);
    if (bytes.empty()) {
        if (error) *error = 0;
        return false;
    }
    return WriteFileAtomically(
        path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), error);
}

std::optional<Image> DecodePng(const std::vector<std::uint8_t>& bytes) {
    if (bytes.size() < 8 || png_sig_cmp(bytes.data(), 0, 8) != 0) return std::nullopt;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    if (!png) return std::nullopt;
    png_infop info = png_create_info_struct(png);
    if (!info) {
        png_destroy_read_struct(&png, nullptr, nullptr);
        return std::nullopt;
    }
    // Everything a long jump may leave behind lives here, set up before the jump point.
    struct State {
        ReadCursor cursor;
        std::vector<png_byte> pixels;
        std::vector<png_bytep> rows;
    };
    State state{ReadCursor{&bytes}, {}, {}};
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        return std::nullopt;
    }
    png_set_read_fn(png, &state.cursor, ReadFromVector);
    png_read_info(png, info);
    png_uint_32 w = png_get_image_width(png, info), h = png_get_image_height(png, info);
    if (w == 0 || h == 0 || w > static_cast<png_uint_32>(kMaxImageSide) ||
        h > static_cast<png_uint_32>(kMaxImageSide))
        png_error(png, "size");
    png_set_expand(png);
    png_set_strip_16(png);
    png_set_gray_to_rgb(png);
    png_set_strip_alpha(png);
    png_set_interlace_handling(png);
    png_read_update_info(png, info);
    if (png_get_rowbytes(png, info) != static_cast<png_size_t>(w) * 3) png_error(png, "format");
    state.pixels.resize(static_cast<std::size_t>(w) * h * 3);
    for (png_uint_32 y = 0; y < h; ++y)
        state.rows.push_back(state.pixels.data() + static_cast<std::size_t>(y) * w * 3);
    png_read_image(png, state.rows.data());
    png_destroy_read_struct(&png, &info, nullptr);
    Image image(static_cast<int>(w), static_cast<int>(h));
    if (image.Empty()) return std::nullopt;
    const png_byte* p = state.pixels.data();
    for (Pixel& px : image.Pixels()) {
        px = MakePixel(p[0], p[1], p[2]);
        p += 3;
    }
    return image;
}

}  // namespace brindle
