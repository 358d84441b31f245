// One-call copies from any FDO source to a new SDF file, to shape files in a
// folder, or to any other FDO data store.
//
// Each opens its own connections, runs the class copy with the destination
// schema made from the source, and writes the feature count only when the
// copy finished. Nothing runs in a transaction: a copy that fails half-way
// leaves what it inserted, and the files it created, in place.
#include "transfer/StoreAccess.h"

#include <GeoxferApi/FDO_Api.h>
#include <GeoxferApi/FDO_MiscUtil.h>
#include <GeoxferApi/LastError.h>

#include <Fdo.h>

#include <filesystem>

using gxf::StoreRole;

namespace {

constexpr int kCopyBatchSize = 300;

// A name that opens for reading and is not a folder. Opening a folder for
// reading succeeds here, so the probe alone would take a destination folder
// for a file and try to delete it instead of the shape files in it.
bool IsReadableFile(const wchar_t* path) {
    FdoStringP name(path);
    const char* utf8 = static_cast<const char*>(name);
    std::error_code ec;
    if (std::filesystem::is_directory(std::filesystem::path(utf8), ec)) return false;
    return c_FDO_MiscUtil::FileExists(utf8);
}

FdoStringP WithTrailingSeparator(const wchar_t* folder) {
    FdoStringP path(folder);
    const std::wstring& text = path.Str();
    if (!text.empty() && (text.back() == L'\\' || text.back() == L'/')) return path;
    return path + L"/";
}

// Removes, in the folder, the shape file set each class of the list will be
// written to. Missing files are no error.
void DeleteShapeFileSets(const wchar_t* folder, FdoStringCollection* classNames, bool fromNorvOracle) {
    static const wchar_t* const kExtensions[] = {L".SHP", L".DBF", L".CPG", L".IDX", L".SHX"};
    FdoStringP prefix = WithTrailingSeparator(folder);
    for (FdoInt32 i = 0; i < classNames->GetCount(); i++) {
        // A schema-qualified entry (Default:Roads) names the same file set
        // as its class name: shape files carry no schema in their names.
        FdoStringP className = classNames->GetString(i);
        if (className.Contains(L":")) className = className.Right(L":");
        FdoStringP baseName = className;
        if (fromNorvOracle) c_FDO_Api::GetTableNameFromNorvOracleClass(className, baseName);
        // A name that reaches into other folders is no shape file set of
        // this one: never delete outside the destination folder.
        if (baseName.GetLength() == 0 || baseName.Contains(L"/") || baseName.Contains(L"\\")) continue;
        for (const wchar_t* extension : kExtensions) {
            FdoStringP path = prefix + baseName + extension;
            c_FDO_MiscUtil::FileDelete(path);
            // The shape provider writes its files in lower-case extensions;
            // remove those too so an overwrite really starts afresh.
            FdoStringP lower = prefix + baseName + FdoStringP(extension).Lower();
            c_FDO_MiscUtil::FileDelete(lower);
        }
    }
}

// The part every copy shares once the source is open and the destination
// prepared: open the destination, copy the classes, close both. The count
// is written only when the copy finished; a failure throws to the caller.
int CopyAndClose(FdoIConnection* source, const wchar_t* destProvider, const wchar_t* destConnString,
                 FdoStringCollection* classNames, const wchar_t* filter, bool skipSchemaCreation, long& featureCount) {
    FdoPtr<FdoIConnection> destination;
    if (int rc = gxf::OpenStore(StoreRole::Destination, destProvider, destConnString, destination)) return rc;
    long copied = c_FDO_Api::CopyFdoClass(source, destination, classNames, 0, kCopyBatchSize, skipSchemaCreation,
                                          filter);
    featureCount = copied;
    source->Close();
    destination->Close();
    return GXF_Result_OK;
}

}  // namespace

int c_FDO_Api::GXF_CopyFdoToSDF(const wchar_t* srcProvider, const wchar_t* srcConnString, const wchar_t* classList,
                                const wchar_t* filter, const wchar_t* sdfFile, bool overwrite, long& featureCount) {
    try {
        FdoPtr<FdoIConnection> source;
        if (int rc = gxf::OpenStore(StoreRole::Source, srcProvider, srcConnString, source)) return rc;
        if (overwrite && IsReadableFile(sdfFile)) c_FDO_MiscUtil::FileDelete(sdfFile);
        if (!CreateSdfFile(sdfFile)) return gxf::Fail(GXF_Result_CreateSdfFile, L"Unable to Create new SDF File");

        FdoStringP connString = FdoStringP(L"File=") + gxf::ConnStringValue(sdfFile) + L";ReadOnly=FALSE;";
        FdoPtr<FdoStringCollection> classNames = gxf::SplitList(classList);
        return CopyAndClose(source, L"OSGeo.SDF", connString, classNames, filter, false, featureCount);
    } catch (FdoException* e) {
        return gxf::FailWithException(e);
    }
}

int c_FDO_Api::GXF_CopyFdoToSHP(const wchar_t* srcProvider, const wchar_t* srcConnString, const wchar_t* classList,
                                const wchar_t* filter, const wchar_t* destFolder, bool overwrite, long& featureCount) {
    try {
        FdoPtr<FdoIConnection> source;
        if (int rc = gxf::OpenStore(StoreRole::Source, srcProvider, srcConnString, source)) return rc;
        FdoPtr<FdoStringCollection> classNames = gxf::SplitList(classList);
        if (overwrite) {
            if (IsReadableFile(destFolder))
                c_FDO_MiscUtil::FileDelete(destFolder);
            else
                DeleteShapeFileSets(destFolder, classNames, FdoStringP(srcProvider).Contains(L"Norv.Oracle"));
        }

        FdoStringP connString = FdoStringP(L"DefaultFileLocation=") + gxf::ConnStringValue(destFolder);
        return CopyAndClose(source, L"OSGeo.SHP", connString, classNames, filter, false, featureCount);
    } catch (FdoException* e) {
        return gxf::FailWithException(e);
    }
}

int c_FDO_Api::GXF_CopyFdoToFdo(const wchar_t* srcProvider, const wchar_t* srcConnString,
                                const wchar_t* destProvider, const wchar_t* destConnString,
                                const wchar_t* classList, const wchar_t* filter, bool skipSchemaCreation,
                                long& featureCount) {
    try {
        FdoPtr<FdoIConnection> source;
        if (int rc = gxf::OpenStore(StoreRole::Source, srcProvider, srcConnString, source)) return rc;
        FdoPtr<FdoStringCollection> classNames = gxf::SplitList(classList);
        return CopyAndClose(source, destProvider, destConnString, classNames, filter, skipSchemaCreation,
                            featureCount);
    } catch (FdoException* e) {
        return gxf::FailWithException(e);
    }
}
