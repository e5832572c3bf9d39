// Mapwell.exe /convert against the stand-in navigation program: a batch byte for byte,
// the exit codes, and never a window.
#include "app/testing/test_win32.h"

#include <gtest/gtest.h>

#include <string>

namespace mapwell {
namespace {

namespace td = test;

constexpr char kList[] = "Hans Meier;Hauptstr. 5;10115;Berlin\r\n"
                         "Eva Schulz;Ring 2;20095;Hamburg\r\n";
constexpr char kCsvResult[] =
    "\"First Name\",\"Last Name\",\"Street\",\"ZipCode\",\"City\",\"Description\",\"Latitude\","
    "\"Longitude\"\r\n"
    "\"Hans Meier\",\"\",\"Hauptstr. 5\",\"10115\",\"Berlin\",\"\",\"52,5323\",\"13,3846\"\r\n"
    "\"Eva Schulz\",\"\",\"Ring 2\",\"20095\",\"Hamburg\",\"\",\"53,5503\",\"10,0006\"\r\n";
constexpr wchar_t kColumns[] = L"/columns name1=1,street=2,zip=3,city=4";

struct Outcome {
    long exitCode = -1;
    std::string output;
    bool showedWindow = false;
};

class CommandLine : public ::testing::Test {
protected:
    void SetUp() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\Mapwell");
        td::WriteFile(Path(L"kunden.csv"), kList);
    }
    void TearDown() override { navigation_.Kill(); }

    std::wstring Path(const std::wstring& name) const { return folder_ + L"\\" + name; }

    void StartNavigation() {
        navigation_ = td::StartSampleNavServer(folder_);
        ASSERT_TRUE(navigation_.Started());
    }

    // Runs Mapwell.exe with `arguments` in the test's folder, its output into a file.
    Outcome Convert(const std::wstring& arguments) {
        SECURITY_ATTRIBUTES inherit{sizeof inherit, nullptr, TRUE};
        HANDLE output = CreateFileW(Path(L"output.txt").c_str(), GENERIC_WRITE, FILE_SHARE_READ,
                                    &inherit, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        td::Program mapwell =
            td::Program(td::BinFolder() + L"Mapwell.exe", arguments, folder_, output);
        CloseHandle(output);
        Outcome outcome;
        td::WaitUntil([&] {
            outcome.showedWindow = outcome.showedWindow || !td::TopWindows(mapwell.Id()).empty();
            return WaitForSingleObject(mapwell.Handle(), 0) == WAIT_OBJECT_0;
        });
        outcome.exitCode = mapwell.ExitCode(0);
        outcome.output = td::ReadFile(Path(L"output.txt"));
        return outcome;
    }

    TestFolder temp_;
    const std::wstring folder_ = temp_.Path().wstring();
    td::Program navigation_;
};

TEST_F(CommandLine, ConvertsABatchOfThreeIntoAFolderWithASavedProfile) {
    StartNavigation();
    // The profile is saved by a first run and then found by name.
    ASSERT_EQ(
        Convert(L"/convert kunden.csv /profile Kunden /save " + std::wstring(kColumns)).exitCode,
        0);
    CreateDirectoryW(Path(L"out").c_str(), nullptr);
    for (const wchar_t* name : {L"a.csv", L"b.csv"}) {
        td::WriteFile(Path(name), kList);
    }
    const Outcome outcome = Convert(L"/CONVERT a.csv b.csv kunden.csv /Out out /format:csv "
                                    L"/profile kunden");
    EXPECT_EQ(outcome.exitCode, 0) << outcome.output;
    EXPECT_NE(outcome.output.find("[3/3] kunden.csv -> out\\kunden_Geo.csv (profile kunden)"),
              std::string::npos)
        << outcome.output;
    EXPECT_NE(outcome.output.find("Converting of 2 completed without errors."), std::string::npos);
    for (const wchar_t* name : {L"a_Geo.csv", L"b_Geo.csv", L"kunden_Geo.csv"}) {
        EXPECT_EQ(td::ReadFile(Path(L"out\\") + name), kCsvResult) << outcome.output;
    }
}

TEST_F(CommandLine, ExitCodes) {
    td::WriteFile(Path(L"fremd.csv"), "Ida Berg;Gasse 1;99999;Nirgendwo\r\n" + std::string(kList));
    const struct {
        bool navigation;
        std::wstring arguments;
        long exitCode;
        std::string says;
    } cases[] = {
        {true, L"/convert fremd.csv " + std::wstring(kColumns), 1,
         "Converting: 2 of 3\r\n  Failed items are saved in ConvertError.txt"},
        {true, L"/convert kunden.csv /format pdf", 2,
         "Mapwell: /format \"pdf\" is not valid: use asc, csv or txt."},
        {true, L"/convert kunden.csv", 2, "No column profile \"kunden\""},
        {true, L"/convert missing.csv " + std::wstring(kColumns), 2,
         "Can't open source-file missing.csv"},
        {false, L"/convert kunden.csv /wait 1 " + std::wstring(kColumns), 3,
         "No navigation program announced itself within 1 seconds"},
        {false, L"/?", 0, "Mapwell.exe /convert <list> [more lists...] [options]"},
    };
    for (const auto& c : cases) {
        if (c.navigation && !navigation_.Started()) {
            StartNavigation();
        } else if (!c.navigation) {
            navigation_.Kill();
        }
        const Outcome outcome = Convert(c.arguments);
        EXPECT_EQ(outcome.exitCode, c.exitCode) << outcome.output;
        EXPECT_NE(outcome.output.find(c.says), std::string::npos) << outcome.output;
        EXPECT_FALSE(outcome.showedWindow);
    }
    EXPECT_EQ(td::ReadFile(Path(L"ConvertError.txt")), "Ida Berg;Gasse 1;99999;Nirgendwo\r\n");
    // An inline profile is used for the run only.
    HKEY key = nullptr;
    EXPECT_NE(RegOpenKeyExW(HKEY_CURRENT_USER, L"Software\\Mapwell\\ImportAdd", 0, KEY_READ, &key),
              ERROR_SUCCESS);
}

}  // namespace
}  // namespace mapwell
