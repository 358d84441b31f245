// The capabilities the file providers report alike.
//
// Filters and expressions are whatever the common filter evaluator checks,
// since any row can be tested by it whatever the data source translates;
// the connection settings are those of a store one connection thread
// uses, with static and dynamic spatial contexts, several of them. Each
// provider reports its own commands, data types and geometries.
#pragma once

#include <FdoCommon/FdoCommonCapabilities.h>

namespace ogrcore {

FdoIFilterCapabilities* EvaluatorFilterCapabilities();
// Basic, function and parameter expressions; functions: the functions
// listed (null: none).
FdoIExpressionCapabilities* EvaluatorExpressionCapabilities(FdoFunctionDefinitionCollection* functions = nullptr);
// write: whether the connection writes.
FdoIConnectionCapabilities* FileConnectionCapabilities(bool write);

}  // namespace ogrcore
