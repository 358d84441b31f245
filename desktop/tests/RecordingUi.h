// RecordingUi: the user interface services of the desktop tests. It answers
// pickers and Yes/No questions from queues the test fills, records every
// text it is shown, counts the wait cursor, and runs long work behind the
// real progress dialog, letting the test act on the dialog while it is up
// (for example press Cancel).
#pragma once

#include "ui/c_DlgProgress.h"
#include "ui/c_UiServices.h"

#include <QStringList>

#include <functional>
#include <vector>

struct ShownText {
    QString kind;   // "Message", "OpenFile", "SaveFile", "PickFolder", "OpenDocument", "Progress"
    QString text;   // the message, filter, folder picker title, path or progress title
    QString extra;  // message title / default extension
};

class RecordingUi : public c_UiServices {
public:
    RecordingUi() { c_UiServices::Install(this); }
    ~RecordingUi() override { c_UiServices::Install(nullptr); }

    Answer Message(QWidget* parent, const QString& text, const QString& title, Buttons buttons) override;
    QString OpenFile(QWidget* parent, const QString& filter, const QString& defaultExt) override;
    QString SaveFile(QWidget* parent, const QString& filter, const QString& defaultExt) override;
    QString PickFolder(QWidget* parent, const QString& title) override;
    void BeginWait() override;
    void EndWait() override;
    void OpenDocument(const QString& path) override;
    void RunLongWork(QWidget* parent, const QString& title, const c_LongWork& work) override;

    // The texts of the messages shown, in order.
    QStringList Messages() const;
    QString LastMessage() const;
    void Clear() { shown.clear(); }

    std::vector<ShownText> shown;
    QStringList files;    // answers of OpenFile and SaveFile, first first; none left: cancelled
    QStringList folders;  // answers of PickFolder
    Answer yesNo = AnswerYes;
    int waitDepth = 0;
    int waitCount = 0;
    // Called with the progress dialog just before it starts the work.
    std::function<void(c_DlgProgress&)> onProgress;
    // Milliseconds from Cancel to the end of the last long work, and to the
    // moment it stopped inserting (-1: no Cancel).
    qint64 lastStopMs = -1;
    qint64 lastStopLatencyMs = -1;
};
