#include "riffnode.h"

#include <utility>

#include "bytes.h"

namespace tavrel::samplegen {

namespace {

bool Matches(const RiffNode& node, const std::string& key) {
    return node.IsList() ? node.listType == key : node.id == key;
}

void SerializeInto(const RiffNode& node, std::vector<std::uint8_t>& out) {
    detail::PutFourCc(out, node.id);
    detail::PutU32(out, node.declaredSize.value_or(node.ComputedSize()));
    if (node.IsList()) {
        detail::PutFourCc(out, node.listType);
        for (const RiffNode& child : node.children) {
            SerializeInto(child, out);
        }
    } else {
        out.insert(out.end(), node.payload.begin(), node.payload.end());
    }
    out.insert(out.end(), node.trailing.begin(), node.trailing.end());
}

}  // namespace

RiffNode RiffNode::Chunk(std::string id, std::vector<std::uint8_t> payload) {
    RiffNode node;
    node.id = std::move(id);
    node.payload = std::move(payload);
    return node;
}

RiffNode RiffNode::List(std::string id, std::string listType, std::vector<RiffNode> children) {
    RiffNode node;
    node.id = std::move(id);
    node.listType = std::move(listType);
    node.children = std::move(children);
    return node;
}

RiffNode* RiffNode::Find(const std::string& idOrListType) {
    for (RiffNode& child : children) {
        if (Matches(child, idOrListType)) {
            return &child;
        }
        if (RiffNode* found = child.Find(idOrListType)) {
            return found;
        }
    }
    return nullptr;
}

bool RiffNode::Remove(const std::string& idOrListType) {
    for (auto it = children.begin(); it != children.end(); ++it) {
        if (Matches(*it, idOrListType)) {
            children.erase(it);
            return true;
        }
        if (it->Remove(idOrListType)) {
            return true;
        }
    }
    return false;
}

std::uint32_t RiffNode::ComputedSize() const {
    if (!IsList()) {
        return static_cast<std::uint32_t>(payload.size());
    }
    // A bent child (declared size, trailing bytes) must not shift its parent:
    // the parent counts the bytes its children really occupy, minus trailers.
    std::uint32_t size = 4;
    for (const RiffNode& child : children) {
        size += 8 + child.ComputedSize();
    }
    return size;
}

std::vector<std::uint8_t> RiffNode::Serialize() const {
    std::vector<std::uint8_t> out;
    out.reserve(8 + ComputedSize() + trailing.size());
    SerializeInto(*this, out);
    return out;
}

}  // namespace tavrel::samplegen
