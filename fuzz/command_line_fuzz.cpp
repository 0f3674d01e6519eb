// The runtime's command line: any text gives one of the known roles.
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "common/saver_command_line.h"
#include "fuzz/fuzz_support.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    bool asked = false;
    gd::SaverCommand command = gd::ParseSaverCommandLine(text, [&] {
        asked = true;
        return 0x1234u;
    });
    const int mode = int(command.mode);
    gd::fuzz::Require(mode >= int(gd::SaverMode::None) && mode <= int(gd::SaverMode::Launcher), "known mode");
    gd::fuzz::Require(!asked || command.mode == gd::SaverMode::Configure, "foreground window only for settings");
    gd::LeadingDecimal(text);
    return 0;
}
