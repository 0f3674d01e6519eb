#include "imaging/limits.h"

#include <string>

namespace gd {

Status CheckImageSize(int64_t width, int64_t height, int bpp) {
    if (width <= 0 || height <= 0) return Status::Error("Image has no pixels (" + std::to_string(width) + "x" + std::to_string(height) + ")");
    if (width > kMaxImageSide || height > kMaxImageSide)
        return Status::Error("Image too large: " + std::to_string(width) + "x" + std::to_string(height) +
                             " exceeds " + std::to_string(kMaxImageSide) + " pixels a side");
    uint64_t bytes_per_pixel_x8 = bpp > 8 ? 32 : uint64_t(bpp);
    uint64_t bytes = (uint64_t(width) * bytes_per_pixel_x8 + 7) / 8 * uint64_t(height);
    if (bytes > kMaxImageBytes)
        return Status::Error("Image too large: " + std::to_string(width) + "x" + std::to_string(height) + " exceeds 1 GiB");
    return {};
}

Status CheckWorkingMemory(int64_t width, int64_t height, int bytes_per_pixel) {
    if (Status s = CheckImageSize(width, height, 8); !s) return s;
    if (uint64_t(width) * uint64_t(height) * uint64_t(bytes_per_pixel) > kMaxImageBytes)
        return Status::Error("Image too large: " + std::to_string(width) + "x" + std::to_string(height) +
                             " needs more than 1 GiB to decode");
    return {};
}

Status CheckDataCanFill(int64_t width, int64_t height, uint64_t file_bytes, uint64_t pixels_per_byte,
                        const char* format) {
    if (width <= 0 || height <= 0) return {};  // CheckImageSize's business
    if (uint64_t(width) * uint64_t(height) / pixels_per_byte <= file_bytes) return {};
    return Status::Error(std::string(format) + ": the file's " + std::to_string(file_bytes) +
                         " bytes cannot hold a picture of " + std::to_string(width) + "x" + std::to_string(height));
}

}  // namespace gd
