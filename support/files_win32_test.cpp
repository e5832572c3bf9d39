#include "support/files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <string>

namespace mapwell {
namespace {

std::wstring TempFolder() {
    wchar_t buffer[MAX_PATH];
    GetTempPathW(MAX_PATH, buffer);
    std::wstring folder = std::wstring(buffer) + L"mapwell-files-test";
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder + L"\\";
}

void WriteFile(const std::wstring& path, const std::string& bytes) {
    std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
}

TEST(FileExists, AnEmptyFileWithADotCountsAsMissingUnlessTheLengthTestIsSkipped) {
    const std::wstring folder = TempFolder();
    WriteFile(folder + L"kunden.csv", "");
    // The temporary folder's own path may hold a dot; the rule looks at the whole path.
    WriteFile(folder + L"liste", "");
    WriteFile(folder + L"full.csv", "a,b,c,d\r\n");

    EXPECT_FALSE(FileExists(folder + L"kunden.csv", 0));
    EXPECT_TRUE(FileExists(folder + L"kunden.csv", 1));
    EXPECT_TRUE(FileExists(folder + L"full.csv", 0));
    EXPECT_FALSE(FileExists(folder + L"missing.csv", 0));
    EXPECT_FALSE(FileExists(L"", 0));
    const bool folderHasDot = folder.find(L'.') != std::wstring::npos;
    EXPECT_EQ(FileExists(folder + L"liste", 0), !folderHasDot);
}

}  // namespace
}  // namespace mapwell
