#pragma once

#include <cstdint>
#include <string>

namespace tavrel {

// Lock flags of a recording, a group and a list row; also the row's image.
inline constexpr std::uint32_t LOCK_EVENT = 1;  // read-only, name begins with "EVGS"
inline constexpr std::uint32_t LOCK_OTHER = 2;  // read-only, any other name

struct RecordingNameCheck {
    bool accepted = false;
    std::uint32_t lockFlags = 0;  // LOCK_EVENT, LOCK_OTHER or 0
};

// The camera's naming rules (four name characters, four digits, and an
// 8.3 name when the extension is ".AVI") and its lock: the read-only bit it
// sets on event recordings. `folder` is the file's folder, with or without a
// trailing "/".
RecordingNameCheck IsRecordingName(const std::string& folder, const std::string& name);

// Read-only as the camera means it: the owner may not write. On FAT media
// this is the read-only attribute; the mode bits are read rather than asking
// access(), which lets root write anything.
bool IsReadOnlyFile(const std::string& path);

}  // namespace tavrel
