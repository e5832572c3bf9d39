// Converts one address list end to end with the real programs: starts the stand-in navigation
// program and Mapwell.exe, works Mapwell's windows as a user would, and prints the outcome.
//   run_sample.exe FOLDER LIST.csv [--format asc|csv|txt] [--gazetteer FILE] [--pictures DIR]
// FOLDER is Mapwell's working folder and holds LIST.csv; the result lands beside it. Without
// --gazetteer the navigation program reads its default one. With --pictures, screenshots of
// both programs' windows, of the column dialog and of the main window while it converts are
// written there as BMP; the navigation program then answers a little later, so that the run
// lasts long enough to be seen.
#include "app/window/main_layout.h"
#include "testing/test_win32.h"
#include "columns/import_add_layout.h"

#include <cstdio>
#include <map>
#include <string>

namespace td = mapwell::test;
using namespace mapwell;

namespace {

std::map<std::wstring, std::wstring> options{{L"--format", L"csv"}};

void Picture(HWND window, const wchar_t* name) {
    if (options.count(L"--pictures") &&
        !td::SaveWindowPicture(window, options[L"--pictures"] + L"\\" + name + L".bmp")) {
        std::fwprintf(stderr, L"run_sample: no picture of %ls\n", name);
    }
}

int Fail(const wchar_t* why) {
    std::fwprintf(stderr, L"run_sample: %ls\n", why);
    return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    bool known = argc >= 3 && argc % 2 == 1;
    for (int i = 3; i + 1 < argc; i += 2) {
        known = known && std::wstring(L" --format --gazetteer --pictures ")
                                 .find(L" " + std::wstring(argv[i]) + L" ") != std::wstring::npos;
        options[argv[i]] = argv[i + 1];
    }
    if (!known) {
        return Fail(L"usage: run_sample FOLDER LIST.csv [--format asc|csv|txt] "
                    L"[--gazetteer FILE] [--pictures DIR]");
    }
    const std::wstring folder = argv[1];
    td::Program navigation =
        td::StartNavServer(folder, (options.count(L"--gazetteer")
                                        ? L"--gazetteer \"" + options[L"--gazetteer"] + L"\" "
                                        : L"") +
                                       (options.count(L"--pictures") ? L"--delay 60" : L""));
    if (!navigation.Started()) {
        return Fail(L"NavServer.exe did not start");
    }
    Picture(td::TopWindows(navigation.Id()).front(), L"navserver");
    td::Program mapwell = td::Program(td::BinFolder() + L"Mapwell.exe", L"", folder);
    HWND main = mapwell.Started() ? td::WaitForMainWindow(mapwell.Id()) : nullptr;
    if (!main) {
        return Fail(L"Mapwell's main window did not come up");
    }
    auto item = [&](int id) { return td::Control(main, id); };
    auto converted = [&] { return td::Text(item(IdInfo)).rfind(L"Convert", 0) == 0; };
    Picture(main, L"main-start");

    td::TypeTextNoWait(item(IdImportFileTxt), folder + L"\\" + argv[2]);
    HWND dialog = td::WaitForColumnDialog(mapwell.Id());
    if (!dialog) {
        return Fail(L"the column dialog did not open");
    }
    Picture(dialog, L"column-dialog");
    td::Click(GetDlgItem(dialog, IdButOk));
    if (!td::WaitUntil([&] { return IsWindowEnabled(item(IdNowImport)) != FALSE; })) {
        return Fail(L"the list was not made ready");
    }
    // The format after the evaluation: it puts its extension onto the proposed destination.
    const std::wstring& format = options[L"--format"];
    td::Choose(item(format == L"asc" ? IdOption1 : format == L"txt" ? IdOption3 : IdOption2));
    td::WaitUntil([&] { return td::Text(item(IdExportFileTxt)).size() > 4; });
    // The detection timer links the navigation program within a tick or two; until then
    // "Start Convert" asks about the web route, which is declined and tried again.
    for (int attempt = 0; attempt < 60; ++attempt, Sleep(500)) {
        td::Click(item(IdNowImport));
        HWND box = nullptr;
        td::WaitUntil([&] {
            box = td::WaitForMessageBox(mapwell.Id(), 0);
            return box || !IsWindowEnabled(item(IdNowImport)) || converted();
        });
        if (!box) {
            break;
        }
        td::Answer(box, IDNO);
    }
    if (options.count(L"--pictures") && td::WaitUntil([&] {
            return td::Text(item(IdProgressText)).find(L"left") != std::wstring::npos;
        })) {
        Picture(main, L"main-converting");
    }
    if (!td::WaitUntil(converted, 300000)) {
        return Fail(L"the conversion did not finish");
    }
    const std::wstring result = td::Text(item(IdExportFileTxt));
    std::wprintf(L"Info: %ls\nResult file: %ls\n", td::Text(item(IdInfo)).c_str(), result.c_str());
    std::fflush(stdout);
    Picture(main, L"main-done");

    td::Click(item(IdCommand2));
    mapwell.ExitCode();  // the stand-in ends with `navigation`
    return td::FileThere(result) ? 0 : Fail(L"no result file");
}
