#pragma once
// The ".psm" document type for the desktop: project files open in this program and show
// its icon. Registered for the current user, which needs no administrator.

#include <string>

namespace gd {

inline constexpr wchar_t kProjectFileType[] = L"Glimmerdeck.Project";

// Points ".psm" at "Glimmerdeck.Project", whose open command starts `program` with the
// file. False when the registry refused a value.
bool RegisterProjectFileType(const std::wstring& program);

}  // namespace gd
