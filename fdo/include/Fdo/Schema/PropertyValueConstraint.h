// Value constraints of a data property: a range or a list of allowed values.
// The bounds and list members are FdoDataValue, so they keep their type
// and print as FDO literal text.
#pragma once

#include <Fdo/Expression/DataValue.h>

class FDO_API FdoPropertyValueConstraint : public FdoIDisposable {
public:
    virtual FdoPropertyValueConstraintType GetConstraintType() = 0;

protected:
    FdoPropertyValueConstraint() = default;
    void Dispose() override { delete this; }
};

class FDO_API FdoPropertyValueConstraintRange : public FdoPropertyValueConstraint {
public:
    static FdoPropertyValueConstraintRange* Create() {
        return new FdoPropertyValueConstraintRange(nullptr, true, nullptr, true);
    }
    static FdoPropertyValueConstraintRange* Create(FdoDataValue* minValue, bool minInclusive,
                                                   FdoDataValue* maxValue, bool maxInclusive) {
        return new FdoPropertyValueConstraintRange(minValue, minInclusive, maxValue, maxInclusive);
    }

    FdoPropertyValueConstraintType GetConstraintType() override {
        return FdoPropertyValueConstraintType_Range;
    }

    // New references, or null when that side is open.
    FdoDataValue* GetMinValue() { return FDO_SAFE_ADDREF(m_min.p); }
    void SetMinValue(FdoDataValue* value) { m_min = FDO_SAFE_ADDREF(value); }
    FdoDataValue* GetMaxValue() { return FDO_SAFE_ADDREF(m_max.p); }
    void SetMaxValue(FdoDataValue* value) { m_max = FDO_SAFE_ADDREF(value); }
    bool GetMinInclusive() { return m_minInclusive; }
    void SetMinInclusive(bool value) { m_minInclusive = value; }
    bool GetMaxInclusive() { return m_maxInclusive; }
    void SetMaxInclusive(bool value) { m_maxInclusive = value; }

protected:
    FdoPropertyValueConstraintRange(FdoDataValue* minValue, bool minInclusive,
                                    FdoDataValue* maxValue, bool maxInclusive)
        : m_min(FDO_SAFE_ADDREF(minValue)), m_max(FDO_SAFE_ADDREF(maxValue)),
          m_minInclusive(minInclusive), m_maxInclusive(maxInclusive) {}

private:
    FdoPtr<FdoDataValue> m_min;
    FdoPtr<FdoDataValue> m_max;
    bool m_minInclusive;
    bool m_maxInclusive;
};

class FDO_API FdoPropertyValueConstraintList : public FdoPropertyValueConstraint {
public:
    static FdoPropertyValueConstraintList* Create() { return new FdoPropertyValueConstraintList(); }

    FdoPropertyValueConstraintType GetConstraintType() override {
        return FdoPropertyValueConstraintType_List;
    }
    // New reference to the live list of allowed values.
    FdoDataValueCollection* GetConstraintList() { return FDO_SAFE_ADDREF(m_list.p); }

protected:
    FdoPropertyValueConstraintList() : m_list(FdoDataValueCollection::Create()) {}

private:
    FdoPtr<FdoDataValueCollection> m_list;
};
