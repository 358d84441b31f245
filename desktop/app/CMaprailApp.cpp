#include "app/CMaprailApp.h"

#include "app/CMaprailDlg.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cstdlib>

namespace {

const char kListFileName[] = "geoxferconn.txt";

// True when a file can be created in the folder (its permission bits alone
// do not tell for root or on read-only mounts).
bool FolderIsWritable(const QString& folder) {
    QTemporaryFile probe(folder + QStringLiteral(".geoxfer-probe-XXXXXX"));
    return probe.open();
}

QString UserConfigFolder() {
    const QString xdg = qEnvironmentVariable("XDG_CONFIG_HOME");
    const QString base = xdg.isEmpty() ? QDir::homePath() + QStringLiteral("/.config") : xdg;
    return base + QStringLiteral("/geoxfer/");
}

}  // namespace

QString CMaprailApp::ConnListPath(const QString& programDirectory) {
    const QString overridden = qEnvironmentVariable("GEOXFER_CONN_LIST");
    if (!overridden.isEmpty()) return overridden;
    const QString beside = programDirectory + kListFileName;
    if (QFileInfo(beside).isWritable() || (!QFileInfo::exists(beside) && FolderIsWritable(programDirectory)))
        return beside;
    const QString folder = UserConfigFolder();
    QDir().mkpath(folder);
    return folder + kListFileName;
}

void CMaprailApp::Prepare(const QString& programPath) {
    // The whole path is kept, however long: a cut path would name another folder.
    m_programDirectory = QFileInfo(programPath).absolutePath();
    if (!m_programDirectory.endsWith('/')) m_programDirectory += '/';
    m_connList.SetFileName(ConnListPath(m_programDirectory));
    QString ignored;
    m_connList.Load(ignored);
    m_connList.LoadProviderNames();
}

int CMaprailApp::Run(const QString& programPath) {
    Prepare(programPath);
    CMaprailDlg window(*this);
    SetMainWindow(&window);
    window.exec();
    SetMainWindow(nullptr);
    return 0;
}

QString CMaprailApp::HelpPage() const { return m_programDirectory + QStringLiteral("help/index.html"); }

void CMaprailApp::SetStatusText(const QString& text) {
    if (m_mainWindow) m_mainWindow->SetStatusText(text);
}
