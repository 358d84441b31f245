// Compiled with only the layer's own include folder: every public header of
// the layer (the umbrella and the ones it leaves out) must stand without
// Xerces, GEOS or any other library the layer uses inside.
#include <Fdo.h>
#include <Fdo/ClientServices/ConnectionManager.h>
#include <Fdo/ClientServices/Provider.h>
#include <Fdo/ClientServices/ProviderRegistry.h>
#include <Fdo/Xml/XmlSupport.h>
#include <FdoCommon/FdoCommonCapabilities.h>
#include <FdoCommon/FdoCommonConnPropDictionary.h>
#include <FdoCommon/FdoCommonConnStringParser.h>
#include <FdoCommon/FdoCommonEnumNames.h>

int main() { return FdoCommonEnumNames::DataType(FdoDataType_Int32) ? 0 : 1; }
