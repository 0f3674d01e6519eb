#include "bench/bench_photos.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <fstream>
#include <vector>

#include "common/byte_io.h"
#include "common/random15.h"

namespace gd::bench {

namespace {
constexpr int kMakerQuality = 75;  // what the maker re-encodes every picture at
}

CxImage Photo(int width, int height, int variant, int grain) {
    CxImage image;
    uint8_t* bits = image.Create(width, height, 24);
    if (!bits) return image;
    SeedRandom(uint32_t(variant + 1));
    const size_t row = image.GetEffWidth();
    const int cx = width * 9 / 40 + variant * 310, cy = height * 8 / 30 + variant * 130;
    const int radius = std::min(width, height) / 5;
    for (int y = 0; y < height; ++y) {
        uint8_t* p = bits + size_t(y) * row;
        for (int x = 0; x < width; ++x) {
            int dx = x - cx, dy = y - cy;
            bool disc = dx * dx + dy * dy < radius * radius;
            int noise = grain ? int(NextRandom() % unsigned(2 * grain + 1)) - grain : 0;
            int r = disc ? 230 : (x * 255 / width + variant * 30) % 256;
            int g = disc ? 200 : (y * 255 / height);
            int b = disc ? 60 : ((x + y) * 255 / (width + height) + variant * 50) % 256;
            p[3 * x] = uint8_t(std::clamp(b + noise, 0, 255));
            p[3 * x + 1] = uint8_t(std::clamp(g + noise, 0, 255));
            p[3 * x + 2] = uint8_t(std::clamp(r + noise, 0, 255));
        }
    }
    return image;
}

size_t WritePhoto(const std::string& path, CxImage& image) {
    std::vector<uint8_t> source, payload;
    image.SetJpegQuality(95);
    if (!image.Encode(source, kFormatJpeg)) return 0;
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(source.data()), std::streamsize(source.size()));
    if (!out.flush()) return 0;
    image.SetJpegQuality(kMakerQuality);
    return image.Encode(payload, kFormatJpeg) ? payload.size() : 0;
}

bool Installed(const PhotoFormat& format) {
    if (!format.tool) return true;
    return std::system(("command -v " + std::string(format.tool) + " >/dev/null 2>&1").c_str()) == 0;
}

namespace {
std::string Replace(std::string text, const std::string& what, const std::string& with) {
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + with.size()))
        text.replace(at, what.size(), with);
    return text;
}

std::string Quoted(const std::string& path) { return "'" + path + "'"; }
}  // namespace

bool WritePhotoSet(const PhotoFormat& format, const std::vector<std::string>& jpegs, size_t distinct,
                   const std::filesystem::path& folder, std::vector<std::string>& out) {
    out.clear();
    if (!format.writer) {
        out = jpegs;
        return true;
    }
    std::filesystem::create_directories(folder);
    for (size_t i = 0; i < jpegs.size(); ++i) {
        const std::string path = (folder / ("photo" + std::to_string(i) + format.extension)).string();
        if (i < distinct) {
            const std::string command = Replace(Replace(format.writer, "OUT", Quoted(path)), "IN", Quoted(jpegs[i]));
            if (std::system(command.c_str()) != 0) return false;
        } else {
            std::filesystem::copy_file(out[i % distinct], path, std::filesystem::copy_options::overwrite_existing);
        }
        out.push_back(path);
    }
    return true;
}

bool WriteTone(const std::string& path, double seconds) {
    constexpr uint32_t kRate = 22050;
    const uint32_t samples = uint32_t(seconds * kRate);
    std::vector<uint8_t> wav;
    auto text = [&](const char* s) { wav.insert(wav.end(), s, s + 4); };
    auto u32 = [&](uint32_t v) { for (int k = 0; k < 4; ++k) wav.push_back(uint8_t(v >> (8 * k))); };
    auto u16 = [&](uint16_t v) { wav.push_back(uint8_t(v)); wav.push_back(uint8_t(v >> 8)); };
    text("RIFF");
    u32(36 + samples * 2);
    text("WAVE");
    text("fmt ");
    u32(16);
    u16(1);
    u16(1);
    u32(kRate);
    u32(kRate * 2);
    u16(2);
    u16(16);
    text("data");
    u32(samples * 2);
    for (uint32_t i = 0; i < samples; ++i) u16(uint16_t(int16_t(8000 * std::sin(2 * 3.14159265 * 440 * i / kRate))));
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(wav.data()), std::streamsize(wav.size()));
    return bool(out.flush());
}

}  // namespace gd::bench
