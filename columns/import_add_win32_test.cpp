// Drives the column assignment dialog in this process: the dialog runs on the test thread, a
// second thread finds it and works it as the user would.
#include "columns/import_add_win32.h"

#include "columns/first_line.h"
#include "columns/profile_store_win32.h"

#include "testing/test_win32.h"
#include "support/program.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>

namespace mapwell {
namespace {

namespace td = test;

constexpr wchar_t kTitle[] = L"MapwellColumnDialogTest";

class ImportAddTest : public ::testing::Test {
protected:
    void SetUp() override { ProgramTitle = kTitle; }
    void TearDown() override {
        RegDeleteTreeW(HKEY_CURRENT_USER, (std::wstring(L"Software\\") + kTitle).c_str());
    }

    std::wstring Write(const wchar_t* name, const std::string& bytes) {
        const std::wstring path = folder_ + L"\\" + name;
        td::WriteFile(path, bytes);
        return path;
    }

    // Shows the dialog for `source`; `drive` works it from another thread and must close it.
    ImportAddResult Run(const std::wstring& source, const std::function<void(HWND)>& drive) {
        ImportExchange = source;
        std::thread driver([&] {
            HWND dialog = td::WaitForColumnDialog(GetCurrentProcessId());
            ASSERT_NE(dialog, nullptr);
            drive(dialog);
        });
        const ImportAddResult result = ShowImportAdd(nullptr);
        driver.join();
        return result;
    }

