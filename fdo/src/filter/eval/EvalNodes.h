// The prepared form of a filter: a tree of small nodes built once from the
// filter (literals converted, functions looked up, property names turned
// into slots, literal geometries handed to GEOS) and then evaluated for
// each row without allocating or looking anything up by name.
#pragma once

#include <Fdo/Commands/Feature/IFeatureReader.h>

#include "filter/eval/EvalValue.h"

#include <memory>
#include <vector>

namespace FdoFilterEval {

// A property the filter reads, and where the bound reader has it.
struct Slot {
    std::wstring name;
    bool isGeometry = false;
    bool typeKnown = false;
    FdoDataType type = FdoDataType_String;
    FdoInt32 index = -1;
    std::wstring readerName;  // the bound reader's name at index
};

// The current row: the bound reader and the slots bound to it.
struct Row {
    FdoIReader* reader = nullptr;
    FdoIFeatureReader* featureReader = nullptr;
    std::vector<Slot>* slots = nullptr;

    void Read(size_t slot, Value& out);
};

class ExprNode {
public:
    virtual ~ExprNode() = default;
    virtual void Eval(Row& row, Value& out) = 0;
};
using ExprPtr = std::unique_ptr<ExprNode>;

// SQL-like three-valued logic: a comparison with null is Unknown, NOT
// Unknown stays Unknown, and only True selects a row.
enum class Tri { False, True, Unknown };

class FilterNode {
public:
    virtual ~FilterNode() = default;
    virtual Tri Eval(Row& row) = 0;
};
using FilterPtr = std::unique_ptr<FilterNode>;

// Expressions. A constant keeps its own copy of text and bytes.
ExprPtr MakeConstant(const Value& value);
ExprPtr MakeProperty(size_t slot);
ExprPtr MakeBinary(FdoBinaryOperations op, ExprPtr left, ExprPtr right);
ExprPtr MakeNegate(ExprPtr operand);
// Throws FdoFilterException for an unknown name or a wrong argument count.
ExprPtr MakeFunction(FdoString* name, std::vector<ExprPtr> arguments);

// Conditions. text is the condition's filter text, for messages.
FilterPtr MakeLogical(FdoBinaryLogicalOperations op, FilterPtr left, FilterPtr right);
FilterPtr MakeNot(FilterPtr operand);
FilterPtr MakeComparison(FdoComparisonOperations op, ExprPtr left, ExprPtr right, std::wstring text);
FilterPtr MakeIn(ExprPtr property, std::vector<ExprPtr> values, std::wstring text);
FilterPtr MakeNullTest(ExprPtr property);

// Orders two non-null values: false when they cannot be compared (kinds
// that do not match, NaN); order receives <0, 0 or >0.
bool Compare(const Value& a, const Value& b, int& order);
// LIKE with '%' (any run) and '_' (one character), case-sensitive.
bool Like(std::wstring_view text, std::wstring_view pattern);
// Text of a value as ToString() gives it.
std::wstring ValueText(const Value& v);

}  // namespace FdoFilterEval
