#pragma once
// Opening a web or "mailto:" address: the desktop's "open" first, then the browser that
// the ".htm" file class names, started with the address.

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

namespace gd {

// What opening an address needs from the platform.
class WebOpenPlatform {
public:
    virtual ~WebOpenPlatform() = default;
    // The desktop's "open" of `address`; above 32 is success, else the platform's reason.
    virtual intptr_t ShellOpen(const std::wstring& address, int show) = 0;
    // The default value of a key of the file classes, or nothing when it cannot be read.
    virtual std::optional<std::wstring> ClassDefaultValue(const std::wstring& key) = 0;
    // Starts a command line; above 31 is success, else the reason (0, 2, 3, 11, ...).
    virtual intptr_t StartCommand(const std::wstring& command_line, int show) = 0;
};

WebOpenPlatform& SystemWebOpenPlatform();

// The browser command line for `address`: `command` (the ".htm" class's open command)
// cut at the first "%1" in double quotes (the quote before it included), or failing that
// at the first %1, then a blank and the address.
std::wstring BrowserCommandLine(const std::wstring& command, const std::wstring& address);

// Opens `address`; a result above 32 is success. When the desktop refuses, starts the
// browser of the ".htm" class with it; when that class cannot be read, the desktop's
// result stands.
intptr_t OpenWebAddress(const std::wstring& address, int show, WebOpenPlatform& platform = SystemWebOpenPlatform());

// Why opening failed, for the result of OpenWebAddress.
std::wstring HyperlinkErrorText(intptr_t result);

}  // namespace gd
