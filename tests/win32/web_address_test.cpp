// Opening an address: the desktop first, the browser of the ".htm" class second.

#include <gtest/gtest.h>

#include <map>
#include <vector>

#include "win32/web_address.h"

namespace gd {
namespace {

class FakeWebPlatform final : public WebOpenPlatform {
public:
    intptr_t ShellOpen(const std::wstring& address, int) override {
        opened.push_back(address);
        return shell_result;
    }
    std::optional<std::wstring> ClassDefaultValue(const std::wstring& key) override {
        reads.push_back(key);
        auto it = classes.find(key);
        if (it == classes.end()) return std::nullopt;
        return it->second;
    }
    intptr_t StartCommand(const std::wstring& command_line, int) override {
        started.push_back(command_line);
        return start_result;
    }

    intptr_t shell_result = 42;
    intptr_t start_result = 33;
    std::map<std::wstring, std::wstring> classes;
    std::vector<std::wstring> opened, reads, started;
};

TEST(BrowserCommandLine, CutsAtTheQuotedPlaceholderElseTheBareOne) {
    const std::wstring a = L"http://a.example/";
    EXPECT_EQ(BrowserCommandLine(L"\"C:\\web\\b.exe\" -url \"%1\" -x", a), L"\"C:\\web\\b.exe\" -url  " + a);
    EXPECT_EQ(BrowserCommandLine(L"C:\\web\\b.exe %1 -x \"%1\"", a), L"C:\\web\\b.exe %1 -x  " + a)
        << "a quoted %1 wins over an earlier bare one";
    EXPECT_EQ(BrowserCommandLine(L"C:\\web\\b.exe -nohome %1", a), L"C:\\web\\b.exe -nohome  " + a);
    EXPECT_EQ(BrowserCommandLine(L"C:\\web\\b.exe", a), L"C:\\web\\b.exe " + a);
}

TEST(OpenWebAddress, TheDesktopsOpenIsEnoughWhenItWorks) {
    FakeWebPlatform platform;
    EXPECT_EQ(OpenWebAddress(L"mailto:x@example.org", SW_SHOWNORMAL, platform), 42);
    EXPECT_EQ(platform.opened, std::vector<std::wstring>{L"mailto:x@example.org"});
    EXPECT_TRUE(platform.reads.empty());
}

TEST(OpenWebAddress, FallsBackToTheBrowserOfTheHtmClass) {
    FakeWebPlatform platform;
    platform.shell_result = 31;
    platform.classes[L".htm"] = L"htmlfile";
    platform.classes[L"htmlfile\\shell\\open\\command"] = L"\"C:\\web\\b.exe\" \"%1\"";
    EXPECT_EQ(OpenWebAddress(L"http://a.example/", SW_SHOWNORMAL, platform), 33);
    EXPECT_EQ(platform.started, std::vector<std::wstring>{L"\"C:\\web\\b.exe\"  http://a.example/"});

    platform.start_result = 2;
    EXPECT_EQ(OpenWebAddress(L"http://a.example/", SW_SHOWNORMAL, platform), 2) << "the browser's result counts";
}

TEST(OpenWebAddress, AFailedRegistryReadGivesTheDesktopsResult) {
    FakeWebPlatform platform;
    platform.shell_result = 31;
    EXPECT_EQ(OpenWebAddress(L"http://a.example/", SW_SHOWNORMAL, platform), 31);
    platform.classes[L".htm"] = L"htmlfile";  // the class names no command
    EXPECT_EQ(OpenWebAddress(L"http://a.example/", SW_SHOWNORMAL, platform), 31);
    EXPECT_TRUE(platform.started.empty());
}

TEST(HyperlinkErrorText, NamesKnownReasonsAndNumbersTheRest) {
    EXPECT_EQ(HyperlinkErrorText(2), L"The specified file was not found.");
    EXPECT_EQ(HyperlinkErrorText(31), L"There is no application associated\nwith the given filename extension.");
    EXPECT_EQ(HyperlinkErrorText(0), L"The operating system is out\nof memory or resources.");
    EXPECT_EQ(HyperlinkErrorText(26), L"Unknown Error (26) occurred.");
    EXPECT_EQ(HyperlinkErrorText(-7), L"Unknown Error (-7) occurred.");
}

}  // namespace
}  // namespace gd
