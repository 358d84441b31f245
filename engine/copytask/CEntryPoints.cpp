// The plain C entry points of the engine: thin forwarders to the static
// members that do the work. They add no handler of their own; the forwarded
// operation reports every failure through its result and the last error text.
//
// A host that passes no count pointer gets the copy done all the same: the
// count is then written to a local, so a careless caller cannot crash the
// library.
#include <GeoxferApi/FDO_Api.h>
#include <GeoxferApi/GXF_CopyTask_API.h>
#include <GeoxferApi/GXF_EntryPoints.h>

namespace {
// The caller's count, or a scratch one when it gave none.
long& CountOf(long* featureCount, long& scratch) { return featureCount ? *featureCount : scratch; }
}  // namespace

int GXF_ExportSchema(const wchar_t* providerName, const wchar_t* connString, const wchar_t* classList,
                     const wchar_t* schemaFile) {
    return c_FDO_Api::GXF_ExportSchema(providerName, connString, classList, schemaFile);
}

int GXF_ApplySchema(const wchar_t* providerName, const wchar_t* connString, const wchar_t* schemaFile,
                    long reserved) {
    return c_FDO_Api::GXF_ApplySchemaFromXML(providerName, connString, true, schemaFile, reserved);
}

int GXF_CreateDataStore(const wchar_t* providerName, const wchar_t* dataStoreProperties) {
    return c_FDO_Api::GXF_CreateDataStore(providerName, dataStoreProperties);
}

int GXF_CopyFdoToFdo(const wchar_t* srcProvider, const wchar_t* srcConnString, const wchar_t* destProvider,
                     const wchar_t* destConnString, const wchar_t* classList, const wchar_t* filter,
                     bool skipSchemaCreation, long* featureCount) {
    long scratch = 0;
    return c_FDO_Api::GXF_CopyFdoToFdo(srcProvider, srcConnString, destProvider, destConnString, classList, filter,
                                       skipSchemaCreation, CountOf(featureCount, scratch));
}

int GXF_CopyFdoToSHP(const wchar_t* srcProvider, const wchar_t* srcConnString, const wchar_t* classList,
                     const wchar_t* filter, const wchar_t* destFolder, bool overwrite, long* featureCount) {
    long scratch = 0;
    return c_FDO_Api::GXF_CopyFdoToSHP(srcProvider, srcConnString, classList, filter, destFolder, overwrite,
                                       CountOf(featureCount, scratch));
}

int GXF_CopyFdoToSDF(const wchar_t* srcProvider, const wchar_t* srcConnString, const wchar_t* classList,
                     const wchar_t* filter, const wchar_t* sdfFile, bool overwrite, long* featureCount) {
    long scratch = 0;
    return c_FDO_Api::GXF_CopyFdoToSDF(srcProvider, srcConnString, classList, filter, sdfFile, overwrite,
                                       CountOf(featureCount, scratch));
}

int GXF_RunCopyTask(const wchar_t* taskFile, long* featureCount) {
    long scratch = 0;
    return c_GXF_CopyTask_API::GXF_CopyFdoToFdo(taskFile, CountOf(featureCount, scratch));
}
