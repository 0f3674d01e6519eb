#include "runtime/linux/reelhost_options.h"

#include <charconv>

#include "common/show_options.h"

namespace gd {

const char kReelhostUsage[] =
    "usage: reelhost [--window | --fullscreen | --root | --window-id ID] [--effect-ms N]\n"
    "                [--picture-pause N] [--geometry WxH] [--file] FILE\n"
    "Plays a screensaver made with Glimmerdeck (.scr or .exe).\n"
    "  --window          in an ordinary window (the default outside a screensaver host)\n"
    "  --fullscreen      over the whole screen, ended as its author chose (always by Escape)\n"
    "  --root            on the root window, or the window in $XSCREENSAVER_WINDOW\n"
    "  --window-id ID    in a window someone else made (0x... or decimal)\n"
    "  --effect-ms N     the duration of each transition, milliseconds\n"
    "  --picture-pause N the seconds each picture stays\n"
    "  --geometry WxH    the size of --window\n";

namespace {

std::optional<long long> ParseNumber(std::string_view text, int base = 10) {
    long long v = 0;
    auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), v, base);
    if (ec != std::errc() || end != text.data() + text.size() || text.empty()) return std::nullopt;
    return v;
}

std::optional<int32_t> OptionValue(OptionId id, std::string_view text) {
    auto v = ParseNumber(text);
    if (!v || !InRange(Option(id), *v)) return std::nullopt;
    return int32_t(*v);
}

bool ParseGeometry(std::string_view text, int* w, int* h) {
    size_t x = text.find_first_of("xX");
    if (x == std::string_view::npos) return false;
    auto a = ParseNumber(text.substr(0, x)), b = ParseNumber(text.substr(x + 1));
    if (!a || !b || *a < 16 || *b < 16 || *a > 16384 || *b > 16384) return false;
    *w = int(*a);
    *h = int(*b);
    return true;
}

}  // namespace

std::optional<unsigned long> ParseWindowId(std::string_view text) {
    std::optional<long long> v;
    if (text.size() > 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) v = ParseNumber(text.substr(2), 16);
    else v = ParseNumber(text);
    if (!v || *v <= 0 || *v > 0xFFFFFFFFLL) return std::nullopt;
    return static_cast<unsigned long>(*v);
}

ReelhostParse ParseReelhostOptions(std::span<const std::string_view> args, const char* host_window) {
    ReelhostParse result;
    ReelhostOptions& o = result.options;
    std::optional<ReelhostMode> mode;
    auto fail = [&](std::string text) {
        result.error = std::move(text);
        return result;
    };
    for (size_t i = 0; i < args.size(); ++i) {
        std::string_view a = args[i];
        // One dash or two: screensaver hosts write -root.
        std::string_view name = a;
        if (name.size() > 2 && name.substr(0, 2) == "--") name.remove_prefix(2);
        else if (name.size() > 1 && name[0] == '-') name.remove_prefix(1);
        else name = {};
        auto value = [&]() -> std::optional<std::string_view> {
            if (i + 1 >= args.size()) return std::nullopt;
            return args[++i];
        };
        auto set_mode = [&](ReelhostMode m) {
            if (mode && *mode != m) return false;
            mode = m;
            return true;
        };
        if (name.empty()) {
            if (!o.file.empty()) return fail("more than one screensaver file: " + o.file + " and " + std::string(a));
            o.file = a;
        } else if (name == "help" || name == "h") {
            o.help = true;
        } else if (name == "window") {
            if (!set_mode(ReelhostMode::kWindow)) return fail("choose one of --window, --fullscreen, --root, --window-id");
        } else if (name == "fullscreen") {
            if (!set_mode(ReelhostMode::kFullScreen)) return fail("choose one of --window, --fullscreen, --root, --window-id");
        } else if (name == "root") {
            if (!set_mode(ReelhostMode::kRoot)) return fail("choose one of --window, --fullscreen, --root, --window-id");
        } else if (name == "window-id") {
            auto v = value();
            auto id = v ? ParseWindowId(*v) : std::nullopt;
            if (!id) return fail("--window-id needs a window id (0x... or decimal)");
            if (!set_mode(ReelhostMode::kForeignWindow)) return fail("choose one of --window, --fullscreen, --root, --window-id");
            o.window_id = *id;
        } else if (name == "file") {
            auto v = value();
            if (!v || v->empty()) return fail("--file needs a screensaver file");
            if (!o.file.empty()) return fail("more than one screensaver file: " + o.file + " and " + std::string(*v));
            o.file = *v;
        } else if (name == "effect-ms") {
            auto v = value();
            o.effect_ms = v ? OptionValue(OptionId::kEffectMilliSecond, *v) : std::nullopt;
            if (!o.effect_ms)
                return fail("--effect-ms needs milliseconds from " + std::to_string(Option(OptionId::kEffectMilliSecond).min) +
                            " to " + std::to_string(Option(OptionId::kEffectMilliSecond).max));
        } else if (name == "picture-pause") {
            auto v = value();
            o.picture_pause_s = v ? OptionValue(OptionId::kPicturePause, *v) : std::nullopt;
            if (!o.picture_pause_s)
                return fail("--picture-pause needs seconds from " + std::to_string(Option(OptionId::kPicturePause).min) +
                            " to " + std::to_string(Option(OptionId::kPicturePause).max));
        } else if (name == "geometry") {
            auto v = value();
            if (!v || !ParseGeometry(*v, &o.width, &o.height)) return fail("--geometry needs WIDTHxHEIGHT, e.g. 800x600");
        } else {
            return fail("unknown option " + std::string(a));
        }
    }
    if (o.help) return result;
    if (o.file.empty()) return fail("no screensaver file given");
    // The host's window, when it names one, wins over the root window: a screensaver
    // host passes -root and the window it made in the environment.
    std::optional<unsigned long> host = host_window && *host_window ? ParseWindowId(host_window) : std::nullopt;
    if (!mode) mode = host ? ReelhostMode::kForeignWindow : ReelhostMode::kWindow;
    if (*mode == ReelhostMode::kRoot && host) mode = ReelhostMode::kForeignWindow;
    if (*mode == ReelhostMode::kForeignWindow && o.window_id == 0) o.window_id = host.value_or(0);
    o.mode = *mode;
    return result;
}

}  // namespace gd
