#include "base/error_text.hpp"

#include <new>

#include "base/error.hpp"

namespace velmora {

bool is_abort(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const Abort&) {
        return true;
    } catch (...) {
        return false;
    }
}

std::string error_message(const std::exception_ptr& error) {
    try {
        std::rethrow_exception(error);
    } catch (const std::bad_alloc&) {
        return "Out of memory";
    } catch (const std::exception& failure) {
        return failure.what();
    } catch (...) {
        return "Unknown error";
    }
}

std::string error_box_text(std::string_view message) {
    constexpr unsigned char kFullStop = '.';
    // The last byte of a character beyond ASCII in UTF-8 is above the full stop, as the character is.
    std::string text(message);
    if (!text.empty() && static_cast<unsigned char>(text.back()) > kFullStop) text += '.';
    return text;
}

}  // namespace velmora
