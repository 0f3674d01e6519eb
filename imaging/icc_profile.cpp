#include "imaging/icc_profile.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
#include <type_traits>
#include <vector>

#include <lcms2.h>

namespace gd {
namespace {

// lcms2 keeps its error handler and memory in a context: one per conversion, so
// decodes on several threads share nothing.
struct ContextDeleter {
    void operator()(cmsContext context) const { cmsDeleteContext(context); }
};
struct ProfileDeleter {
    void operator()(void* profile) const { cmsCloseProfile(static_cast<cmsHPROFILE>(profile)); }
};
struct TransformDeleter {
    void operator()(void* transform) const { cmsDeleteTransform(static_cast<cmsHTRANSFORM>(transform)); }
};
using Context = std::unique_ptr<std::remove_pointer_t<cmsContext>, ContextDeleter>;
using Profile = std::unique_ptr<void, ProfileDeleter>;
using Transform = std::unique_ptr<void, TransformDeleter>;

// Errors come back as values; lcms2's log would only go nowhere.
void IgnoreLog(cmsContext, cmsUInt32Number, const char*) {}

Status Failed(const char* why) { return Status::Error(std::string("Colour profile: ") + why); }

// Converts `count` pixels of three bytes (blue, green, red) in place.
void ConvertRun(cmsHTRANSFORM transform, uint8_t* pixels, size_t count) {
    cmsDoTransform(transform, pixels, pixels, cmsUInt32Number(count));
}

// Whether the profile is sRGB itself, in whatever form it was written (a tabulated or a
// parametric curve, version 2 or 4): converting by it moves no colour of a grid through
// the whole cube by more than one level. Such pictures, the most common tagged ones, are
// kept byte for byte as stored instead of being rounded through the conversion.
bool DescribesSrgb(cmsHTRANSFORM transform) {
    constexpr int kSteps = 33;  // levels 0, 8, ..., 248 and 255
    auto level = [](int i) { return uint8_t(std::min(255, i * 8)); };
    std::vector<uint8_t> grid;
    grid.reserve(size_t(kSteps * kSteps * kSteps * 3));
    for (int b = 0; b < kSteps; ++b)
        for (int g = 0; g < kSteps; ++g)
            for (int r = 0; r < kSteps; ++r) grid.insert(grid.end(), {level(b), level(g), level(r)});
    std::vector<uint8_t> converted(grid.size());
    cmsDoTransform(transform, grid.data(), converted.data(), cmsUInt32Number(grid.size() / 3));
    for (size_t i = 0; i < grid.size(); ++i)
        if (std::abs(int(converted[i]) - int(grid[i])) > 1) return false;
    return true;
}

void ConvertPixels(cmsHTRANSFORM transform, Dib& dib) {
    for (int y = 0; y < dib.height; ++y) ConvertRun(transform, dib.top_row(y), size_t(dib.width));
}

void ConvertPalette(cmsHTRANSFORM transform, Dib& dib) {
    std::vector<uint8_t> bgr;
    for (const RgbQuad& q : dib.palette) bgr.insert(bgr.end(), {q.blue, q.green, q.red});
    ConvertRun(transform, bgr.data(), dib.palette.size());
    for (size_t i = 0; i < dib.palette.size(); ++i) {
        dib.palette[i].blue = bgr[i * 3];
        dib.palette[i].green = bgr[i * 3 + 1];
        dib.palette[i].red = bgr[i * 3 + 2];
    }
}

}  // namespace

Status ConvertToSrgb(Dib& dib, std::span<const uint8_t> profile) {
    if (profile.empty() || !dib.valid()) return {};
    const bool palette = dib.bpp <= 8;
    // A grey picture stays grey: its colours need no gamut, and JPEG keeps it as grey.
    if (palette && IsGreyRamp(dib.palette)) return {};
    Context context(cmsCreateContext(nullptr, nullptr));
    if (!context) return Failed("not enough memory");
    cmsSetLogErrorHandlerTHR(context.get(), IgnoreLog);
    Profile source(cmsOpenProfileFromMemTHR(context.get(), profile.data(), cmsUInt32Number(profile.size())));
    if (!source) return Failed("damaged");
    if (cmsGetColorSpace(source.get()) != cmsSigRgbData) return Failed("not an RGB profile");
    // A device link or an abstract profile maps colours to colours; it describes no space
    // a picture's colours could be in.
    const cmsProfileClassSignature kind = cmsGetDeviceClass(source.get());
    if (kind == cmsSigLinkClass || kind == cmsSigAbstractClass || kind == cmsSigNamedColorClass)
        return Failed("not a profile of a colour space");
    Profile srgb(cmsCreate_sRGBProfileTHR(context.get()));
    if (!srgb) return Failed("not enough memory");
    Transform transform(cmsCreateTransformTHR(context.get(), source.get(), TYPE_BGR_8, srgb.get(), TYPE_BGR_8,
                                              INTENT_PERCEPTUAL, 0));
    if (!transform) return Failed("damaged or unusable");
    if (DescribesSrgb(transform.get())) return {};
    if (palette) ConvertPalette(transform.get(), dib);
    else ConvertPixels(transform.get(), dib);
    return {};
}

}  // namespace gd
