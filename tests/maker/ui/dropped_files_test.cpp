// Files and folders dropped on a list: the files the list takes in the order dropped,
// folders in name order, and one message for the files it does not take.

#include <gtest/gtest.h>

#include <filesystem>

#include "maker/project/path_rules.h"
#include "maker/ui/dropped_files.h"
#include "tests/maker/project/temp_folder.h"

namespace gd {
namespace {

using test::TempFolder;

const FileTypeSet kPictures{"jpg", "PNG", "gif"};

TEST(DroppedFiles, FilesComeInTheOrderDroppedAndFoldersInNameOrder) {
    TempFolder folder;
    std::filesystem::create_directories(folder.path() / "trip" / "day 2");
    std::filesystem::create_directories(folder.path() / "trip" / "day 10");
    for (const char* name : {"trip/IMG_10.jpg", "trip/img_9.JPG", "trip/b.png", "trip/notes.txt", "trip/Thumbs.db",
                             "trip/day 2/x.gif", "trip/day 10/y.gif", "cover.png", "readme"})
        folder.Write(name, std::string("x"));
    const std::string trip = folder.File("trip");
    auto in = [&](std::string path) { return JoinPath(trip, path); };

    DroppedFiles dropped =
        ExpandDroppedFiles({folder.File("cover.png"), trip, folder.File("readme"), folder.File("gone.jpg")}, kPictures);
    // Names in order without regard to case, numbers by value, sub-folders where their
    // names fall; a missing file of a taken type is passed on (adding it reports it).
    EXPECT_EQ(dropped.files, (std::vector<std::string>{folder.File("cover.png"), in("b.png"), JoinPath(in("day 2"), "x.gif"),
                                                       JoinPath(in("day 10"), "y.gif"), in("img_9.JPG"), in("IMG_10.jpg"),
                                                       folder.File("gone.jpg")}));
    // The folder's housekeeping file goes without a word; the others are named.
    EXPECT_EQ(dropped.skipped, (std::vector<std::string>{in("notes.txt"), folder.File("readme")}));
}

TEST(DroppedFiles, ExtensionsAreTheTextAfterTheLastDotOfTheName) {
    EXPECT_TRUE(kPictures.Contains("C:\\a.b\\photo.JpG"));
    EXPECT_TRUE(kPictures.Contains("/home/ann/x.tar.png"));
    EXPECT_FALSE(kPictures.Contains("C:\\pics.jpg\\photo"));  // the folder's dot is not the file's
    EXPECT_FALSE(kPictures.Contains("C:\\x\\jpg"));
    EXPECT_FALSE(kPictures.Contains("C:\\x\\photo.jpeg"));
}

TEST(DroppedFiles, NameOrderIgnoresCaseAndReadsNumbers) {
    EXPECT_TRUE(NameOrderLess("IMG_9.jpg", "img_10.jpg"));
    EXPECT_FALSE(NameOrderLess("img_10.jpg", "IMG_9.jpg"));
    EXPECT_TRUE(NameOrderLess("a.jpg", "B.jpg"));
    EXPECT_TRUE(NameOrderLess("photo", "photo 2"));
    EXPECT_TRUE(NameOrderLess("x007", "x8"));
    EXPECT_FALSE(NameOrderLess("same", "same"));
    // Names equal but for case still have an order, and only one.
    EXPECT_NE(NameOrderLess("A.jpg", "a.jpg"), NameOrderLess("a.jpg", "A.jpg"));
}

TEST(DroppedFiles, OneMessageNamesTheSkippedFiles) {
    const std::string accepted = "Only JPG, PNG and GIF pictures can be added.";
    EXPECT_EQ(SkippedFilesMessage({}, accepted), "");
    EXPECT_EQ(SkippedFilesMessage({"C:\\a.txt"}, accepted),
              "C:\\a.txt\n\nwas not added. Only JPG, PNG and GIF pictures can be added.");
    EXPECT_EQ(SkippedFilesMessage({"C:\\a.txt", "C:\\b.doc"}, accepted),
              "These 2 files were not added. Only JPG, PNG and GIF pictures can be added.\n\nC:\\a.txt\nC:\\b.doc");
    std::vector<std::string> many;
    for (int i = 0; i < 40; ++i) many.push_back("f" + std::to_string(i));
    const std::string text = SkippedFilesMessage(many, accepted);
    EXPECT_NE(text.find("These 40 files"), std::string::npos);
    EXPECT_NE(text.find("\nf11\n... and 28 more"), std::string::npos) << text;
    EXPECT_EQ(text.find("f12"), std::string::npos);
}

TEST(DroppedFiles, RefusedFilesAreNamedWithTheirReasonsInOneMessage) {
    const std::string accepted = "Only JPG, PNG and GIF pictures can be added.";
    EXPECT_EQ(RefusedFilesMessage({}, accepted), "");
    // Only files of other types: the message of before.
    EXPECT_EQ(RefusedFilesMessage({{"C:\\a.txt", ""}}, accepted), SkippedFilesMessage({"C:\\a.txt"}, accepted));
    EXPECT_EQ(RefusedFilesMessage({{"C:\\a.jpg", "JPEG: Not a JPEG file"}}, accepted),
              "C:\\a.jpg\n\nwas not added: JPEG: Not a JPEG file");
    EXPECT_EQ(RefusedFilesMessage({{"C:\\a.jpg", "JPEG: Not a JPEG file"}, {"C:\\b.txt", ""}}, accepted),
              "These 2 files were not added:\n\nC:\\a.jpg: JPEG: Not a JPEG file\nC:\\b.txt: not a type this list "
              "takes\n\nOnly JPG, PNG and GIF pictures can be added.");
    std::vector<RefusedFile> many;
    for (int i = 0; i < 30; ++i) many.push_back({"f" + std::to_string(i), "bad"});
    const std::string text = RefusedFilesMessage(many, accepted);
    EXPECT_TRUE(text.ends_with("\nf11: bad\n... and 18 more")) << text;
    EXPECT_EQ(text.find("Only"), std::string::npos) << "no file of another type among them";
}

}  // namespace
}  // namespace gd
