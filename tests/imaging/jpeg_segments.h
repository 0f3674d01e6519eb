#pragma once
// JPEG files with segments spliced in after the start-of-image marker, as cameras and
// phones write them: an EXIF orientation, a colour profile in APP2 chunks.

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

namespace gd::testing {

// A JPEG with an EXIF block (big- or little-endian) carrying `orientation`, spliced in
// right after the start-of-image marker.
inline std::vector<uint8_t> WithOrientation(std::vector<uint8_t> jpeg, int orientation, bool big_endian) {
    auto u16 = [&](std::vector<uint8_t>& v, int x) {
        if (big_endian) v.insert(v.end(), {uint8_t(x >> 8), uint8_t(x)});
        else v.insert(v.end(), {uint8_t(x), uint8_t(x >> 8)});
    };
    std::vector<uint8_t> tiff = big_endian ? std::vector<uint8_t>{'M', 'M'} : std::vector<uint8_t>{'I', 'I'};
    u16(tiff, 42);
    u16(tiff, 0), u16(tiff, 8);  // IFD at 8 (32-bit, high half first when big-endian)
    if (!big_endian) std::swap(tiff[4], tiff[6]), std::swap(tiff[5], tiff[7]);
    u16(tiff, 2);                                     // two entries
    u16(tiff, 0x010F), u16(tiff, 2), u16(tiff, 0), u16(tiff, 1), u16(tiff, 0), u16(tiff, 0);  // make, ignored
    u16(tiff, 0x0112), u16(tiff, 3), u16(tiff, 0), u16(tiff, 1), u16(tiff, orientation), u16(tiff, 0);
    std::vector<uint8_t> app1 = {0xFF, 0xE1, 0, 0, 'E', 'x', 'i', 'f', 0, 0};
    app1.insert(app1.end(), tiff.begin(), tiff.end());
    size_t length = app1.size() - 2;
    app1[2] = uint8_t(length >> 8), app1[3] = uint8_t(length);
    jpeg.insert(jpeg.begin() + 2, app1.begin(), app1.end());
    return jpeg;
}

// A JPEG with `profile` split into APP2 chunks of at most `chunk` bytes, stored after the
// start-of-image marker in the order `order` gives (chunk numbers from 1); a chunk number
// beyond the count leaves that chunk out.
inline std::vector<uint8_t> WithProfileChunks(std::vector<uint8_t> jpeg, const std::vector<uint8_t>& profile, size_t chunk,
                                       const std::vector<int>& order) {
    const size_t count = (profile.size() + chunk - 1) / chunk;
    std::vector<uint8_t> segments;
    for (int number : order) {
        if (number < 1 || size_t(number) > count) continue;
        const size_t begin = size_t(number - 1) * chunk, size = std::min(chunk, profile.size() - begin);
        const size_t length = 2 + 12 + 2 + size;
        segments.insert(segments.end(), {0xFF, 0xE2, uint8_t(length >> 8), uint8_t(length)});
        const char tag[] = "ICC_PROFILE";  // with its terminating zero: 12 bytes
        segments.insert(segments.end(), tag, tag + 12);
        segments.insert(segments.end(), {uint8_t(number), uint8_t(count)});
        segments.insert(segments.end(), profile.begin() + long(begin), profile.begin() + long(begin + size));
    }
    jpeg.insert(jpeg.begin() + 2, segments.begin(), segments.end());
    return jpeg;
}

}  // namespace gd::testing
