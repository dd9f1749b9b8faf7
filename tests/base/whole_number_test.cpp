#include "base/whole_number.hpp"

#include <gtest/gtest.h>

namespace velmora {
namespace {

TEST(WholeNumber, TakesOnlyTextsThatAreWholeNumbers) {
    EXPECT_EQ(whole_number_from_text("800", 0), 800);
    EXPECT_EQ(whole_number_from_text("-20", 0), -20);
    EXPECT_EQ(whole_number_from_text("+7", 0), 7);
    EXPECT_EQ(whole_number_from_text("007", 0), 7);
    EXPECT_EQ(whole_number_from_text("2147483647", 0), 2147483647);
    EXPECT_EQ(whole_number_from_text("-2147483648", 0), -2147483647 - 1);
}

TEST(WholeNumber, FallsBackForEverythingElse) {
    for (const char* text : {"", "abc", " 12", "12 ", "1.5", "-", "+", "12a", "0x10", "2147483648",
                             "-2147483649", "99999999999999999999"}) {
        EXPECT_EQ(whole_number_from_text(text, 75), 75) << '"' << text << '"';
    }
}

}  // namespace
}  // namespace velmora
