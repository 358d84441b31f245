// See XmlElementIndex.h for why the document is indexed rather than searched.
#include "copytask/XmlElementIndex.h"

#include <algorithm>

#include <xercesc/dom/DOMNode.hpp>

XERCES_CPP_NAMESPACE_USE

namespace {
std::u16string Key(const XMLCh* name) { return name ? std::u16string(name) : std::u16string(); }
}  // namespace

XmlElementIndex::XmlElementIndex(const DOMElement* root) {
    if (!root) return;
    std::vector<Position> open;  // elements whose subtree is still being walked
    auto enter = [&](const DOMNode* n) {
        if (n->getNodeType() != DOMNode::ELEMENT_NODE) return;
        const Position pos = m_elements.size();
        m_elements.push_back({static_cast<const DOMElement*>(n), npos});
        m_byName[Key(n->getNodeName())].push_back(pos);
        open.push_back(pos);
    };
    auto leave = [&](const DOMNode* n) {
        if (n->getNodeType() != DOMNode::ELEMENT_NODE) return;
        m_elements[open.back()].subtreeEnd = m_elements.size();
        open.pop_back();
    };

    // Pre-order walk through first-child / next-sibling / parent links.
    const DOMNode* n = root;
    for (;;) {
        enter(n);
        if (const DOMNode* child = n->getFirstChild()) {
            n = child;
            continue;
        }
        for (;;) {
            leave(n);
            if (n == root) return;
            if (const DOMNode* next = n->getNextSibling()) {
                n = next;
                break;
            }
            n = n->getParentNode();
        }
    }
}

std::span<const XmlElementIndex::Position> XmlElementIndex::All(Position scope, const XMLCh* name) const {
    if (scope >= m_elements.size()) return {};
    auto it = m_byName.find(Key(name));
    if (it == m_byName.end()) return {};
    const std::vector<Position>& hits = it->second;
    auto first = std::upper_bound(hits.begin(), hits.end(), scope);
    auto last = std::lower_bound(first, hits.end(), m_elements[scope].subtreeEnd);
    return {first, last};
}

XmlElementIndex::Position XmlElementIndex::First(Position scope, const XMLCh* name) const {
    std::span<const Position> hits = All(scope, name);
    return hits.empty() ? npos : hits.front();
}
