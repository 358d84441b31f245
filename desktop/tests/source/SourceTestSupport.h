// Helpers of the FDO source toolbox tests: a main window whose connection
// list holds one connection, made current so that the connection selector
// offers it, with a pane of the toolbox opened; and what GDAL reads of the
// same data, to compare the panes with.
#pragma once

#include "app/CMaprailApp.h"
#include "app/CMaprailDlg.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

namespace source_test {

class SourceWindow {
public:
    // The list file goes into listFolder; the connection is named "src".
    SourceWindow(const QString& listFolder, const QString& provider, const QString& connString);
    // Selects the tool under "FDO Source Toolbox" (or "FDO Utilites") and
    // returns its pane, cast; null when it is not of that class.
    template <class Pane>
    Pane* Open(const QString& label, const QString& root = QStringLiteral("FDO Source Toolbox")) {
        m_window->SelectToolByLabel(label, root);
        return dynamic_cast<Pane*>(m_window->CurrentToolPane());
    }
    CMaprailApp& App() { return m_app; }
    CMaprailDlg& Window() { return *m_window; }

private:
    CMaprailApp m_app;
    std::unique_ptr<CMaprailDlg> m_window;
};

// What GDAL reads of a data set (a folder or a file) and one of its layers.
struct OgrField {
    QString name;
    QString type;  // the OGR field type's name ("Integer", "Real", "String", ...)
    int precision = 0;
};
// The layers GDAL finds, less the tables an SDF file keeps its FDO schema
// and spatial contexts in.
QStringList OgrFeatureLayers(const QString& path);
// True when the layer has no (or an undefined local) coordinate system, or when one of the WKT
// texts describes the same one as the layer's.
bool OgrSrsAmong(const QString& path, const QString& layer, const QStringList& wkts);
QList<OgrField> OgrFields(const QString& path, const QString& layer);
// One field's values of the features that pass the attribute filter, in
// the layer's order (empty filter: all).
QStringList OgrValues(const QString& path, const QString& layer, const QString& field, const QString& filter,
                      const QString& orderBy = QString());

// The FDO data type names a field of that OGR type may have (a DBF
// number without decimals may be read as a whole number).
QStringList FdoTypesForOgr(const OgrField& field);

// The cells of one column of a list (rows in order).
QStringList Column(const QList<QStringList>& rows, int column);

}  // namespace source_test
