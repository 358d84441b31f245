// The connection list and its file. The file is read line by line with the
// tolerant rules of its format (see the header); writing always produces
// the canonical three CRLF lines per record.
#include "connections/c_ConnList.h"

#include "connections/c_DlgCreateConn.h"
#include "ui/c_UiServices.h"

#include <GeoxferApi/FDO_MiscUtil.h>

#include <Fdo.h>

#include <QFile>

namespace {

const QString kOpenError = QStringLiteral("Unable to open file!");
const char kNameTag[] = "Name:";
const char kProviderTag[] = "Provider:";
const char kConnStringTag[] = "ConnectionString:";

// Walks the lines of the file, giving the non-empty ones.
class LineReader {
public:
    explicit LineReader(const QByteArray& content) : m_lines(content.split('\n')) {}
    bool NextNonEmpty(QByteArray& line) {
        while (m_next < m_lines.size()) {
            QByteArray candidate = m_lines[m_next++];
            if (candidate.endsWith('\r')) candidate.chop(1);
            if (!candidate.isEmpty()) {
                line = candidate;
                return true;
            }
        }
        return false;
    }

private:
    QList<QByteArray> m_lines;
    qsizetype m_next = 0;
};

// The text after the tag, or false when the line lacks it.
bool TagValue(const QByteArray& line, const char* tag, QString& value) {
    const qsizetype at = line.indexOf(tag);
    if (at < 0) return false;
    value = QString::fromUtf8(line.mid(at + static_cast<qsizetype>(qstrlen(tag))));
    return true;
}

}  // namespace

bool c_ConnList::Load(QString& error) {
    QFile file(m_fileName);
    if (m_fileName.isEmpty() || !file.open(QIODevice::ReadOnly)) {
        error = kOpenError;
        return false;
    }
    LineReader reader(file.readAll());
    QByteArray line;
    while (reader.NextNonEmpty(line)) {
        c_ConnData record;
        if (!TagValue(line, kNameTag, record.name)) continue;
        // The two lines after the name are read before either is checked:
        // a record without its provider line thus takes the next line in
        // its place too, and reading goes on after that.
        QByteArray providerLine, connStringLine;
        if (!reader.NextNonEmpty(providerLine) || !reader.NextNonEmpty(connStringLine)) break;
        if (!TagValue(providerLine, kProviderTag, record.provider)) continue;
        if (!TagValue(connStringLine, kConnStringTag, record.connectionString)) continue;
        m_records.push_back(record);
    }
    return true;
}

bool c_ConnList::Save(QString& error) const {
    QFile file(m_fileName);
    if (m_fileName.isEmpty() || !file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        error = kOpenError;
        return false;
    }
    QByteArray content;
    for (const c_ConnData& r : m_records) {
        content += kNameTag + r.name.toUtf8() + "\r\n";
        content += kProviderTag + r.provider.toUtf8() + "\r\n";
        content += kConnStringTag + r.connectionString.toUtf8() + "\r\n";
    }
    if (file.write(content) != content.size()) {
        error = kOpenError;
        return false;
    }
    return true;
}

void c_ConnList::SaveQuietly() const {
    QString ignored;
    Save(ignored);
}

int c_ConnList::LoadProviderNames() {
    m_providerNames.clear();
    try {
        FdoPtr<IProviderRegistry> registry = FdoFeatureAccessManager::GetProviderRegistry();
        const FdoProviderCollection* providers = registry->GetProviders();
        for (FdoInt32 i = 0; i < providers->GetCount(); i++) {
            FdoPtr<FdoProvider> provider = providers->GetItem(i);
            m_providerNames << QString::fromStdWString(provider->GetName());
        }
    } catch (FdoException* e) {
        const QString message = QString::fromStdWString(e->GetExceptionMessage());
        e->Release();
        c_UiServices::Get().Message(nullptr, message);
    }
    return static_cast<int>(m_providerNames.size());
}

bool c_ConnList::Find(const QString& name, c_ConnData& record) const {
    for (const c_ConnData& r : m_records) {
        if (r.name == name) {
            record = r;
            return true;
        }
    }
    return false;
}

bool c_ConnList::FindByProviderAndConnectionString(const QString& provider, const QString& connString,
                                                   c_ConnData& record) const {
    for (const c_ConnData& r : m_records) {
        if (r.provider == provider && r.connectionString == connString) {
            record = r;
            return true;
        }
    }
    return false;
}

bool c_ConnList::Add(const c_ConnData& record) {
    c_ConnData existing;
    if (Find(record.name, existing)) return false;
    m_records.push_back(record);
    SaveQuietly();
    return true;
}

bool c_ConnList::AddNew(QWidget* parent, c_ConnData& record) {
    c_DlgCreateConn dialog(*this, parent);
    if (dialog.exec() != QDialog::Accepted) return false;
    c_ConnData made = dialog.Result();
    if (!Add(made)) {
        c_UiServices::Get().Message(parent, QStringLiteral("Unable to Add Connection! Duplicate Connection Name."));
        return false;
    }
    record = made;
    return true;
}

bool c_ConnList::Update(const QString& name, const c_ConnData& record) {
    for (c_ConnData& r : m_records) {
        if (r.name == name) {
            r = record;
            SaveQuietly();
            return true;
        }
    }
    return false;
}

bool c_ConnList::RemoveAt(int index) {
    if (index < 0 || static_cast<size_t>(index) >= m_records.size()) return false;
    m_records.erase(m_records.begin() + index);
    SaveQuietly();
    return true;
}

QString c_ConnList::MakeUniqueName(const QString& base) const {
    const QString stem = base.isEmpty() ? QStringLiteral("NewConn") : base;
    QString candidate = stem;
    c_ConnData taken;
    for (int number = 2; Find(candidate, taken) && number <= 12344; number++)
        candidate = stem + QString::number(number);
    return candidate;
}

c_ConnData c_ConnList::FindOrAdd(const QString& base, const QString& provider, const QString& connString) {
    c_ConnData record;
    if (FindByProviderAndConnectionString(provider, connString, record)) return record;
    record = c_ConnData{MakeUniqueName(base), provider, connString};
    Add(record);
    return record;
}

const std::vector<c_ConnData>& c_ConnList::FilterByProvider(const QString& provider) {
    m_filtered.clear();
    for (const c_ConnData& r : m_records)
        if (r.provider.contains(provider) || provider.contains(r.provider)) m_filtered.push_back(r);
    return m_filtered;
}

FdoIConnection* c_ConnList::CreateConnection(const QString& name) const {
    c_ConnData record;
    if (!Find(name, record)) return nullptr;
    try {
        FdoPtr<IConnectionManager> manager = FdoFeatureAccessManager::GetConnectionManager();
        FdoPtr<FdoIConnection> connection = manager->CreateConnection(record.provider.toStdWString().c_str());
        if (!connection) return nullptr;
        connection->SetConnectionString(record.connectionString.toStdWString().c_str());
        return connection.Detach();
    } catch (FdoException* e) {
        e->Release();
        return nullptr;
    }
}

bool c_ConnList::TestConnection(const QString& provider, const QString& connString, QString& message) {
    FdoStringP text;
    const bool opened = c_FDO_MiscUtil::TestConnection(provider.toStdWString().c_str(),
                                                       connString.toStdWString().c_str(), text);
    message = QString::fromStdWString(text.Str());
    return opened;
}

bool c_ConnList::SetCurrentByName(const QString& name) {
    c_ConnData record;
    if (!Find(name, record)) return false;
    m_current = record;
    return true;
}
