#pragma once
// The main window with what making a screensaver takes: the real runtime template in the
// program folder, the real picture encoder and resource writer, and a stand-in for the
// system's screensaver settings.

#include <filesystem>
#include <string>

#include "maker/project/editor_target.h"
#include "maker/project/picture_encoding.h"
#include "maker/win32/maker_pages.h"
#include "tests/maker/project/build_fakes.h"
#include "tests/maker/win32/window_fixture.h"

namespace gd::test {

class MakingWindowTest : public MakerWindowTest {
protected:
    void SetUp() override {
        MakerWindowTest::SetUp();
        std::filesystem::copy_file(Utf8Path(std::string(GD_DIST_DIR) + "/data/data1.dat"),
                                   folder_.path() / "data" / "data1.dat");
        services_.make_page = MakeMakerPage;
        services_.encoder = &encoder_;
        services_.resources = &targets_;
        services_.screensaver_platform = &platform_;
    }

    CxPictureEncoder encoder_;
    EditorTargetFactory targets_;
    FakePlatform platform_;
};

}  // namespace gd::test
