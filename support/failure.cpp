#include "support/failure.h"

#include <new>
#include <stdexcept>

namespace mapwell {

const wchar_t* FailureDescription(std::exception_ptr failure) noexcept {
    try {
        std::rethrow_exception(failure);
    } catch (const std::bad_alloc&) {
        return L"Out of memory";
    } catch (const std::length_error&) {
        // A text or line beyond what the program can hold.
        return L"Text too long";
    } catch (...) {
        return L"Unexpected failure";
    }
}

}  // namespace mapwell
