// Running a copy task from end to end: create both connections, prepare an
// SDF destination file, prepare the destination schema (from a schema file
// or from the source), open both connections, pump the classes, close.
//
// When the schema apply from the source failed and the copy then misses a
// destination class, the error names the apply's reason too: the missing
// class is only the symptom.
//
// Naming an apply schema file switches the loose class lookup and the type
// adaptation off: the file is then the authority on destination names and
// types. Copies are not transactional; what a failed run inserted stays, but
// the count of a failed run is 0. A run stopped by its monitor keeps what it
// inserted too, and its count says how much that was.
#include <GeoxferApi/FDO_Api.h>
#include <GeoxferApi/FDO_MiscUtil.h>
#include <GeoxferApi/GXF_CopyTask_API.h>
#include <GeoxferApi/LastError.h>

#include "copytask/CopyProgress.h"
#include "copytask/LastErrorText.h"

#include "transfer/Connections.h"
#include "transfer/SourceSchemaApply.h"

#include <Fdo.h>

namespace {

// Rows per insert execution when the destination takes batches.
constexpr int kCopyTaskBatchSize = 100;

int Fail(int code, const wchar_t* message) {
    SetLastErrorText(message);
    return code;
}

bool IsEmpty(const wchar_t* text) { return !text || !*text; }

// Replaces or creates the destination SDF file as the task asks. Returns 0 or 11.
int PrepareSdfFile(c_GXFCopyTaskDef* task) {
    FdoStringP file;
    if (!c_FDO_MiscUtil::ParsePropertyFromString(task->GetDestConnString(), L"File", file)) return GXF_Result_OK;
    if (c_FDO_MiscUtil::FileExists(static_cast<const char*>(file))) {
        if (!task->GetSDF_Attr_OverwriteFile()) return GXF_Result_OK;
        if (!c_FDO_MiscUtil::FileDelete(file))
            return Fail(GXF_Result_DeleteSdfFile, L"Unable to Delete Overwrite SDF File");
        c_FDO_Api::CreateSdfFile(file);
    } else if (task->GetSDF_Attr_CreateIfMissing()) {
        c_FDO_Api::CreateSdfFile(file);
    }
    return GXF_Result_OK;
}

// applyFailure gets the reason a schema apply from the source failed
// without failing the step.
int PrepareSchema(c_GXFCopyTaskDef* task, bool magicDataTypes, FdoStringP& applyFailure) {
    if (!IsEmpty(task->GetApplySchemaXML()))
        return c_FDO_Api::GXF_ApplySchemaFromXML(task->GetDestProvider(), task->GetDestConnString(), true,
                                                 task->GetApplySchemaXML(), task->GetOracle_Attr_SRID());
    FdoStringP classList;
    task->GetSourceClassesAsString(classList);
    return gxf::ApplySchemaFromSource(task->GetDestProvider(), task->GetDestConnString(), task->GetSourceProvider(),
                                      task->GetSourceConnString(), classList, task->GetCreateSpatialContext(),
                                      magicDataTypes, task->GetOracle_Attr_SRID(), applyFailure);
}

// A destination class that is missing because the schema apply failed is
// reported with the apply's reason after the copy's own text.
FdoStringP CopyErrorText(FdoException* e, const FdoStringP& applyFailure) {
    FdoStringP text = e->GetExceptionMessage();
    if (!applyFailure.IsEmpty() && text.Contains(L"c_FDO_Api::CopyFdoClass: Unable to find Class"))
        text += FdoStringP(L" The destination schema could not be applied: ") + applyFailure;
    return text;
}

}  // namespace

int c_GXF_CopyTask_API::GXF_CopyFdoToFdo(c_GXFCopyTaskDef* task, long& count) {
    return GXF_CopyFdoToFdo(task, count, nullptr);
}

int c_GXF_CopyTask_API::GXF_CopyFdoToFdo(c_GXFCopyTaskDef* task, long& count, c_GXF_CopyMonitor* monitor) {
    count = 0;
    gxf::ScopedCopyMonitor monitored(monitor);
    try {
        if (!task) throw FdoException::Create(L"c_GXF_CopyTask_API::GXF_CopyFdoToFdo: no copy task given!");
        FdoPtr<FdoIConnection> source = gxf::CreateConnection(task->GetSourceProvider());
        if (!source) return Fail(GXF_Result_CreateSourceConnection, L"Unable to Create Source Connection");
        FdoPtr<FdoIConnection> destination = gxf::CreateConnection(task->GetDestProvider());
        if (!destination) return Fail(GXF_Result_CreateDestConnection, L"Unable to Create Destination Connection");

        const bool noSchemaFile = IsEmpty(task->GetApplySchemaXML());
        const bool magicClassName = noSchemaFile && task->GetMagicClassName();
        const bool magicDataTypes = noSchemaFile && task->GetMagicDataTypes();

        if (c_FDO_Api::IsSdfProvider(destination) &&
            (task->GetSDF_Attr_CreateIfMissing() || task->GetSDF_Attr_OverwriteFile())) {
            if (int rc = PrepareSdfFile(task)) return rc;
        }
        FdoStringP applyFailure;
        if (task->GetExecuteApplySchema()) {
            if (int rc = PrepareSchema(task, magicDataTypes, applyFailure)) return rc;
        }
        if (!gxf::OpenConnection(source, task->GetSourceConnString()))
            return Fail(GXF_Result_OpenSourceConnection, L"Unable to Open Source Connection");
        if (!gxf::OpenConnection(destination, task->GetDestConnString()))
            return Fail(GXF_Result_OpenDestConnection, L"Unable to Open Destination Connection");

        FdoPtr<c_GXFClassCopyDefCollection> classDefs = task->GetClassCopyDefCollection();
        long copied = 0;
        try {
            copied = CopyFdoClassCollection(source, destination, classDefs, kCopyTaskBatchSize, magicClassName,
                                            magicDataTypes);
        } catch (FdoException* e) {
            FdoStringP text = CopyErrorText(e, applyFailure);
            e->Release();
            return Fail(GXF_Result_FdoException, text);
        }
        source->Close();
        destination->Close();
        // Unlike a failure, a stop says how far the copy got.
        count = copied;
        if (gxf::CopyStopRequested()) return Fail(GXF_Result_CopyCancelled, L"Copy cancelled");
        return GXF_Result_OK;
    } catch (FdoException* e) {
        SetLastErrorText(e->GetExceptionMessage());
        e->Release();
        return GXF_Result_FdoException;
    }
}

int c_GXF_CopyTask_API::GXF_CopyFdoToFdo(const wchar_t* taskFile, long& count) {
    FdoPtr<c_GXFCopyTaskDef> task = new c_GXFCopyTaskDef();
    try {
        if (!task->ReadFromXML(taskFile)) return Fail(GXF_Result_ReadTaskFile, L"Error reading Task File");
    } catch (FdoException* e) {
        SetLastErrorText(e->GetExceptionMessage());
        e->Release();
        return GXF_Result_FdoException;
    }
    return GXF_CopyFdoToFdo(task.p, count);
}
