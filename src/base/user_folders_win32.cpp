// The user's folders as the shell knows them (known folders); the home folder's Pictures when the shell
// does not say.
#include <windows.h>

#include <shlobj.h>

#include "base/user_folders.hpp"

namespace velmora {

namespace {

std::filesystem::path known_folder(REFKNOWNFOLDERID id, const std::filesystem::path& fallback) {
    PWSTR path = nullptr;
    std::filesystem::path folder = fallback;
    if (SUCCEEDED(SHGetKnownFolderPath(id, KF_FLAG_DEFAULT, nullptr, &path))) folder = path;
    CoTaskMemFree(path);
    return folder;
}

}  // namespace

std::filesystem::path user_home_folder() {
    return known_folder(FOLDERID_Profile, std::filesystem::current_path());
}

std::filesystem::path user_config_folder() {
    return known_folder(FOLDERID_RoamingAppData, user_home_folder() / "AppData" / "Roaming");
}

std::filesystem::path user_pictures_folder() {
    return known_folder(FOLDERID_Pictures, user_home_folder() / "Pictures");
}

}  // namespace velmora
