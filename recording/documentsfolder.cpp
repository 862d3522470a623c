#include "documentsfolder.h"

#include <sys/stat.h>

#include <cstdlib>
#include <fstream>

#include "directorypath.h"

namespace tavrel {

namespace {

std::string Environment(const char* name) {
    const char* value = std::getenv(name);
    return value != nullptr ? value : "";
}

// XDG_DOCUMENTS_DIR="$HOME/Papers" from the user-dirs file, with $HOME
// expanded; empty when the file does not set it.
std::string UserDirsDocuments(const std::string& home) {
    std::string config = Environment("XDG_CONFIG_HOME");
    if (config.empty()) {
        config = home + "/.config";
    }
    std::ifstream file(config + "/user-dirs.dirs");
    const std::string key = "XDG_DOCUMENTS_DIR=\"";
    std::string line;
    while (std::getline(file, line)) {
        if (line.compare(0, key.size(), key) != 0 || line.back() != '"') {
            continue;
        }
        std::string value = line.substr(key.size(), line.size() - key.size() - 1);
        if (value.compare(0, 5, "$HOME") == 0) {
            value = home + value.substr(5);
        }
        return value.empty() || value.front() != '/' ? std::string() : value;
    }
    return {};
}

}  // namespace

std::string DocumentsFolder() {
    const std::string home = Environment("HOME");
    if (home.empty()) {
        return {};
    }
    const std::string documents = UserDirsDocuments(home);
    return documents.empty() ? home + "/Documents" : documents;
}

std::string GetGpsLogFolder() {
    std::string folder = DocumentsFolder();
    if (folder.empty()) {
        return {};
    }
    if (folder.back() != '/') {
        folder += '/';
    }
    folder += "GPSLOG/";
    struct stat status {};
    if (::stat(folder.c_str(), &status) != 0) {
        MakeDirectoryPath(folder);
    }
    return folder;
}

}  // namespace tavrel
