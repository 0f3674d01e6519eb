#pragma once
// HEIF and AVIF files are ISO media files: they open with an 'ftyp' box naming a major
// brand and the brands the file is also compatible with. The two adapters tell their
// files apart by these brands alone, before either library sees the data.

#include <initializer_list>
#include <string_view>

#include "imaging/codec.h"

namespace gd {

// Whether `data` opens with an 'ftyp' box whose major or compatible brands include one of
// `brands` (four characters each).
bool HasFileBrand(Bytes data, std::initializer_list<std::string_view> brands);

}  // namespace gd
