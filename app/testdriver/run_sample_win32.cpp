// Converts one address list end to end with the real programs: starts the stand-in navigation
// program and Mapwell.exe, works Mapwell's windows as a user would, and prints the outcome.
//   run_sample.exe FOLDER LIST.csv [--format asc|csv|txt] [--gazetteer FILE] [--pictures DIR]
// FOLDER is Mapwell's working folder and holds LIST.csv; the result lands beside it. With
// --pictures, screenshots of the main window and the column dialog are written there as BMP.
#include "app/main_layout.h"
#include "app/testdriver/driver.h"
#include "columns/import_add_layout.h"

#include <cstdio>
#include <string>

namespace td = mapwell::testdriver;
using namespace mapwell;

namespace {

struct Options {
    std::wstring folder, list, format = L"csv", gazetteer, pictures;
};

bool Parse(int argc, wchar_t** argv, Options& options) {
    if (argc < 3) {
        return false;
    }
    options.folder = argv[1];
    options.list = argv[2];
    for (int i = 3; i + 1 < argc; i += 2) {
        const std::wstring name = argv[i];
        if (name == L"--format") {
            options.format = argv[i + 1];
        } else if (name == L"--gazetteer") {
            options.gazetteer = argv[i + 1];
        } else if (name == L"--pictures") {
            options.pictures = argv[i + 1];
        } else {
            return false;
        }
    }
    return true;
}

void Picture(const Options& options, HWND window, const wchar_t* name) {
    if (options.pictures.empty()) {
        return;
    }
    const std::wstring path = options.pictures + L"\\" + name + L".bmp";
    if (!td::SaveWindowPicture(window, path)) {
        std::fwprintf(stderr, L"run_sample: no picture of %ls\n", name);
    }
}

void Print(const wchar_t* label, const std::wstring& text) {
    std::wprintf(L"%ls%ls\n", label, text.c_str());
    std::fflush(stdout);
}

bool StartsWith(const std::wstring& text, const wchar_t* prefix) {
    return text.rfind(prefix, 0) == 0;
}

int Fail(const wchar_t* why) {
    std::fwprintf(stderr, L"run_sample: %ls\n", why);
    return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    Options options;
    if (!Parse(argc, argv, options)) {
        return Fail(L"usage: run_sample FOLDER LIST.csv [--format asc|csv|txt] "
                    L"[--gazetteer FILE] [--pictures DIR]");
    }
    td::Program navigation;
    if (!options.gazetteer.empty()) {
        navigation = td::Start(td::SiblingPath(L"NavServer.exe"),
                               L"--gazetteer \"" + options.gazetteer + L"\"", options.folder);
        if (!navigation.Started()) {
            return Fail(L"NavServer.exe did not start");
        }
        if (td::WaitUntil([&] { return !td::TopWindows(navigation.Id()).empty(); })) {
            Picture(options, td::TopWindows(navigation.Id()).front(), L"navserver");
        }
    }
    td::Program mapwell = td::Start(td::SiblingPath(L"Mapwell.exe"), L"", options.folder);
    HWND main = mapwell.Started() ? td::WaitForMainWindow(mapwell.Id()) : nullptr;
    if (!main) {
        return Fail(L"Mapwell's main window did not come up");
    }
    auto item = [&](int id) { return td::Control(main, id); };
    Picture(options, main, L"main-start");

    const int option = options.format == L"asc"   ? IdOption1
                       : options.format == L"txt" ? IdOption3
                                                  : IdOption2;
    td::TypeTextNoWait(item(IdImportFileTxt), options.folder + L"\\" + options.list);
    HWND dialog = td::WaitForColumnDialog(mapwell.Id());
    if (!dialog) {
        return Fail(L"the column dialog did not open");
    }
    Picture(options, dialog, L"column-dialog");
    td::Click(GetDlgItem(dialog, IdButOk));
    if (!td::WaitUntil([&] { return IsWindowEnabled(item(IdNowImport)) != FALSE; })) {
        return Fail(L"the list was not made ready");
    }
    // The format after the evaluation: it puts its extension onto the proposed destination.
    td::Choose(item(option));
    td::WaitUntil([&] { return td::Text(item(IdExportFileTxt)).size() > 4; });
    // The detection timer links the navigation program within a tick or two; until then
    // "Start Convert" asks about the web route, which is declined and tried again.
    bool started = false;
    for (int attempt = 0; attempt < 60 && !started; ++attempt) {
        td::Click(item(IdNowImport));
        HWND box = nullptr;
        td::WaitUntil([&] {
            box = td::WaitForMessageBox(mapwell.Id(), 0);
            return box || !IsWindowEnabled(item(IdNowImport)) ||
                   StartsWith(td::Text(item(IdInfo)), L"Convert");
        });
        if (box) {
            td::Answer(box, options.gazetteer.empty() ? IDYES : IDNO);
            if (!options.gazetteer.empty()) {
                Sleep(500);
                continue;
            }
        }
        started = true;
    }
    if (!td::WaitUntil([&] { return StartsWith(td::Text(item(IdInfo)), L"Convert"); }, 300000)) {
        return Fail(L"the conversion did not finish");
    }
    const std::wstring result = td::Text(item(IdExportFileTxt));
    Print(L"Info: ", td::Text(item(IdInfo)));
    Print(L"Result file: ", result);
    Picture(options, main, L"main-done");

    td::Click(item(IdCommand2));
    mapwell.WaitForExit();
    for (HWND window : td::TopWindows(navigation.Id())) {
        PostMessageW(window, WM_CLOSE, 0, 0);
    }
    navigation.WaitForExit(5000);
    return td::FileThere(result) ? 0 : Fail(L"no result file");
}
