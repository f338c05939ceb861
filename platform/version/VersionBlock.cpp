// SPDX-License-Identifier: GPL-3.0-or-later
#include "VersionBlock.h"

#include <algorithm>
#include <vector>

namespace {

constexpr std::size_t headerSize = 6;
constexpr std::uint16_t textType = 1;

std::size_t alignUp(std::size_t at)
{
    return (at + 3) & ~std::size_t(3);
}

struct Node
{
    std::size_t begin = 0;
    std::size_t end = 0;
    std::size_t keyBegin = 0;
    std::size_t keyUnits = 0;
    VersionValue value;
    std::size_t childrenBegin = 0;
};

// The node starting at `at`, which must end by `limit`.
std::optional<Node> readNode(std::span<const std::uint8_t> block, std::size_t at, std::size_t limit)
{
    if (at > limit || limit - at < headerSize)
        return std::nullopt;
    const std::size_t length = VersionBlock::readU16(block, at);
    if (length < headerSize || length > limit - at)
        return std::nullopt;
    Node node;
    node.begin = at;
    node.end = at + length;
    node.keyBegin = at + headerSize;
    std::size_t pos = node.keyBegin;
    while (pos + 2 <= node.end && VersionBlock::readU16(block, pos) != 0)
        pos += 2;
    if (pos + 2 > node.end)
        return std::nullopt; // the key has no terminator inside the node
    node.keyUnits = (pos - node.keyBegin) / 2;

    const std::uint16_t valueLength = VersionBlock::readU16(block, at + 2);
    node.value.text = VersionBlock::readU16(block, at + 4) == textType;
    node.value.offset = std::min(alignUp(pos + 2), node.end);
    const std::size_t wanted = node.value.text ? std::size_t(valueLength) * 2 : valueLength;
    node.value.size = std::min(wanted, node.end - node.value.offset);
    node.childrenBegin = std::min(alignUp(node.value.offset + node.value.size), node.end);
    return node;
}

char16_t foldCase(char16_t c)
{
    return (c >= u'a' && c <= u'z') ? char16_t(c - u'a' + u'A') : c;
}

bool keyIs(std::span<const std::uint8_t> block, const Node &node, std::u16string_view key)
{
    if (node.keyUnits != key.size())
        return false;
    for (std::size_t i = 0; i < key.size(); ++i) {
        const char16_t unit = VersionBlock::readU16(block, node.keyBegin + 2 * i);
        if (foldCase(unit) != foldCase(key[i]))
            return false;
    }
    return true;
}

std::optional<Node> findChild(std::span<const std::uint8_t> block, const Node &parent,
                              std::u16string_view key)
{
    std::size_t at = parent.childrenBegin;
    while (at < parent.end) {
        const std::optional<Node> child = readNode(block, at, parent.end);
        if (!child)
            return std::nullopt; // padding or damage: nothing readable follows
        if (keyIs(block, *child, key))
            return child;
        at = alignUp(child->end);
    }
    return std::nullopt;
}

std::vector<std::u16string_view> splitPath(std::u16string_view path)
{
    std::vector<std::u16string_view> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t stop = path.find(u'\\', start);
        if (stop == std::u16string_view::npos)
            stop = path.size();
        if (stop > start)
            parts.push_back(path.substr(start, stop - start));
        start = stop + 1;
    }
    return parts;
}

} // namespace

std::uint16_t VersionBlock::readU16(std::span<const std::uint8_t> bytes, std::size_t at)
{
    if (at > bytes.size() || bytes.size() - at < 2)
        return 0;
    return std::uint16_t(bytes[at] | (bytes[at + 1] << 8));
}

std::uint32_t VersionBlock::readU32(std::span<const std::uint8_t> bytes, std::size_t at)
{
    if (at > bytes.size() || bytes.size() - at < 4)
        return 0;
    return std::uint32_t(readU16(bytes, at)) | (std::uint32_t(readU16(bytes, at + 2)) << 16);
}

std::size_t VersionBlock::rootLength(std::span<const std::uint8_t> block)
{
    const std::optional<Node> root = readNode(block, 0, block.size());
    return root ? root->end : 0;
}

std::optional<VersionValue> VersionBlock::find(std::span<const std::uint8_t> block,
                                               std::u16string_view path)
{
    std::optional<Node> node = readNode(block, 0, block.size());
    for (std::u16string_view key : splitPath(path)) {
        if (!node)
            break;
        node = findChild(block, *node, key);
    }
    if (!node)
        return std::nullopt;
    return node->value;
}
