// Writes expression trees as expression text, for the ToString of the
// expression nodes and of filters. Internal to the library.
//
// A computed identifier used inside a filter prints as its name, and the
// filter prints its definition once as a prefix; the writer collects them
// for that when given a list.
#pragma once

#include <Fdo/Expression/GeometryValue.h>
#include <Fdo/Expression/Identifier.h>

#include <vector>

namespace FdoExpressionText {

// Computed identifiers met while writing, each once, in order of first use.
class ComputedList {
public:
    void Add(FdoComputedIdentifier* id);
    const std::vector<FdoComputedIdentifier*>& Items() const { return m_items; }

private:
    // Borrowed from the tree being written.
    std::vector<FdoComputedIdentifier*> m_items;
    std::vector<FdoComputedIdentifier*> m_pending;
};

// Text of an expression nested in another expression or a filter. A null
// expression writes as nothing.
FdoStringP Write(FdoExpression* expression, ComputedList* computed);

// A name as an identifier: double-quoted unless it reads back unquoted.
FdoStringP WriteName(FdoString* name);

// A property name; a computed identifier gives its name (and joins the list).
FdoStringP WriteIdentifier(FdoIdentifier* identifier, ComputedList* computed);

// "( expr ) AS name".
FdoStringP WriteDefinition(FdoComputedIdentifier* identifier);

// GeomFromText('<geometry text>'), or NULL for a null value.
FdoStringP WriteGeometry(FdoGeometryValue* value);

}  // namespace FdoExpressionText
