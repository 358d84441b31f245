// FeatureWriter: turns FDO property values into OGR features of one class.
//
// Values must be literals or parameters; parameters are looked up in the
// collection the caller passes (the command's own, or one element of an
// insert batch). Identity and read-only properties cannot be given.
// Every row goes through the DataSource's write path, so it lands inside
// the chunked transaction; GDAL warnings raised while writing (a value cut
// to a field's width, a number that does not fit) are errors here, because
// a copy must not lose data silently.
#pragma once

#include <ogrcore/OgrBulkRows.h>
#include <ogrcore/OgrClassMap.h>

#include <optional>

namespace ogrcore {

// One value for the property at a binding index of the class map, for
// callers that have bound their properties once (borrowed pointers).
struct BoundValue {
    int binding;
    FdoLiteralValue* value;  // null: no value
};

// The value bound to a parameter in one row of parameters (borrowed), or
// null. Rows usually list their parameters in the order of the command's
// property values, so the item at hint is tried first (its name checked)
// before the row is searched by name.
FdoParameterValue* FindParameter(FdoParameterValueCollection* parameters, FdoString* name, size_t hint);

class FeatureWriter {
public:
    explicit FeatureWriter(ClassMap* map);

    // Binds an insert's property values to the class's properties once, so
    // that each row of a batch is resolved by position (InsertBound).
    // Throws what Insert would throw for a property that is not in the
    // class or a value that is neither a literal nor a parameter.
    void Bind(FdoPropertyValueCollection* values);
    // Inserts one row of the bound values with the row's parameters.
    FdoInt64 InsertBound(FdoParameterValueCollection* parameters);

    // Brackets the rows of one insert execution. Where the store takes rows
    // in bulk (see OgrBulkRows.h) and count is more than one, their ids are
    // drawn here and the rows stream until EndRows, which throws for a row
    // the server refused. A single row is inserted on its own.
    void BeginRows(size_t count);
    void EndRows();

    // Creates one feature; returns its identity value (feature id + offset).
    FdoInt64 Insert(FdoPropertyValueCollection* values, FdoParameterValueCollection* parameters);
    // The same from values already bound to their properties.
    FdoInt64 Insert(const std::vector<BoundValue>& values);
    // Sets the given values on the feature with that id.
    void Update(FdoInt64 fid, FdoPropertyValueCollection* values, FdoParameterValueCollection* parameters);
    void Delete(FdoInt64 fid);

private:
    void Apply(OGRLayerH layer, OGRFeatureH feature, FdoPropertyValueCollection* values, FdoParameterValueCollection* parameters);
    void ApplyOne(OGRLayerH layer, OGRFeatureH feature, const PropertyBinding& b, FdoLiteralValue* value);
    FdoInt64 Create(OGRLayerH layer, OGRFeatureH feature);
    FdoLiteralValue* Resolve(FdoPropertyValue* value, FdoParameterValueCollection* parameters, FdoString* name);

    struct Planned {
        int binding;
        FdoPtr<FdoLiteralValue> literal;  // or else the parameter:
        FdoStringP parameter;
    };

    FdoPtr<ClassMap> m_map;
    FdoPtr<DataSource> m_source;
    std::vector<FdoByte> m_wkb;
    std::vector<Planned> m_plan;
    std::vector<FdoPtr<FdoLiteralValue>> m_row;
    std::vector<BoundValue> m_bound;
    // Ids drawn for the rows between BeginRows and EndRows, in row order,
    // and the driver's setting that streams them.
    std::vector<GIntBig> m_drawnIds;
    size_t m_nextDrawn = 0;
    std::optional<BulkRowsScope> m_bulk;
};

}  // namespace ogrcore
