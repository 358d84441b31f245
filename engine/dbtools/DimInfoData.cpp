// One dimension element of an Oracle metadata row.
#include <GeoxferApi/DimInfoData.h>

c_DimInfoData::c_DimInfoData() = default;

c_DimInfoData::c_DimInfoData(FdoString* name, double lowerBound, double upperBound, double tolerance)
    : m_DimName(name), m_LowerBound(lowerBound), m_UpperBound(upperBound), m_Tolerance(tolerance) {}

c_DimInfoData::~c_DimInfoData() = default;
void c_DimInfoData::Dispose() { delete this; }
