#pragma once

#include <string>

namespace tavrel {

// Creates every missing folder along the path, outermost first. True only
// when the innermost folder was created by this call: false when it existed
// already, could not be made, or the path is empty.
bool MakeDirectoryPath(std::string path);

}  // namespace tavrel
