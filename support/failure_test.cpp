#include "support/failure.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace mapwell {
namespace {

TEST(FailureDescription, NamesWhatWentWrongInAFixedText) {
    struct Case {
        std::exception_ptr failure;
        const wchar_t* text;
    };
    const Case cases[] = {
        {std::make_exception_ptr(std::bad_alloc()), L"Out of memory"},
        {std::make_exception_ptr(std::length_error("basic_string::_M_create")), L"Text too long"},
        {std::make_exception_ptr(std::runtime_error("x")), L"Unexpected failure"},
        {std::make_exception_ptr(42), L"Unexpected failure"},
    };
    for (const auto& c : cases) {
        EXPECT_STREQ(FailureDescription(c.failure), c.text);
    }
}

}  // namespace
}  // namespace mapwell
