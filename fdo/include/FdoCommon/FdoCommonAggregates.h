// FdoCommonAggregates: the Count and SpatialExtents aggregates of a
// select-aggregates command, checked and computed once for every provider.
//
// A provider hands over its command and the class definition; Plan checks
// what the command asks for and refuses, with a message naming the class
// and property, anything this computation cannot honour: distinct,
// grouping, a grouping filter (there are no groups to filter), ordering,
// an empty list, and any item other than Count(), Count(property) or
// SpatialExtents(geometric property). The provider then either feeds it the
// selected rows (NeedsRows: a filter, or a Count of a property that may be
// null) or the whole class's totals from its store, and turns the items
// into its data reader.
#pragma once

#include <Fdo/Commands/Feature/IFeatureReader.h>
#include <Fdo/Commands/Feature/ISelectAggregates.h>
#include <Fdo/Geometry/FgfBytes.h>
#include <Fdo/Schema/ClassDefinition.h>

#include <vector>

class FDO_API FdoCommonAggregates {
public:
    struct Item {
        FdoStringP name;        // the computed identifier's name
        bool extents = false;   // SpatialExtents; otherwise Count
        FdoStringP property;    // counted or bounded property; empty for Count()
        bool identity = false;  // the property is an identity property (never null)
        FdoInt64 count = 0;
        FdoFgfBounds bounds;
    };

    // Throws FdoCommandException when the command asks for anything else.
    static FdoCommonAggregates Plan(FdoISelectAggregates* command, FdoClassDefinition* classDefinition);

    // True when the rows must be read: the command has a filter, or some
    // Count names a property that is not an identity property.
    bool NeedsRows(bool filtered) const;
    // Adds the reader's current row to every item.
    void AddRow(FdoIFeatureReader* reader);
    // The whole class, when no row needs reading: count features and the
    // store's extent of the geometry (empty bounds when unknown or none).
    void SetTotals(FdoInt64 count, const FdoFgfBounds& extent);

    const std::vector<Item>& Items() const { return m_items; }

private:
    std::vector<Item> m_items;
};
