#include "source/SourceScreenshots.h"

#include "app/CMaprailApp.h"
#include "app/CMaprailDlg.h"
#include "connections/c_DlgFdoSelClass.h"
#include "source/ClassBox.h"
#include "source/c_DlgFdoClassData.h"
#include "source/c_DlgFdoClassDefinition.h"
#include "source/c_DlgFdoPerfomance.h"
#include "source/c_DlgFdoSchema.h"
#include "source/c_DlgFdoSdfCreate.h"
#include "source/c_DlgFdoSpContext.h"

#include <GeoxferControls/EditableList.h>

#include <QComboBox>
#include <QDir>
#include <QLineEdit>

namespace {

void PreferColumbus(QComboBox* box) {
    for (int i = 0; i < box->count(); i++)
        if (box->itemText(i).endsWith(QStringLiteral(":columbus"))) box->setCurrentIndex(i);
}

}  // namespace

void ChooseScreenshotConnection(CMaprailApp& app) {
    if (!app.ConnList().SetCurrentByName(QStringLiteral("spData"))) app.ConnList().SetCurrentByName(QStringLiteral("columbus"));
}

void FillSourcePaneForScreenshot(CMaprailDlg& window, c_DlgPane* pane) {
    if (auto* schema = dynamic_cast<c_DlgFdoSchema*>(pane)) {
        schema->ReadFdoSource();
    } else if (auto* definition = dynamic_cast<c_DlgFdoClassDefinition*>(pane)) {
        definition->ReadSchema();
        PreferColumbus(definition->Classes()->Box());
        definition->PropertyTable()->selectRow(definition->PropertyTable()->rowCount() - 1);
    } else if (auto* contexts = dynamic_cast<c_DlgFdoSpContext*>(pane)) {
        contexts->ReadSpatialContexts();
    } else if (auto* query = dynamic_cast<c_DlgFdoClassData*>(pane)) {
        query->ReadSchema();
        PreferColumbus(query->Classes()->Box());
        query->FilterField()->setText(QStringLiteral("CRIME > 20"));
        query->ReadData();
        query->Table()->selectRow(4);
    } else if (auto* test = dynamic_cast<c_DlgFdoPerfomance*>(pane)) {
        window.ClassSelector()->ReadSchema();
        PreferColumbus(window.ClassSelector()->ClassBox());
        test->LoopField()->setText(QStringLiteral("100"));
        test->RunSelectCommand();
        test->QueryGeometryAndIdentity();
    } else if (auto* sdf = dynamic_cast<c_DlgFdoSdfCreate*>(pane)) {
        sdf->FileField()->setText(QDir::tempPath() + QStringLiteral("/new.sdf"));
    }
}
