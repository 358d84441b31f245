// The elements of a parsed document in document order, for lookups of
// "the first (or every) descendant named N of element E".
//
// A task file is user input, so lookups must not recurse (a deeply nested
// file would overflow the stack) nor rescan subtrees (nested sections would
// make reading quadratic). One iterative walk numbers every element and
// records where its subtree ends; descendants of element i are then the
// elements numbered i+1 up to that end, and a lookup by name is a binary
// search in the sorted positions of that name. Entity reference nodes are
// walked through, so elements that came from an entity are found too.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include <xercesc/dom/DOMElement.hpp>

class XmlElementIndex {
public:
    using Position = std::size_t;
    static constexpr Position npos = static_cast<Position>(-1);

    // Indexes root and everything below it; root gets position 0.
    explicit XmlElementIndex(const xercesc::DOMElement* root);

    const xercesc::DOMElement* Element(Position pos) const { return m_elements[pos].element; }

    // First descendant of scope named name (exact case), or npos.
    Position First(Position scope, const XMLCh* name) const;
    // Every descendant of scope named name, in document order.
    std::span<const Position> All(Position scope, const XMLCh* name) const;

private:
    struct Entry {
        const xercesc::DOMElement* element;
        Position subtreeEnd;  // one past the last descendant
    };

    std::vector<Entry> m_elements;
    std::unordered_map<std::u16string, std::vector<Position>> m_byName;
};
