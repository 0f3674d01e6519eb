// Under Wine: the command line the companion hands to Glimmerdeck.exe splits back into
// exactly its arguments.
#include <gtest/gtest.h>

#include <windows.h>
#include <shellapi.h>

#include "maker/cli/windows_console.h"

namespace gd::cli {
namespace {

std::vector<std::wstring> SplitAgain(const std::wstring& line) {
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(line.c_str(), &count);
    std::vector<std::wstring> args(argv, argv + count);
    LocalFree(argv);
    return args;
}

TEST(WindowsConsole, QuotedArgumentsSplitBackUnchanged) {
    const std::vector<std::wstring> args = {
        L"C:\\Program Files\\Glimmerdeck\\Glimmerdeck.exe",
        L"plain",
        L"C:\\Users\\Zo\u00EB\\Bilder\\K\u00F6ln 2024\\Show.psm",
        L"\\\\server\\share\\with space\\",
        L"say \"hi\"",
        L"trailing\\\\",
        L"a\\\\\"b",
        L"\u5199\u771F.psm",
    };
    EXPECT_EQ(SplitAgain(QuoteCommandLine(args)), args);
}

}  // namespace
}  // namespace gd::cli
