// The real Mapwell.exe links to the stand-in navigation program; the same program started as
// Project1.exe runs without the hook and never links, although it keeps announcing itself.
#include "app/testing/test_win32.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <map>

namespace mapwell {
namespace {

DWORD ProcessOf(const std::string& windowDecimal) {
    const auto value = static_cast<std::uintptr_t>(std::stoull(windowDecimal));
    DWORD process = 0;
    GetWindowThreadProcessId(reinterpret_cast<HWND>(value), &process);
    return process;
}

// Per process of the sending window, how many lines of the log start with `kind`.
std::map<DWORD, int> CountBySender(const std::vector<std::string>& lines, const std::string& kind) {
    std::map<DWORD, int> counts;
    for (const std::string& line : lines) {
        if (line.rfind(kind, 0) != 0) {
            continue;
        }
        const auto from = line.find("from ");
        const auto end = line.find(' ', from + 5);
        ++counts[ProcessOf(line.substr(from + 5, end - from - 5))];
    }
    return counts;
}

TEST(Project1, OnlyTheHookedProgramLinksAndPolls) {
    const std::wstring folder = test::NewTempFolder();
    const std::wstring project1 = folder + L"Project1.exe";
    std::filesystem::copy_file(test::BinFolder() + L"Mapwell.exe", project1);
    const std::wstring log = folder + L"navserver.log";

    test::Program server(test::NavServerPath(), L"--log \"" + log + L"\"");
    ASSERT_NE(server.Window(), nullptr);
    test::Program unhooked(project1, L"");
    test::Program hooked(test::BinFolder() + L"Mapwell.exe", L"");
    ASSERT_TRUE(unhooked.started());
    ASSERT_TRUE(hooked.started());

    // The hooked program polls once linked; meanwhile the unhooked one announces on every tick.
    std::map<DWORD, int> polls;
    std::map<DWORD, int> announces;
    ASSERT_TRUE(test::WaitUntil(
        [&] {
            const auto lines = test::ReadLines(log);
            polls = CountBySender(lines, "command ");
            announces = CountBySender(lines, "announce ");
            return polls[hooked.id()] >= 3 && announces[unhooked.id()] >= 6;
        },
        60000));
    EXPECT_EQ(polls.count(unhooked.id()), 0u);
    EXPECT_GE(announces[hooked.id()], 1);
}

}  // namespace
}  // namespace mapwell
