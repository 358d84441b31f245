// FdoFilter: the root of the filter tree (logical operators and search
// conditions), with the text parser and the combinator.
//
// Filters are built by Parse or by the Create functions of the concrete
// classes, and print back as filter text with ToString; Parse(ToString(f))
// rebuilds an equal filter. Computed identifiers used in a filter print as a
// prefix "( expr ) AS name, <filter>", the form Parse reads.
#pragma once

#include <Fdo/Common/Enums.h>
#include <Fdo/Common/Exception.h>

class FdoIFilterProcessor;

class FDO_API FdoFilter : public FdoIDisposable {
public:
    // New reference. Bad text throws FdoFilterException "String does not
    // represent a valid filter." whose cause quotes the text and tells at
    // which position (counted from 0) and why it failed.
    static FdoFilter* Parse(FdoString* filterText);

    // New reference to "left op right". A null side gives the other one (a
    // new reference to it); both null give null.
    static FdoFilter* Combine(FdoFilter* left, FdoBinaryLogicalOperations operation, FdoFilter* right);
    static FdoFilter* Combine(FdoString* left, FdoBinaryLogicalOperations operation, FdoString* right);
    static FdoFilter* Combine(FdoFilter* left, FdoBinaryLogicalOperations operation, FdoString* right);
    static FdoFilter* Combine(FdoString* left, FdoBinaryLogicalOperations operation, FdoFilter* right);

    // Calls the processor function that matches this filter's kind.
    virtual void Process(FdoIFilterProcessor* processor) = 0;

    // Filter text, owned by the filter until the next call or change.
    virtual FdoString* ToString();

protected:
    FdoFilter() = default;
    void Dispose() override { delete this; }

private:
    FdoStringP m_toString;
};
