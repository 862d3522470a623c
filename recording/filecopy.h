#pragma once

#include <string>

namespace tavrel {

// Copies a file through a temporary file in the destination's folder that
// is renamed into place once complete and flushed, so that a failed or
// interrupted copy never leaves a cut-off file under the destination's name
// and never destroys a file already there. Permission bits and modification
// time come along (a backed-up event recording stays locked and keeps its
// time). False when the copy failed; the destination is then as it was.
bool CopyFileSafely(const std::string& source, const std::string& destination);

}  // namespace tavrel
