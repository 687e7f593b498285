// The program as a user first meets it: quorlent started on an empty folder makes its history
// file and offers the sample history; the sample read in and searched gives the hits a count of
// the file's own lines gives. On Windows the check runs against the packed program
// (QUORLENT_SMOKE_EXE names the quorlent.exe of the zip's folder).
#include "AppFixture.h"
#include "FileChooser.h"

#include <QDir>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>

using namespace quorlent;

namespace {

QString programUnderTest()
{
    const QString packed = qEnvironmentVariable("QUORLENT_SMOKE_EXE");
    return packed.isEmpty() ? QStringLiteral(QUORLENT_EXE) : packed;
}

// Draws of the sample as its lines give them, oldest first: "161222001 22170".
std::vector<QString> sampleDraws(const QString &path)
{
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly | QIODevice::Text));
    std::vector<QString> draws;
    while (!file.atEnd()) {
        const QStringList fields = QString::fromUtf8(file.readLine()).simplified().split(' ');
        if (fields.size() == 2 && fields[1].size() == 5)
            draws.push_back(fields[1]);
    }
    return draws;
}

} // namespace

class PackageSmokeTest : public AppFixture
{
};

TEST_F(PackageSmokeTest, AnEmptyFolderGetsAHistoryTheSampleAndASearch)
{
    QProcess program;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    program.setProcessEnvironment(env);
    program.start(programUnderTest(),
                  {QStringLiteral("--home"), folder(), QStringLiteral("--check-start")});
    ASSERT_TRUE(program.waitForFinished(120000)) << program.errorString().toStdString();
    EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
    EXPECT_EQ(QDir::cleanPath(QDir::fromNativeSeparators(
                  QString::fromUtf8(program.readAllStandardOutput()).trimmed())),
              QDir::cleanPath(folder()));
    const QString sample = QDir(folder()).filePath(QStringLiteral("历史号码/示例历史号码.txt"));
    ASSERT_TRUE(QFileInfo::exists(sample));
    ASSERT_TRUE(QFileInfo::exists(dbPath()));

    open();
    whenModal<QMessageBox>([](QMessageBox *box) { box->button(QMessageBox::Ok)->click(); });
    FileChooser::setNextFileName(sample);
    find<QPushButton>("cmdRdLst")->click();
    const std::vector<QString> draws = sampleDraws(sample);
    ASSERT_GT(draws.size(), 2000u);
    EXPECT_EQ(find<QTableView>("MSFlexGrid1")->model()->rowCount(), int(draws.size()));

    // The reference is the newest draw and 自由位 the default: a hit is a draw whose previous draw
    // holds the newest draw's first digit anywhere.
    find<QCheckBox>("Check1(1)")->setChecked(true);
    find<QPushButton>("Command1")->click();
    const QChar first = draws.back()[0];
    int expected = 0;
    for (size_t i = 1; i < draws.size(); ++i)
        expected += draws[i - 1].contains(first) ? 1 : 0;
    EXPECT_GT(expected, 0);
    EXPECT_EQ(find<QTableView>("MSFlexGrid2")->model()->rowCount(), expected);
}
