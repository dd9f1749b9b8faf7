#include "base/error_text.hpp"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>

#include "base/error.hpp"

namespace velmora {
namespace {

TEST(ErrorBoxText, AppendsOneFullStopAfterCharactersBeyondIt) {
    EXPECT_EQ(error_box_text("Disk full"), "Disk full.");
    EXPECT_EQ(error_box_text("JPEG error #42"), "JPEG error #42.");
    EXPECT_EQ(error_box_text("Cannot open file \"/a/b c\". No such file or directory"),
              "Cannot open file \"/a/b c\". No such file or directory.");
    EXPECT_EQ(error_box_text("path/"), "path/.");  // '/' is 47
    EXPECT_EQ(error_box_text("Ошибка"), "Ошибка.");
    for (const char* kept : {"Failed to set data for 'photo_width'", "Done.", "(x)", "Stop!", "trailing ",
                             "a-", "a,", "two lines\r", ""})
        EXPECT_EQ(error_box_text(kept), kept) << kept;
}

TEST(ErrorMessage, NamesTheFailureAndTellsAnAbortApart) {
    EXPECT_EQ(error_message(std::make_exception_ptr(Error("Scan line index out of range"))),
              "Scan line index out of range");
    EXPECT_EQ(error_message(std::make_exception_ptr(std::bad_alloc())), "Out of memory");
    EXPECT_EQ(error_message(std::make_exception_ptr(42)), "Unknown error");
    EXPECT_TRUE(is_abort(std::make_exception_ptr(Abort())));
    EXPECT_FALSE(is_abort(std::make_exception_ptr(Error("x"))));
    EXPECT_FALSE(is_abort(std::make_exception_ptr(std::bad_alloc())));
}

}  // namespace
}  // namespace velmora
