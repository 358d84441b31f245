// Helpers of the schema and copy task manager tests: typing a value into a
// tree row as a user would (open its editor, type, commit), answering the
// "Select FDO Connection" dialog with a named connection, the reference
// data folder, and schema collections compared as structures.
#pragma once

#include <Fdo/Common/Ptr.h>

#include <QString>
#include <QStringList>

#include <functional>

class CMaprailApp;
class c_GXFCopyTaskDef;
class FdoFeatureSchemaCollection;
class QDialog;

namespace GxfControls {
class PropertyItem;
class PropertyTree;
}  // namespace GxfControls

namespace managers_test {

// Opens the row's editor, replaces its text and commits; false when the
// row has no editor.
bool TypeValue(GxfControls::PropertyTree* tree, GxfControls::PropertyItem* item, const QString& text);

// The row at that path ("Copy Task Definition/Source Connection/..."), or null.
GxfControls::PropertyItem* Row(GxfControls::PropertyTree* tree, const QString& path);

// Answers the next "Select FDO Connection" dialog: picks the named
// connection (an empty name cancels).
void ChooseConnectionWhenAsked(const QString& name);
// Runs act on the next modal dialog, then accepts it unless act closed it.
void WhenDialogOpens(const std::function<void(QDialog*)>& act);

// The reference data folder ($GEOXFER_SHARED_DATA or the configured one).
QString SharedData(const QString& relative);

// The first registered provider whose name begins with the text.
QString ProviderName(CMaprailApp& app, const QString& prefix);

FdoFeatureSchemaCollection* ReadSchemas(const QString& xmlPath);
// Empty when equal, else what differs.
QString CompareSchemas(FdoFeatureSchemaCollection* a, FdoFeatureSchemaCollection* b);
// "Schema:Class" of every class.
QStringList ClassNames(FdoFeatureSchemaCollection* schemas);

// Empty when the two tasks hold the same fields, classes and mappings in
// the same order; else the first difference.
QString TaskDifference(c_GXFCopyTaskDef* a, c_GXFCopyTaskDef* b);

// Runs GXFCmd (GEOXFER_GXFCMD) with the arguments; its exit code, with
// standard output and error in output.
int RunGxfCmd(const QStringList& arguments, QString& output);

}  // namespace managers_test

#define SHARED_OR_SKIP(relative)                                                                        \
    do {                                                                                                \
        if (!QFileInfo::exists(managers_test::SharedData(relative)))                                    \
            QSKIP(qPrintable(QStringLiteral("reference data missing: ") + managers_test::SharedData(relative))); \
    } while (0)
