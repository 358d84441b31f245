// One static initialiser registers every built-in provider when the
// library is loaded, so linking FdoProviders is all a program does to get
// them.
#include "BuiltInProviders.h"

namespace {

const bool registered = [] {
    FdoShpProvider_Register();
    FdoSdfProvider_Register();
    FdoKmlProvider_Register();
    FdoOgrProvider_Register();
    FdoNorvOracleProvider_Register();
    FdoNorvMsSqlSpatialProvider_Register();
    FdoNorvInformixProvider_Register();
    return true;
}();

}  // namespace
