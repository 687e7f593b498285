#include "ProgramFolder.h"

#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>

class ProgramFolderTest : public ::testing::Test
{
  protected:
    void SetUp() override { QStandardPaths::setTestModeEnabled(true); }
    void TearDown() override { QStandardPaths::setTestModeEnabled(false); }

    // Makes `exe` look like an installed copy, as the package or the installer leaves it.
    static void install(const QString &exe)
    {
#ifdef Q_OS_WIN
        QFile marker(QDir(exe).filePath(QLatin1String(kInstalledMarker)));
        ASSERT_TRUE(marker.open(QIODevice::WriteOnly));
#else
        ASSERT_TRUE(QDir(exe).mkpath(QStringLiteral("../share/quorlent")));
#endif
    }

    QTemporaryDir m_root;
};

TEST_F(ProgramFolderTest, APortableCopyKeepsItsFilesBesideTheProgram)
{
    const QString exe = m_root.filePath(QStringLiteral("解压/bin"));
    ASSERT_TRUE(QDir().mkpath(exe));
    EXPECT_FALSE(isInstalledCopy(exe));
    EXPECT_EQ(programFolder({}, exe), QDir(exe).absolutePath());
    // --home or QUORLENT_HOME wins over both, and is created.
    const QString home = m_root.filePath(QStringLiteral("别处"));
    EXPECT_EQ(programFolder(home, exe), QDir(home).absolutePath());
    EXPECT_TRUE(QFileInfo(home).isDir());
}

TEST_F(ProgramFolderTest, AnInstalledCopyNeverWritesBesideItsExecutable)
{
    const QString exe = m_root.filePath(QStringLiteral("Quorlent/bin"));
    ASSERT_TRUE(QDir().mkpath(exe));
    install(exe);
    EXPECT_TRUE(isInstalledCopy(exe));
    const QString folder = programFolder({}, exe);
    EXPECT_EQ(folder, perUserDataFolder());
    EXPECT_NE(folder, QDir(exe).absolutePath());
    EXPECT_TRUE(QFileInfo(folder).isDir());
#ifdef Q_OS_WIN
    EXPECT_EQ(QFileInfo(folder).fileName(), QStringLiteral("Quorlent"));
    EXPECT_EQ(
        QDir::cleanPath(QFileInfo(folder).absolutePath()),
        QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation)));
#endif
}

TEST_F(ProgramFolderTest, TheSettingsFileFollowsTheProgramFolderOnWindowsOnly)
{
    const QString before =
        QSettings(QSettings::IniFormat, QSettings::UserScope, "Tessaryn", "Tessaryn").fileName();
    useSettingsFolderOf(m_root.path());
    const QString after =
        QSettings(QSettings::IniFormat, QSettings::UserScope, "Tessaryn", "Tessaryn").fileName();
#ifdef Q_OS_WIN
    EXPECT_EQ(QDir::cleanPath(after),
              QDir(m_root.path()).filePath(QStringLiteral("Tessaryn/Tessaryn.ini")));
#else
    EXPECT_EQ(after, before);
#endif
}
