// Geoxfer, the desktop program: the Qt application and CMaprailApp, which
// runs the main window until the user closes it.
//     Geoxfer                         the program
//     Geoxfer --screenshots <folder>  saves a picture of every tool, then quits
#include "app/CMaprailApp.h"
#include "app/CMaprailDlg.h"
#include "app/ScreenshotTour.h"
#include "copytask/ManagerScreenshots.h"
#include "dbtoolbox/DbToolboxScreenshots.h"
#include "source/SourceScreenshots.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Geoxfer"));
    CMaprailApp app;
    const QStringList args = QApplication::arguments();
    if (args.size() == 3 && args[1] == QStringLiteral("--screenshots")) {
        app.Prepare(QApplication::applicationFilePath());
        ChooseScreenshotConnection(app);
        CMaprailDlg window(app);
        int saved = RunScreenshotTour(window, args[2]);
        saved += SaveManagerScreenshots(app, args[2]);
        saved += SaveDbToolboxScreenshots(window, app, args[2]);
        std::printf("%d screenshots in %s\n", saved, qPrintable(args[2]));
        return saved > 0 ? 0 : 1;
    }
    return app.Run(QApplication::applicationFilePath());
}
