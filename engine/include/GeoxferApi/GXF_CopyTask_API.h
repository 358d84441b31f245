// c_GXF_CopyTask_API: running copy tasks and building default ones.
//
// A run prepares the destination (SDF file, schema), then pumps the features
// of every class definition of the task from the source into the
// destination, renaming properties as the task's mappings say. Operations
// that take a task or a task file return a result code with the last error
// text (LastError.h); the pump itself works on open connections and throws
// FdoException.
#pragma once

#include <GeoxferApi/Export.h>
#include <GeoxferApi/GXFCopyTaskDef.h>

class FdoIConnection;
class c_GXF_CopyMonitor;
class FdoClassDefinition;

class GXF_API c_GXF_CopyTask_API {
public:
    // Runs the task. The count is set to 0 at once and, on success, holds
    // the number of features inserted. A failed run leaves the count at 0,
    // while the features inserted before the failure stay in the destination.
    static int GXF_CopyFdoToFdo(c_GXFCopyTaskDef* task, long& count);
    // The same run, followed by the monitor (null: none), which may stop it
    // (GXF_CopyMonitor.h): a stopped run returns GXF_Result_CopyCancelled
    // with "Copy cancelled" as the last error text and the count set to the
    // features inserted before the stop, which stay in the destination.
    static int GXF_CopyFdoToFdo(c_GXFCopyTaskDef* task, long& count, c_GXF_CopyMonitor* monitor);
    // Reads the task file and runs it. An unreadable file gives 8 and leaves
    // the count as the caller set it.
    static int GXF_CopyFdoToFdo(const wchar_t* taskFile, long& count);

    // Copies the classes of the definitions, in order, from the open source
    // to the open destination; returns the features inserted over all
    // classes. batchSize > 1 inserts through batch parameter values where the
    // destination offers them. magicClassName enables the loose destination
    // class lookups. Failures are thrown as FdoException*.
    static long CopyFdoClassCollection(FdoIConnection* source, FdoIConnection* destination,
                                       c_GXFClassCopyDefCollection* classDefs, int batchSize, bool magicClassName,
                                       bool magicDataTypes);

    // Appends to the task one class definition per class of the source
    // (every property mapped onto its namesake) and sets the task's source
    // fields. The destination arguments are accepted and not used.
    static int CreateDeafultCopyTask(c_GXFCopyTaskDef* task, const wchar_t* srcProvider, const wchar_t* srcConnString,
                                     const wchar_t* destProvider, const wchar_t* destConnString);
    // A new class definition (one reference, the caller's) copying the class
    // onto its own qualified name with each own property mapped onto itself.
    static c_GXFClassCopyDef* CreateDeafultCopyClass(FdoClassDefinition* sourceClass);
};
