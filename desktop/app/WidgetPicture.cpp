#include "app/WidgetPicture.h"

#include <QApplication>
#include <QPixmap>
#include <QThread>
#include <QWidget>

bool SaveWidgetPicture(QWidget& widget, const QString& path) {
    widget.show();
    for (int i = 0; i < 5; i++) {
        QApplication::processEvents();
        QThread::msleep(20);
    }
    return widget.grab().save(path, "PNG");
}
