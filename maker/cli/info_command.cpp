// glimmerdeck info: the resources of an executable and the show a made screensaver
// carries, as text or as JSON for scripts.
#include <cstdio>
#include <span>
#include <string>
#include <string_view>

#include "maker/cli/command.h"
#include "maker/cli/exe_info.h"

namespace gd::cli {
namespace {

constexpr std::string_view kUsage =
    "usage: glimmerdeck info FILE [--json]\n"
    "\n"
    "Lists the resources of the executable FILE and decodes a screensaver's payload: the\n"
    "configuration by field, the show extras, the texts in Unicode (name, author, e-mail,\n"
    "home page, copyright, description, banner and its font), each picture's format and\n"
    "pixel size, each caption with its Unicode text, each music entry's extension and size,\n"
    "and the icon group. --json prints the same as JSON.\n"
    "\n"
    "Exit codes: 0 done, 2 bad arguments or FILE is not a readable executable.\n";

int Usage(std::FILE* err, const std::string& problem) {
    std::fprintf(err, "glimmerdeck info: %s\n\n%.*s", problem.c_str(), int(kUsage.size()), kUsage.data());
    return kExitUsage;
}

}  // namespace

int RunInfoTo(std::span<const std::string_view> args, std::FILE* out, std::FILE* err) {
    std::string path;
    bool json = false;
    for (auto a : args) {
        if (a == "--help" || a == "-h") {
            std::fprintf(out, "%.*s", int(kUsage.size()), kUsage.data());
            return kExitOk;
        }
        if (a == "--json") json = true;
        else if (a.starts_with("-")) return Usage(err, "unknown option " + std::string(a));
        else if (path.empty()) path = a;
        else return Usage(err, "more than one FILE");
    }
    if (path.empty()) return Usage(err, "no FILE given");
    auto info = ReadExeInfo(path);
    if (!info) {
        std::fprintf(err, "glimmerdeck info: %s: %s\n", path.c_str(), info.error().c_str());
        return kExitUsage;
    }
    std::string text = json ? FormatExeInfoJson(info.value()) : FormatExeInfoText(info.value());
    return std::fwrite(text.data(), 1, text.size(), out) == text.size() ? kExitOk : kExitFailed;
}

int RunInfo(std::span<const std::string_view> args) { return RunInfoTo(args, stdout, stderr); }

}  // namespace gd::cli
