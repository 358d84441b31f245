// c_DlgFdoCopyTaskManager: the "FDO Copy Task Manager" window. It holds one
// copy task at all times and shows it as a property tree whose edits go
// straight into the task; its buttons read and write task files, make a
// default task from a source, set and test the two connections, add and
// delete class copies and property mappings, and run the task behind the
// progress dialog (Cancel stops it after the current batch).
//
// Non-modal; several may be open at once, each with its own task. Closing
// releases the task without a question (unsaved changes are not tracked).
#pragma once

#include <Fdo/Common/Ptr.h>

#include <GeoxferControls/PropertyTreeFwd.h>

#include <QDialog>

class CMaprailApp;
class c_GXFCopyTaskDef;
class QPushButton;

class c_DlgFdoCopyTaskManager : public QDialog {
public:
    c_DlgFdoCopyTaskManager(CMaprailApp& app, QWidget* parent);
    ~c_DlgFdoCopyTaskManager() override;

    // The task shown (the window keeps its reference).
    c_GXFCopyTaskDef* Task() const { return m_task.p; }
    GxfControls::PropertyTree* Tree() const { return m_tree; }
    QPushButton* Button(const QString& text) const;

    // What "Read from XML..." does once a file is chosen: a new task read
    // from the file; false (and "Error Reading file." shown) when it does
    // not read.
    bool LoadTaskFile(const QString& path);

    // The buttons, callable from tests as a click would.
    void OnReadFromXml();
    void OnCreateFromSource();
    void OnSetSource();
    void OnTestSource();
    void OnSetDestination();
    void OnTestDestination();
    void OnAddClassCopy();
    void OnDeleteClassCopy();
    void OnAddProperty();
    void OnDeleteProperty();
    void OnClearAll();
    void OnWriteToXml();
    void OnRunCopyTask();
    void OnSchemaManager();

private:
    void Rebuild();
    void ReplaceTask(c_GXFCopyTaskDef* task);  // takes the reference
    // The connection chosen in "Select FDO Connection"; false when none.
    bool SelectConnection(QString& provider, QString& connString);
    void SetConnection(bool source);
    void TestConnection(bool source);
    void OnValueCommitted(GxfControls::PropertyItem* item, const QString& value,
                          GxfControls::CommitDecision* decision);
    int Ask(const QString& question);
    void Tell(const QString& text);

    CMaprailApp& m_app;
    FdoPtr<c_GXFCopyTaskDef> m_task;
    GxfControls::PropertyTree* m_tree;
};