    TestFolder temp_;
    const std::wstring folder_ = temp_.Path().wstring();
};

HWND Item(HWND dialog, int id) {
    return GetDlgItem(dialog, id);
}

std::wstring TextOf(HWND dialog, int id) {
    return td::Text(Item(dialog, id));
}

bool IsRed(HWND dialog, int labelId) {
    HDC dc = CreateCompatibleDC(nullptr);
    SetTextColor(dc, RGB(1, 2, 3));
    SendMessageW(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                 reinterpret_cast<LPARAM>(Item(dialog, labelId)));
    const bool red = GetTextColor(dc) == RGB(255, 0, 0);
    DeleteDC(dc);
    return red;
}

// Lower-case headings are found in the longest first line the dialog reads, all separators: the
// most columns it can count.
TEST_F(ImportAddTest, AFirstLineOfVeryManyFieldsIsOfferedInPartAndTheDialogSaysSo) {
    const std::string heading = "name;street;zipcode;city";
    const std::wstring source =
        Write(L"wide.csv", heading + std::string(kDialogLineLimit - heading.size(), ';') + "\r\n");
    Run(source, [&](HWND d) {
        EXPECT_EQ(TextOf(d, IdLabColumns),
                  L"The first line has 2097132 columns; the lists offer the first 1000.");
        EXPECT_TRUE(td::ShowsAllItsText(Item(d, IdLabColumns)));
        EXPECT_EQ(SendMessageW(Item(d, IdComboT2), CB_GETCOUNT, 0, 0), 1000);
        EXPECT_EQ(td::Text(Item(d, IdComboCity)), L"city");  // the heading is the entry's text
        td::Click(Item(d, IdButExit));
    });
}

// A column that a short line lacks keeps its box's text and puts the error into the title.
TEST_F(ImportAddTest, TheRedHeadingsOkAndTheTitleFollowTheChoices) {
    const std::wstring source =
        Write(L"caps.csv", "Name,Street,Zipcode,City\r\nHans,Hauptstr. 5,12345,Berlin\r\nA,B\r\n");
    Run(source, [&](HWND d) {
        EXPECT_TRUE(IsRed(d, IdLabStr) && IsRed(d, IdLabCity) && !IsRed(d, IdLabName));
        EXPECT_FALSE(IsWindowEnabled(Item(d, IdButOk)));

        td::PickComboEntry(Item(d, IdComboStr), 1);
        EXPECT_FALSE(IsRed(d, IdLabStr));
        EXPECT_EQ(TextOf(d, IdTStr), L"Street");
        EXPECT_FALSE(IsWindowEnabled(Item(d, IdButOk)));
        td::PickComboEntry(Item(d, IdComboCity), 3);
        EXPECT_TRUE(IsWindowEnabled(Item(d, IdButOk)));

        // Typing over the street's text so that no entry is named takes the choice away.
        td::TypeIntoCombo(Item(d, IdComboStr), L"somewhere");
        EXPECT_TRUE(IsRed(d, IdLabStr));
        EXPECT_FALSE(IsWindowEnabled(Item(d, IdButOk)));
        td::TypeIntoCombo(Item(d, IdComboStr), L"Street");
        EXPECT_FALSE(IsRed(d, IdLabStr));
        EXPECT_TRUE(IsWindowEnabled(Item(d, IdButOk)));

        td::PickComboEntry(Item(d, IdComboLand), 3);
        td::ScrollTo(Item(d, IdHScroll1), 3);
        EXPECT_EQ(td::Caption(d), L"Subscript out of range");
        EXPECT_EQ(TextOf(d, IdTLand), L"City");
        EXPECT_EQ(TextOf(d, IdTStr), L"B");
        // A profile named "Exit" goes back like a cancel.
        td::TypeText(Item(d, IdImpText), L"Exit");
        td::Click(Item(d, IdButOk));
    });
    EXPECT_EQ(ImportExchange, L"Exit");
}

TEST_F(ImportAddTest, ThreeFieldsAreTheWrongFormat) {
    const ImportAddResult result = Run(Write(L"three.csv", "a,b,c\r\n1,2,3\r\n"), [&](HWND d) {
        EXPECT_EQ(TextOf(d, IdImpText), L"Wrong file format or separator");
        EXPECT_FALSE(IsWindowEnabled(Item(d, IdButOk)));
        td::Click(Item(d, IdButExit));
    });
    EXPECT_TRUE(result.opened);
}

TEST_F(ImportAddTest, OkSavesTheProfileAndTheNextListOfThatNameLoadsIt) {
    Run(Write(L"liste.csv", "x;y;z;w;v\r\nA;B;Ring 1;10115;Berlin\r\n"), [&](HWND d) {
        td::PickComboEntry(Item(d, IdComboStr), 2);
        td::PickComboEntry(Item(d, IdComboCity), 4);
        td::Click(Item(d, IdButOk));
    });
    EXPECT_EQ(ImportExchange, L"liste");

    // The list of that name again, now found with "," at first: the profile's ";" takes over.
    Run(Write(L"liste.csv", "a,b;c;Ring 2;20095;Hamburg,x,y,z\r\n"), [&](HWND d) {
        EXPECT_TRUE(IsWindowEnabled(Item(d, IdButOk)));
        // Line 1 split at ";": a,b | c | Ring 2 | 20095 | Hamburg,x,y,z
        td::ScrollTo(Item(d, IdHScroll1), 1);
        EXPECT_EQ(TextOf(d, IdTStr), L"Ring 2");
        EXPECT_EQ(TextOf(d, IdTCity), L"Hamburg,x,y,z");
        td::Click(Item(d, IdButExit));
    });
}

// Excel's "Unicode Text": UTF-16, tab-separated. The dialog reads it as the engine does, and the
// profile keeps the tab.
TEST_F(ImportAddTest, AUtf16TabSeparatedList) {
    const std::string list = "name\tstreet\tzipcode\tcity\r\nA\tRing 1\t10115\tBerlin\r\n";
    Run(Write(L"unicode.txt", "\xFF\xFE" + Utf16Of(list)), [&](HWND d) {
        EXPECT_EQ(TextOf(d, IdTStr), L"Ring 1");
        td::Click(Item(d, IdButOk));
    });
    RegistryProfileStore store;
    EXPECT_EQ(store.Read(L"unicode_Sep", L""), L"\t");
}

TEST_F(ImportAddTest, AListThatCannotBeReadIsReportedToTheCaller) {
    ImportExchange = folder_ + L"\\missing.csv";
    const ImportAddResult result = ShowImportAdd(nullptr);
    EXPECT_FALSE(result.opened);
    EXPECT_STREQ(result.errorText, L"File not found");
}

}  // namespace
}  // namespace mapwell
