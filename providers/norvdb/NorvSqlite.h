// Thin RAII over the SQLite C interface: one Statement per prepared
// statement, and the text helpers every part of the store uses to place a
// name or a value into SQL it builds itself (always quoted, never pasted).
#pragma once

#include <sqlite3.h>

#include <cstdint>
#include <string>
#include <vector>

namespace norvdb {

// An SQLite failure: the code and SQLite's message, before the dialect's
// error text is made from it (NorvErrors).
struct SqliteError {
    int code;
    std::string message;
};

class Statement {
public:
    // Throws SqliteError.
    Statement(sqlite3* db, const std::string& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // Binds by position (1-based).
    Statement& Bind(int index, const std::string& text);
    Statement& Bind(int index, int64_t value);
    Statement& Bind(int index, double value);
    Statement& BindBlob(int index, const std::vector<unsigned char>& bytes);
    Statement& BindNull(int index);
    // True while a row is available; throws SqliteError.
    bool Step();
    // Runs to the end; returns sqlite3_changes.
    int Run();
    void Reset();

    std::string Text(int column) const;
    int64_t Int(int column) const;
    double Real(int column) const;
    bool IsNull(int column) const;
    sqlite3_stmt* Handle() const { return m_stmt; }

private:
    sqlite3* m_db;
    sqlite3_stmt* m_stmt = nullptr;
};

// Runs statements without rows; throws SqliteError.
void Exec(sqlite3* db, const std::string& sql);

// 'text' / "name" with embedded quotes doubled.
std::string SqlText(const std::string& utf8);
std::string SqlName(const std::string& utf8);

}  // namespace norvdb
