// The real Mapwell.exe links to the stand-in navigation program; the same program started as
// Project1.exe runs without the hook and never links, although it keeps announcing itself.
#include "app/testing/test_win32.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

namespace mapwell {
namespace {

// How many lines of the log start with `kind` and name `window` as their sender.
int CountFrom(const std::vector<std::string>& lines, const char* kind, HWND window) {
    const std::string from = " from " + test::DecimalOf(window) + " ";
    return static_cast<int>(std::count_if(lines.begin(), lines.end(), [&](const std::string& l) {
        return l.rfind(kind, 0) == 0 && (l + " ").find(from) != std::string::npos;
    }));
}

TEST(Project1, OnlyTheHookedProgramLinksAndPolls) {
    TestFolder folder;
    const std::wstring project1 = (folder / "Project1.exe").wstring();
    std::filesystem::copy_file(test::BinFolder() + L"Mapwell.exe", project1);
    const std::wstring log = (folder / "navserver.log").wstring();

    test::Program server(test::NavServerPath(), L"--log \"" + log + L"\"");
    ASSERT_NE(server.Window(), nullptr);
    test::Program unhooked(project1, L"");
    test::Program hooked(test::BinFolder() + L"Mapwell.exe", L"");
    const HWND hookedWindow = hooked.Window(), unhookedWindow = unhooked.Window();
    ASSERT_TRUE(hookedWindow && unhookedWindow);

    // The hooked program polls once linked; meanwhile the unhooked one announces on every tick.
    std::vector<std::string> lines;
    ASSERT_TRUE(test::WaitUntil(
        [&] {
            lines = test::ReadLines(log);
            return CountFrom(lines, "command ", hookedWindow) >= 3 &&
                   CountFrom(lines, "announce ", unhookedWindow) >= 6;
        },
        60000));
    EXPECT_EQ(CountFrom(lines, "command ", unhookedWindow), 0);
    EXPECT_GE(CountFrom(lines, "announce ", hookedWindow), 1);
}

}  // namespace
}  // namespace mapwell
