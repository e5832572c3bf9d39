// NavServer.exe, a stand-in navigation program for testing the link: a visible top-level window
// whose title names the product, the announcement handshake, and answers to geocoding requests
// from a gazetteer file (see gazetteer_file.h and place_matcher.h). Options (see stand_in.h) make
// it answer late, twice, never, or with other statuses, so that tests can meet the behaviours of a
// real one.
#include "navserver/credit_win32.h"
#include "navserver/gazetteer_open.h"
#include "navserver/place_matcher.h"
#include "navserver/stand_in.h"

#include "navlink/protocol.h"
#include "support/byte_file.h"
#include "support/encoding/codepage.h"
#include "support/text.h"
#include "support/window_class_win32.h"

#include <windows.h>
#include <shellapi.h>

#include <algorithm>
#include <cstdio>
#include <deque>
#include <filesystem>

namespace mapwell {
namespace {

constexpr wchar_t kWindowClass[] = L"MapwellNavServer";
constexpr UINT kSendTimeoutMs = 5000;
constexpr UINT_PTR kDelayTimerId = 1;
constexpr UINT_PTR kSerialTimerId = 2;
// Made by the build from sample_places.txt; tests name it with --gazetteer.
constexpr wchar_t kSampleGazetteer[] = L"sample-gazetteer.dat";

struct PendingReply {
    HWND client;
    RawReply reply;
};

struct Server {
    StandInOptions options;
    std::optional<GazetteerFile> gazetteer;
    std::optional<PlaceMatcher> matcher;
    std::optional<PlaceMatch> damaged;  // the answer to every request when the file is damaged
    std::wstring damageNotice;
    UINT serverToClient = 0;
    UINT clientToServer = 0;
    UINT release = 0;  // a test's word: send the answers held for the delay now
    int requests = 0;
    std::deque<PendingReply> pending;  // answers waiting for the delay timer
    std::optional<PendingReply> held;  // the answer held until the next request (--hold-every)
    // Answers going out one at a time (--serial), with the tick at which each is due.
    std::deque<std::pair<PendingReply, ULONGLONG>> serial;
    ULONGLONG lastSerialDue = 0;
};

Server server;

void Log(const std::string& line) {
    if (server.options.logFile.empty()) {
        return;
    }
    // Opened for every line, so that a test can read the log while the program runs.
    if (FILE* file = _wfopen(server.options.logFile.c_str(), L"ab")) {
        std::fputs((line + "\r\n").c_str(), file);
        std::fclose(file);
    }
}

void SendReply(HWND self, const PendingReply& answer) {
    COPYDATASTRUCT data{};
    data.dwData = answer.reply.type;
    data.cbData = static_cast<DWORD>(answer.reply.bytes.size());
    data.lpData =
        answer.reply.bytes.empty() ? nullptr : const_cast<std::uint8_t*>(answer.reply.bytes.data());
    DWORD_PTR result = 0;
    SendMessageTimeoutW(answer.client, WM_COPYDATA, reinterpret_cast<WPARAM>(self),
                        reinterpret_cast<LPARAM>(&data), SMTO_NORMAL, kSendTimeoutMs, &result);
}

// Arms the timer of the answers that go out one at a time for the first of them.
void ArmSerialTimer(HWND self) {
    if (server.serial.empty()) {
        KillTimer(self, kSerialTimerId);
        return;
    }
    const ULONGLONG now = GetTickCount64();
    const ULONGLONG due = server.serial.front().second;
    SetTimer(self, kSerialTimerId, due > now ? static_cast<UINT>(due - now) : USER_TIMER_MINIMUM,
             nullptr);
}

void OnSerialTimer(HWND self) {
    while (!server.serial.empty() && server.serial.front().second <= GetTickCount64()) {
        const PendingReply answer = std::move(server.serial.front().first);
        server.serial.pop_front();
        SendReply(self, answer);
    }
    ArmSerialTimer(self);
}

// Answers now, from inside the handling of the command, or later from the delay timer. Answers
// go out in the order asked: one that is not delayed waits behind those still pending.
void Answer(HWND self, HWND client, RawReply reply, bool delayed) {
    if (server.options.serialMs > 0) {
        const bool slow = server.requests == server.options.slowRequest;
        const ULONGLONG start = std::max(GetTickCount64(), server.lastSerialDue);
        server.lastSerialDue =
            start + static_cast<ULONGLONG>(slow ? server.options.slowMs : server.options.serialMs);
        server.serial.emplace_back(PendingReply{client, std::move(reply)}, server.lastSerialDue);
        ArmSerialTimer(self);
    } else if (delayed && server.options.delayMs > 0) {
        server.pending.push_back({client, std::move(reply)});
        SetTimer(self, kDelayTimerId, static_cast<UINT>(server.options.delayMs), nullptr);
    } else if (!server.pending.empty()) {
        server.pending.push_back({client, std::move(reply)});
    } else {
        SendReply(self, {client, std::move(reply)});
    }
}

// Reply 6 for a request, with the coordinate bytes of --place-bytes while they last.
RawReply PlaceReply(const GeocodeRequest& request) {
    const PlaceMatch match =
        server.damaged ? *server.damaged
                       : server.matcher->Match(request.country, request.zip, request.city);
    RawReply reply{6,
                   BuildPlaceReply(request, match, server.options.status,
                                   server.options.replyAddress.value_or(ReplyAddress::PlaceFound))};
    const auto turn = static_cast<std::size_t>(server.requests - 1);
    if (turn < server.options.placeBytes.size()) {
        const auto& bytes = server.options.placeBytes[turn];
        std::copy(bytes.begin(), bytes.end(), reply.bytes.begin() + offsets::kLatitude);
    }
    return reply;
}

void OnCommand(HWND self, HWND client, const COPYDATASTRUCT& data) {
    const auto* bytes = static_cast<const std::uint8_t*>(data.lpData);
    Log(CommandLogLine(data.dwData, reinterpret_cast<std::uintptr_t>(client), bytes, data.cbData));
    if (data.dwData == 1 && server.options.infoReply) {
        Answer(self, client, *server.options.infoReply, true);
        return;
    }
    if (data.dwData != 5) {
        return;
    }
    ++server.requests;
    if (server.options.stallMs > 0 && server.requests >= server.options.stallFrom) {
        Sleep(static_cast<DWORD>(server.options.stallMs));
    }
    if (server.held) {
        // The request held until this one arrived is answered first.
        const PendingReply held = std::move(*server.held);
        server.held.reset();
        SendReply(self, held);
    }
    const int holdEvery = server.options.holdEvery;
    if (holdEvery > 0 && server.requests % holdEvery == 1 % holdEvery) {
        RawReply reply = PlaceReply(ReadRequest(bytes, data.cbData));
        KeepCityAndPostcodeOnly(reply.bytes);
        server.held = PendingReply{client, std::move(reply)};
        return;
    }
    const bool dropped =
        server.options.dropEvery > 0 && server.requests % server.options.dropEvery == 0;
    if (!server.options.neverAnswer && !dropped) {
        const bool delayed = server.requests % server.options.delayEvery == 0;
        Answer(self, client, PlaceReply(ReadRequest(bytes, data.cbData)), delayed);
        if (server.options.answerTwice) {
            Answer(self, client, {6, BuildSecondReply()}, delayed);
        }
    }
    if (server.options.closeAfter > 0 && server.requests >= server.options.closeAfter) {
        PostMessageW(self, WM_CLOSE, 0, 0);
    }
}

void OnClientAnnounce(HWND self, LPARAM client) {
    Log(AnnounceLogLine(static_cast<std::uintptr_t>(client)));
    if (client == 0) {
        return;
    }
    const LPARAM own = server.options.announceZero ? 0 : reinterpret_cast<LPARAM>(self);
    PostMessageW(reinterpret_cast<HWND>(client), server.serverToClient, 0, own);
}

void OnDelayTimer(HWND self) {
    KillTimer(self, kDelayTimerId);
    // Taken out first: sending lets other messages in, which may queue further answers.
    std::deque<PendingReply> due;
    due.swap(server.pending);
    for (const PendingReply& answer : due) {
        SendReply(self, answer);
    }
}

LRESULT CALLBACK ServerWindowProc(HWND self, UINT message, WPARAM wParam, LPARAM lParam) {
    try {
        if (message == server.clientToServer && message != 0) {
            OnClientAnnounce(self, lParam);
            return 0;
        }
        if (message == server.release && message != 0) {
            OnDelayTimer(self);
            return 0;
        }
        switch (message) {
        case WM_COPYDATA:
            if (lParam != 0) {
                OnCommand(self, reinterpret_cast<HWND>(wParam),
                          *reinterpret_cast<const COPYDATASTRUCT*>(lParam));
            }
            return TRUE;
        case WM_TIMER:
            if (wParam == kDelayTimerId) {
                OnDelayTimer(self);
            } else if (wParam == kSerialTimerId) {
                OnSerialTimer(self);
            }
            return 0;
        case WM_DESTROY: PostQuitMessage(0); return 0;
        default: break;
        }
    } catch (...) {
        // Nothing may leave a window procedure; the message counts as handled.
        return 0;
    }
    return DefWindowProcW(self, message, wParam, lParam);
}

std::vector<std::wstring> Arguments() {
    int count = 0;
    LPWSTR* list = CommandLineToArgvW(GetCommandLineW(), &count);
    std::vector<std::wstring> args;
    for (int i = 1; list != nullptr && i < count; ++i) {
        args.emplace_back(list[i]);
    }
    LocalFree(list);
    return args;
}

// The gazetteer beside the program; the sample gazetteer there when a build had no place data to
// make the whole one from.
std::wstring DefaultGazetteer() {
    wchar_t path[MAX_PATH];
    const DWORD length = GetModuleFileNameW(nullptr, path, MAX_PATH);
    const std::wstring folder = FolderOf(std::wstring_view(path, length));
    const std::wstring whole = folder + L"gazetteer.dat", sample = folder + kSampleGazetteer;
    const bool onlySample = GetFileAttributesW(whole.c_str()) == INVALID_FILE_ATTRIBUTES &&
                            GetFileAttributesW(sample.c_str()) != INVALID_FILE_ATTRIBUTES;
    return onlySample ? sample : whole;
}

// The gazetteer file, or a damaged one, named on the standard error.
void LoadGazetteer(const std::wstring& path) {
    OpenedGazetteer opened = OpenGazetteer(path, ReadFileBytes(std::filesystem::path(path)));
    server.gazetteer = std::move(opened.compact);
    server.damaged = std::move(opened.damaged);
    server.damageNotice = std::move(opened.notice);
    if (server.gazetteer) {
        server.matcher.emplace(*server.gazetteer);
    }
    if (!server.damageNotice.empty()) {
        const std::string line = WideToAnsi(server.damageNotice) + "\r\n";
        DWORD written = 0;
        WriteFile(GetStdHandle(STD_ERROR_HANDLE), line.data(), static_cast<DWORD>(line.size()),
                  &written, nullptr);
    }
}

std::wstring CreditText() {
    if (server.damaged) {
        return server.damageNotice;
    }
    return std::to_wstring(server.gazetteer->PlaceCount()) + L" places.\r\n" +
           AnsiToWide(server.gazetteer->Credit());
}

}  // namespace
}  // namespace mapwell

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
    using namespace mapwell;
    server.options = ParseStandInOptions(Arguments());
    if (!server.options.error.empty()) {
        MessageBoxW(nullptr, server.options.error.c_str(), L"NavServer", MB_OK | MB_ICONERROR);
        return 2;
    }
    const std::wstring gazetteer =
        server.options.gazetteer.empty() ? DefaultGazetteer() : server.options.gazetteer;
    LoadGazetteer(gazetteer);
    server.serverToClient = RegisterWindowMessageW(kAnnounceServerToClientName);
    server.clientToServer = RegisterWindowMessageW(kAnnounceClientToServerName);
    server.release = RegisterWindowMessageW(kReleaseHeldAnswersMessage);

    RegisterWindowClass(
        instance, {kWindowClass, ServerWindowProc, reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1)});
    HWND window = CreateWindowExW(0, kWindowClass, server.options.title.c_str(),
                                  WS_OVERLAPPEDWINDOW, CW_USEDEFAULT, CW_USEDEFAULT, 480, 160,
                                  nullptr, nullptr, instance, nullptr);
    if (window == nullptr) {
        return 1;
    }
    ShowGazetteerCredit(window, CreditText());
    ShowWindow(window, show == SW_HIDE ? SW_SHOWNORMAL : show);
    for (int i = 0; i < server.options.extraWindows; ++i) {
        CreateWindowExW(0, L"STATIC", (L"Other window " + std::to_wstring(i + 1)).c_str(),
                        WS_OVERLAPPEDWINDOW | WS_VISIBLE, 0, 0, 200, 100, nullptr, nullptr,
                        instance, nullptr);
    }

    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return 0;
}
