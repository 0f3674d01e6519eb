#pragma once
// The preview object both file dialogs of the maker use: the file is decoded with the
// image facade each time the box is painted and drawn scaled down to fit, centred,
// never enlarged. A file the facade cannot read leaves the box as it is.

#include <string>

#include "maker/win32/preview_file_dialog.h"

namespace gd {

class CPicturePreview final : public PreviewObject {
public:
    void SetFile(const std::string& path) override { path_ = path; }
    void Draw(HDC dc, int left, int top, int width, int height) override;
    Rect FitRect(int width, int height, int box_width, int box_height) override;
    const std::string& file() const { return path_; }

private:
    std::string path_;
};

}  // namespace gd
