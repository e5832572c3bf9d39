#include "app/testdriver/driver.h"

#include "app/main_layout.h"
#include "columns/import_add_layout.h"

#include <dlgs.h>

#include <utility>

namespace mapwell::testdriver {

namespace {

constexpr int kMessageBoxTextId = 0xFFFF;
constexpr int kOpenDialogNameBox = cmb13;  // the file-name combo of the explorer-style dialog
constexpr DWORD kSendTimeoutMs = 10000;
constexpr DWORD kNoWaitMs = 200;

struct TopSearch {
    DWORD processId;
    const wchar_t* className;
    std::vector<HWND> found;
};

BOOL CALLBACK CollectTop(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<TopSearch*>(data);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner != search->processId || !IsWindowVisible(window)) {
        return TRUE;
    }
    if (search->className) {
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        if (lstrcmpiW(name, search->className) != 0) {
            return TRUE;
        }
    }
    search->found.push_back(window);
    return TRUE;
}

struct ChildSearch {
    int id;
    const wchar_t* className;
    const wchar_t* caption;
    HWND found;
};

BOOL CALLBACK FindChild(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<ChildSearch*>(data);
    if (search->caption) {
        wchar_t name[64] = {};
        GetClassNameW(window, name, 64);
        if (lstrcmpiW(name, search->className) == 0 && Text(window) == search->caption) {
            search->found = window;
            return FALSE;
        }
    } else if (GetDlgCtrlID(window) == search->id) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

}  // namespace

Program::Program(Program&& other) noexcept
    : process_(std::exchange(other.process_, PROCESS_INFORMATION{})) {}

Program& Program::operator=(Program&& other) noexcept {
    if (this != &other) {
        Kill();
        process_ = std::exchange(other.process_, PROCESS_INFORMATION{});
    }
    return *this;
}

Program::~Program() {
    Kill();
}

long Program::WaitForExit(DWORD ms) {
    if (!process_.hProcess || WaitForSingleObject(process_.hProcess, ms) != WAIT_OBJECT_0) {
        return -1;
    }
    DWORD code = 0;
    GetExitCodeProcess(process_.hProcess, &code);
    return static_cast<long>(code);
}

void Program::Kill() {
    if (!process_.hProcess) {
        return;
    }
    if (WaitForSingleObject(process_.hProcess, 0) != WAIT_OBJECT_0) {
        TerminateProcess(process_.hProcess, 1);
        WaitForSingleObject(process_.hProcess, kWaitMs);
    }
    CloseHandle(process_.hThread);
    CloseHandle(process_.hProcess);
    process_ = {};
}

std::wstring SiblingPath(const wchar_t* exe) {
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    std::wstring folder(self);
    return folder.substr(0, folder.rfind(L'\\') + 1) + exe;
}

Program Start(const std::wstring& exe, const std::wstring& arguments, const std::wstring& folder,
              HANDLE output) {
    std::wstring command = L"\"" + exe + L"\"" + (arguments.empty() ? L"" : L" " + arguments);
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = output;
    startup.hStdError = output;
    Program program;
    if (!CreateProcessW(nullptr, command.data(), nullptr, nullptr, output != nullptr, 0, nullptr,
                        folder.empty() ? nullptr : folder.c_str(), &startup, &program.process_)) {
        program.process_ = {};
    }
    return program;
}

std::wstring MakeTempFolder(const wchar_t* prefix) {
    wchar_t base[MAX_PATH];
    GetTempPathW(MAX_PATH, base);
    for (unsigned n = GetTickCount();; ++n) {
        std::wstring folder = std::wstring(base) + prefix + std::to_wstring(n);
        if (CreateDirectoryW(folder.c_str(), nullptr)) {
            return folder;
        }
    }
}

void RemoveFolder(const std::wstring& folder) {
    WIN32_FIND_DATAW entry;
    HANDLE find = FindFirstFileW((folder + L"\\*").c_str(), &entry);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = entry.cFileName;
            if (name != L"." && name != L"..") {
                DeleteFileW((folder + L"\\" + name).c_str());
            }
        } while (FindNextFileW(find, &entry));
        FindClose(find);
    }
    RemoveDirectoryW(folder.c_str());
}

