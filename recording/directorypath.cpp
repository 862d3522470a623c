#include "directorypath.h"

#include <sys/stat.h>

#include <vector>

namespace tavrel {

bool MakeDirectoryPath(std::string path) {
    if (path.empty()) {
        return false;
    }
    if (path.back() != '/') {
        path += '/';
    }
    std::vector<std::string> folders;
    std::string prefix;
    for (const char c : path) {
        if (c == '/') {
            if (!prefix.empty()) {
                folders.push_back(prefix);
            }
        }
        prefix += c;
    }
    // Failures on the way are expected (folders that exist already); only the
    // innermost creation decides the result.
    bool created = false;
    for (const std::string& folder : folders) {
        created = ::mkdir(folder.c_str(), 0777) == 0;
    }
    return created;
}

}  // namespace tavrel
