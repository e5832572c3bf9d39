#include "app/window/main_window_win32.h"

#include "app/window/progress_win32.h"
#include "app/window/resource.h"

#include "app/engine/batch.h"
#include "app/engine/convert_win32.h"
#include "app/engine/destination.h"
#include "app/map/map_format.h"
#include "app/map/map_window_win32.h"
#include "app/engine/events_win32.h"
#include "columns/import_add_win32.h"
#include "navlink/link_record.h"
#include "navlink/navlink_win32.h"
#include "navlink/protocol.h"
#include "support/files.h"
#include "support/program.h"
#include "support/text.h"
#include "support/controls_win32.h"
#include "support/failure.h"
#include "support/twips.h"
#include "support/window_class_win32.h"

#include <cderr.h>
#include <commctrl.h>
#include <commdlg.h>

namespace mapwell {

namespace {

constexpr wchar_t kMainClass[] = L"MapwellImport";
constexpr DWORD kMainStyle =
    WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
constexpr DWORD kOpenBufferChars = 16384;

// The description of the internal error 325, a column dialog left without a profile.
constexpr wchar_t kCancelledText[] = L"Cancelled by user";

void SetText(HWND control, const std::wstring& text) {
    SetWindowTextW(control, text.c_str());
}

void SetInfo(ImportWindow& w, const std::wstring& text) {
    SetText(w.Control(IdInfo), text);
}

bool WindowGone(const ImportWindow& w) {
    return w.window == nullptr;
}

// The error report: the step under way, the list and what went wrong.
void ShowErrorReport(ImportWindow& w, const wchar_t* failure) {
    SetInfo(w, w.StatusText + L" " + w.SourceBaseName + L" - Error: " + failure);
}

// --- Handlers, named as the design names them -------------------------------------------------

// Evaluates the source file: destination proposed, the column dialog, ready to convert.
void Datei_Auswerten(ImportWindow& w);

void ImportFileTxt_Change(ImportWindow& w) {
    w.SourceFile = WindowTextOf(w.Control(IdImportFileTxt));
    // A changed source is not evaluated yet: "Start Convert" waits for the column dialog.
    w.SourceReady = false;
    EnableWindow(w.Control(IdNowImport), FALSE);
    if (w.SourceFile.size() > 4) {
        Datei_Auswerten(w);
    }
}

void Datei_Auswerten(ImportWindow& w) {
    if (!FileExists(w.SourceFile, 0)) {
        return;
    }
    w.StatusText = L"Address converting..";
    SetInfo(w, L"open file...");
    DoEvents();
    if (WindowGone(w)) {
        return;
    }
    w.SourceBaseName = BaseNameOf(w.SourceFile);
    SetInfo(w, L"..");
    ImportExchange = w.SourceFile;

    const std::wstring destination = WindowTextOf(w.Control(IdExportFileTxt));
    if (destination.empty()) {
        SetText(w.Control(IdExportFileTxt), ProposeDestination(w.SourceFile));
    } else if (w.BatchIndex > 0) {
        SetText(w.Control(IdExportFileTxt), BatchDestination(destination, w.SourceFile));
    }

    const ImportAddResult dialog = ShowImportAdd(w.window);
    if (WindowGone(w)) {
        return;
    }
    const wchar_t* failure = !dialog.opened                          ? dialog.errorText
                             : ImportExchange == kImportAddCancelled ? kCancelledText
                                                                     : nullptr;
    if (failure) {
        w.SourceReady = false;
        ImportExchange.clear();
        ShowErrorReport(w, failure);
        DoEvents();
        return;
    }
    if (NavLink.LinkState == 0) {
        SetInfo(w, WindowTextOf(w.Control(IdInfo)) + L"\r\nPlease Start Navigon!");
    }
    w.SourceReady = true;
    w.ProfileName = ImportExchange;
    ImportExchange.clear();
    EnableWindow(w.Control(IdNowImport), TRUE);
}

void SearchFile_Click(ImportWindow& w) {
    std::wstring buffer(kOpenBufferChars, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = w.window;
    dialog.lpstrFilter = L"Addresslist (*.csv)\0*.csv\0";
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = kOpenBufferChars;
    dialog.Flags = OFN_EXPLORER | OFN_ALLOWMULTISELECT;
    if (!GetOpenFileNameW(&dialog)) {
        if (CommDlgExtendedError() == FNERR_BUFFERTOOSMALL) {
            SetText(w.Control(IdImportFileTxt), L"Please select only 50 Files at the same time.");
        }
        return;
    }
    std::vector<std::wstring> files = SplitSelection(buffer);
    if (files.size() > 1) {
        const int count = static_cast<int>(files.size()) - 1;
        w.BatchFiles = std::move(files);
        w.BatchIndex = 1;
        w.SourceFile = JoinPath(w.BatchFiles[0], w.BatchFiles[1]);
        SetText(w.Control(IdImportFileTxt), w.SourceFile);
        if (!WindowGone(w)) {
            SetText(w.window, BatchCaption(ProgramTitle, 1, count));
        }
    } else if (files.size() == 1) {
        // A single file ends a batch that is still in progress.
        if (w.BatchIndex > 0) {
            w.BatchIndex = 0;
            w.BatchFiles.clear();
            SetText(w.window, ProgramTitle);
        }
        w.SourceFile = files[0];
        SetText(w.Control(IdImportFileTxt), w.SourceFile);
    }
}

// A name chosen under one of the map file types is written in that format, so it gets the
// type's extension unless it names a map format itself.
std::wstring WithMapType(const std::wstring& chosen, DWORD filterIndex) {
    constexpr OutputFormat kMapTypes[] = {OutputFormat::Gpx, OutputFormat::Kml,
                                          OutputFormat::GeoJson};
    if (filterIndex < 4 || filterIndex > 6 || MapFormatOfPath(chosen)) {
        return chosen;
    }
    return chosen + std::wstring(MapExtension(kMapTypes[filterIndex - 4]));
}

void SetFile_Click(ImportWindow& w) {
    std::wstring buffer(MAX_PATH * 4, L'\0');
    OPENFILENAMEW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = w.window;
    dialog.lpstrFilter = L"POI-Format (*.asc)\0*.asc\0CSV-Format (*.csv)\0*.csv\0"
                         L"Other format (*.txt)\0*.txt\0"
                         L"GPX waypoints (*.gpx)\0*.gpx\0KML placemarks (*.kml)\0*.kml\0"
                         L"GeoJSON (*.geojson)\0*.geojson\0";
    dialog.lpstrFile = buffer.data();
    dialog.nMaxFile = static_cast<DWORD>(buffer.size());
    if (GetSaveFileNameW(&dialog) && buffer[0] != L'\0') {
        SetText(w.Control(IdExportFileTxt), WithMapType(buffer.c_str(), dialog.nFilterIndex));
    }
}

void ChooseFormat(ImportWindow& w, const wchar_t* extension) {
    const std::wstring destination = WindowTextOf(w.Control(IdExportFileTxt));
    if (!destination.empty()) {
        SetText(w.Control(IdExportFileTxt), WithExtension(destination, extension));
    }
}

void Option1_Click(ImportWindow& w) {
    ChooseFormat(w, L".asc");
    SetText(w.Control(IdTxtSep), L".");
}
void Option2_Click(ImportWindow& w) {
    ChooseFormat(w, L".csv");
}
void Option3_Click(ImportWindow& w) {
    ChooseFormat(w, L".txt");
}

void SetBusy(ImportWindow& w, bool busy) {
    w.Converting = busy;
    EnableWindow(w.Control(IdSearchFile), !busy);
    // An edit of the source box would start a new evaluation in the middle of the run.
    EnableWindow(w.Control(IdImportFileTxt), !busy);
    SetCursor(LoadCursorW(nullptr, busy ? IDC_WAIT : IDC_ARROW));
}

// Marks `run` as the window's conversion under way, with the window busy; when the run ends,
// also by a failure, the buttons come back.
class RunUnderWay {
public:
    RunUnderWay(ImportWindow& w, ConvertWin32& run) : w_(w) {
        SetBusy(w_, true);
        EnableWindow(w_.Control(IdNowImport), FALSE);
        w_.Running = &run;
    }
    ~RunUnderWay() {
        w_.Running = nullptr;
        EnableWindow(w_.Control(IdNowImport), TRUE);
        SetBusy(w_, false);
    }
    RunUnderWay(const RunUnderWay&) = delete;
    RunUnderWay& operator=(const RunUnderWay&) = delete;

private:
    ImportWindow& w_;
};

void ImportPOI(ImportWindow& w) {
    if (NavLink.LinkState == 0 && w.SourceReady) {
        SendNavCommand(kCommandAnnounce);
        if (NavLink.LinkState == 0) {
            SetInfo(w, L"Please start Navigon NCK5 or NavigatoR to convert Addresslist.");
            if (MessageBoxW(w.window, L"Will you convert the data by Internet?",
                            L"No Navigon found", MB_YESNO) != IDYES) {
                return;
            }
            if (WindowGone(w)) {
                return;
            }
        }
    }
    ConvertWin32 surroundings(ConversionControls(w), w.FinishWebRoute);
    ConvertSource(w, surroundings);
}

void NowImport_Click(ImportWindow& w) {
    if (w.Converting) {
        return;
    }
    if (WindowTextOf(w.Control(IdExportFileTxt)).empty()) {
        SetInfo(w, L"Please set destination");
        return;
    }
    if (!w.SourceReady) {
        SetInfo(w, L"Please select source-file.");
        return;
    }
    ImportPOI(w);
    if (w.ExitRequested) {
        DestroyWindow(w.window);
        return;
    }
    if (WindowGone(w) || w.BatchIndex <= 0) {
        return;
    }
    const int count = static_cast<int>(w.BatchFiles.size()) - 1;
    if (w.BatchIndex != count) {
        ++w.BatchIndex;
        w.SourceFile =
            JoinPath(w.BatchFiles[0], w.BatchFiles[static_cast<std::size_t>(w.BatchIndex)]);
        SetText(w.Control(IdImportFileTxt), w.SourceFile);
        if (!WindowGone(w)) {
            SetText(w.window, BatchCaption(ProgramTitle, w.BatchIndex, count));
        }
    } else {
        w.BatchIndex = 0;
    }
}

void ShowMap_Click(ImportWindow& w) {
    ShowMapWindow(w.window, LastResultMap(w), FileNameOf(w.MapResult));
}

void Command2_Click(ImportWindow& w) {
    if (w.Converting) {
        // The run ends at its next step with what it converted on disk; the window goes when
        // it has returned.
        w.ExitRequested = true;
        if (w.Running) {
            w.Running->RequestStop();
        }
        return;
    }
    DestroyWindow(w.window);
}

// A failure that would have left a handler. A run it ended has closed its files and given the
// buttons back on its way out; the window says what went wrong and goes on, or ends when "Exit"
// came meanwhile.
void Form_Failure(ImportWindow& w, const wchar_t* description) noexcept {
    try {
        ShowErrorReport(w, description);
    } catch (...) {
        SetWindowTextW(w.Control(IdInfo), description);
    }
    if (w.ExitRequested && !w.Converting && !WindowGone(w)) {
        DestroyWindow(w.window);
    }
}

void Form_Load(ImportWindow& w) {
    ProgramTitle = L"Mapwell";
    // Hooks the window for the navigation program's messages, sets ReplyReceived and starts
    // the 500 ms NavTimer.
    StartNavLink(w.window);
    SetInfo(w, L"Please select source-file.");
}

// --- Window procedure ---------------------------------------------------------------------------

struct Sink : ControlSink {
    ImportWindow& w;
    explicit Sink(ImportWindow& window) : w(window) {}
    void Created(int id, HWND control) override {
        w.controls[static_cast<std::size_t>(id - IdFrame1)] = control;
    }
    HWND Container(int id) override { return w.Control(id); }
};

void Form_Initialize(ImportWindow& w) {
    const int dpi = WindowDpi(w.window);
    w.font = CreateDialogFont(dpi);
    const INITCOMMONCONTROLSEX progressBar{sizeof progressBar, ICC_PROGRESS_CLASS};
    InitCommonControlsEx(&progressBar);
    Sink sink(w);
    CreateControls(w.window, MainControls(), dpi, w.font, sink);
    CheckRadioButton(w.Control(IdPicture3), IdOption1, IdOption3, IdOption3);
    EnableWindow(w.Control(IdShowMap), FALSE);
}

// One line per control: the handler's designed name, and what the control is.
void OnCommand(ImportWindow& w, int id, int code) {
    if (id == IdImportFileTxt && code == EN_CHANGE) {
        ImportFileTxt_Change(w);  // source path typed: Datei_Auswerten, the column dialog
        return;
    }
    if (code != BN_CLICKED) {
        return;
    }
    switch (id) {
    case IdSearchFile: SearchFile_Click(w); break;  // "Select Source...": the open dialog
    case IdSetFile: SetFile_Click(w); break;        // "Set Destination...": the save dialog
    case IdOption1: Option1_Click(w); break;        // ASC output, for import as POI
    case IdOption2: Option2_Click(w); break;        // CSV output
    case IdOption3: Option3_Click(w); break;        // source lines with coordinates appended
    case IdNowImport: NowImport_Click(w); break;    // "Start Convert"
    case IdCommand2: Command2_Click(w); break;      // "Exit", also a stop during a run
    case IdShowMap: ShowMap_Click(w); break;        // "Show Map"
    default: break;
    }
}

LRESULT OnMessage(ImportWindow& w, HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE: Form_Initialize(w); return 0;
    case WM_COMMAND: OnCommand(w, LOWORD(wParam), HIWORD(wParam)); return 0;
    case WM_SETCURSOR:
        if (w.Converting) {
            SetCursor(LoadCursorW(nullptr, IDC_WAIT));
            return TRUE;
        }
        break;
    case WM_CLOSE: Command2_Click(w); return 0;  // the close box acts as "Exit"
    case WM_QUERYENDSESSION:
        // The session ends: a run stops after the line under way, its lines whole on disk.
        if (w.Converting) {
            Command2_Click(w);
        }
        return TRUE;
    case WM_DESTROY: PostQuitMessage(0); return 0;
    case WM_NCDESTROY:
        DeleteObject(w.font);
        w.window = nullptr;
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        break;
    default: break;
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT CALLBACK ImportProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* w = reinterpret_cast<ImportWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
    if (message == WM_NCCREATE) {
        w = static_cast<ImportWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
        w->window = window;
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(w));
    }
    if (!w) {
        return DefWindowProcW(window, message, wParam, lParam);
    }
    // No exception may cross the window system, and the whole conversion runs inside the click
    // on "Start Convert".
    try {
        return OnMessage(*w, window, message, wParam, lParam);
    } catch (...) {
        Form_Failure(*w, FailureDescription(std::current_exception()));
        return message == WM_CREATE ? -1 : 0;
    }
}

}  // namespace

ConvertControls ConversionControls(const ImportWindow& w) {
    return {w.window,
            w.Control(IdExportFileTxt),
            w.Control(IdTxtSep),
            w.Control(IdOption1),
            w.Control(IdOption2),
            w.Control(IdOption3),
            w.Control(IdInfo)};
}

namespace {

// Keeps what a run converted for "Show Map", however the run ends; the button is usable once
// the run has written a result file.
class MapOfRun {
public:
    MapOfRun(ImportWindow& w, ConvertWin32& run) : w_(w), run_(run) {}
    ~MapOfRun() {
        try {
            w_.MapPoints = std::move(run_.Points());
            w_.MapResult = run_.FullPath(run_.Destination());
            EnableWindow(w_.Control(IdShowMap), FileExists(w_.MapResult, 1));
        } catch (...) {
            // Out of memory: the button stays as it was.
        }
    }
    MapOfRun(const MapOfRun&) = delete;
    MapOfRun& operator=(const MapOfRun&) = delete;

private:
    ImportWindow& w_;
    ConvertWin32& run_;
};

}  // namespace

MapScene LastResultMap(const ImportWindow& w) {
    return MapScene(w.MapPoints, ReadFailedLines(ErrorListBeside(w.MapResult)));
}

RunOutcome ConvertSource(ImportWindow& w, ConvertWin32& surroundings) {
    const RunUnderWay run(w, surroundings);
    const MapOfRun map(w, surroundings);
    const WindowProgress progress(surroundings, w.window, w.Control(IdProgress),
                                  w.Control(IdProgressText));
    SetInfo(w, w.StatusText);
    // A failure leaves by exception: the run's files close on the way out, and what it wrote
    // so far stays.
    MapFileWriter mapFile;
    RunRoles roles = surroundings.Roles();
    roles.mapFile = &mapFile;
    return OpenAddList(w.SourceFile, w.ProfileName, roles);
}

HWND CreateImportWindow(HINSTANCE instance, ImportWindow& state, int show) {
    // The program's icon; a test that builds the window in its own process has none.
    HICON icon = LoadIconW(instance, MAKEINTRESOURCEW(IDI_MAPWELL));
    RegisterWindowClass(instance,
                        {kMainClass, ImportProc, reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1),
                         icon ? icon : LoadIconW(nullptr, IDI_APPLICATION)});

    const int dpi = WindowDpi(nullptr);
    RECT frame{0, 0, TwipsToPixels(kMainClientWidth, dpi), TwipsToPixels(kMainClientHeight, dpi)};
    AdjustWindowRectEx(&frame, kMainStyle, FALSE, WS_EX_CONTROLPARENT);
    HWND window = CreateWindowExW(WS_EX_CONTROLPARENT, kMainClass, L"Mapwell", kMainStyle,
                                  CW_USEDEFAULT, CW_USEDEFAULT, frame.right - frame.left,
                                  frame.bottom - frame.top, nullptr, nullptr, instance, &state);
    if (!window) {
        return nullptr;
    }
    Form_Load(state);
    ShowWindow(window, show);
    UpdateWindow(window);
    SetFocus(state.Control(IdImportFileTxt));
    return window;
}

}  // namespace mapwell
