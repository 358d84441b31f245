// Collections of expressions: function arguments and IN-list values.
#pragma once

#include <Fdo/Common/Collection.h>
#include <Fdo/Expression/Expression.h>

class FDO_API FdoExpressionCollection : public FdoCollection<FdoExpression, FdoExpressionException> {
public:
    static FdoExpressionCollection* Create() { return new FdoExpressionCollection(); }

protected:
    FdoExpressionCollection() = default;
    void Dispose() override { delete this; }
};

class FDO_API FdoValueExpressionCollection
    : public FdoCollection<FdoValueExpression, FdoExpressionException> {
public:
    static FdoValueExpressionCollection* Create() { return new FdoValueExpressionCollection(); }

protected:
    FdoValueExpressionCollection() = default;
    void Dispose() override { delete this; }
};
