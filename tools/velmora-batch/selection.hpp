// The pictures a command line names: each file as given, each folder as the JPEG files in it, every path
// absolute and without "." and ".." parts, so that messages name files in full.
#pragma once

#include <filesystem>
#include <vector>

namespace velmora {

// `path` made absolute against the current folder, with "." and ".." parts resolved by name.
std::filesystem::path full_path(const std::filesystem::path& path);

// Files stay in their place in the list, missing ones too (the run says it cannot open them). A folder
// stands for its files ending in .jpg or .jpeg, in any case, in name order; with `recursive` also for
// those of its subfolders, each taken where its name comes, depth first. Links to folders are not
// followed inside a folder, so that a link to a parent does not repeat the tree. A folder that cannot be
// read raises "Cannot open folder ...".
std::vector<std::filesystem::path> pictures_named(const std::vector<std::filesystem::path>& arguments,
                                                  bool recursive);

}  // namespace velmora
