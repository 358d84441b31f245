// The process-wide provider registry, shared by FdoFeatureAccessManager and
// FdoProviderRegistry::RegisterBuiltIn.
#pragma once

#include <Fdo/ClientServices/ProviderRegistry.h>

// Borrowed; created on first use and kept until the process ends.
FdoProviderRegistry* FdoProcessProviderRegistry();
