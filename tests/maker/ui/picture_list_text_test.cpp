// The Pictures page's texts: the Size column, the totals at the turn to megabytes and
// the report of files that cannot be opened.

#include <gtest/gtest.h>

#include "maker/ui/picture_list_text.h"

namespace gd {
namespace {

TEST(PictureListText, SizeColumnCountsWholeKilobytes) {
    EXPECT_EQ(PictureSizeText(0), "0K");
    EXPECT_EQ(PictureSizeText(1023), "0K");
    EXPECT_EQ(PictureSizeText(1024), "1K");
    EXPECT_EQ(PictureSizeText(5LL * 1024 * 1024 * 1024), "5242880K");  // beyond 32 bits of bytes
}

TEST(PictureListText, TotalsTurnToMegabytesFrom1024Kilobytes) {
    EXPECT_EQ(PictureTotalsText(0, 0), "Total picture num: 0  Total size: 0 K");
    EXPECT_EQ(PictureTotalsText(3, 1023), "Total picture num: 3  Total size: 1023 K");
    EXPECT_EQ(PictureTotalsText(4, 1024), "Total picture num: 4  Total size: 1.00 M");
    EXPECT_EQ(PictureTotalsText(1000, 2000), "Total picture num: 1000  Total size: 1.95 M");
}

TEST(PictureListText, MissingFilesAreNamedOneALine) {
    EXPECT_EQ(MissingPicturesMessage({"C:\\a.jpg"}), "C:\\a.jpg is not exists!");
    std::vector<std::string> many(20, "x.jpg");
    const std::string text = MissingPicturesMessage(many);
    EXPECT_TRUE(text.ends_with("x.jpg is not exists!\n... and 8 more")) << text;
}

TEST(PictureListText, PictureTypesAreThoseOfTheCodecTable) {
    for (const char* name : {"a.bmp", "a.WBMP", "a.dib", "a.wbm", "a.jpg", "a.jpeg", "a.JPE", "a.gif", "a.png",
                             "a.pcx", "a.tif", "a.tiff", "a.tga", "a.webp", "a.ico", "a.wmf", "a.j2k", "a.jbg",
                             "a.heic", "a.HEIF", "a.avif"})
        EXPECT_TRUE(PictureListTypes().Contains(name)) << name;
    for (const char* name : {"a.mp3", "a.txt", "a", "a.jpg.bak"}) EXPECT_FALSE(PictureListTypes().Contains(name)) << name;
    EXPECT_EQ(PictureTypesAccepted(),
              "Only BMP, JPG, GIF, PNG, PCX, TIF, TGA, WEBP, ICO, WMF, J2K, JBIG, HEIC and AVIF pictures can be added.");
}

TEST(PictureListText, EveryTypeTheMakerReadsHasAnIcon) {
    EXPECT_EQ(PictureTypeIcon("a.jpg"), 1);
    EXPECT_EQ(PictureTypeIcon("a.WBMP"), 0);
    EXPECT_EQ(PictureTypeIcon("a.wmf"), 7);
    EXPECT_EQ(PictureTypeIcon("a.webp"), kOtherPictureTypeIcon);
    EXPECT_EQ(PictureTypeIcon("a.heic"), kOtherPictureTypeIcon);
    EXPECT_EQ(PictureTypeIcon("a.avif"), kOtherPictureTypeIcon);
    EXPECT_EQ(PictureTypeIcon("a.ico"), kOtherPictureTypeIcon);
    EXPECT_EQ(PictureTypeIcon("a.txt"), -1);
}

TEST(PictureListText, TheAddDialogsFilterKeepsItsOldGroupsFirstAndListsEveryType) {
    const std::string filter = AddPicturesFilter();
    // The filter of before, group by group, with the new types after its own.
    EXPECT_TRUE(filter.starts_with("All Support Image Files|*.bmp;*.wbmp;*dib;*.wbm;*.jpg;*.jpeg;*.jpe;*.gif;*.png;"
                                   "*.pcx;*.tif;*.tiff;*.tga;*.webp;"))
        << filter;
    EXPECT_NE(filter.find("|BMP (*.bmp;*.wbmp;*dib;*.wbm)|*.bmp;*.wbmp;*dib;*.wbm|JPG (*.jpg;*.jpeg;*.jpe)|*.jpg;*.jpeg;"
                          "*.jpe|GIF (*.gif)|*.gif|PNG (*.png)|*.png|PCX (*.pcx)|*.pcx|TIF (*.tif;*.tiff)|*.tif;*.tiff|"
                          "TGA (*.tga)|*.tga|WEBP (*.webp)|*.webp|"),
              std::string::npos)
        << filter;
    EXPECT_TRUE(filter.ends_with("|JBIG (*.jbg;*.jbig)|*.jbg;*.jbig|HEIC (*.heic;*.heif)|*.heic;*.heif|AVIF (*.avif)|*.avif||"))
        << filter;
}

}  // namespace
}  // namespace gd
