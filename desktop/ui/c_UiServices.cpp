// The installed user interface services and the shared progress record.
#include "ui/c_UiServices.h"

#include "ui/c_QtUiServices.h"

#include <QStringList>

namespace {
c_UiServices* g_installed = nullptr;
}  // namespace

c_UiServices::~c_UiServices() = default;

c_UiServices& c_UiServices::Get() {
    if (g_installed) return *g_installed;
    static c_QtUiServices qtServices;
    return qtServices;
}

void c_UiServices::Install(c_UiServices* services) { g_installed = services; }

void c_WorkProgress::Set(const QString& item, long count) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_item = item;
    m_count = count;
}

void c_WorkProgress::RequestCancel() {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_cancel.load()) m_cancelAt = std::chrono::steady_clock::now();
    m_cancel.store(true);
}

void c_WorkProgress::NoteStopped() {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (m_stopped) return;
    m_stopped = true;
    m_stoppedAt = std::chrono::steady_clock::now();
}

void c_WorkProgress::SetCountWord(const QString& word) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_countWord = word;
}

QString c_WorkProgress::CountWord() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_countWord;
}

bool c_WorkProgress::Report(const QString& item, long count) {
    Set(item, count);
    if (!CancelRequested()) return true;
    NoteStopped();
    return false;
}

qint64 c_WorkProgress::StopLatencyMs() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    if (!m_cancel.load() || !m_stopped) return -1;
    return std::chrono::duration_cast<std::chrono::milliseconds>(m_stoppedAt - m_cancelAt).count();
}

QString c_WorkProgress::Item() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_item;
}

long c_WorkProgress::Count() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_count;
}

QString QtFilterFromBarList(const QString& filter) {
    const QStringList parts = filter.split(QLatin1Char('|'));
    QStringList entries;
    // Pairs of description and pattern; the empty tail ends the list.
    for (int i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty()) break;
        const QString pattern = QString(parts[i + 1]).replace(QLatin1Char(';'), QLatin1Char(' '));
        entries << (parts[i].contains(QLatin1Char('(')) ? parts[i] : parts[i] + " (" + pattern + ")");
    }
    return entries.join(";;");
}
