#include "support/failure.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace mapwell {
namespace {

TEST(FailureDescription, NamesWhatWentWrongInAFixedText) {
    const std::pair<std::exception_ptr, const wchar_t*> cases[] = {
        {std::make_exception_ptr(std::bad_alloc()), L"Out of memory"},
        {std::make_exception_ptr(std::length_error("basic_string::_M_create")), L"Text too long"},
        {std::make_exception_ptr(std::runtime_error("x")), L"Unexpected failure"},
        {std::make_exception_ptr(42), L"Unexpected failure"},
    };
    for (const auto& [failure, text] : cases) {
        EXPECT_STREQ(FailureDescription(failure), text);
    }
}

}  // namespace
}  // namespace mapwell
