// The column assignment dialog: first-line analysis on load, the preview of one line under the
// current choices, loading a stored profile whenever the profile name changes, saving it on OK.
#include "columns/import_add_win32.h"

#include "columns/column_profile.h"
#include "columns/profile_store_win32.h"
#include "columns/first_line.h"
#include "support/encoding/line_reader.h"
#include "support/controls_win32.h"
#include "support/failure.h"
#include "support/program.h"
#include "support/text.h"
#include "support/twips.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace mapwell {

namespace {

constexpr int kScrollMin = 1;
constexpr int kScrollMax = 20;
constexpr int kScrollLargeStep = 5;
constexpr COLORREF kRed = RGB(255, 0, 0);
constexpr wchar_t kWrongFormat[] = L"Wrong file format or separator";
constexpr wchar_t kFileNotFound[] = L"File not found";

struct ImportAddDialog {
    HWND dialog = nullptr;
    HFONT font = nullptr;
    std::wstring source;
    std::wstring ImpSep = L",";
    ColumnChoices choices{-1, -1, -1, -1, -1, -1, -1, -1};
    PreviewTexts shown;
    bool streetRed = false;
    bool cityRed = false;
    ImportAddResult result;

    HWND Item(int id) const { return GetDlgItem(dialog, id); }
};

int ScrollValue(const ImportAddDialog& d) {
    return GetScrollPos(d.Item(IdHScroll1), SB_CTL);
}

void ShowAdd(ImportAddDialog& d, int Zeile) {
    const auto lines = ReadListHead(d.source, std::max(Zeile, 1), kDialogLineLimit, {d.ImpSep});
    const std::wstring line = lines ? PreviewLine(*lines, Zeile) : std::wstring();
    const Preview preview = ComputePreview(line, d.ImpSep, d.choices, d.shown);
    const std::pair<int, const std::wstring*> boxes[] = {
        {IdTName, &preview.texts.name}, {IdTStr, &preview.texts.street},
        {IdTPLZ, &preview.texts.zip},   {IdTCity, &preview.texts.city},
        {IdTLand, &preview.texts.land}, {IdTText, &preview.texts.text}};
    for (const auto& [id, text] : boxes) {
        SetWindowTextW(d.Item(id), text->c_str());
    }
    d.shown = preview.texts;
    if (d.streetRed != preview.streetMissing || d.cityRed != preview.cityMissing) {
        d.streetRed = preview.streetMissing;
        d.cityRed = preview.cityMissing;
        InvalidateRect(d.Item(IdLabStr), nullptr, TRUE);
        InvalidateRect(d.Item(IdLabCity), nullptr, TRUE);
    }
    if (!lines) {
        SetWindowTextW(d.dialog, kFileNotFound);
    } else if (preview.failed) {
        SetWindowTextW(d.dialog, kPreviewErrorText);
    }
    EnableWindow(d.Item(IdButOk), preview.okEnabled);
}

void SelectColumn(ImportAddDialog& d, int box, int column) {
    d.choices[box] = column;
    SendMessageW(d.Item(kComboIds[box]), CB_SETCURSEL, static_cast<WPARAM>(column), 0);
}

void ReadRegistry(ImportAddDialog& d) {
    RegistryProfileStore store;
    const auto entries = static_cast<int>(SendMessageW(d.Item(IdComboN1), CB_GETCOUNT, 0, 0));
    const std::optional<DialogProfile> profile =
        LoadProfileForDialog(store, WindowTextOf(d.Item(IdImpText)), entries);
    if (!profile) {
        return;
    }
    bool selected = false;
    for (int box = 0; box < kColumnBoxCount; ++box) {
        // A stored index that does not fit this list leaves the box as it is.
        if (const std::optional<int> column = profile->Selections[box]) {
            SelectColumn(d, box, *column);
            selected = true;
        }
    }
    d.ImpSep = profile->Separator;
    if (selected) {
        ShowAdd(d, ScrollValue(d));
    }
}

void Form_Load(ImportAddDialog& d) {
    SetWindowTextW(d.dialog, d.source.c_str());
    const auto lines = ReadListHead(d.source, 1, kDialogLineLimit, kListSeparators);
    if (!lines) {
        d.result = {false, kFileNotFound};
        EndDialog(d.dialog, IDABORT);
        return;
    }
    HWND scroll = d.Item(IdHScroll1);
    SetScrollRange(scroll, SB_CTL, kScrollMin, kScrollMax, FALSE);
    SetScrollPos(scroll, SB_CTL, 2, TRUE);

    const FirstLineAnalysis analysis = AnalyseFirstLine(PreviewLine(*lines, 1));
    d.ImpSep = analysis.separator;
    if (!analysis.usable) {
        SetWindowTextW(d.Item(IdImpText), kWrongFormat);
        EnableWindow(d.Item(IdButOk), FALSE);
        return;
    }
    SetWindowTextW(d.Item(IdLabColumns), OfferedColumnsNote(analysis).c_str());
    for (const std::wstring& field : analysis.fields) {
        for (int id : kComboIds) {
            SendMessageW(d.Item(id), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(field.c_str()));
        }
    }
    for (int box = 0; box < kColumnBoxCount; ++box) {
        if (analysis.preselected[box] >= 0) {
            SelectColumn(d, box, analysis.preselected[box]);
        }
    }
    SetScrollPos(scroll, SB_CTL, analysis.scrollStart, TRUE);
    ShowAdd(d, ScrollValue(d));
    // Fires ImpText_Change, which loads a stored profile of this name over the pre-selection.
    SetWindowTextW(d.Item(IdImpText), BaseNameOf(d.source).c_str());
}

void ButOk_Click(ImportAddDialog& d) {
    if (!IsWindowEnabled(d.Item(IdButOk))) {
        return;
    }
    const std::wstring name = WindowTextOf(d.Item(IdImpText));
    RegistryProfileStore store;
    SaveProfile(store, name, d.choices, d.ImpSep);
    ImportExchange = name;
    EndDialog(d.dialog, IDOK);
}

// Cancel, Escape and the window frame's close all hand back "Exit".
void ButExit_Click(ImportAddDialog& d) {
    ImportExchange = kImportAddCancelled;
    EndDialog(d.dialog, IDCANCEL);
}

void HScroll1_Change(ImportAddDialog& d, int request, int thumb) {
    const int old = ScrollValue(d);
    int value = old;
    switch (request) {
    case SB_LINELEFT: value -= 1; break;
    case SB_LINERIGHT: value += 1; break;
    case SB_PAGELEFT: value -= kScrollLargeStep; break;
    case SB_PAGERIGHT: value += kScrollLargeStep; break;
    case SB_LEFT: value = kScrollMin; break;
    case SB_RIGHT: value = kScrollMax; break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION: value = thumb; break;
    default: return;
    }
    value = value < kScrollMin ? kScrollMin : value > kScrollMax ? kScrollMax : value;
    if (value != old) {
        SetScrollPos(d.Item(IdHScroll1), SB_CTL, value, TRUE);
        ShowAdd(d, value);
    }
}

// A choice box changed: by a pick from its list, or by typing, which keeps a selection only
// while the text names an entry exactly.
void Combo_Change(ImportAddDialog& d, int box, bool typed) {
    HWND combo = d.Item(kComboIds[box]);
    if (typed) {
        const std::wstring text = WindowTextOf(combo);
        const auto found = SendMessageW(combo, CB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                        reinterpret_cast<LPARAM>(text.c_str()));
        d.choices[box] = found == CB_ERR ? -1 : static_cast<int>(found);
    } else {
        d.choices[box] = static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0));
    }
    ShowAdd(d, ScrollValue(d));
}