void WriteFile(const std::wstring& path, const std::string& bytes) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    DWORD written = 0;
    ::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
    CloseHandle(file);
}

std::string ReadFile(const std::wstring& path) {
    HANDLE file = CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                              nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return {};
    }
    std::string bytes;
    char buffer[4096];
    DWORD read = 0;
    while (::ReadFile(file, buffer, sizeof buffer, &read, nullptr) && read > 0) {
        bytes.append(buffer, read);
    }
    CloseHandle(file);
    return bytes;
}

bool FileThere(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool WaitUntil(const std::function<bool()>& done, DWORD ms) {
    const DWORD start = GetTickCount();
    while (!done()) {
        if (GetTickCount() - start >= ms) {
            return done();
        }
        Sleep(20);
    }
    return true;
}

std::vector<HWND> TopWindows(DWORD processId, const wchar_t* className) {
    TopSearch search{processId, className, {}};
    EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND WaitForWindow(DWORD processId, const std::function<bool(HWND)>& match, DWORD ms) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : TopWindows(processId)) {
                if (match(window)) {
                    found = window;
                    return true;
                }
            }
            return false;
        },
        ms);
    return found;
}

HWND WaitForMainWindow(DWORD processId, DWORD ms) {
    return WaitForWindow(
        processId,
        [](HWND w) {
            wchar_t name[64] = {};
            GetClassNameW(w, name, 64);
            return lstrcmpW(name, L"MapwellImport") == 0 && Control(w, IdInfo) != nullptr;
        },
        ms);
}

namespace {

bool IsDialogClass(HWND w) {
    wchar_t name[64] = {};
    GetClassNameW(w, name, 64);
    return lstrcmpW(name, L"#32770") == 0;
}

bool IsColumnDialog(HWND w) {
    return IsDialogClass(w) && Control(w, IdImpText) && Control(w, IdButOk);
}

bool IsMessageBox(HWND w) {
    return IsDialogClass(w) && GetDlgItem(w, kMessageBoxTextId);
}

bool IsOpenDialog(HWND w) {
    return IsDialogClass(w) && Control(w, kOpenDialogNameBox);
}

}  // namespace

HWND WaitForColumnDialog(DWORD processId, DWORD ms) {
    return WaitForWindow(processId, IsColumnDialog, ms);
}
HWND WaitForMessageBox(DWORD processId, DWORD ms) {
    return WaitForWindow(processId, IsMessageBox, ms);
}
HWND WaitForOpenDialog(DWORD processId, DWORD ms) {
    return WaitForWindow(processId, IsOpenDialog, ms);
}

bool ColumnDialogOpen(DWORD processId) {
    for (HWND w : TopWindows(processId, L"#32770")) {
        if (IsColumnDialog(w)) {
            return true;
        }
    }
    return false;
}

HWND Control(HWND window, int id) {
    ChildSearch search{id, nullptr, nullptr, nullptr};
    EnumChildWindows(window, FindChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

HWND ControlByCaption(HWND window, const wchar_t* className, const wchar_t* caption) {
    ChildSearch search{0, className, caption, nullptr};
    EnumChildWindows(window, FindChild, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::wstring Text(HWND window) {
    DWORD_PTR length = 0;
    if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, kSendTimeoutMs,
                             &length)) {
        return {};
    }
    std::wstring text(length + 1, L'\0');
    DWORD_PTR copied = 0;
    SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()),
                        SMTO_NORMAL, kSendTimeoutMs, &copied);
    text.resize(copied);
    return text;
}

std::wstring Caption(HWND window) {
    return Text(window);
}

void TypeText(HWND edit, const std::wstring& text) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL,
                        kSendTimeoutMs, &result);
}

