// The folders of the user running the program, as the desktop's conventions place them.
#pragma once

#include <filesystem>

namespace velmora {

// $HOME, else the home folder of the user's account, else the root folder. On Windows the profile folder.
std::filesystem::path user_home_folder();

// The user's configuration folder: $XDG_CONFIG_HOME when it is a full path, else ~/.config. On Windows
// the roaming application data folder.
std::filesystem::path user_config_folder();

// Where the output goes when the program's folder may not be written. The XDG pictures directory: the
// last XDG_PICTURES_DIR line of user-dirs.dirs in the configuration folder, a full path or one starting
// with $HOME, as the desktop's own tools write it; ~/Pictures when the file names none, or names one
// that is empty or relative. On Windows the shell's Pictures folder. The folder need not exist.
std::filesystem::path user_pictures_folder();

}  // namespace velmora
