#pragma once
// The launcher's Install: asks, copies the running program to the install place under
// its base name with ".scr", offers to make it the active screensaver and says how it
// went. Every question and message goes through the prompter, titled with the base name.

#include <windows.h>

#include <string>
#include <string_view>

#include "win32/prompter.h"
#include "win32/saver_install.h"

namespace gd {

// The program file's name without folder and extension ("My Show" for
// "C:\x\My Show.exe"); a name without an extension is kept whole.
std::wstring SaverBaseName(std::wstring_view program_path);

// Runs the whole installation; `launcher` is disabled during the copy.
void InstallSaver(HWND launcher, const std::wstring& program_path, Prompter& prompter, InstallPlatform& platform);

}  // namespace gd
