#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace tavrel::samplegen {

// One RIFF element as it will be written: a chunk (identifier, size, payload)
// or a list (identifier "RIFF" or "LIST", size, list type, children). Tests
// take a generated recording apart, bend one element and write it again, so
// every element can carry a declared size that differs from its real one.
struct RiffNode {
    std::string id;        // four characters: "avih", "LIST", "RIFF", "gps0", ...
    std::string listType;  // four characters for lists ("hdrl", "movi"); empty for chunks
    std::vector<std::uint8_t> payload;  // chunks only
    std::vector<RiffNode> children;     // lists only
    // Written instead of the computed size when set.
    std::optional<std::uint32_t> declaredSize;
    // Bytes written verbatim after the element (not counted in any size).
    std::vector<std::uint8_t> trailing;

    bool IsList() const { return !listType.empty(); }

    static RiffNode Chunk(std::string id, std::vector<std::uint8_t> payload);
    static RiffNode List(std::string id, std::string listType, std::vector<RiffNode> children);

    // Depth-first search by chunk identifier or list type; nullptr when absent.
    RiffNode* Find(const std::string& idOrListType);
    // Removes the first element found by identifier or list type; false when absent.
    bool Remove(const std::string& idOrListType);

    // The computed size field: payload size for a chunk, 4 + children for a list.
    std::uint32_t ComputedSize() const;
    // The element as bytes, with no padding: a chunk starts exactly where the
    // previous one's declared payload ends, as the camera writes them.
    std::vector<std::uint8_t> Serialize() const;
};

}  // namespace tavrel::samplegen
