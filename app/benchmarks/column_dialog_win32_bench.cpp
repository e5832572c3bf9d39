// ColumnDialogBench.exe: how long the column assignment dialog takes to open for a list whose
// first line has very many fields. Not a test; it prints milliseconds from the call until the
// dialog has been found on the screen (found by polling every 20 ms) and closed again.
#include "testing/test_win32.h"
#include "columns/first_line.h"
#include "columns/import_add_win32.h"
#include "support/program.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <string>
#include <thread>
#include <vector>

using namespace mapwell;
namespace td = mapwell::test;

namespace {

constexpr int kRuns = 3;

double OpenAndCancelMs(const std::wstring& source) {
    ImportExchange = source;
    std::thread driver([] {
        if (HWND dialog = td::WaitForColumnDialog(GetCurrentProcessId(), 600000)) {
            td::Click(td::Control(dialog, IdButExit));
        }
    });
    LARGE_INTEGER from, to, frequency;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&from);
    ShowImportAdd(nullptr);
    QueryPerformanceCounter(&to);
    driver.join();
    return static_cast<double>(to.QuadPart - from.QuadPart) * 1e3 /
           static_cast<double>(frequency.QuadPart);
}

}  // namespace

// Arguments: the numbers of fields to try; by default a range up to the dialog's line limit.
int wmain(int argc, wchar_t** argv) {
    ProgramTitle = L"MapwellColumnDialogBench";
    std::vector<std::size_t> counts{4, 1004, 4004, 16004, 1048580, kDialogLineLimit - 20};
    if (argc > 1) {
        counts.clear();
        for (int i = 1; i < argc; ++i) {
            counts.push_back(static_cast<std::size_t>(std::wcstoull(argv[i], nullptr, 10)));
        }
    }
    TestFolder temp;
    const std::wstring folder = temp.Path().wstring();
    const std::wstring path = folder + L"\\wide.csv";
    for (std::size_t fields : counts) {
        // "name;street;zipcode;city" and then empty fields.
        td::WriteFile(path, "name;street;zipcode;city" + std::string(fields - 4, ';') +
                                "\r\nHans;Hauptstr. 5;10115;Berlin\r\n");
        std::vector<double> ms;
        for (int run = 0; run < kRuns; ++run) {
            ms.push_back(OpenAndCancelMs(path));
        }
        std::sort(ms.begin(), ms.end());
        std::printf("first line of %8zu fields: dialog open and closed in %8.1f ms median"
                    " (min %.1f, max %.1f, n=%d)\n",
                    fields, ms[ms.size() / 2], ms.front(), ms.back(), kRuns);
    }
    RegDeleteTreeW(HKEY_CURRENT_USER, L"Software\\MapwellColumnDialogBench");
    return 0;
}
