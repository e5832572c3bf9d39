// Drives the column assignment dialog in this process: the dialog runs on the test thread, a
// second thread finds it and works it as the user would.
#include "columns/import_add_win32.h"

#include "app/testdriver/driver.h"
#include "support/program.h"
#include "support/registry.h"

#include <gtest/gtest.h>

#include <functional>
#include <thread>

namespace mapwell {
namespace {

namespace td = testdriver;

constexpr wchar_t kTitle[] = L"MapwellColumnDialogTest";

class ImportAddTest : public ::testing::Test {
protected:
    void SetUp() override {
        ProgramTitle = kTitle;
        folder_ = td::MakeTempFolder(L"mwcol");
    }
    void TearDown() override {
        td::RemoveFolder(folder_);
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

    std::wstring folder_;
};

HWND Item(HWND dialog, int id) {
    return GetDlgItem(dialog, id);
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

TEST_F(ImportAddTest, LowerCaseHeadingsAreFoundAndTheSemicolonIsTaken) {
    const std::wstring source =
        Write(L"kunden.csv", "name;street;zipcode;city\r\nHans;Hauptstr. 5;12345;Berlin\r\n");
    Run(source, [&](HWND d) {
        EXPECT_EQ(td::Caption(d), source);
        EXPECT_EQ(td::ComboSelection(Item(d, IdComboN1)), 0);
        EXPECT_EQ(td::ComboSelection(Item(d, IdComboN2)), 0);
        EXPECT_EQ(td::ComboSelection(Item(d, IdComboStr)), 1);
        EXPECT_EQ(td::ComboSelection(Item(d, IdComboPLZ)), 2);
        EXPECT_EQ(td::ComboSelection(Item(d, IdComboCity)), 3);
        EXPECT_EQ(td::ComboSelection(Item(d, IdComboLand)), -1);
        EXPECT_EQ(td::ComboEntries(Item(d, IdComboT2)),
                  (std::vector<std::wstring>{L"name", L"street", L"zipcode", L"city"}));
        EXPECT_EQ(td::ScrollPosition(Item(d, IdHScroll1)), 2);
        EXPECT_EQ(td::Text(Item(d, IdImpText)), L"kunden");
        EXPECT_EQ(td::Text(Item(d, IdTName)), L"Hans Hans");
        EXPECT_EQ(td::Text(Item(d, IdTStr)), L"Hauptstr. 5");
        EXPECT_EQ(td::Text(Item(d, IdTCity)), L"Berlin");
        EXPECT_TRUE(IsWindowEnabled(Item(d, IdButOk)));
        EXPECT_FALSE(IsRed(d, IdLabStr));
        td::Click(Item(d, IdButExit));
    });
    EXPECT_EQ(ImportExchange, L"Exit");
}

TEST_F(ImportAddTest, HeadingsInCapitalsPreselectNothingAndTheRedHeadingsFollowTheChoices) {
    const std::wstring source =
        Write(L"caps.csv", "Name,Street,Zipcode,City\r\nHans,Hauptstr. 5,12345,Berlin\r\n");
    Run(source, [&](HWND d) {
        EXPECT_EQ(td::ComboSelection(Item(d, IdComboStr)), -1);
        EXPECT_EQ(td::ScrollPosition(Item(d, IdHScroll1)), 1);
        EXPECT_EQ(td::Text(Item(d, IdTStr)), L"");
        EXPECT_TRUE(IsRed(d, IdLabStr));
        EXPECT_TRUE(IsRed(d, IdLabCity));
        EXPECT_FALSE(IsRed(d, IdLabName));
        EXPECT_FALSE(IsWindowEnabled(Item(d, IdButOk)));

        td::PickComboEntry(Item(d, IdComboStr), 1);
        EXPECT_FALSE(IsRed(d, IdLabStr));
        EXPECT_TRUE(IsRed(d, IdLabCity));
        EXPECT_EQ(td::Text(Item(d, IdTStr)), L"Street");
        EXPECT_FALSE(IsWindowEnabled(Item(d, IdButOk)));

        td::PickComboEntry(Item(d, IdComboCity), 3);
        EXPECT_TRUE(IsWindowEnabled(Item(d, IdButOk)));

        td::ScrollTo(Item(d, IdHScroll1), 2);
        EXPECT_EQ(td::Text(Item(d, IdTStr)), L"Hauptstr. 5");

        // Typing over the street's text so that no entry is named takes the choice away.
        td::TypeIntoCombo(Item(d, IdComboStr), L"somewhere");
        EXPECT_TRUE(IsRed(d, IdLabStr));
        EXPECT_FALSE(IsWindowEnabled(Item(d, IdButOk)));
        td::TypeIntoCombo(Item(d, IdComboStr), L"Street");
        EXPECT_FALSE(IsRed(d, IdLabStr));
        EXPECT_TRUE(IsWindowEnabled(Item(d, IdButOk)));
        td::Click(Item(d, IdButExit));
    });
}

TEST_F(ImportAddTest, ThreeFieldsAreTheWrongFormat) {
    const std::wstring source = Write(L"three.csv", "a,b,c\r\n1,2,3\r\n");
    Run(source, [&](HWND d) {
        EXPECT_EQ(td::Text(Item(d, IdImpText)), L"Wrong file format or separator");
        EXPECT_FALSE(IsWindowEnabled(Item(d, IdButOk)));
        EXPECT_TRUE(td::ComboEntries(Item(d, IdComboStr)).empty());
        td::Click(Item(d, IdButExit));
    });
    EXPECT_EQ(ImportExchange, L"Exit");
}

TEST_F(ImportAddTest, OkSavesTheProfileAndTheNextListOfThatNameLoadsIt) {
    const std::wstring first = Write(L"liste.csv", "x;y;z;w;v\r\nA;B;Ring 1;10115;Berlin\r\n");
    Run(first, [&](HWND d) {
        td::PickComboEntry(Item(d, IdComboStr), 2);
        td::PickComboEntry(Item(d, IdComboCity), 4);
        td::Click(Item(d, IdButOk));
    });
    EXPECT_EQ(ImportExchange, L"liste");
    const std::wstring key = std::wstring(L"Software\\") + kTitle + L"\\ImportAdd";
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, key, L"liste_Street"), L"2");
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, key, L"liste_Zip"), L"-1");
    EXPECT_EQ(RegReadString(HKEY_CURRENT_USER, key, L"liste_Sep"), L";");

