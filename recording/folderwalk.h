#pragma once

#include <functional>
#include <string>

namespace tavrel {

// One entry met by WalkFolder. The root ends with "/", the relative folder
// has every level followed by "/" and is empty for entries in the root.
struct FolderEntry {
    const std::string& root;
    const std::string& relativeFolder;
    const std::string& name;
    bool isFolder;
};

using FolderVisitor = std::function<void(const FolderEntry&)>;

// Nested folder levels below the root that the walk enters; deeper folders
// are skipped with their contents.
inline constexpr int kMaxWalkDepth = 40;

// Visits every file and folder below the root, depth first, a folder before
// its contents, each folder's entries in the order the file system lists
// them. Hidden entries (names beginning with "."), entries that are neither
// files nor folders, and links to folders are skipped; a link to a file is
// visited as a file. A folder that cannot be listed is passed over. False
// when the root is not an existing folder.
bool WalkFolder(std::string root, const FolderVisitor& visitor);

}  // namespace tavrel
