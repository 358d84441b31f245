// The geometric conditions of the filter tree: a spatial relation between a
// geometry property and a geometry ("p INTERSECTS g"), and a distance test
// ("p WITHINDISTANCE g d", "p BEYOND g d").
#pragma once

#include <Fdo/Expression/Identifier.h>
#include <Fdo/Filter/SearchCondition.h>

class FDO_API FdoGeometricCondition : public FdoSearchCondition {
public:
    // New reference, or null.
    FdoIdentifier* GetPropertyName() { return FDO_SAFE_ADDREF(m_property); }
    void SetPropertyName(FdoIdentifier* value);
    // New reference, or null: usually an FdoGeometryValue.
    FdoExpression* GetGeometry() { return FDO_SAFE_ADDREF(m_geometry); }
    void SetGeometry(FdoExpression* value);

protected:
    FdoGeometricCondition(FdoIdentifier* propertyName, FdoExpression* geometry);
    ~FdoGeometricCondition() override;

private:
    FdoIdentifier* m_property;
    FdoExpression* m_geometry;
};

class FDO_API FdoSpatialCondition : public FdoGeometricCondition {
public:
    static FdoSpatialCondition* Create();
    static FdoSpatialCondition* Create(FdoIdentifier* propertyName, FdoSpatialOperations operation,
                                       FdoExpression* geometry);
    static FdoSpatialCondition* Create(FdoString* propertyName, FdoSpatialOperations operation,
                                       FdoExpression* geometry);

    FdoSpatialOperations GetOperation() { return m_operation; }
    void SetOperation(FdoSpatialOperations value) { m_operation = value; }

    void Process(FdoIFilterProcessor* processor) override;

protected:
    FdoSpatialCondition(FdoIdentifier* propertyName, FdoSpatialOperations operation, FdoExpression* geometry)
        : FdoGeometricCondition(propertyName, geometry), m_operation(operation) {}

private:
    FdoSpatialOperations m_operation;
};

class FDO_API FdoDistanceCondition : public FdoGeometricCondition {
public:
    static FdoDistanceCondition* Create();
    static FdoDistanceCondition* Create(FdoIdentifier* propertyName, FdoDistanceOperations operation,
                                        FdoExpression* geometry, FdoDouble distance);
    static FdoDistanceCondition* Create(FdoString* propertyName, FdoDistanceOperations operation,
                                        FdoExpression* geometry, FdoDouble distance);

    FdoDistanceOperations GetOperation() { return m_operation; }
    void SetOperation(FdoDistanceOperations value) { m_operation = value; }
    FdoDouble GetDistance() { return m_distance; }
    void SetDistance(FdoDouble value) { m_distance = value; }

    void Process(FdoIFilterProcessor* processor) override;

protected:
    FdoDistanceCondition(FdoIdentifier* propertyName, FdoDistanceOperations operation,
                         FdoExpression* geometry, FdoDouble distance)
        : FdoGeometricCondition(propertyName, geometry), m_operation(operation), m_distance(distance) {}

private:
    FdoDistanceOperations m_operation;
    FdoDouble m_distance;
};
