// FeatureReader: an FdoIFeatureReader streaming the features of one OGR layer.
//
// Rows are pulled from OGR one at a time; values are converted only when a
// getter asks, and cached until the next row, so strings and geometry bytes
// handed out stay valid until ReadNext. The filter is planned once
// (FilterPlan): OGR applies its part, and each row it returns is checked
// by FdoCommonFilterEvaluator for the rest. The evaluator reads through a
// view that sees every property, since the filter may name properties the
// select list leaves out.
//
// Getters follow FDO's rules: the getter must match the property's type
// (GetDouble also reads Decimal), a null value throws, and a name outside
// the select list throws.
#pragma once

#include <ogrcore/OgrClassMap.h>

namespace ogrcore {

class FeatureRow;
class LeaseHolder;

class FeatureReader : public FdoIFeatureReader {
public:
    // selectList: property names to return (null or empty: all); filter and
    // parameters may be null. pushDown false evaluates the whole filter
    // row by row (tests use it to prove both paths agree).
    static FeatureReader* Create(ClassMap* map, FdoIdentifierCollection* selectList, FdoFilter* filter,
                                 FdoParameterValueCollection* parameters, bool pushDown = true);

    FdoClassDefinition* GetClassDefinition() override;
    FdoInt32 GetDepth() override { return 0; }
    FdoIFeatureReader* GetFeatureObject(FdoString* name) override;

    bool GetBoolean(FdoString* name) override;
    FdoByte GetByte(FdoString* name) override;
    FdoDateTime GetDateTime(FdoString* name) override;
    double GetDouble(FdoString* name) override;
    FdoInt16 GetInt16(FdoString* name) override;
    FdoInt32 GetInt32(FdoString* name) override;
    FdoInt64 GetInt64(FdoString* name) override;
    float GetSingle(FdoString* name) override;
    FdoString* GetString(FdoString* name) override;
    FdoLOBValue* GetLOB(FdoString* name) override;
    FdoIStreamReader* GetLOBStreamReader(FdoString* name) override;
    bool IsNull(FdoString* name) override;
    FdoByteArray* GetGeometry(FdoString* name) override;
    const FdoByte* GetGeometry(FdoString* name, FdoInt32* count) override;
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

    // The OGR feature id of the current row (for update and delete).
    FdoInt64 GetFid();

protected:
    FeatureReader() = default;
    ~FeatureReader() override;
    void Dispose() override { delete this; }

private:
    int Binding(FdoString* name);  // binding index of a selected property
    int Binding(FdoInt32 index);

    FdoPtr<FeatureRow> m_row;
    FdoPtr<FdoClassDefinition> m_class;  // as the caller sees it
    std::vector<int> m_selected;         // binding index per reader index
    std::vector<int> m_readerIndex;      // reader index per binding, -1 when not selected
    FdoPtr<FdoCommonFilterEvaluator> m_evaluator;
    FdoPtr<LeaseHolder> m_lease;
    bool m_closed = false;
};

}  // namespace ogrcore
