#include "maker/cli/sample_pictures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace gd::cli {
namespace {

struct Rgb {
    double r, g, b;
};

Rgb Mix(Rgb a, Rgb b, double t) {
    t = std::clamp(t, 0.0, 1.0);
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

// A 24-bit picture painted by `paint(u, v)` with u, v in 0..1 across and down.
template <class Paint> CxImage Painted(int width, int height, Paint paint) {
    CxImage image;
    if (!image.Create(width, height, 24)) return image;
    for (int y = 0; y < height; ++y) {
        uint8_t* row = image.GetBits() + size_t(height - 1 - y) * image.GetEffWidth();
        for (int x = 0; x < width; ++x) {
            Rgb c = paint((x + 0.5) / width, (y + 0.5) / height);
            row[3 * x] = uint8_t(std::clamp(c.b, 0.0, 255.0));
            row[3 * x + 1] = uint8_t(std::clamp(c.g, 0.0, 255.0));
            row[3 * x + 2] = uint8_t(std::clamp(c.r, 0.0, 255.0));
        }
    }
    return image;
}

}  // namespace

CxImage DawnPicture(int width, int height) {
    const double aspect = double(width) / height;
    return Painted(width, height, [aspect](double u, double v) {
        Rgb sky = Mix({250, 200, 90}, {90, 40, 120}, (0.75 - v) / 0.75);
        double dx = (u - 0.62) * aspect, dy = v - 0.55;
        double sun = std::sqrt(dx * dx + dy * dy);
        if (sun < 0.12) sky = {255, 240, 200};
        else if (sun < 0.2) sky = Mix({255, 230, 160}, sky, (sun - 0.12) / 0.08);
        double far_hill = 0.62 + 0.06 * std::sin(u * 9.0 + 1.0);
        double near_hill = 0.75 + 0.08 * std::sin(u * 5.0 + 2.5);
        if (v > near_hill) return Mix(Rgb{60, 110, 40}, Rgb{20, 50, 20}, (v - near_hill) / 0.3);
        if (v > far_hill) return Mix(Rgb{120, 90, 110}, Rgb{80, 70, 100}, (v - far_hill) / 0.2);
        return sky;
    });
}

CxImage SeaPicture(int width, int height) {
    const double aspect = double(width) / height;
    return Painted(width, height, [aspect](double u, double v) {
        if (v < 0.5) {
            Rgb sky = Mix({120, 180, 240}, {220, 235, 250}, v / 0.5);
            // A cloud of overlapping discs.
            for (double cx : {0.2, 0.27, 0.34}) {
                double dx = (u - cx) * aspect, dy = (v - 0.18) * 1.6;
                if (dx * dx + dy * dy < 0.006) return Rgb{250, 250, 250};
            }
            // The sail: a triangle standing on the horizon.
            double s = (u - 0.7) * aspect;
            if (v > 0.22 && s > 0 && s < (v - 0.22) * 0.6) return Rgb{245, 240, 225};
            return sky;
        }
        double wave = 0.5 + 0.5 * std::sin(u * 60.0 + std::sin(v * 40.0) * 2.0 + v * 90.0);
        Rgb sea = Mix({30, 110, 160}, {5, 40, 90}, (v - 0.5) / 0.5);
        if (v < 0.53 && std::abs(u - 0.72) < 0.06) return Rgb{120, 60, 30};  // the hull
        return Mix(sea, Rgb{200, 230, 245}, wave > 0.93 ? 0.5 : 0.0);
    });
}

}  // namespace gd::cli
