// FdoCommonFilterEvaluator: decides a filter on the current row of a reader,
// for providers whose data store cannot (or can only partly) evaluate it.
//
// The filter is prepared once: property names are checked against the
// class and turned into reader indexes on the first row of each reader,
// functions are looked up, parameters bound, literal geometries prepared
// for GEOS. IsMatch then costs little per row.
//
// Semantics, as SQL has them: a comparison involving null is unknown, NOT
// of unknown is unknown, and a row is selected only when the filter is
// true. Numbers compare by value across Byte, Int16/32/64, Single, Double
// and Decimal; strings compare case-sensitively, character by character;
// LIKE takes '%' for any run and '_' for one character, case-sensitively,
// with no escape character. Arithmetic on integers stays integer unless it
// overflows, '/' gives a double and division by zero null; '+' on two
// strings concatenates. Functions: Abs, Ceil, Floor, Round, Sqrt, Lower,
// Upper, Trim, Length, Substr, Concat, ToString, ToDouble, ToInt32 and
// NullValue. Spatial conditions need a literal geometry (or a parameter
// bound to one); ENVELOPEINTERSECTS compares bounding boxes only. A date
// compares with a date and time as its midnight.
//
// Unknown properties and functions, unbound parameters and sub-selects
// throw FdoFilterException from Create; values of the wrong kind (a string
// compared with a number, LIKE on a number) throw it from IsMatch. An
// evaluator serves one thread at a time.
#pragma once

#include <Fdo/Commands/Feature/IReader.h>
#include <Fdo/Commands/ParameterValue.h>
#include <Fdo/Filter/Filter.h>
#include <Fdo/Schema/ClassDefinition.h>

#include <memory>

class FDO_API FdoCommonFilterEvaluator : public FdoDisposable {
public:
    // classDefinition gives the property types; when it is null, the types
    // are asked of the reader, which must then be an FdoIDataReader.
    // parameters binds ":name" parameters (may be null). New reference;
    // throws FdoFilterException when the filter cannot be evaluated.
    static FdoCommonFilterEvaluator* Create(FdoFilter* filter, FdoClassDefinition* classDefinition,
                                            FdoParameterValueCollection* parameters = nullptr);

    // True when the reader's current row satisfies the filter. Property
    // indexes are looked up on the first row seen from a reader and kept
    // while the same reader is passed.
    bool IsMatch(FdoIReader* reader);

protected:
    FdoCommonFilterEvaluator();
    ~FdoCommonFilterEvaluator() override;

private:
    struct Impl;
    std::unique_ptr<Impl> m;
};
