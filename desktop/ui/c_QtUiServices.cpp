// Real message boxes, pickers, wait cursor and the modal progress dialog.
#include "ui/c_QtUiServices.h"

#include "ui/c_DlgProgress.h"

#include <QApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QUrl>

c_UiServices::Answer c_QtUiServices::Message(QWidget* parent, const QString& text, const QString& title,
                                            Buttons buttons) {
    const QString caption = title.isEmpty() ? QStringLiteral("Geoxfer") : title;
    if (buttons == YesNo) {
        return QMessageBox::question(parent, caption, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes
                   ? AnswerYes
                   : AnswerNo;
    }
    QMessageBox::information(parent, caption, text);
    return AnswerOk;
}

static QString WithDefaultExtension(QString path, const QString& defaultExt) {
    if (!path.isEmpty() && !defaultExt.isEmpty() && QFileInfo(path).suffix().isEmpty())
        path += "." + defaultExt.toLower();
    return path;
}

QString c_QtUiServices::OpenFile(QWidget* parent, const QString& filter, const QString& defaultExt) {
    return WithDefaultExtension(QFileDialog::getOpenFileName(parent, QString(), QString(), QtFilterFromBarList(filter)),
                                defaultExt);
}

QString c_QtUiServices::SaveFile(QWidget* parent, const QString& filter, const QString& defaultExt) {
    // QFileDialog asks before overwriting an existing file.
    return WithDefaultExtension(QFileDialog::getSaveFileName(parent, QString(), QString(), QtFilterFromBarList(filter)),
                                defaultExt);
}

QString c_QtUiServices::PickFolder(QWidget* parent, const QString& title) {
    return QFileDialog::getExistingDirectory(parent, title);
}

void c_QtUiServices::BeginWait() { QApplication::setOverrideCursor(Qt::WaitCursor); }

void c_QtUiServices::EndWait() { QApplication::restoreOverrideCursor(); }

void c_QtUiServices::OpenDocument(const QString& path) { QDesktopServices::openUrl(QUrl::fromLocalFile(path)); }

void c_QtUiServices::RunLongWork(QWidget* parent, const QString& title, const c_LongWork& work) {
    c_DlgProgress dialog(parent, title);
    dialog.Run(work);
}