void TypeTextNoWait(HWND edit, const std::wstring& text) {
    // The text is set at once; the change handler may go on into a modal dialog, and the
    // driver stops waiting for it after a moment.
    DWORD_PTR result = 0;
    SendMessageTimeoutW(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), SMTO_NORMAL,
                        kNoWaitMs, &result);
}

void Click(HWND button) {
    PostMessageW(GetParent(button), WM_COMMAND,
                 MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(button)), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
}

void Choose(HWND option) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(option, BM_SETCHECK, BST_CHECKED, 0, SMTO_NORMAL, kSendTimeoutMs, &result);
    HWND parent = GetParent(option);
    // The other options of the group lose their mark, as a click by the user does.
    for (HWND sibling = GetWindow(parent, GW_CHILD); sibling;
         sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        wchar_t name[16] = {};
        GetClassNameW(sibling, name, 16);
        if (sibling != option && lstrcmpiW(name, L"Button") == 0) {
            SendMessageTimeoutW(sibling, BM_SETCHECK, BST_UNCHECKED, 0, SMTO_NORMAL, kSendTimeoutMs,
                                &result);
        }
    }
    Click(option);
}

void PickComboEntry(HWND combo, int index) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(combo, CB_SETCURSEL, static_cast<WPARAM>(index), 0, SMTO_NORMAL,
                        kSendTimeoutMs, &result);
    SendMessageTimeoutW(GetParent(combo), WM_COMMAND,
                        MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(combo)), CBN_SELCHANGE),
                        reinterpret_cast<LPARAM>(combo), SMTO_NORMAL, kSendTimeoutMs, &result);
}

void TypeIntoCombo(HWND combo, const std::wstring& text) {
    TypeText(combo, text);
    DWORD_PTR result = 0;
    SendMessageTimeoutW(GetParent(combo), WM_COMMAND,
                        MAKEWPARAM(static_cast<WORD>(GetDlgCtrlID(combo)), CBN_EDITCHANGE),
                        reinterpret_cast<LPARAM>(combo), SMTO_NORMAL, kSendTimeoutMs, &result);
}

int ComboSelection(HWND combo) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(combo, CB_GETCURSEL, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &result);
    return static_cast<int>(static_cast<LRESULT>(result));
}

std::vector<std::wstring> ComboEntries(HWND combo) {
    DWORD_PTR count = 0;
    SendMessageTimeoutW(combo, CB_GETCOUNT, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &count);
    std::vector<std::wstring> entries;
    for (DWORD_PTR i = 0; i<count&& static_cast<LRESULT>(count)> 0; ++i) {
        DWORD_PTR length = 0;
        SendMessageTimeoutW(combo, CB_GETLBTEXTLEN, i, 0, SMTO_NORMAL, kSendTimeoutMs, &length);
        std::wstring text(length + 1, L'\0');
        DWORD_PTR copied = 0;
        SendMessageTimeoutW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()),
                            SMTO_NORMAL, kSendTimeoutMs, &copied);
        text.resize(length);
        entries.push_back(text);
    }
    return entries;
}

void ScrollTo(HWND scrollBar, int position) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(GetParent(scrollBar), WM_HSCROLL,
                        MAKEWPARAM(SB_THUMBPOSITION, static_cast<WORD>(position)),
                        reinterpret_cast<LPARAM>(scrollBar), SMTO_NORMAL, kSendTimeoutMs, &result);
}

int ScrollPosition(HWND scrollBar) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(scrollBar, SBM_GETPOS, 0, 0, SMTO_NORMAL, kSendTimeoutMs, &result);
    return static_cast<int>(result);
}

std::wstring MessageBoxText(HWND box) {
    return Text(GetDlgItem(box, kMessageBoxTextId));
}

void Answer(HWND box, int button) {
    PostMessageW(box, WM_COMMAND, button, 0);
}

void ChooseInOpenDialog(HWND dialog, const std::wstring& names) {
    TypeText(Control(dialog, kOpenDialogNameBox), names);
    PostMessageW(dialog, WM_COMMAND, IDOK, 0);
}

}  // namespace mapwell::testdriver
