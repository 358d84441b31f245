// c_UiServices: every place where the program waits for a person or shows
// something modal goes through this one small interface: message boxes,
// file and folder pickers, the wait cursor, opening a help page, and long
// work behind a modal progress dialog.
//
// The program installs c_QtUiServices (real Qt dialogs); tests install a
// recording implementation that answers instead of a person and keeps every
// text shown. Panes never call QMessageBox, QFileDialog or
// QApplication::setOverrideCursor themselves.
//
// File filters are written in the "Name (*.ext)|*.ext|All Files (*.*)|*.*||"
// form the panes carry; c_QtUiServices turns them into Qt filters
// (QtFilterFromBarList).
#pragma once

#include <QString>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>

class QWidget;

// The progress of one piece of long work, written by the worker thread and
// read by the progress dialog on the interface thread.
class c_WorkProgress {
public:
    // Worker side: what is being done and how many features are done.
    void Set(const QString& item, long count);
    // Worker side: true once the person pressed Cancel.
    bool CancelRequested() const { return m_cancel.load(); }
    // Worker side: the work has seen the cancel and stops inserting now
    // (what follows is only closing up).
    void NoteStopped();
    // Worker side, at each point where the work may stop: Set, then false
    // (with NoteStopped) once Cancel was pressed, true to go on.
    bool Report(const QString& item, long count);

    // What the counted features are, shown after the count: "copied"
    // unless the work says otherwise (set before it reports).
    void SetCountWord(const QString& word);
    QString CountWord() const;

    // Interface side.
    void RequestCancel();
    // Milliseconds from Cancel to the work's NoteStopped; -1 before both.
    qint64 StopLatencyMs() const;
    QString Item() const;
    long Count() const;

private:
    mutable std::mutex m_mutex;
    QString m_item;
    long m_count = 0;
    QString m_countWord = QStringLiteral("copied");
    std::atomic<bool> m_cancel{false};
    std::chrono::steady_clock::time_point m_cancelAt;
    std::chrono::steady_clock::time_point m_stoppedAt;
    bool m_stopped = false;
};

// Long work: Run is called once on a worker thread and must not touch
// widgets; it reports through the progress and stops early when the
// progress says cancel.
using c_LongWork = std::function<void(c_WorkProgress& progress)>;

class c_UiServices {
public:
    enum Buttons { Ok, YesNo };
    enum Answer { AnswerOk, AnswerYes, AnswerNo };

    virtual ~c_UiServices();

    // A modal message box; an empty title stands for the program's name.
    virtual Answer Message(QWidget* parent, const QString& text, const QString& title = QString(),
                           Buttons buttons = Ok) = 0;
    // Pickers: the chosen full path, or an empty text when cancelled.
    virtual QString OpenFile(QWidget* parent, const QString& filter, const QString& defaultExt) = 0;
    // Asks before an existing file is overwritten.
    virtual QString SaveFile(QWidget* parent, const QString& filter, const QString& defaultExt) = 0;
    virtual QString PickFolder(QWidget* parent, const QString& title) = 0;
    // The wait cursor; calls nest.
    virtual void BeginWait() = 0;
    virtual void EndWait() = 0;
    // Opens a local file (a help page) with the program the desktop uses for it.
    virtual void OpenDocument(const QString& path) = 0;
    // Runs the work on a worker thread behind a modal progress dialog with
    // Cancel; returns when the work has returned. The window keeps painting.
    virtual void RunLongWork(QWidget* parent, const QString& title, const c_LongWork& work) = 0;

    // The installed services (c_QtUiServices until another is installed).
    static c_UiServices& Get();
    // Installs services (not owned; null restores the Qt ones).
    static void Install(c_UiServices* services);
};

// The wait cursor for the lifetime of the object.
class c_WaitCursor {
public:
    c_WaitCursor() { c_UiServices::Get().BeginWait(); }
    ~c_WaitCursor() { c_UiServices::Get().EndWait(); }
    c_WaitCursor(const c_WaitCursor&) = delete;
    c_WaitCursor& operator=(const c_WaitCursor&) = delete;
};

// "Shape files (*.shp)|*.shp|All Files (*.*)|*.*||" as Qt's
// "Shape files (*.shp);;All Files (*.*)" (the descriptions carry the patterns).
QString QtFilterFromBarList(const QString& filter);
