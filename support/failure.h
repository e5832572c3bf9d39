// What the user is told about an exception that a window or dialog procedure caught before it
// could cross the window system. Platform-neutral.
#pragma once

#include <exception>

namespace mapwell {

// A fixed English text for `failure`; it needs no memory, so it serves when memory has run out.
const wchar_t* FailureDescription(std::exception_ptr failure) noexcept;

}  // namespace mapwell
