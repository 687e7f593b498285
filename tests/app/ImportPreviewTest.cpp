#include "Gb18030.h"
#include "AppFixture.h"

#include "ConflictModel.h"
#include "FileChooser.h"
#include "HistoryStore.h"
#include "ImportPreviewDialog.h"

#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStatusBar>
#include <QStringEncoder>

using namespace quorlent;

class ImportPreviewTest : public AppFixture
{
  protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        qputenv("QUORLENT_NOW", "2026-04-23T21:30:00");
    }
    void TearDown() override { qunsetenv("QUORLENT_NOW"); }

    QString writeFile(const QString &name, const QByteArray &bytes)
    {
        QFile file(QDir(folder()).filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return file.fileName();
    }
    // 读取历史号文本 on `path`, confirmed: the preview it opens (null when none).
    ImportPreviewDialog *readIn(const QString &path)
    {
        whenModal<QMessageBox>([](QMessageBox *box) { box->button(QMessageBox::Ok)->click(); });
        FileChooser::setNextFileName(path);
        find<QPushButton>("cmdRdLst")->click();
        return window().findChild<ImportPreviewDialog *>();
    }
    QString previewText(ImportPreviewDialog *preview, const char *name)
    {
        return preview->findChild<QLabel *>(QLatin1String(name))->text();
    }
    const std::vector<HistoryRow> &rows() { return window().history().rows(); }
};

TEST_F(ImportPreviewTest, ACsvOfADailyGameGoesIntoAnEmptyHistoryWithItsGameAndRefusedRows)
{
    open();
    // GBK, as a Chinese Windows system saves it, with a header and a date column.
    const QString csv = QStringLiteral("期号,开奖日期,开奖号码\r\n"
                                       "2026101,2026-04-21,09033\r\n"
                                       "2026102,2026-04-22,12345\r\n"
                                       "2026103,2026-04-23,1234\r\n"
                                       "2026103,2026-04-23,55555\r\n"
                                       "2026104,2026-04-23,66666\r\n");
    const QByteArray gbk = platform::encodeGb18030(csv).value_or(QByteArray());
    ImportPreviewDialog *preview = readIn(writeFile("排列五.csv", gbk));
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(window().statusBar()->currentMessage().contains("导入预览"));
    EXPECT_TRUE(rows().empty()) << "nothing is stored before 导入";
    EXPECT_TRUE(previewText(preview, "lblImportSummary").startsWith("读到 3 期"));
    const QString refused = preview->findChild<QPlainTextEdit *>("txtRefused")->toPlainText();
    EXPECT_TRUE(refused.contains("第 4 行")) << refused.toStdString();
    EXPECT_TRUE(refused.contains("第 6 行")) << refused.toStdString();

    preview->findChild<QPushButton *>("cmdImportOk")->click();
    EXPECT_EQ(window().history().game(), *Game::make(1, IssueForm::YearSequence4));
    ASSERT_EQ(rows().size(), 3u);
    EXPECT_EQ(rows()[0].digits(), (Digits{0, 9, 0, 3, 3}));
    EXPECT_EQ(rows()[0].date, 20260421);
    EXPECT_EQ(rows()[2].date, 20260423);
    EXPECT_EQ(box("Text1")->text(), "2026104");
}

TEST_F(ImportPreviewTest, AddingKeepsStoredDrawsUnlessTheFilesValueIsTicked)
{
    storeSeries(160908001, 5); // digits i%10, i/10, 3, 4, 9 - i%10
    open();
    // Newest first, a dash in the issue, a tab: 006 is new, 004 differs, 003 is the same.
    const QByteArray file = "20160908-006\t12345\n20160908-004\t77777\n20160908-003\t20347\n";
    ImportPreviewDialog *preview = readIn(writeFile("draws.txt", file));
    ASSERT_NE(preview, nullptr);
    EXPECT_TRUE(preview->findChild<QRadioButton *>("optImportAdd")->isChecked());
    EXPECT_EQ(preview->plan().newDraws.size(), 1u);
    EXPECT_EQ(preview->plan().sameIssues.size(), 1u);
    ASSERT_EQ(preview->plan().conflicts.size(), 1u);

    // Cancelled: nothing changes.
    preview->findChild<QPushButton *>("cmdImportCancel")->click();
    EXPECT_EQ(rows().size(), 5u);

    preview = readIn(writeFile("draws.txt", file));
    ASSERT_NE(preview, nullptr);
    preview->conflicts().setTicked(0, true);
    preview->findChild<QPushButton *>("cmdImportOk")->click();
    ASSERT_EQ(rows().size(), 6u);
    EXPECT_EQ(rows()[3].digits(), (Digits{7, 7, 7, 7, 7}));
    EXPECT_EQ(rows()[4].previous.digits(), (Digits{7, 7, 7, 7, 7}));
    EXPECT_EQ(rows()[5].digits(), (Digits{1, 2, 3, 4, 5}));
    // The replaced draw is marked as a correction in the grid.
    const QModelIndex cell = find<QTableView>("MSFlexGrid1")->model()->index(3, 1);
    EXPECT_EQ(cell.data(Qt::ToolTipRole).toString(), "已修改：原为 3 0 3 4 6，现为 7 7 7 7 7");
}

