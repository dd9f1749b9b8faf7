// "Whole number from text": the text of an edit box read as a signed 32-bit integer when the whole text is
// one (an optional sign and decimal digits, nothing else), otherwise the caller's default.
#pragma once

#include <cstdint>
#include <string_view>

namespace velmora {

std::int32_t whole_number_from_text(std::string_view text, std::int32_t fallback);

}  // namespace velmora
