#pragma once

#include "HistoryStore.h"

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace quorlent::testing {

inline void writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

inline QByteArray readBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A program folder of its own with an open history.
class ProgramFolder : public ::testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_dir.isValid());
        m_folder = m_dir.path();
        m_store.open(dbPath());
        ASSERT_TRUE(m_store.isOpen());
    }

    QString dbPath() const { return QDir(m_folder).filePath("Varnibo.mdb"); }
    QString file(const QString &name) const { return QDir(m_folder).filePath(name); }

    // Stores draws through the ordinary append path, as manual entry would.
    void seed(std::initializer_list<std::pair<int32_t, Digits>> draws, int segmentBase = 1)
    {
        DrawRun run = m_store.continueRun();
        std::vector<DrawRecord> records;
        for (const auto &[sqqh, digits] : draws)
            records.push_back(run.append(sqqh, digits, segmentBase));
        ASSERT_TRUE(m_store.append(records));
    }

    std::vector<int32_t> issues() const
    {
        std::vector<int32_t> result;
        for (const HistoryRow &row : m_store.rows())
            result.push_back(row.sqqh);
        return result;
    }

    // What another program opening the file now would find.
    std::vector<HistoryRow> rowsOnDisk() const
    {
        HistoryStore other;
        other.open(dbPath());
        return other.rows();
    }

    // One row of Lishi (in issue order) as text, the named columns joined by "|".
    std::string storedRow(int index, const std::string &columns)
    {
        std::string sql = "SELECT ";
        sql += columns;
        sql += " FROM Lishi ORDER BY SQQH, rowid LIMIT 1 OFFSET ";
        sql += std::to_string(index);
        Statement stmt = m_store.db()->sql().prepare(sql.c_str());
        if (!stmt.isValid() || stmt.step() != SQLITE_ROW)
            return "<no row>";
        std::string text;
        for (int i = 0; i < stmt.columnCount(); ++i) {
            if (i)
                text += '|';
            text += stmt.columnText(i);
        }
        return text;
    }

    QTemporaryDir m_dir;
    QString m_folder;
    HistoryStore m_store;
};

} // namespace quorlent::testing
