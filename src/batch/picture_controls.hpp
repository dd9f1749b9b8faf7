// What the per-image pipeline reads while it works on one picture: the controls it reads for every
// picture, at the moments it reaches them, and the message pump it runs between its stages. The window
// is one; a run with several pictures at once gives each of its threads controls of their own.
#pragma once

#include <string>

namespace velmora {

class PictureControls {
  public:
    virtual ~PictureControls() = default;

    virtual int logo_position_index() = 0;            // -1 when no item is selected
    virtual std::string inset_horizontal_text() = 0;  // text of logo_padding_horizontal
    virtual std::string inset_vertical_text() = 0;    // text of logo_padding_vertical
    virtual int quality() = 0;                        // track bar position, 1 to 100

    // Handles every message already waiting and returns without waiting. Raises Abort once the window
    // has been closed, which ends the run at that point without a message.
    virtual void pump_messages() = 0;
};

}  // namespace velmora
