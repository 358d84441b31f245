// What ApplySchema does with one class of the applied schema, for stores
// that hold one layer or file per class and cannot alter a class in place.
//
// The element state decides: an added class is created (a conflict when it
// exists already), a modified one is created when it does not exist yet,
// a deleted one is removed when it exists. With ignore-states every class
// that does not exist is created and nothing is removed.
#pragma once

#include <Fdo.h>

namespace ogrcore {

enum class ClassChange { Keep, Create, Remove, Conflict };

inline ClassChange ClassChangeFor(FdoSchemaElementState state, bool exists, bool ignoreStates) {
    if (ignoreStates || state == FdoSchemaElementState_Modified) return exists ? ClassChange::Keep : ClassChange::Create;
    if (state == FdoSchemaElementState_Added) return exists ? ClassChange::Conflict : ClassChange::Create;
    if (state == FdoSchemaElementState_Deleted && exists) return ClassChange::Remove;
    return ClassChange::Keep;
}

}  // namespace ogrcore