    // Another list of the same name, found with "," at first: the profile's ";" takes over.
    const std::wstring sub = folder_ + L"\\again";
    CreateDirectoryW(sub.c_str(), nullptr);
    const std::wstring second = sub + L"\\liste.csv";
    td::WriteFile(second, "a,b;c;Ring 2;20095;Hamburg,x,y,z\r\n");
    Run(second, [&](HWND d) {
        EXPECT_EQ(td::ComboSelection(Item(d, IdComboStr)), 2);
        EXPECT_EQ(td::ComboSelection(Item(d, IdComboCity)), 4);
        EXPECT_TRUE(IsWindowEnabled(Item(d, IdButOk)));
        // Line 1 split at ";": a,b | c | Ring 2 | 20095 | Hamburg,x,y,z
        td::ScrollTo(Item(d, IdHScroll1), 1);
        EXPECT_EQ(td::Text(Item(d, IdTStr)), L"Ring 2");
        EXPECT_EQ(td::Text(Item(d, IdTCity)), L"Hamburg,x,y,z");
        td::Click(Item(d, IdButExit));
    });
    td::RemoveFolder(sub);
}

TEST_F(ImportAddTest, AColumnBeyondAShortLineShowsTheErrorInTheTitle) {
    const std::wstring source =
        Write(L"short.csv", "name,street,zipcode,city,x\r\nHans,Weg 1,1,Bonn,extra\r\nA,B\r\n");
    Run(source, [&](HWND d) {
        td::PickComboEntry(Item(d, IdComboLand), 4);
        EXPECT_EQ(td::Text(Item(d, IdTLand)), L"extra");
        td::ScrollTo(Item(d, IdHScroll1), 3);
        EXPECT_EQ(td::Caption(d), L"Subscript out of range");
        EXPECT_EQ(td::Text(Item(d, IdTLand)), L"extra");
        EXPECT_EQ(td::Text(Item(d, IdTName)), L"A A");
        // Beyond the end of the list the last line stays in view.
        td::ScrollTo(Item(d, IdHScroll1), 20);
        EXPECT_EQ(td::ScrollPosition(Item(d, IdHScroll1)), 20);
        EXPECT_EQ(td::Text(Item(d, IdTName)), L"A A");
        td::Click(Item(d, IdButExit));
    });
}

TEST_F(ImportAddTest, ClosingTheWindowCountsAsCancel) {
    const std::wstring source = Write(L"close.csv", "name,street,zipcode,city\r\n");
    const ImportAddResult result = Run(source, [&](HWND d) { PostMessageW(d, WM_CLOSE, 0, 0); });
    EXPECT_TRUE(result.opened);
    EXPECT_EQ(ImportExchange, L"Exit");
}

TEST_F(ImportAddTest, AProfileNamedExitIsHandedBackLikeACancel) {
    const std::wstring source = Write(L"named.csv", "name,street,zipcode,city\r\n");
    Run(source, [&](HWND d) {
        td::TypeText(Item(d, IdImpText), L"Exit");
        td::Click(Item(d, IdButOk));
    });
    EXPECT_EQ(ImportExchange, L"Exit");
}

TEST_F(ImportAddTest, AListThatCannotBeReadIsReportedToTheCaller) {
    ImportExchange = folder_ + L"\\missing.csv";
    const ImportAddResult result = ShowImportAdd(nullptr);
    EXPECT_FALSE(result.opened);
    EXPECT_STREQ(result.errorText, L"File not found");
}

}  // namespace
}  // namespace mapwell
