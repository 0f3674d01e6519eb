#pragma once
// The texts of the Pictures page: a row's size, the totals under the list, the caption
// positions, and the messages about files that cannot be added.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "maker/ui/dropped_files.h"

namespace gd {

// The Size column: the file's length in whole kilobytes, "%dK".
long long PictureKilobytes(long long bytes);
std::string PictureSizeText(long long bytes);

// "Total picture num: 3  Total size: 1023 K" up to 1023 kilobytes, from 1024 on in
// megabytes: "Total picture num: 3  Total size: 1.00 M". `kilobytes` sums the Size
// column.
std::string PictureTotalsText(size_t count, long long kilobytes);

// The caption positions in the order of their stored values 0..8.
inline constexpr std::array<const wchar_t*, 9> kCaptionPositionNames = {
    L"Top left",    L"Top center",    L"Top right",    L"Middle left", L"Middle center",
    L"Middle right", L"Bottom left", L"Bottom center", L"Bottom right"};

// The picture types the page adds: those of the codec table's file types, which its open
// dialog's filter lists.
const FileTypeSet& PictureListTypes();
// The type icon of a row: the picture type (0..7, image_type.h), the icon after them for
// every other type the maker reads (WEBP, ICO, ...), -1 (none) for a name it does not take.
int PictureTypeIcon(std::string_view path);
inline constexpr int kOtherPictureTypeIcon = 8;

// "Only BMP, JPG, ... and AVIF pictures can be added."
std::string PictureTypesAccepted();
// The Add-pictures dialog's filter, groups separated by "|" and ended by "||": all types
// first ("All Support Image Files|*.bmp;...|"), then one entry per group ("JPG (*.jpg;*.jpeg;*.jpe)|...").
std::string AddPicturesFilter();

// Pictures whose files could not be opened: "<path> is not exists!", one line each; a
// long list names the first few and counts the rest.
std::string MissingPicturesMessage(const std::vector<std::string>& paths);

// The pixel size of the selected picture as the page shows it: "480 x 360 pixels".
std::string PixelSizeText(int width, int height);

}  // namespace gd
