// A copy task: source and destination connections, the classes to copy and
// the options of a run, and the XML file in which a task is kept.
//
// The object only stores what a run will do; running it is the copy task
// API's business. Reference-counted like the other definitions: `new` gives
// the first reference, the last Release deletes. WriteToXML and ReadFromXML
// are virtual and follow the inherited slots, in that order, because the
// desktop program binds to the exported class layout.
#pragma once

#include <GeoxferApi/Export.h>
#include <GeoxferApi/GXFClassCopyDef.h>

#include <Fdo/Common/Ptr.h>
#include <Fdo/Common/StringP.h>

class GXF_API c_GXFCopyTaskDef : public FdoIDisposable {
public:
    // Defaults: empty texts, no classes, apply schema, create spatial
    // context, magic names and types, create a missing SDF file, Oracle SRID -1.
    c_GXFCopyTaskDef();

    const wchar_t* GetSourceProvider() const;
    void SetSourceProvider(const wchar_t* name);
    const wchar_t* GetSourceConnString() const;
    void SetSourceConnString(const wchar_t* connString);
    const wchar_t* GetDestProvider() const;
    void SetDestProvider(const wchar_t* name);
    const wchar_t* GetDestConnString() const;
    void SetDestConnString(const wchar_t* connString);

    // The task's own collection, with a reference added for the caller.
    c_GXFClassCopyDefCollection* GetClassCopyDefCollection() const;

    bool GetExecuteApplySchema() const;
    void SetExecuteApplySchema(bool execute);
    const wchar_t* GetApplySchemaXML() const;
    void SetApplySchemaXML(const wchar_t* fileName);
    bool GetCreateSpatialContext() const;
    void SetCreateSpatialContext(bool create);
    const wchar_t* GetSpatialContextXML() const;
    void SetSpatialContextXML(const wchar_t* fileName);
    bool GetDeleteDestinationData() const;
    void SetDeleteDestinationData(bool del);
    bool GetMagicDataTypes() const;
    void SetMagicDataTypes(bool magic);
    bool GetMagicClassName() const;
    void SetMagicClassName(bool magic);
    bool GetSDF_Attr_CreateIfMissing() const;
    void SetSDF_Attr_CreateIfMissing(bool create);
    bool GetSDF_Attr_OverwriteFile() const;
    void SetSDF_Attr_OverwriteFile(bool overwrite);
    // Below 0: no SRID given.
    FdoInt32 GetOracle_Attr_SRID() const;
    void SetOracle_Attr_SRID(FdoInt32 srid);

    // Appends the source class names, comma-separated, to classes (no comma
    // before the first) and returns the number of class definitions.
    int GetSourceClassesAsString(FdoStringP& classes) const;

    // Writes the task to fileName, replacing the file. Returns true; failures
    // are thrown as FdoException*.
    virtual bool WriteToXML(const wchar_t* fileName);
    // Fills the task from fileName; false when the file does not parse into
    // a document. Class definitions read are appended to those held.
    virtual bool ReadFromXML(const wchar_t* fileName);

protected:
    ~c_GXFCopyTaskDef() override;
    void Dispose() override;

private:
    FdoStringP m_SourceProvider;
    FdoStringP m_SourceConnString;
    FdoStringP m_DestProvider;
    FdoStringP m_DestConnString;
    FdoPtr<c_GXFClassCopyDefCollection> m_ClassCopyDefs;
    bool m_ExecuteApplySchema;
    FdoStringP m_ApplySchemaXML;
    bool m_CreateSpatialContext;
    FdoStringP m_SpatialContextXML;
    bool m_DeleteDestinationData;
    bool m_MagicDataTypes;
    bool m_MagicClassName;
    bool m_SDF_Attr_CreateIfMissing;
    bool m_SDF_Attr_OverwriteFile;
    FdoInt32 m_Oracle_Attr_SRID;
};