void OnCommand(ImportAddDialog& d, int id, int code) {
    for (int box = 0; box < kColumnBoxCount; ++box) {
        if (id == kComboIds[box] && (code == CBN_SELCHANGE || code == CBN_EDITCHANGE)) {
            Combo_Change(d, box, code == CBN_EDITCHANGE);
            return;
        }
    }
    switch (id) {
    case IdImpText:
        if (code == EN_CHANGE)
            ReadRegistry(d);
        break;
    case IdButOk:
        if (code == BN_CLICKED)
            ButOk_Click(d);
        break;
    case IdButExit:
    case IDCANCEL: ButExit_Click(d); break;
    default: break;
    }
}

// The two required headings are drawn red while their field has no column.
INT_PTR OnColorStatic(ImportAddDialog& d, HDC dc, HWND control) {
    const bool red =
        (control == d.Item(IdLabStr) && d.streetRed) || (control == d.Item(IdLabCity) && d.cityRed);
    if (!red) {
        return FALSE;
    }
    SetTextColor(dc, kRed);
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<INT_PTR>(GetSysColorBrush(COLOR_BTNFACE));
}

struct Sink : ControlSink {
    void Created(int, HWND) override {}
    HWND Container(int) override { return nullptr; }
};

void Form_Initialize(ImportAddDialog& d) {
    const int dpi = WindowDpi(d.dialog);
    d.font = CreateDialogFont(dpi);
    Sink sink;
    CreateControls(d.dialog, ImportAddControls(), dpi, d.font, sink);
    RECT frame{0, 0, TwipsToPixels(kImportAddClientWidth, dpi),
               TwipsToPixels(kImportAddClientHeight, dpi)};
    AdjustWindowRectEx(&frame, static_cast<DWORD>(GetWindowLongPtrW(d.dialog, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongPtrW(d.dialog, GWL_EXSTYLE)));
    RECT owner{};
    GetWindowRect(GetParent(d.dialog) ? GetParent(d.dialog) : GetDesktopWindow(), &owner);
    SetWindowPos(d.dialog, nullptr, owner.left + 20, owner.top + 20, frame.right - frame.left,
                 frame.bottom - frame.top, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(d.dialog, DM_SETDEFID, IdButOk, 0);
}

INT_PTR OnMessage(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* d = reinterpret_cast<ImportAddDialog*>(GetWindowLongPtrW(dialog, DWLP_USER));
    if (message == WM_INITDIALOG) {
        d = reinterpret_cast<ImportAddDialog*>(lParam);
        d->dialog = dialog;
        SetWindowLongPtrW(dialog, DWLP_USER, lParam);
        Form_Initialize(*d);
        Form_Load(*d);
        SetFocus(d->Item(IdImpText));
        return FALSE;
    }
    if (!d) {
        return FALSE;
    }
    switch (message) {
    case WM_COMMAND: OnCommand(*d, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    case WM_HSCROLL: HScroll1_Change(*d, LOWORD(wParam), HIWORD(wParam)); return TRUE;
    case WM_CTLCOLORSTATIC:
        return OnColorStatic(*d, reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_CLOSE: ButExit_Click(*d); return TRUE;
    default: return FALSE;
    }
}

INT_PTR CALLBACK ImportAddProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        return OnMessage(dialog, message, wParam, lParam);
    } catch (...) {
        // Nothing may cross the window system: the dialog ends like one whose list could not
        // be read, and the main window reports why.
        if (auto* d = reinterpret_cast<ImportAddDialog*>(GetWindowLongPtrW(dialog, DWLP_USER))) {
            d->result = {false, FailureDescription(std::current_exception())};
        }
        EndDialog(dialog, IDABORT);
        return TRUE;
    }
}

}  // namespace

ImportAddResult ShowImportAdd(HWND owner) {
    ImportAddDialog d;
    d.source = ImportExchange;
    // The controls come from the twips table when the dialog starts.
    const std::vector<WORD> dialogTemplate =
        EmptyDialogTemplate({DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU,
                             WS_EX_CONTROLPARENT, 300, 200});
    const auto instance = reinterpret_cast<HINSTANCE>(GetModuleHandleW(nullptr));
    const INT_PTR answer = DialogBoxIndirectParamW(
        instance, reinterpret_cast<const DLGTEMPLATE*>(dialogTemplate.data()), owner, ImportAddProc,
        reinterpret_cast<LPARAM>(&d));
    if (d.font) {
        DeleteObject(d.font);
    }
    if (answer == -1) {
        d.result = {false, L"The column dialog could not be shown"};
    }
    return d.result;
}

}  // namespace mapwell
