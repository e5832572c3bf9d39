// Works Mapwell's windows from the test: finds windows and controls, types, clicks, picks and
// reads texts, answers the message box and the open dialog.
#include "testing/test_win32.h"

#include "app/window/main_layout.h"
#include "columns/import_add_layout.h"

#include <dlgs.h>

#include <algorithm>

namespace mapwell::test {

namespace {

constexpr int kMessageBoxTextId = 0xFFFF;
constexpr int kOpenDialogNameBox = cmb13;  // the file-name combo of the explorer-style dialog

// SendMessage with a bound, so that a hung window fails the test instead of freezing it.
LRESULT Send(HWND window, UINT message, WPARAM w = 0, LPARAM l = 0, DWORD ms = 10000) {
    DWORD_PTR result = 0;
    SendMessageTimeoutW(window, message, w, l, SMTO_NORMAL, ms, &result);
    return static_cast<LRESULT>(result);
}

// Tells the control's parent `code` about it, as the control itself does.
void Notify(HWND control, WORD code) {
    Send(GetParent(control), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(control), code),
         reinterpret_cast<LPARAM>(control));
}

bool ClassIs(HWND window, const wchar_t* className) {
    wchar_t name[64] = {};
    GetClassNameW(window, name, 64);
    return lstrcmpiW(name, className) == 0;
}

HWND WaitForDialog(DWORD processId, int controlId, DWORD ms) {
    return WaitForWindow(
        processId, [=](HWND w) { return ClassIs(w, L"#32770") && Control(w, controlId); }, ms);
}

}  // namespace

std::vector<HWND> TopWindows(DWORD processId, const wchar_t* className) {
    std::vector<HWND> found;
    for (HWND w = nullptr; (w = FindWindowExW(nullptr, w, className, nullptr)) != nullptr;) {
        DWORD owner = 0;
        GetWindowThreadProcessId(w, &owner);
        if (owner == processId && IsWindowVisible(w)) {
            found.push_back(w);
        }
    }
    return found;
}

HWND WaitForWindow(DWORD processId, const std::function<bool(HWND)>& match, DWORD ms) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND window : TopWindows(processId)) {
                if (match(window)) {
                    return (found = window) != nullptr;
                }
            }
            return false;
        },
        ms);
    return found;
}

HWND WaitForMainWindow(DWORD processId, DWORD ms) {
    return WaitForWindow(
        processId, [](HWND w) { return ClassIs(w, L"MapwellImport") && Control(w, IdInfo); }, ms);
}
HWND WaitForColumnDialog(DWORD processId, DWORD ms) {
    return WaitForDialog(processId, IdImpText, ms);
}
HWND WaitForMessageBox(DWORD processId, DWORD ms) {
    return WaitForDialog(processId, kMessageBoxTextId, ms);
}
HWND WaitForOpenDialog(DWORD processId, DWORD ms) {
    return WaitForDialog(processId, kOpenDialogNameBox, ms);
}
bool ColumnDialogOpen(DWORD processId) {
    return WaitForColumnDialog(processId, 0) != nullptr;
}

HWND Control(HWND window, int id) {
    for (HWND child = GetWindow(window, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
        if (HWND found = GetDlgCtrlID(child) == id ? child : Control(child, id)) {
            return found;
        }
    }
    return nullptr;
}

std::wstring Text(HWND window) {
    std::wstring text(Send(window, WM_GETTEXTLENGTH) + 1, L'\0');
    text.resize(Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data())));
    return text;
}

std::vector<std::wstring> ComboEntries(HWND combo) {
    std::vector<std::wstring> entries(
        static_cast<std::size_t>(std::max<LRESULT>(Send(combo, CB_GETCOUNT), 0)));
    for (std::size_t i = 0; i < entries.size(); ++i) {
        entries[i].resize(Send(combo, CB_GETLBTEXTLEN, i) + 1);
        entries[i].resize(
            Send(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(entries[i].data())));
    }
    return entries;
}

bool ShowsAllItsText(HWND label) {
    const std::wstring text = Text(label);
    RECT client{}, needed{};
    GetClientRect(label, &client);
    needed.right = client.right;
    HDC dc = GetDC(label);
    SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(label, WM_GETFONT, 0, 0)));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &needed,
              DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    ReleaseDC(label, dc);
    return needed.bottom <= client.bottom;
}

void TypeText(HWND edit, const std::wstring& text) {
    Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void TypeTextNoWait(HWND edit, const std::wstring& text) {
    // The text is set at once; the driver stops waiting for the change handler after a moment.
    Send(edit, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()), 200);
}

void Click(HWND button) {
    PostMessageW(GetParent(button), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                 reinterpret_cast<LPARAM>(button));
}

void Choose(HWND option) {
    for (HWND sibling = GetWindow(option, GW_HWNDFIRST); sibling;
         sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        if (ClassIs(sibling, L"Button")) {
            Send(sibling, BM_SETCHECK, sibling == option ? BST_CHECKED : BST_UNCHECKED);
        }
    }
    Click(option);
}

void PickComboEntry(HWND combo, int index) {
    Send(combo, CB_SETCURSEL, static_cast<WPARAM>(index));
    Notify(combo, CBN_SELCHANGE);
}

void TypeIntoCombo(HWND combo, const std::wstring& text) {
    TypeText(combo, text);
    Notify(combo, CBN_EDITCHANGE);
}

void ScrollTo(HWND scrollBar, int position) {
    Send(GetParent(scrollBar), WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, position),
         reinterpret_cast<LPARAM>(scrollBar));
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

}  // namespace mapwell::test
