#pragma once

#include "HistoryDb.h"
#include "ModalDialogs.h"
#include "frmMain.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QSettings>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>
#include <functional>
#include <memory>

// Each test gets its own program folder and an empty settings store.
class AppFixture : public ::testing::Test
{
protected:
    void SetUp() override
    {
        QSettings store(QSettings::IniFormat, QSettings::UserScope, "Tessaryn", "Tessaryn");
        store.clear();
        store.sync();
        ASSERT_TRUE(m_folder.isValid());
    }

    QString folder() const { return m_folder.path(); }
    QString dbPath() const { return m_folder.filePath("Varnibo.mdb"); }

    frmMain &open()
    {
        m_window = std::make_unique<frmMain>(folder());
        m_window->show();
        QApplication::setActiveWindow(m_window.get());
        EXPECT_TRUE(QTest::qWaitForWindowActive(m_window.get()));
        return *m_window;
    }
    void close() { m_window.reset(); }
    frmMain &window() { return *m_window; }

    // Stores draws the way a writer would, before the window opens.
    void storeDraws(const std::vector<std::pair<int32_t, quorlent::Digits>> &draws, int segmentBase = 1)
    {
        auto db = quorlent::HistoryDb::openOrCreate(dbPath()).db;
        ASSERT_TRUE(db);
        quorlent::DrawRun run;
        std::vector<quorlent::DrawRecord> records;
        for (const auto &[sqqh, digits] : draws)
            records.push_back(run.append(sqqh, digits, segmentBase));
        ASSERT_TRUE(db->append(records));
    }
    // `count` consecutive draws starting at `first`, digits from the index.
    void storeSeries(int32_t first, int count)
    {
        std::vector<std::pair<int32_t, quorlent::Digits>> draws;
        int32_t sqqh = first;
        for (int i = 0; i < count; ++i) {
            draws.push_back({sqqh, {uint8_t(i % 10), uint8_t((i / 10) % 10), 3, 4, uint8_t(9 - i % 10)}});
            sqqh = sqqh % 1000 == 120 ? sqqh + 1000 - 119 : sqqh + 1; // tests stay inside a month
        }
        storeDraws(draws);
    }

    template <typename T> T *find(const char *name)
    {
        T *child = m_window->findChild<T *>(QString::fromUtf8(name));
        EXPECT_NE(child, nullptr) << name;
        return child;
    }
    QLineEdit *box(const char *name) { return find<QLineEdit>(name); }
    QRadioButton *option(const char *name) { return find<QRadioButton>(name); }
    QAction *action(const char *name) { return find<QAction>(name); }

    static QString stored(const char *key)
    {
        QSettings store(QSettings::IniFormat, QSettings::UserScope, "Tessaryn", "Tessaryn");
        return store.value(QStringLiteral("IniSetting/") + key).toString();
    }
    static void setStored(const char *key, const QString &value)
    {
        QSettings store(QSettings::IniFormat, QSettings::UserScope, "Tessaryn", "Tessaryn");
        store.setValue(QStringLiteral("IniSetting/") + key, value);
        store.sync();
    }

    // Runs `answer` on the next modal dialog of type T to open.
    template <typename T> static void whenModal(std::function<void(T *)> answer)
    {
        ModalDialogs::current()->expect<T>(std::move(answer));
    }

private:
    ModalDialogs m_dialogs;
    QTemporaryDir m_folder;
    std::unique_ptr<frmMain> m_window;
};
