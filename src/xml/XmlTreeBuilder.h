#pragma once

// The reader's access to the insides of a tree it builds: nodes are made in
// the document's arena and a finished element gets its children in one exact
// array. Private to the XML layer.

#include "xml/XmlDocument.h"

#include <new>

namespace notarion {

struct XmlTreeBuilder {
    static XmlArena& Arena(XmlDocument& document) { return document.m_arena; }

    static XmlNode& NewNode(XmlArena& arena, XmlNodeKind kind) {
        XmlNode* node = new (arena.Allocate<XmlNode>(1)) XmlNode();
        node->m_kind = kind;
        return *node;
    }
    static void SetKind(XmlNode& node, XmlNodeKind kind) { node.m_kind = kind; }
    // Texts given here must already live in the node's arena.
    static void SetName(XmlNode& node, std::u16string_view name) { node.SetName(name); }
    static void SetValue(XmlNode& node, std::u16string_view value) { node.SetValue(value); }
    static void SetValueWithCp1250Copy(XmlNode& node, std::u16string_view value) {
        node.SetValueWithCp1250Copy(value);
    }
    static void SetCData(XmlArena& arena, XmlNode& node, std::u16string_view text) {
        node.TheExtra(arena).CData = text;
    }
    static void AddAttribute(XmlArena& arena, XmlNode& node, XmlAttribute attribute);
    // Give a finished element its children: the count pointers are copied
    // into one array of exactly that size.
    static void SetChildren(XmlArena& arena, XmlNode& node, XmlNode* const* children,
                            std::size_t count);
};

} // namespace notarion
