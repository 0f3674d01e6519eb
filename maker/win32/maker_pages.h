#pragma once
// The pages after General that this maker has, made for the main window on first use.

#include <memory>

#include "maker/win32/frame_page.h"

namespace gd {

// Page `page` (2 to 5) bound to the context's project, created as a child of the frame;
// nullptr for another number or a page that could not be made.
std::unique_ptr<FramePage> MakeMakerPage(int page, const PageContext& context);

}  // namespace gd
