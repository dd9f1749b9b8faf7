// The error manager the codec gives libjpeg. A library error jumps back to the guarded call that
// started the library work, which returns the message code; the caller throws only after that call
// has returned, so no exception crosses the library's C frames and no jump skips a destructor.
// Warnings are dropped: they are never shown or counted.
#pragma once

#include <csetjmp>
#include <cstdio>  // jpeglib.h needs FILE and size_t first

#include <jpeglib.h>

namespace velmora {

struct JpegErrorManager {
    jpeg_error_mgr pub;  // first member: the library sees only this part
    std::jmp_buf jump;
    const char* refusal;  // set when one of our callbacks ended the work, not the library
};

// Fills `errors` and attaches it to `info`; call before jpeg_CreateDecompress or jpeg_CreateCompress.
void attach_error_manager(jpeg_common_struct& info, JpegErrorManager& errors);

// Raises Error("JPEG error #<code>"), or "Out of memory" for the library's own memory failures.
[[noreturn]] void raise_jpeg_error(int code);

// Ends the library's work from inside one of our callbacks; the guarded call then raises Error(message).
[[noreturn]] void refuse(j_common_ptr info, const char* message);

// Runs `step()` with the jump target set and answers whether a library error ended it. `step` must not
// throw, and its locals must be trivially destructible: an error leaves its frame by longjmp.
template <class Step>
bool ended_by_library_error(JpegErrorManager& errors, Step& step) noexcept {
    if (setjmp(errors.jump) != 0) return true;
    step();
    return false;
}

// Raises the error that ended a guarded call.
[[noreturn]] void raise_guarded_error(const JpegErrorManager& errors);

// Runs `step()` with the jump target set; the error that ended it is raised as an exception once the
// library's frames are gone.
template <class Step>
void call_library(JpegErrorManager& errors, Step&& step) {
    if (ended_by_library_error(errors, step)) raise_guarded_error(errors);
}

}  // namespace velmora
