#include "Printers.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <memory>
#include <unistd.h>

namespace {

const QString kAppId = QStringLiteral(QUORLENT_APP_ID);
const QString kSample = QStringLiteral("历史号码/示例历史号码.txt");
constexpr auto kOpen =
    QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner | QFile::ReadOther | QFile::ExeOther;

struct Outcome
{
    int exitCode = -1;
    QString out, err;
};

Outcome run(const QString &program, const QStringList &args,
            const QProcessEnvironment &env = QProcessEnvironment::systemEnvironment(),
            bool unprivileged = false)
{
    QProcess process;
    process.setProcessEnvironment(env);
    if (unprivileged && geteuid() == 0) // root writes anywhere: run as "nobody"
        process.start("setpriv",
                      QStringList{"--reuid=65534", "--regid=65534", "--clear-groups", program} +
                          args);
    else
        process.start(program, args);
    if (!process.waitForFinished(120000)) {
        process.kill();
        process.waitForFinished();
        ADD_FAILURE() << "hangs: " << qPrintable(program);
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

// A user of its own for the program: home, data, settings and cache folders, headless. Made over
// to "nobody" when the test runs as root, for the runs as that user.
class Sandbox
{
public:
    Sandbox() : m_env(QProcessEnvironment::systemEnvironment())
    {
        QFile::setPermissions(m_dir.path(), kOpen);
        m_env.insert("QT_QPA_PLATFORM", "offscreen");
        m_env.remove("QUORLENT_HOME");
        for (const char *var : {"HOME", "XDG_DATA_HOME", "XDG_CONFIG_HOME", "XDG_CACHE_HOME"}) {
            const QString folder = path(QLatin1String(var));
            QDir().mkdir(folder);
            m_env.insert(QLatin1String(var), folder);
            if (geteuid() == 0) {
                EXPECT_EQ(chown(qPrintable(folder), 65534, 65534), 0);
            }
        }
    }
    QString path(const QString &sub) const { return QDir(m_dir.path()).filePath(sub); }
    QString dataFolder() const { return path("XDG_DATA_HOME/quorlent"); }
    Outcome run(const QString &program, const QStringList &args, bool unprivileged = false,
                const QString &quorlentHome = {}) const
    {
        QProcessEnvironment env = m_env;
        if (!quorlentHome.isEmpty())
            env.insert("QUORLENT_HOME", quorlentHome);
        return ::run(program, args, env, unprivileged);
    }

private:
    QTemporaryDir m_dir;
    QProcessEnvironment m_env;
};

// A file of the tree that one `cmake --install` put into a temporary DESTDIR (prefix /usr, as in
// the package).
QString usr(const QString &path)
{
    static const auto dest = [] {
        auto dir = std::make_unique<QTemporaryDir>();
        QFile::setPermissions(dir->path(), kOpen);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("DESTDIR", dir->path());
        const Outcome install =
            run(QUORLENT_CMAKE, {"--install", QUORLENT_BUILD_DIR, "--prefix", "/usr"}, env);
        EXPECT_EQ(install.exitCode, 0) << qPrintable(install.err);
        return dir;
    }();
    return dest->path() + "/usr/" + path;
}
QString exe() { return usr("bin/quorlent"); }

TEST(Installed, HoldsItsFilesAndTellsItsVersion)
{
    QStringList files{"applications/" + kAppId + ".desktop", "metainfo/" + kAppId + ".metainfo.xml",
                      "icons/hicolor/scalable/apps/" + kAppId + ".svg", "quorlent/" + kSample};
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256})
        files << QStringLiteral("icons/hicolor/%1x%1/apps/").arg(size) + kAppId + ".png";
    for (const QString &file : files)
        EXPECT_TRUE(QFile::exists(usr("share/" + file))) << qPrintable(file);
    const Outcome version = Sandbox().run(exe(), {"--version"});
    EXPECT_EQ(version.exitCode, 0) << qPrintable(version.err);
    EXPECT_EQ(version.out, "quorlent " QUORLENT_VERSION "\n");
}

TEST(Installed, DesktopEntryAndMetainfoPassTheirValidators)
{
    const QString desktop = QStandardPaths::findExecutable("desktop-file-validate");
    const QString appstream = QStandardPaths::findExecutable("appstreamcli");
    if (desktop.isEmpty() || appstream.isEmpty())
        GTEST_SKIP() << "desktop-file-validate or appstreamcli is not installed, nothing checked "
                        "(apt-get install desktop-file-utils appstream)";
    for (const Outcome &said :
         {run(desktop, {usr("share/applications/" + kAppId + ".desktop")}),
          run(appstream,
              {"validate", "--no-net", usr("share/metainfo/" + kAppId + ".metainfo.xml")})}) {
        std::printf("validator said: %s\n", qPrintable((said.out + said.err).trimmed()));
        EXPECT_EQ(said.exitCode, 0);
    }
}

// Root can write into …/bin: an installed program keeps nothing there all the same.
TEST(Installed, KeepsTheUsersFilesInTheDataFolderAndOffersTheSampleOnce)
{
    const Sandbox box;
    const Outcome start = box.run(exe(), {"--check-start"});
    ASSERT_EQ(start.exitCode, 0) << qPrintable(start.err);
    EXPECT_EQ(start.out.trimmed(), box.dataFolder());
    EXPECT_TRUE(QFile::exists(box.dataFolder() + "/Varnibo.mdb"));
    EXPECT_EQ(entries(usr("bin")), QStringList{"quorlent"});

    // The user's own 历史号码 folder is not filled again.
    ASSERT_TRUE(QFile::remove(QDir(box.dataFolder()).filePath(kSample)));
    ASSERT_EQ(box.run(exe(), {"--check-start"}).exitCode, 0);
    EXPECT_FALSE(QFile::exists(QDir(box.dataFolder()).filePath(kSample)));
}

TEST(Installed, HomeOptionWinsOverTheVariable)
{
    const Sandbox box;
    const QString option = box.path("option"), variable = box.path("variable");
    EXPECT_EQ(box.run(exe(), {"--check-start", "--home", option}, false, variable).out.trimmed(),
              option);
    EXPECT_TRUE(QFile::exists(option + "/Varnibo.mdb"));
    EXPECT_TRUE(QFile::exists(QDir(option).filePath(kSample)));
    EXPECT_FALSE(QFile::exists(variable));
    EXPECT_EQ(box.run(exe(), {"--check-start"}, false, variable).out.trimmed(), variable);
}

// An executable that is not installed: its own folder while that can be written, else the data
// folder, with nothing left beside the executable.
TEST(ProgramFolder, ExecutableFolderWhenWritableElseTheDataFolder)
{
    const Sandbox box;
    const QString bin = box.path("bin"), copy = box.path("bin/quorlent");
    ASSERT_TRUE(QDir().mkdir(bin) && QFile::copy(QUORLENT_EXE, copy));
    EXPECT_EQ(box.run(copy, {"--check-start"}).out.trimmed(), bin);
    ASSERT_TRUE(QFile::remove(bin + "/Varnibo.mdb"));

    ASSERT_TRUE(QFile::setPermissions(bin, kOpen & ~QFile::WriteOwner));
    const Outcome readOnly = box.run(copy, {"--check-start"}, true);
    ASSERT_EQ(readOnly.exitCode, 0) << qPrintable(readOnly.err);
    EXPECT_EQ(readOnly.out.trimmed(), box.dataFolder());
    EXPECT_TRUE(QFile::exists(box.dataFolder() + "/Varnibo.mdb"));
    EXPECT_EQ(entries(bin), QStringList{"quorlent"});
    QFile::setPermissions(bin, kOpen);
}

} // namespace
