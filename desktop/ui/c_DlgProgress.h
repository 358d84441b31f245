// c_DlgProgress: the modal progress dialog of long work. It starts the work
// on a worker thread, shows what the work reports (class, features copied,
// rate) a few times a second, and offers Cancel, which asks the work to stop
// and waits for it. Its own event loop keeps every window painting.
#pragma once

#include "ui/c_UiServices.h"

#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QPushButton;

class c_DlgProgress : public QDialog {
public:
    c_DlgProgress(QWidget* parent, const QString& title);

    // Runs the work and returns once it has returned.
    void Run(const c_LongWork& work);

    // What the dialog shows now (tests read it).
    QString ItemText() const;
    QString CountText() const;
    QPushButton* CancelButton() const { return m_cancel; }
    const c_WorkProgress& Progress() const { return m_progress; }
    // Milliseconds from the press of Cancel to the end of the work; -1
    // when Cancel was not pressed.
    qint64 StopMilliseconds() const { return m_stopMs; }

protected:
    void reject() override;  // Escape and the close box cancel

private:
    void Refresh();

    c_WorkProgress m_progress;
    QLabel* m_item;
    QLabel* m_count;
    QPushButton* m_cancel;
    QElapsedTimer m_clock;
    QElapsedTimer m_sinceCancel;
    qint64 m_stopMs = -1;
    bool m_finished = false;
};

// Text of the rate line: "12,345 features copied (2,100 features/s)"
// (the word after the count as the work set it).
QString ProgressCountText(long count, qint64 elapsedMs, const QString& word = QStringLiteral("copied"));
