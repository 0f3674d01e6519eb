#include "player/show_capture.h"

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <vector>

namespace gd {
namespace {

std::optional<std::string> Variable(const char* name) {
    const char* value = std::getenv(name);
    if (!value || !*value) return std::nullopt;
    return std::string(value);
}

int PositiveOr(const std::optional<std::string>& text, int fallback) {
    if (!text) return fallback;
    long v = std::strtol(text->c_str(), nullptr, 10);
    return v > 0 && v < 1000000 ? int(v) : fallback;
}

class CapturingPresenter final : public Presenter {
public:
    CapturingPresenter(Presenter* inner, ShowCaptureSettings settings)
        : inner_(inner), settings_(std::move(settings)) {}

    void Present(const Bitmap& window, std::span<const Rect> dirty) override {
        Record(window);
        if (inner_) inner_->Present(window, dirty);
    }
    bool IsVisible() const override { return !inner_ || inner_->IsVisible(); }

private:
    void Record(const Bitmap& window) {
        std::lock_guard lock(mutex_);
        if (index_ >= settings_.frames) return;
        const int index = index_++;
        if (std::FILE* list = std::fopen((settings_.dir + "/frames.txt").c_str(), "ab")) {
            std::fprintf(list, "%d %016" PRIx64 "\n", index, FrameHash(window));
            std::fclose(list);
        }
        const bool last = index_ == settings_.frames;
        if (index % settings_.every == 0 || last) {
            char name[32];
            std::snprintf(name, sizeof name, "/frame-%05d.ppm", index);
            WritePpm(settings_.dir + name, window);
        }
        if (last) {
            if (std::FILE* done = std::fopen((settings_.dir + "/done").c_str(), "wb")) std::fclose(done);
        }
    }

    Presenter* inner_;
    const ShowCaptureSettings settings_;
    std::mutex mutex_;
    int index_ = 0;
};

class CapturingShowSurface final : public ShowSurface {
public:
    CapturingShowSurface(std::unique_ptr<ShowSurface> inner, const ShowCaptureSettings& settings)
        : inner_(std::move(inner)), presenter_(inner_->presenter(), settings) {}
    Bitmap WindowBuffer() override { return inner_->WindowBuffer(); }
    Bitmap Frame() override { return inner_->Frame(); }
    Presenter* presenter() override { return &presenter_; }
    TextRenderer* text() override { return inner_->text(); }
    void MoveTo(Point origin) override { inner_->MoveTo(origin); }

private:
    std::unique_ptr<ShowSurface> inner_;
    CapturingPresenter presenter_;
};

}  // namespace

std::optional<ShowCaptureSettings> ShowCaptureFromEnvironment() {
    auto seed = Variable("REELHOST_SEED");
    auto step = Variable("REELHOST_STEP_CLOCK");
    auto dir = Variable("REELHOST_CAPTURE");
    if (!seed && !step && !dir) return std::nullopt;
    ShowCaptureSettings settings;
    if (seed) settings.seed = uint32_t(std::strtoul(seed->c_str(), nullptr, 10));
    settings.step_clock = step && *step != "0";
    if (dir) settings.dir = *dir;
    settings.frames = PositiveOr(Variable("REELHOST_CAPTURE_FRAMES"), settings.frames);
    settings.every = PositiveOr(Variable("REELHOST_CAPTURE_EVERY"), settings.every);
    return settings;
}

std::unique_ptr<Clock> CaptureClock(const ShowCaptureSettings& settings) {
    if (!settings.step_clock) return nullptr;
    return std::make_unique<FakeClock>();
}

std::unique_ptr<ShowSurface> CapturingSurface(std::unique_ptr<ShowSurface> inner, const ShowCaptureSettings& settings) {
    if (settings.dir.empty()) return inner;
    return std::make_unique<CapturingShowSurface>(std::move(inner), settings);
}

uint64_t FrameHash(const Bitmap& frame) {
    uint64_t h = 14695981039346656037ULL;
    for (int y = 0; y < frame.height(); ++y) {
        const Pixel* row = frame.row(y);
        for (int x = 0; x < frame.width(); ++x) {
            const Pixel p = row[x];
            for (int shift = 0; shift < 24; shift += 8) {
                h ^= (p >> shift) & 0xFF;
                h *= 1099511628211ULL;
            }
        }
    }
    return h;
}

bool WritePpm(const std::string& path, const Bitmap& frame) {
    std::FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return false;
    std::fprintf(f, "P6\n%d %d\n255\n", frame.width(), frame.height());
    std::vector<uint8_t> line(size_t(frame.width()) * 3);
    bool ok = true;
    for (int y = 0; y < frame.height() && ok; ++y) {
        const Pixel* row = frame.row(y);
        for (int x = 0; x < frame.width(); ++x) {
            line[size_t(x) * 3] = uint8_t(row[x] >> 16);
            line[size_t(x) * 3 + 1] = uint8_t(row[x] >> 8);
            line[size_t(x) * 3 + 2] = uint8_t(row[x]);
        }
        ok = std::fwrite(line.data(), 1, line.size(), f) == line.size();
    }
    return std::fclose(f) == 0 && ok;
}

}  // namespace gd
