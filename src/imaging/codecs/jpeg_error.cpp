#include "imaging/codecs/jpeg_error.hpp"

#include <string>

#include <jerror.h>

#include "base/error.hpp"
#include "base/memory_limit.hpp"

namespace velmora {

namespace {

[[noreturn]] void jump_back(j_common_ptr info) {
    auto* errors = reinterpret_cast<JpegErrorManager*>(info->err);
    std::longjmp(errors->jump, 1);
}

void drop_message(j_common_ptr, int) {}
void drop_output(j_common_ptr) {}

}  // namespace

void attach_error_manager(jpeg_common_struct& info, JpegErrorManager& errors) {
    jpeg_std_error(&errors.pub);
    errors.pub.error_exit = jump_back;
    errors.pub.emit_message = drop_message;
    errors.pub.output_message = drop_output;
    errors.refusal = nullptr;
    info.err = &errors.pub;
}

void refuse(j_common_ptr info, const char* message) {
    reinterpret_cast<JpegErrorManager*>(info->err)->refusal = message;
    jump_back(info);
}

void raise_guarded_error(const JpegErrorManager& errors) {
    if (errors.refusal != nullptr) throw Error(errors.refusal);
    raise_jpeg_error(errors.pub.msg_code);
}

void raise_jpeg_error(int code) {
    // The library's memory manager fails with these when an allocation is refused or would pass the
    // limit the codec sets (it has no backing store to spill to).
    if (code == JERR_OUT_OF_MEMORY || code == JERR_NO_BACKING_STORE) raise_out_of_memory();
    throw Error("JPEG error #" + std::to_string(code));
}

}  // namespace velmora
