// c_ConnList: the named connections of the desktop program, kept in the
// file "geoxferconn.txt", and the FDO provider names. One instance, owned by
// the application (CMaprailApp::ConnList()); every pane and selector reaches
// the same one.
//
// The file is UTF-8 text with CRLF line ends (LF alone is read too). Each
// record is three lines, a tag followed at once by its value:
//     Name:<name>
//     Provider:<provider>
//     ConnectionString:<connection string>
// Reading skips empty lines; a tag is looked for anywhere in its line (first
// occurrence, letter case counts) and the value is the rest of the line,
// untrimmed. A line without "Name:" is skipped. The two lines after a name
// are taken as its provider and connection string lines; when either lacks
// its tag the record is dropped and reading goes on after both, so a record
// without its "Provider:" line loses the next record's "Name:" line too. A
// record cut by the end of the file is dropped.
// Records that change are saved at once by Add, Update and RemoveAt (and so
// by AddNew and FindOrAdd); a failed save is not reported, the in-memory
// list keeps the change.
//
// Connections are made through the FDO connection manager and never kept
// open here: CreateConnection hands an unopened connection to its caller.
#pragma once

#include "connections/c_ConnData.h"

#include <QStringList>

#include <vector>

class FdoIConnection;
class QWidget;

class c_ConnList {
public:
    void SetFileName(const QString& path) { m_fileName = path; }
    const QString& GetFileName() const { return m_fileName; }

    // Appends the file's records; false with "Unable to open file!" when the
    // file cannot be opened.
    bool Load(QString& error);
    // Rewrites the whole file; false with "Unable to open file!" when it
    // cannot be created.
    bool Save(QString& error) const;

    // Re-reads the provider names from the FDO provider registry, in its
    // order; an FDO error is shown in a message box and the names read so
    // far stay. Returns the number of names.
    int LoadProviderNames();
    const QStringList& GetProviderNames() const { return m_providerNames; }

    const std::vector<c_ConnData>& GetRecords() const { return m_records; }
    // The first record of that name (exact).
    bool Find(const QString& name, c_ConnData& record) const;
    bool FindByProviderAndConnectionString(const QString& provider, const QString& connString,
                                           c_ConnData& record) const;
    // False when a record of that name exists; otherwise appends and saves.
    bool Add(const c_ConnData& record);
    // Runs the "New FDO Connection" dialog; on OK adds its record (a
    // duplicate name gives "Unable to Add Connection! Duplicate Connection
    // Name."). True when a record was added, which is then in record.
    bool AddNew(QWidget* parent, c_ConnData& record);
    // Replaces the record of that name in place and saves; false when none.
    bool Update(const QString& name, const c_ConnData& record);
    // False when the index is out of range; otherwise removes and saves.
    bool RemoveAt(int index);
    // base (or "NewConn" when empty), else base2, base3 ... up to base12344,
    // which is returned even if taken.
    QString MakeUniqueName(const QString& base) const;
    // The stored record of that provider and connection string, or a new
    // one named MakeUniqueName(base), added and saved.
    c_ConnData FindOrAdd(const QString& base, const QString& provider, const QString& connString);
    // Every record whose provider contains the text or is contained in it
    // (letter case counts), in list order.
    const std::vector<c_ConnData>& FilterByProvider(const QString& provider);
    // An unopened FDO connection (new reference, the caller's) for the named
    // record, with its connection string set; null when no record has the
    // name or the provider yields no connection.
    FdoIConnection* CreateConnection(const QString& name) const;
    // The engine's connection test; true when the connection opened.
    static bool TestConnection(const QString& provider, const QString& connString, QString& message);

    // The connection last chosen or made anywhere in the program.
    void SetCurrent(const c_ConnData& record) { m_current = record; }
    bool SetCurrentByName(const QString& name);
    c_ConnData GetCurrent() const { return m_current; }

private:
    void SaveQuietly() const;

    c_ConnData m_current;
    std::vector<c_ConnData> m_records;
    QString m_fileName;
    QStringList m_providerNames;
    std::vector<c_ConnData> m_filtered;
};
