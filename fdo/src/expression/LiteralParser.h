// A reader for one literal value of FDO expression text, used where a value
// is given as text (FdoPropertyValue::SetValue) until a full expression
// parser takes over that role.
#pragma once

#include <Fdo/Expression/Expression.h>

// New reference: an FdoDataValue or an FdoParameter. Throws
// FdoExpressionException "String does not represent a valid expression."
// whose cause names the text and what is wrong with it.
FdoValueExpression* FdoParseLiteralValue(FdoString* text);
