// Everything the program knows about the navigation program link: one record and a handful of
// globals, one instance each per process, all zero, empty or false at start. Every user runs on
// the window thread, so nothing guards them. The link's window handles are Windows' own types;
// they are declared in navlink_win32.h and defined in link_record_win32.cpp.
#pragma once

#include <cstdint>
#include <string>

namespace mapwell {

// A duration of whole minutes as a time of day: minutes beyond 59 carry into hours, hours
// beyond 23 into days.
struct ClockDuration {
    std::int32_t days = 0;
    std::int32_t hours = 0;
    std::int32_t minutes = 0;
    bool operator==(const ClockDuration&) const = default;
};

struct NavLinkInfo {
    // 0: no navigation program known; 1: announced; 2, 10: informational replies; after a
    // geocoding reply its status (0 = found).
    std::uint8_t LinkState = 0;
    std::uint8_t MainVersion = 0;
    std::wstring Version;
    bool ReplyReceived = false;
    std::int32_t Duration = 0;
    ClockDuration DurationTime;
    std::int32_t Distance = 0;
    float DistanceKm = 0;
    float Longitude = 0;
    float Latitude = 0;  // 0 means no place was found
    std::wstring ReplyText;
    // Request fields of a geocoding request.
    std::wstring Country;
    std::wstring Zip;
    std::wstring City;
    std::wstring Street;
    std::wstring HouseNo;
};

extern NavLinkInfo NavLink;

// The address a geocoding request asked for, as its record carried it (blanks at the ends
// dropped); the same fields of a geocoding reply.
struct RequestedAddress {
    std::wstring Zip;
    std::wstring City;
    std::wstring Street;
    std::wstring HouseNo;
    bool operator==(const RequestedAddress&) const = default;
};

// Registered ids of "NCK_AnnounceServerToClient" and "NCK_AnnounceClientToServer"; 0 until
// registered.
extern std::uint32_t MsgServerToClient;
extern std::uint32_t MsgClientToServer;
// The navigation program's window, as the lParam of its last announcement; 0 = none.
// True from just before a command goes out until the next WM_COPYDATA reaches the main window.
// Both are held by the navigation program's owner (NavProgram, nav_program.h) and forgotten
// with its window; these are their names.
extern std::intptr_t& ServerWindow;
extern bool& AwaitingReply;
// Product class found by the last detection tick, and the window search under way.
extern std::int16_t NavProduct;
extern std::wstring FindPattern;

}  // namespace mapwell
