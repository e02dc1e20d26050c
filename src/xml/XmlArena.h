#pragma once

// The memory of one XML document: nodes, attributes and texts are carved one
// after another out of large blocks and given back all at once with the
// document. A parsed report therefore costs a handful of allocations instead
// of several per element, and freeing a tree of any depth is a loop over the
// blocks. Only trivially destructible objects live here.

#include <cstddef>
#include <new>
#include <string_view>
#include <type_traits>

namespace notarion {

class XmlArena {
public:
    XmlArena() = default;
    ~XmlArena() { Clear(); }
    XmlArena(const XmlArena&) = delete;
    XmlArena& operator=(const XmlArena&) = delete;

    // Uninitialised room for count objects of T.
    template <typename T> T* Allocate(std::size_t count) {
        static_assert(std::is_trivially_destructible_v<T>);
        return static_cast<T*>(AllocateBytes(count * sizeof(T), alignof(T)));
    }
    // A copy of text that lives as long as the arena.
    std::u16string_view Store(std::u16string_view text);
    // Make the next block at least bytes long: a reader that knows the size
    // of its input asks once for what the tree will roughly need.
    void Reserve(std::size_t bytes);
    // Give back every block.
    void Clear();
    // The bytes of all blocks taken from the heap.
    std::size_t HeldBytes() const { return m_held; }

private:
    void* AllocateBytes(std::size_t bytes, std::size_t alignment);
    void AddBlock(std::size_t atLeast);

    // Each block begins with the address of the block before it, so the
    // blocks need no list of their own on the heap.
    struct BlockHeader {
        BlockHeader* Previous;
    };

    BlockHeader* m_lastBlock = nullptr;
    std::byte* m_next = nullptr;
    std::size_t m_left = 0;
    std::size_t m_held = 0;
};

} // namespace notarion
