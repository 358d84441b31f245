// SdfFeatureReader: the features of one SDF class, as FDO readers give them.
//
// The rows come from an ogrcore FeatureReader over the class's storage
// view (SdfClassBinding), which streams them from OGR and pushes what it
// can of the filter down (attribute SQL, the R-tree through OGR's spatial
// filter). This reader shows the stored class instead: DateTime properties
// are read from their ISO text, and the select list is applied here. When
// a filter touches a DateTime property (text in the table) or the key
// property (which OGR's attribute SQL cannot name in a GeoPackage), the
// inner reader gets only the top-level conjuncts that touch neither
// (keeping the R-tree in play) and this reader decides the whole filter
// with FdoCommonFilterEvaluator against the stored class.
#pragma once

#include "SdfClassBinding.h"

#include <ogrcore/OgrFeatureReader.h>

#include <optional>

namespace sdf {

class SdfFeatureReader : public FdoIFeatureReader {
public:
    // selectList: the properties to return (null or empty: all).
    static SdfFeatureReader* Create(SdfClassBinding* binding, FdoIdentifierCollection* selectList,
                                    FdoFilter* filter, FdoParameterValueCollection* parameters);

    FdoClassDefinition* GetClassDefinition() override;
    FdoInt32 GetDepth() override { return 0; }
    FdoIFeatureReader* GetFeatureObject(FdoString* name) override;

    bool GetBoolean(FdoString* name) override { return GetBoolean(Selected(name)); }
    FdoByte GetByte(FdoString* name) override { return GetByte(Selected(name)); }
    FdoDateTime GetDateTime(FdoString* name) override { return GetDateTime(Selected(name)); }
    double GetDouble(FdoString* name) override { return GetDouble(Selected(name)); }
    FdoInt16 GetInt16(FdoString* name) override { return GetInt16(Selected(name)); }
    FdoInt32 GetInt32(FdoString* name) override { return GetInt32(Selected(name)); }
    FdoInt64 GetInt64(FdoString* name) override { return GetInt64(Selected(name)); }
    float GetSingle(FdoString* name) override { return GetSingle(Selected(name)); }
    FdoString* GetString(FdoString* name) override { return GetString(Selected(name)); }
    FdoLOBValue* GetLOB(FdoString* name) override { return GetLOB(Selected(name)); }
    FdoIStreamReader* GetLOBStreamReader(FdoString* name) override;
    bool IsNull(FdoString* name) override { return IsNull(Selected(name)); }
    FdoByteArray* GetGeometry(FdoString* name) override { return GetGeometry(Selected(name)); }
    const FdoByte* GetGeometry(FdoString* name, FdoInt32* count) override {
        return GetGeometry(Selected(name), count);
    }
    FdoIRaster* GetRaster(FdoString* name) override;

    bool GetBoolean(FdoInt32 index) override;
    FdoByte GetByte(FdoInt32 index) override;
    FdoDateTime GetDateTime(FdoInt32 index) override;
    double GetDouble(FdoInt32 index) override;
    FdoInt16 GetInt16(FdoInt32 index) override;
    FdoInt32 GetInt32(FdoInt32 index) override;
    FdoInt64 GetInt64(FdoInt32 index) override;
    float GetSingle(FdoInt32 index) override;
    FdoString* GetString(FdoInt32 index) override;
    FdoLOBValue* GetLOB(FdoInt32 index) override;
    bool IsNull(FdoInt32 index) override;
    FdoByteArray* GetGeometry(FdoInt32 index) override;
    const FdoByte* GetGeometry(FdoInt32 index, FdoInt32* count) override;

    FdoString* GetPropertyName(FdoInt32 index) override;
    FdoInt32 GetPropertyIndex(FdoString* name) override;
    bool ReadNext() override;
    void Close() override;

    // The OGR feature id of the current row, for update and delete.
    FdoInt64 GetFid() { return m_inner->GetFid(); }

protected:
    SdfFeatureReader() = default;
    ~SdfFeatureReader() override;
    void Dispose() override { delete this; }

private:
    class FullView;
    struct Column {
        FdoStringP name;
        FdoInt32 inner;  // index in the inner reader
        bool isDateTime;
    };

    FdoInt32 Selected(FdoString* name);  // reader index of a selected property
    const Column& At(FdoInt32 index);    // by reader index
    const Column& Plain(const Column& c);  // throws for a DateTime column
    FdoDateTime ReadDateTime(const Column& c);

    FdoPtr<SdfClassBinding> m_binding;
    FdoPtr<ogrcore::FeatureReader> m_inner;
    FdoPtr<FdoClassDefinition> m_classCopy;
    std::vector<Column> m_columns;    // every property of the class
    std::vector<FdoInt32> m_selected; // column per reader index
    FdoPtr<FdoCommonFilterEvaluator> m_evaluator;
    FdoPtr<FdoIReader> m_fullView;
    bool m_closed = false;

    friend class FullView;
};

}  // namespace sdf
