// One element of an Oracle spatial metadata dimension array (SDO_DIM_ARRAY):
// name, bounds and tolerance of one axis. The collection keeps the
// dimension order.
//
// Reference-counted: `new` gives the first reference, the last Release
// deletes. The constructor leaves the numbers at 0; whoever fills a record
// sets all four values.
#pragma once

#include <GeoxferApi/Export.h>

#include <Fdo/Common/Collection.h>
#include <Fdo/Common/Exception.h>
#include <Fdo/Common/StringP.h>

class GXF_API c_DimInfoData : public FdoIDisposable {
public:
    c_DimInfoData();
    c_DimInfoData(FdoString* name, double lowerBound, double upperBound, double tolerance);

    FdoStringP m_DimName;      // SDO_DIMNAME
    double m_LowerBound = 0;   // SDO_LB
    double m_UpperBound = 0;   // SDO_UB
    double m_Tolerance = 0;    // SDO_TOLERANCE

protected:
    ~c_DimInfoData() override;
    void Dispose() override;
};

class GXF_API c_DimInfoDataCollection : public FdoCollection<c_DimInfoData, FdoException> {
public:
    c_DimInfoDataCollection() = default;
    static c_DimInfoDataCollection* Create() { return new c_DimInfoDataCollection(); }

protected:
    ~c_DimInfoDataCollection() override = default;
    void Dispose() override { delete this; }
};
