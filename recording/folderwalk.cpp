#include "folderwalk.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>

#include <array>
#include <memory>

namespace tavrel {

namespace {

enum class EntryKind { Skipped, File, Folder };

EntryKind KindOf(DIR* listing, const char* name) {
    struct stat status {};
    if (::fstatat(::dirfd(listing), name, &status, AT_SYMLINK_NOFOLLOW) != 0) {
        return EntryKind::Skipped;
    }
    if (S_ISDIR(status.st_mode)) {
        return EntryKind::Folder;
    }
    if (S_ISREG(status.st_mode)) {
        return EntryKind::File;
    }
    // Links are followed to files only: a link to a folder could lead the walk
    // round in a loop.
    if (S_ISLNK(status.st_mode) && ::fstatat(::dirfd(listing), name, &status, 0) == 0 &&
        S_ISREG(status.st_mode)) {
        return EntryKind::File;
    }
    return EntryKind::Skipped;
}

struct ListingCloser {
    void operator()(DIR* listing) const { ::closedir(listing); }
};
using Listing = std::unique_ptr<DIR, ListingCloser>;

struct Level {
    Listing listing;
    std::string relativeFolder;
};

}  // namespace

bool WalkFolder(std::string root, const FolderVisitor& visitor) {
    struct stat rootStatus {};
    if (root.empty() || ::stat(root.c_str(), &rootStatus) != 0 || !S_ISDIR(rootStatus.st_mode)) {
        return false;
    }
    if (root.back() != '/') {
        root += '/';
    }

    std::array<Level, kMaxWalkDepth> stack;
    int depth = 0;
    Level current;
    current.listing.reset(::opendir(root.c_str()));
    while (true) {
        // A folder that cannot be listed, and a listing that fails part way,
        // simply end that folder's listing.
        const dirent* entry = current.listing ? ::readdir(current.listing.get()) : nullptr;
        if (entry == nullptr) {
            if (depth == 0) {
                break;
            }
            --depth;
            current = std::move(stack[depth]);
            continue;
        }

        const std::string name = entry->d_name;
        if (name.front() == '.') {
            continue;  // ".", ".." and hidden entries
        }
        switch (KindOf(current.listing.get(), entry->d_name)) {
            case EntryKind::Skipped:
                break;
            case EntryKind::File:
                visitor({root, current.relativeFolder, name, false});
                break;
            case EntryKind::Folder: {
                if (depth == kMaxWalkDepth) {
                    break;
                }
                visitor({root, current.relativeFolder, name, true});
                std::string relativeFolder = current.relativeFolder + name + '/';
                stack[depth] = std::move(current);
                ++depth;
                current.relativeFolder = std::move(relativeFolder);
                current.listing.reset(::opendir((root + current.relativeFolder).c_str()));
                break;
            }
        }
    }
    return true;
}

}  // namespace tavrel
