// The progress dialog polls the work's progress record on a timer instead
// of receiving signals from the worker: the worker then needs nothing from
// Qt, and the dialog closes itself once the worker has finished.
#include "ui/c_DlgProgress.h"

#include <QLabel>
#include <QLocale>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

#include <atomic>
#include <thread>

c_DlgProgress::c_DlgProgress(QWidget* parent, const QString& title) : QDialog(parent) {
    setWindowTitle(title);
    setModal(true);
    m_item = new QLabel(this);
    m_count = new QLabel(this);
    m_cancel = new QPushButton(QStringLiteral("Cancel"), this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_item);
    layout->addWidget(m_count);
    layout->addWidget(m_cancel, 0, Qt::AlignRight);
    setMinimumWidth(360);
    connect(m_cancel, &QPushButton::clicked, this, [this] { reject(); });
}

void c_DlgProgress::reject() {
    if (m_finished) {
        QDialog::reject();
        return;
    }
    if (!m_progress.CancelRequested()) {
        m_sinceCancel.start();
        m_progress.RequestCancel();
        m_cancel->setEnabled(false);
        m_cancel->setText(QStringLiteral("Cancelling..."));
    }
}

void c_DlgProgress::Run(const c_LongWork& work) {
    std::atomic<bool> done{false};
    m_clock.start();
    Refresh();
    std::thread worker([&] {
        work(m_progress);
        done.store(true);
    });
    QTimer timer;
    connect(&timer, &QTimer::timeout, this, [&] {
        Refresh();
        if (done.load()) {
            m_finished = true;
            accept();
        }
    });
    timer.start(50);
    exec();
    worker.join();
    if (m_progress.CancelRequested()) m_stopMs = m_sinceCancel.elapsed();
}

void c_DlgProgress::Refresh() {
    m_item->setText(m_progress.Item());
    m_count->setText(ProgressCountText(m_progress.Count(), m_clock.elapsed(), m_progress.CountWord()));
}

QString c_DlgProgress::ItemText() const { return m_item->text(); }
QString c_DlgProgress::CountText() const { return m_count->text(); }

QString ProgressCountText(long count, qint64 elapsedMs, const QString& word) {
    const QLocale locale(QLocale::English);
    const long rate = elapsedMs > 0 ? static_cast<long>(count * 1000.0 / elapsedMs) : 0;
    return QStringLiteral("%1 features %2 (%3 features/s)")
        .arg(locale.toString(static_cast<qlonglong>(count)), word, locale.toString(static_cast<qlonglong>(rate)));
}
