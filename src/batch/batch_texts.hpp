// The texts a batch run shows, each exactly as the user reads it. "\r" is one carriage return: the
// message boxes break their lines there.
#pragma once

#include <string_view>

namespace velmora {

inline constexpr std::string_view kWidthNotSetMessage =
    "You need to set the width of images.\rPlease enter the width of images.\rThe value must be greater than "
    "zero.";
inline constexpr std::string_view kNothingSelectedMessage =
    "Images not selected. Select the files to process";
inline constexpr std::string_view kCompletedMessagePrefix =
    "All images were processed.\r\rProcessed images are in the folder ";

inline constexpr std::string_view kStatusProcessing = "processing occurs images";
inline constexpr std::string_view kStatusCompleted = "processing is completed";

inline constexpr std::string_view kRunCaption = "Run process";
inline constexpr std::string_view kProcessingCaption = "Processing...";

// Target width when the width text is not a whole number.
inline constexpr int kDefaultTargetWidth = 800;

}  // namespace velmora
