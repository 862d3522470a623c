#pragma once

#include <string>

namespace tavrel {

// The user's documents folder as the desktop names it: XDG_DOCUMENTS_DIR of
// the user-dirs file, else "Documents" in the home folder. Empty when there
// is no home folder to go by.
std::string DocumentsFolder();

// The folder KML tracks are written to: "GPSLOG/" in the documents folder,
// created when missing. Empty when there is no documents folder.
std::string GetGpsLogFolder();

}  // namespace tavrel
