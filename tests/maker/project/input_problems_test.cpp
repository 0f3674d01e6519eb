// The check every picture and music file passes before it goes into a project, from the
// command line or the pages, and the line a build ends with when some were left out.

#include "maker/project/input_problems.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <thread>

#include "maker/project/skipped_inputs.h"
#include "tests/imaging/test_inputs.h"
#include "tests/maker/project/temp_folder.h"

namespace gd {
namespace {

TEST(InputProblems, APictureMustDecodeWhateverItsName) {
    test::TempFolder folder;
    EXPECT_EQ(PictureProblem(testing::InputPath("jpeg/card.jpg")), "");
    EXPECT_EQ(PictureProblem(testing::InputPath("jpeg/really_jpeg.bmp")), "") << "the content decides";
    // A text file renamed .jpg, and an empty one: refused with the decoder's words.
    const std::string text = folder.Write("notes.jpg", std::vector<uint8_t>{'h', 'e', 'l', 'l', 'o', '\n'});
    EXPECT_NE(PictureProblem(text), "");
    EXPECT_NE(PictureProblem(folder.Write("empty.png", std::vector<uint8_t>{})), "");
    EXPECT_NE(PictureProblem(folder.File("missing.jpg")), "");
    // A JPEG cut short after its header: decoding goes past the end.
    std::vector<uint8_t> jpeg = testing::ReadInput("jpeg/card.jpg");
    ASSERT_GT(jpeg.size(), 40u);
    jpeg.resize(20);
    EXPECT_NE(PictureProblem(folder.Write("cut.jpg", jpeg)), "");
}

TEST(InputProblems, MusicMustBeWavMp3OrMidiByItsFirstBytes) {
    test::TempFolder folder;
    EXPECT_EQ(MusicProblem(folder.Write("a.wav", std::vector<uint8_t>{'R', 'I', 'F', 'F', 0, 0})), "");
    EXPECT_EQ(MusicProblem(folder.Write("a.mp3", std::vector<uint8_t>{'I', 'D', '3', 4})), "");
    EXPECT_EQ(MusicProblem(folder.Write("b.mp3", std::vector<uint8_t>{0xFF, 0xFB, 0x90})), "");
    EXPECT_EQ(MusicProblem(folder.Write("a.MIDI", std::vector<uint8_t>{'M', 'T', 'h', 'd'})), "");
    EXPECT_EQ(MusicProblem(folder.Write("c.mp3", std::vector<uint8_t>{'t', 'e', 'x', 't'})),
              "not an MP3 file (its first bytes are not those of one)");
    EXPECT_EQ(MusicProblem(folder.Write("a.ogg", std::vector<uint8_t>{'O', 'g', 'g', 'S'})), "not a WAV, MP3 or MIDI file");
    EXPECT_EQ(MusicProblem(folder.Write("e.wav", std::vector<uint8_t>{})), "the file is empty");
}

TEST(InputProblems, RefusedFilesAreTakenOutInOrderOnAnyNumberOfThreads) {
    // Every third file is refused, with a reason naming it.
    auto problem = [](const std::string& path) {
        return std::stoi(path) % 3 == 0 ? "bad " + path : std::string();
    };
    for (int threads : {1, 2, 7}) {
        std::vector<std::string> paths;
        for (int i = 0; i < 50; ++i) paths.push_back(std::to_string(i));
        std::vector<RefusedFile> refused = TakeRefusedFiles(paths, problem, threads);
        ASSERT_EQ(refused.size(), 17u) << threads;
        ASSERT_EQ(paths.size(), 33u) << threads;
        for (size_t i = 0; i < refused.size(); ++i)
            EXPECT_EQ(refused[i], (RefusedFile{std::to_string(i * 3), "bad " + std::to_string(i * 3)}));
        for (size_t i = 0; i < paths.size(); ++i) EXPECT_EQ(paths[i], std::to_string(i / 2 * 3 + 1 + i % 2));
    }
    std::vector<std::string> none;
    EXPECT_TRUE(TakeRefusedFiles(none, problem, 4).empty());
}

// The progress is heard on the calling thread only, never goes back, and ends at the whole.
TEST(InputProblems, ProgressOfACheckIsHeardOnTheCallingThreadAndEndsAtTheWhole) {
    std::vector<std::string> paths(40, "x");
    const std::thread::id caller = std::this_thread::get_id();
    std::vector<size_t> heard;
    bool elsewhere = false;
    const std::vector<std::string> problems = FileProblems(
        paths, [](const std::string&) { return std::string("p"); }, 3, [&](size_t done) {
            elsewhere = elsewhere || std::this_thread::get_id() != caller;
            heard.push_back(done);
        });
    EXPECT_EQ(problems, std::vector<std::string>(40, "p"));
    EXPECT_FALSE(elsewhere);
    ASSERT_FALSE(heard.empty());
    EXPECT_TRUE(std::is_sorted(heard.begin(), heard.end()));
    EXPECT_EQ(heard.back(), 40u);
}

TEST(SkippedInputs, TheLineCountsAndNamesTheFilesLeftOut) {
    EXPECT_EQ(SkippedPicturesLine({}, 40), "");
    EXPECT_EQ(SkippedPicturesLine({"C:\\Photos\\a.jpg", "/home/me/b.png"}, 40),
              "2 of 40 pictures could not be used: a.jpg, b.png");
    EXPECT_EQ(SkippedPicturesLine({"a.jpg"}, 1), "1 of 1 picture could not be used: a.jpg");
    EXPECT_EQ(SkippedMusicLine({"x.mp3"}, 3), "1 of 3 music files could not be used: x.mp3");
    std::vector<std::string> many;
    for (int i = 0; i < 9; ++i) many.push_back("p" + std::to_string(i) + ".jpg");
    EXPECT_EQ(SkippedPicturesLine(many, 200),
              "9 of 200 pictures could not be used: p0.jpg, p1.jpg, p2.jpg, p3.jpg, p4.jpg and 4 more");
}

}  // namespace
}  // namespace gd
