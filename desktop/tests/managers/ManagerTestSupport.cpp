#include "ManagerTestSupport.h"

#include "DesktopTestSupport.h"
#include "app/CMaprailApp.h"
#include "connections/c_DlgFdoSelConn.h"
#include "connections/c_DlgModalSelConn.h"

#include <GeoxferApi/GXFCopyTaskDef.h>

#include <Fdo.h>
#include <FdoCommon/FdoCommonSchemaCompare.h>

#include <GeoxferControls/PropertyTree.h>

#include <QComboBox>
#include <QCoreApplication>
#include <QDialog>
#include <QLineEdit>
#include <QProcess>
#include <QTreeWidget>

#include <cstdlib>

namespace managers_test {

bool TypeValue(GxfControls::PropertyTree* tree, GxfControls::PropertyItem* item, const QString& text) {
    if (!item) return false;
    // The editor of an earlier edit is deleted later: let it go first.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    tree->setCurrentItem(item);
    tree->editItem(item);
    if (!tree->isEditing()) return false;
    QWidget* viewport = tree->treeWidget()->viewport();
    if (auto* combo = viewport->findChild<QComboBox*>()) {
        if (combo->isEditable()) {
            combo->setEditText(text);
        } else {
            const int index = combo->findText(text);
            if (index < 0) return false;
            combo->setCurrentIndex(index);
        }
    } else if (auto* edit = viewport->findChild<QLineEdit*>()) {
        edit->setText(text);
    } else {
        return false;
    }
    tree->commitPendingEdit();
    return !tree->isEditing();
}

GxfControls::PropertyItem* Row(GxfControls::PropertyTree* tree, const QString& path) { return tree->findItem(path); }

void WhenDialogOpens(const std::function<void(QDialog*)>& act) {
    desktop_test::WhenModalOpens([act](QWidget* modal) {
        auto* dialog = qobject_cast<QDialog*>(modal);
        if (!dialog) return;
        act(dialog);
        if (dialog->isVisible()) dialog->accept();
    });
}

void ChooseConnectionWhenAsked(const QString& name) {
    WhenDialogOpens([name](QDialog* modal) {
        auto* dialog = dynamic_cast<c_DlgModalSelConn*>(modal);
        if (!dialog || name.isEmpty()) {
            modal->reject();
            return;
        }
        c_DlgFdoSelConn* selector = dialog->Selector();
        for (int p = 0; p < selector->ProviderBox()->count(); ++p) {
            selector->ChooseProvider(p);
            const int index = selector->ConnectionBox()->findText(name);
            if (index >= 0) {
                selector->ChooseConnection(index);
                selector->ConnectionBox()->setCurrentIndex(index);
                return;
            }
        }
        modal->reject();
    });
}

QString SharedData(const QString& relative) {
    const char* env = std::getenv("GEOXFER_SHARED_DATA");
    const QString base = env && *env ? QString::fromUtf8(env) : QStringLiteral(GEOXFER_SHARED_DATA);
    return base + QLatin1Char('/') + relative;
}

QString ProviderName(CMaprailApp& app, const QString& prefix) {
    if (app.ConnList().GetProviderNames().isEmpty()) app.ConnList().LoadProviderNames();
    for (const QString& name : app.ConnList().GetProviderNames())
        if (name.startsWith(prefix)) return name;
    return prefix;
}

FdoFeatureSchemaCollection* ReadSchemas(const QString& xmlPath) {
    FdoPtr<FdoFeatureSchemaCollection> schemas = FdoFeatureSchemaCollection::Create(nullptr);
    schemas->ReadXml(xmlPath.toStdWString().c_str());
    return FDO_SAFE_ADDREF(schemas.p);
}

QString CompareSchemas(FdoFeatureSchemaCollection* a, FdoFeatureSchemaCollection* b) {
    FdoStringP differences = FdoCommonSchemaCompare::Compare(a, b);
    return QString::fromWCharArray(static_cast<const wchar_t*>(differences));
}

QStringList ClassNames(FdoFeatureSchemaCollection* schemas) {
    QStringList names;
    for (FdoInt32 i = 0; i < schemas->GetCount(); ++i) {
        FdoPtr<FdoFeatureSchema> schema = schemas->GetItem(i);
        FdoPtr<FdoClassCollection> classes = schema->GetClasses();
        for (FdoInt32 c = 0; c < classes->GetCount(); ++c) {
            FdoPtr<FdoClassDefinition> classDef = classes->GetItem(c);
            names.append(QString::fromWCharArray(schema->GetName()) + QLatin1Char(':') +
                         QString::fromWCharArray(classDef->GetName()));
        }
    }
    return names;
}

namespace {

QString T(const wchar_t* text) { return QString::fromWCharArray(text ? text : L""); }

QString Differ(const QString& what, const QString& a, const QString& b) {
    return a == b ? QString() : what + ": '" + a + "' != '" + b + "'";
}

}  // namespace

QString TaskDifference(c_GXFCopyTaskDef* a, c_GXFCopyTaskDef* b) {
    const QList<std::pair<QString, std::pair<QString, QString>>> fields = {
        {"source provider", {T(a->GetSourceProvider()), T(b->GetSourceProvider())}},
        {"source connection", {T(a->GetSourceConnString()), T(b->GetSourceConnString())}},
        {"destination provider", {T(a->GetDestProvider()), T(b->GetDestProvider())}},
        {"destination connection", {T(a->GetDestConnString()), T(b->GetDestConnString())}},
        {"execute apply schema", {QString::number(a->GetExecuteApplySchema()), QString::number(b->GetExecuteApplySchema())}},
        {"apply schema file", {T(a->GetApplySchemaXML()), T(b->GetApplySchemaXML())}},
        {"create spatial context", {QString::number(a->GetCreateSpatialContext()), QString::number(b->GetCreateSpatialContext())}},
        {"spatial context file", {T(a->GetSpatialContextXML()), T(b->GetSpatialContextXML())}},
        {"delete destination data", {QString::number(a->GetDeleteDestinationData()), QString::number(b->GetDeleteDestinationData())}},
        {"magic data types", {QString::number(a->GetMagicDataTypes()), QString::number(b->GetMagicDataTypes())}},
        {"magic class name", {QString::number(a->GetMagicClassName()), QString::number(b->GetMagicClassName())}},
        {"SDF create", {QString::number(a->GetSDF_Attr_CreateIfMissing()), QString::number(b->GetSDF_Attr_CreateIfMissing())}},
        {"SDF overwrite", {QString::number(a->GetSDF_Attr_OverwriteFile()), QString::number(b->GetSDF_Attr_OverwriteFile())}},
        {"SRID", {QString::number(a->GetOracle_Attr_SRID()), QString::number(b->GetOracle_Attr_SRID())}},
    };
    for (const auto& [what, values] : fields)
        if (QString d = Differ(what, values.first, values.second); !d.isEmpty()) return d;
    FdoPtr<c_GXFClassCopyDefCollection> ca = a->GetClassCopyDefCollection(), cb = b->GetClassCopyDefCollection();
    if (ca->GetCount() != cb->GetCount()) return QStringLiteral("class count %1 != %2").arg(ca->GetCount()).arg(cb->GetCount());
    for (FdoInt32 i = 0; i < ca->GetCount(); ++i) {
        FdoPtr<c_GXFClassCopyDef> x = ca->GetItem(i), y = cb->GetItem(i);
        const QString at = QStringLiteral("class %1 ").arg(i);
        for (const QString& d : {Differ(at + "source", T(x->GetSourceClassName()), T(y->GetSourceClassName())),
                                 Differ(at + "destination", T(x->GetDestClassName()), T(y->GetDestClassName())),
                                 Differ(at + "filter", T(x->GetCopyFilter()), T(y->GetCopyFilter()))})
            if (!d.isEmpty()) return d;
        FdoPtr<c_GXFPropertyCopyDefCollection> pa = x->GetPropertyCopyDefCollection(), pb = y->GetPropertyCopyDefCollection();
        if (pa->GetCount() != pb->GetCount()) return at + "mapping count differs";
        for (FdoInt32 j = 0; j < pa->GetCount(); ++j) {
            FdoPtr<c_GXFPropertyCopyDef> m = pa->GetItem(j), n = pb->GetItem(j);
            const QString p = at + QStringLiteral("mapping %1 ").arg(j);
            for (const QString& d : {Differ(p + "source", T(m->GetSourceProperty()), T(n->GetSourceProperty())),
                                     Differ(p + "destination", T(m->GetDestProperty()), T(n->GetDestProperty()))})
                if (!d.isEmpty()) return d;
        }
    }
    return {};
}

int RunGxfCmd(const QStringList& arguments, QString& output) {
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(qEnvironmentVariable("GEOXFER_GXFCMD"), arguments);
    if (!process.waitForFinished(120000)) {
        output = process.errorString();
        return -1;
    }
    output = QString::fromUtf8(process.readAll());
    return process.exitCode();
}

}  // namespace managers_test
