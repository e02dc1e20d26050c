#include "xml/XmlArena.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace notarion {
namespace {

// Blocks grow with the document up to this size, so a large document wastes
// at most one block's tail and a small one asks the heap once or twice.
constexpr std::size_t kSmallestBlock = 1024;
constexpr std::size_t kLargestBlock = std::size_t{1} << 20;

} // namespace

void* XmlArena::AllocateBytes(std::size_t bytes, std::size_t alignment) {
    std::size_t padding =
        static_cast<std::size_t>(-reinterpret_cast<std::uintptr_t>(m_next)) & (alignment - 1);
    if (m_next == nullptr || padding + bytes > m_left) {
        AddBlock(bytes + alignment);
        padding =
            static_cast<std::size_t>(-reinterpret_cast<std::uintptr_t>(m_next)) & (alignment - 1);
    }
    std::byte* result = m_next + padding;
    m_next = result + bytes;
    m_left -= padding + bytes;
    return result;
}

void XmlArena::AddBlock(std::size_t atLeast) {
    // The header is part of the block's size, so blocks keep the sizes the
    // heap serves best.
    const std::size_t size =
        std::max(atLeast + sizeof(BlockHeader), std::clamp(m_held, kSmallestBlock, kLargestBlock));
    // Not value-initialised: every byte handed out is written by its user.
    std::byte* block = new std::byte[size];
    m_lastBlock = new (block) BlockHeader{m_lastBlock};
    m_next = block + sizeof(BlockHeader);
    m_left = size - sizeof(BlockHeader);
    m_held += size;
}

void XmlArena::Reserve(std::size_t bytes) {
    if (bytes > m_left)
        AddBlock(bytes);
}

std::u16string_view XmlArena::Store(std::u16string_view text) {
    if (text.empty())
        return {};
    char16_t* copy = Allocate<char16_t>(text.size());
    std::memcpy(copy, text.data(), text.size() * sizeof(char16_t));
    return {copy, text.size()};
}

void XmlArena::Clear() {
    while (m_lastBlock != nullptr) {
        BlockHeader* previous = m_lastBlock->Previous;
        delete[] reinterpret_cast<std::byte*>(m_lastBlock);
        m_lastBlock = previous;
    }
    m_next = nullptr;
    m_left = 0;
    m_held = 0;
}

} // namespace notarion
