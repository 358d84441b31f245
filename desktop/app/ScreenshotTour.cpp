#include "app/ScreenshotTour.h"

#include "app/CMaprailDlg.h"
#include "source/SourceScreenshots.h"

#include <QApplication>
#include <QDir>
#include <QPixmap>
#include <QThread>
#include <QTreeWidget>
#include <QTreeWidgetItemIterator>

namespace {

QString Slug(const QString& text) {
    QString slug;
    for (QChar c : text.toLower()) {
        if (c.isLetterOrNumber()) slug += c;
        else if (!slug.endsWith('-')) slug += '-';
    }
    while (slug.endsWith('-')) slug.chop(1);
    return slug;
}

bool Save(CMaprailDlg& window, const QString& path) {
    // Let layout and painting settle before the picture is taken.
    for (int i = 0; i < 5; i++) {
        QApplication::processEvents();
        QThread::msleep(20);
    }
    return window.grab().save(path, "PNG");
}

}  // namespace

QString ScreenshotName(const QString& label, const QString& parentLabel) {
    const QString parent = Slug(parentLabel).section('-', 0, 0);
    return (parent.isEmpty() ? QString() : parent + '-') + Slug(label);
}

int RunScreenshotTour(CMaprailDlg& window, const QString& folder) {
    QDir().mkpath(folder);
    window.show();
    int saved = Save(window, folder + QStringLiteral("/main.png")) ? 1 : 0;
    window.ToolTree()->expandAll();
    for (QTreeWidgetItemIterator it(window.ToolTree()); *it; ++it) {
        QTreeWidgetItem* parent = (*it)->parent();
        const QString parentLabel = parent ? parent->text(0) : QString();
        window.SelectToolByLabel((*it)->text(0), parentLabel);
        if (!window.CurrentToolPane()) continue;
        FillSourcePaneForScreenshot(window, window.CurrentToolPane());
        if (Save(window, folder + '/' + ScreenshotName((*it)->text(0), parentLabel) + QStringLiteral(".png"))) saved++;
    }
    return saved;
}
