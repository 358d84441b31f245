#include "RecordingUi.h"

c_UiServices::Answer RecordingUi::Message(QWidget*, const QString& text, const QString& title, Buttons buttons) {
    shown.push_back({QStringLiteral("Message"), text, title});
    return buttons == YesNo ? yesNo : AnswerOk;
}

QString RecordingUi::OpenFile(QWidget*, const QString& filter, const QString& defaultExt) {
    shown.push_back({QStringLiteral("OpenFile"), filter, defaultExt});
    return files.isEmpty() ? QString() : files.takeFirst();
}

QString RecordingUi::SaveFile(QWidget*, const QString& filter, const QString& defaultExt) {
    shown.push_back({QStringLiteral("SaveFile"), filter, defaultExt});
    return files.isEmpty() ? QString() : files.takeFirst();
}

QString RecordingUi::PickFolder(QWidget*, const QString& title) {
    shown.push_back({QStringLiteral("PickFolder"), title, QString()});
    return folders.isEmpty() ? QString() : folders.takeFirst();
}

void RecordingUi::BeginWait() {
    waitDepth++;
    waitCount++;
}

void RecordingUi::EndWait() { waitDepth--; }

void RecordingUi::OpenDocument(const QString& path) { shown.push_back({QStringLiteral("OpenDocument"), path, {}}); }

void RecordingUi::RunLongWork(QWidget* parent, const QString& title, const c_LongWork& work) {
    shown.push_back({QStringLiteral("Progress"), title, {}});
    c_DlgProgress dialog(parent, title);
    if (onProgress) onProgress(dialog);
    dialog.Run(work);
    lastStopMs = dialog.StopMilliseconds();
    lastStopLatencyMs = dialog.Progress().StopLatencyMs();
}

QStringList RecordingUi::Messages() const {
    QStringList texts;
    for (const ShownText& s : shown)
        if (s.kind == QStringLiteral("Message")) texts << s.text;
    return texts;
}

QString RecordingUi::LastMessage() const {
    const QStringList texts = Messages();
    return texts.isEmpty() ? QString() : texts.last();
}