TEST_F(ImportPreviewTest, AFileOfAnotherGameIsOfferedAHistoryOfItsOwn)
{
    storeSeries(160908001, 3);
    open();
    ImportPreviewDialog *preview =
        readIn(writeFile("ninety-six.csv", "2017032801,1,2,3,4,5\n2017032802,5,4,3,2,1\n"));
    ASSERT_NE(preview, nullptr);
    EXPECT_FALSE(preview->findChild<QPushButton *>("cmdImportOk")->isEnabled());
    auto *offer = preview->findChild<QPushButton *>("cmdImportNewHistory");
    ASSERT_TRUE(offer->isVisibleTo(preview));
    offer->click();
    EXPECT_EQ(window().windowTitle(), "Quorlent — ninety-six");
    preview->findChild<QPushButton *>("cmdImportOk")->click();
    EXPECT_EQ(window().history().game().drawsPerDay(), 96);
    EXPECT_EQ(rows().size(), 2u);
    // The history the draws did not fit kept its own.
    auto db = HistoryDb::openOrCreate(dbPath()).db;
    EXPECT_EQ(db->loadRows().size(), 3u);
}

TEST_F(ImportPreviewTest, CorrectingADrawMarksItAndTheDrawAfterFollows)
{
    storeSeries(160908001, 4);
    open();
    find<QTableView>("MSFlexGrid1")
        ->setCurrentIndex(find<QTableView>("MSFlexGrid1")->model()->index(1, 0));
    whenModal<QInputDialog>([](QInputDialog *input) {
        EXPECT_TRUE(input->labelText().contains("20160908002"));
        input->setTextValue("9 8 7 6 5");
        input->accept();
    });
    action("mnuXiugai")->trigger();
    EXPECT_EQ(rows()[1].digits(), (Digits{9, 8, 7, 6, 5}));
    EXPECT_EQ(rows()[2].previous.digits(), (Digits{9, 8, 7, 6, 5}));
    EXPECT_NE(window().history().correctionOf(160908002), nullptr);
    EXPECT_TRUE(window().statusBar()->currentMessage().contains("98765"));
}

TEST_F(ImportPreviewTest, TheSummaryFollowsTheWayChosenAndEnterImports)
{
    storeSeries(160908001, 5);
    open();
    // 006 is new, 004 differs from the stored draw, 003 is the same.
    const QByteArray file = "20160908-006\t12345\n20160908-004\t77777\n20160908-003\t20347\n";
    ImportPreviewDialog *preview = readIn(writeFile("draws.txt", file));
    ASSERT_NE(preview, nullptr);
    const auto summary = [&] { return previewText(preview, "lblImportSummary"); };
    EXPECT_TRUE(summary().startsWith("读到 3 期"));
    EXPECT_TRUE(summary().endsWith("按“添加”存入其中新增的 1 期。")) << summary().toStdString();
    preview->findChild<QRadioButton *>("optImportReplace")->click();
    EXPECT_TRUE(summary().endsWith("按“替换”存入这 3 期，历史只留下它们。"))
        << summary().toStdString();
    preview->findChild<QRadioButton *>("optImportAdd")->click();
    EXPECT_TRUE(summary().endsWith("新增的 1 期。")) << summary().toStdString();

    // Enter in the rows read imports, the way chosen.
    auto *table = preview->findChild<QTableView *>("grdImportRows");
    table->setFocus();
    QTest::keyClick(table, Qt::Key_Return);
    EXPECT_EQ(rows().size(), 6u);
    EXPECT_FALSE(preview->isVisible()) << "closed once imported";
}
