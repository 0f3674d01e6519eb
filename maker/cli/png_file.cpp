#include "maker/cli/png_file.h"

#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <vector>

#include "common/native_file.h"

namespace gd::cli {

bool WritePng(const std::string& path, const Bitmap& image, std::string& error) {
    if (image.empty()) {
        error = "nothing to write";
        return false;
    }
    std::FILE* file = OpenFile(path, "wb");
    if (!file) {
        error = std::string("cannot create ") + path + ": " + std::strerror(errno);
        return false;
    }
    png_structp png = png_create_write_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png ? png_create_info_struct(png) : nullptr;
    std::vector<png_byte> row(size_t(image.width()) * 3);
    bool ok = false;
    if (png && info && setjmp(png_jmpbuf(png)) == 0) {
        png_init_io(png, file);
        png_set_IHDR(png, info, png_uint_32(image.width()), png_uint_32(image.height()), 8, PNG_COLOR_TYPE_RGB,
                     PNG_INTERLACE_NONE, PNG_COMPRESSION_TYPE_DEFAULT, PNG_FILTER_TYPE_DEFAULT);
        png_write_info(png, info);
        for (int y = 0; y < image.height(); ++y) {
            const Pixel* in = image.row(y);
            for (int x = 0; x < image.width(); ++x) {
                row[size_t(x) * 3] = png_byte(in[x] >> 16);
                row[size_t(x) * 3 + 1] = png_byte(in[x] >> 8);
                row[size_t(x) * 3 + 2] = png_byte(in[x]);
            }
            png_write_row(png, row.data());
        }
        png_write_end(png, nullptr);
        ok = true;
    }
    png_destroy_write_struct(png ? &png : nullptr, info ? &info : nullptr);
    if (std::fclose(file) != 0) ok = false;
    if (!ok) error = "cannot write " + path;
    return ok;
}

}  // namespace gd::cli
