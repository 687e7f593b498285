#include "AppFixture.h"
#include "CorrectionDialog.h"
#include "FileChooser.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QInputDialog>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>

using namespace quorlent;

class HistoryFilesTest : public AppFixture
{
protected:
    QAbstractItemModel *grid() { return find<QTableView>("MSFlexGrid1")->model(); }
    std::vector<HistoryRow> storedRows() { return HistoryDb::openOrCreate(dbPath()).db->loadRows(); }
    QString writeFile(const QString &name, const QByteArray &bytes)
    {
        const QString path = QDir(folder()).filePath(name);
        QDir().mkpath(QFileInfo(path).path());
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    // Answers the confirmation with OK and the file request with `path`.
    void importFile(const QString &path)
    {
        whenModal<QMessageBox>([](QMessageBox *box) {
            EXPECT_EQ(box->windowTitle(), "读入历史");
            box->button(QMessageBox::Ok)->click();
        });
        FileChooser::setNextFileName(path);
        find<QPushButton>("cmdRdLst")->click();
        EXPECT_TRUE(FileChooser::lastRequest().folder.endsWith("历史号码"));
        EXPECT_FALSE(FileChooser::hasNextFileName());
    }
    void answerInput(const QString &text)
    {
        whenModal<QInputDialog>([text](QInputDialog *input) {
            EXPECT_EQ(input->windowTitle(), "删除期数");
            input->setTextValue(text);
            input->accept();
        });
    }
};

TEST_F(HistoryFilesTest, ImportReplacesTheHistoryWithTheFilesDraws)
{
    storeDraws({{150101001, {9, 9, 9, 9, 9}}});
    open();
    const QString path = writeFile("历史号码/三期.TXT",
                                   "期号 号码\r\n160908076 31330\r\n\r\n160908077 12345\r\n"
                                   " 160908078 55555\r\n160908078,67890\r\n");
    importFile(path);
    const auto rows = storedRows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].sqqh, 160908076);
    EXPECT_EQ(rows[2].digits(), (Digits{6, 7, 8, 9, 0}));
    EXPECT_EQ(rows[2].previous.digits(), (Digits{1, 2, 3, 4, 5}));
    EXPECT_EQ(grid()->rowCount(), 3);
    EXPECT_EQ(box("Text1")->text(), "20160908079");
    EXPECT_EQ(box("Text2(1)")->text(), "6");
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
}

TEST_F(HistoryFilesTest, AFileWithoutDrawsKeepsTheHistoryAndSaysSo)
{
    storeDraws({{150101001, {9, 9, 9, 9, 9}}, {150101002, {1, 1, 1, 1, 1}}});
    frmMain &w = open();
    // This once the real file dialog answers, its file name typed into its box.
    const QString path = writeFile("历史号码/导出.txt", "20160908078 31330\r\n");
    whenModal<QMessageBox>([](QMessageBox *box) { box->button(QMessageBox::Ok)->click(); });
    whenModal<QFileDialog>([path](QFileDialog *dialog) {
        EXPECT_TRUE(dialog->directory().absolutePath().endsWith("历史号码"));
        auto *name = dialog->findChild<QLineEdit *>("fileNameEdit");
        ASSERT_NE(name, nullptr);
        name->setText(path);
        QMetaObject::invokeMethod(dialog, "accept");
    });
    find<QPushButton>("cmdRdLst")->click();
    EXPECT_EQ(storedRows().size(), 2u);
    EXPECT_EQ(grid()->rowCount(), 2);
    EXPECT_FALSE(w.statusBar()->currentMessage().isEmpty());

    // Cancelling the confirmation changes nothing either.
    whenModal<QMessageBox>([](QMessageBox *box) { box->button(QMessageBox::Cancel)->click(); });
    find<QPushButton>("cmdRdLst")->click();
    EXPECT_EQ(storedRows().size(), 2u);
}

TEST_F(HistoryFilesTest, DeletingTheNewestDrawCompactsAndOffersItsIssueAgain)
{
    storeDraws({{160908076, {1, 1, 1, 1, 1}}, {160908077, {2, 2, 2, 2, 2}}, {160908078, {3, 3, 3, 3, 3}}});
    open();
    find<QPushButton>("Command3")->click();
    EXPECT_EQ(storedRows().size(), 2u);
    EXPECT_EQ(grid()->rowCount(), 2);
    EXPECT_EQ(box("Text1")->text(), "20160908078");
    EXPECT_EQ(box("Text2(1)")->text(), "2");
    EXPECT_TRUE(QFile::exists(QDir(folder()).filePath("VarniboTmp.mdb")));

    action("mnuErase")->trigger();
    EXPECT_EQ(storedRows().size(), 1u);
    // The entry goes on working on the compacted database.
    for (int i = 1; i <= 5; ++i)
        QTest::keyClick(box(QStringLiteral("MaskEdBox1(%1)").arg(i).toUtf8()), '4');
    EXPECT_EQ(storedRows().size(), 2u);
    EXPECT_EQ(storedRows().back().sqqh, 160908077);
}

TEST_F(HistoryFilesTest, ClearingAsksFirst)
{
    storeDraws({{160908076, {1, 1, 1, 1, 1}}, {160908077, {2, 2, 2, 2, 2}}});
    open();
    whenModal<QMessageBox>([](QMessageBox *box) {
        EXPECT_EQ(box->text(), "确定要清空所有的历史号码吗？");
        EXPECT_EQ(box->windowTitle(), "确认清空");
        box->button(QMessageBox::Cancel)->click();
    });
    action("mnuClear")->trigger();
    EXPECT_EQ(storedRows().size(), 2u);
    whenModal<QMessageBox>([](QMessageBox *box) { box->button(QMessageBox::Ok)->click(); });
    action("mnuClear")->trigger();
    EXPECT_TRUE(storedRows().empty());
    EXPECT_EQ(grid()->rowCount(), 0);
}

TEST_F(HistoryFilesTest, DeletingDownToAnIssueAndTheLastDraws)
{
    storeDraws({{160907119, {1, 1, 1, 1, 1}},
                {160907120, {2, 2, 2, 2, 2}},
                {160908001, {3, 3, 3, 3, 3}},
                {160908002, {4, 4, 4, 4, 4}}});
    open();
    // The proposed entry is the newest issue: nothing goes.
    whenModal<QInputDialog>([](QInputDialog *input) {
        EXPECT_EQ(input->textValue(), "20160908002");
        input->accept();
    });
    action("mnuDlzd")->trigger();
    EXPECT_EQ(storedRows().size(), 4u);

    answerInput("2");
    action("mnuEszhzd")->trigger();
    auto rows = storedRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows.back().sqqh, 160907120);
    EXPECT_EQ(box("Text1")->text(), "20160908001");
    QFile backup(QDir(folder()).filePath("lsbf.txt"));
    ASSERT_TRUE(backup.open(QIODevice::ReadOnly));
    EXPECT_EQ(backup.readAll(), "160907119 11111\r\n160907120 22222\r\n");
    backup.close();

    // An unusable entry changes nothing, not even the backup file.
    answerInput("abc");
    action("mnuDlzd")->trigger();
    answerInput("0");
    action("mnuEszhzd")->trigger();
    EXPECT_EQ(storedRows().size(), 2u);
    ASSERT_TRUE(backup.open(QIODevice::ReadOnly));
    EXPECT_EQ(backup.readAll(), "160907119 11111\r\n160907120 22222\r\n");
    backup.close();

    answerInput("20160907119");
    action("mnuDlzd")->trigger();
    rows = storedRows();
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(grid()->rowCount(), 1);
}

TEST_F(HistoryFilesTest, RightClickOnTheHistoryGridOpensItsMenu)
{
    open();
    auto *grid = find<QTableView>("MSFlexGrid1");
    auto *menu = find<QMenu>("mnuLsgl");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
    EXPECT_FALSE(menu->isVisible());
    emit grid->customContextMenuRequested(QPoint(20, 20));
    QTRY_VERIFY(menu->isVisible());
    menu->hide();
}

TEST_F(HistoryFilesTest, TheCorrectionDialogShowsItsIssueAndStaysOpenOnAWrongEntry)
{
    storeDraws({{160908076, {1, 1, 1, 1, 1}}, {160908077, {2, 2, 2, 2, 2}}});
    open();
    QStringList seen;
    whenModal<CorrectionDialog>([&seen](CorrectionDialog *dialog) {
        seen << dialog->correction().issue << dialog->textValue();
        // Another issue typed: its stored digits come with it.
        dialog->setIssue("20160908076");
        seen << dialog->textValue();
        dialog->setTextValue("12x45");
        dialog->accept();
        seen << QString::number(dialog->isVisible()) << dialog->refusal();
        dialog->setIssue("20160908099");
        seen << dialog->refusal();
        dialog->setTextValue("9 8 7 6 5");
        dialog->accept();
        seen << QString::number(dialog->isVisible()) << dialog->refusal();
        dialog->setIssue("20160908076");
        dialog->accept();
    });
    auto *view = find<QTableView>("MSFlexGrid1");
    view->setCurrentIndex(view->model()->index(1, 0));
    action("mnuXiugai")->trigger(); // the row chosen
    EXPECT_EQ(seen, (QStringList{"20160908077", "22222", "11111", "1", "“12x45”不是五个数字。",
                                 QString(), "1", "历史中没有第 20160908099 期。"}));
    const auto rows = storedRows();
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].digits(), (Digits{9, 8, 7, 6, 5}));
    EXPECT_EQ(rows[1].digits(), (Digits{2, 2, 2, 2, 2}));
    EXPECT_EQ(rows[1].previous.digits(), (Digits{9, 8, 7, 6, 5}));
}

TEST_F(HistoryFilesTest, ADeletionIsUndoneFromTheMenuAndAFileThatLacksDrawsIsAddedOnRequest)
{
    storeDraws({{160908076, {1, 1, 1, 1, 1}}, {160908077, {4, 5, 6, 7, 8}}});
    open();
    QAction *undo = action("mnuUndoDeletion");
    EXPECT_TRUE(find<QMenu>("mnuLsgl")->actions().contains(undo));
    EXPECT_EQ(undo->text(), "撤销删除(&U)");
    EXPECT_FALSE(undo->isEnabled());
    find<QPushButton>("Command3")->click();
    EXPECT_TRUE(window().statusBar()->currentMessage().contains("开奖号码为 45678"));
    ASSERT_TRUE(undo->isEnabled());
    undo->trigger();
    EXPECT_EQ(grid()->rowCount(), 2);
    EXPECT_EQ(storedRows().back().digits(), (Digits{4, 5, 6, 7, 8}));
    EXPECT_FALSE(undo->isEnabled());

    // The file lacks the newest draw: 添加 keeps it.
    const QString file = writeFile("历史号码/old.txt", "160908075 99999\r\n160908076 11111\r\n");
    QString question;
    whenModal<QMessageBox>([](QMessageBox *box) { box->button(QMessageBox::Ok)->click(); });
    whenModal<QMessageBox>([&question](QMessageBox *box) {
        question = box->text();
        for (QAbstractButton *button : box->buttons())
            if (button->text() == "添加(&A)")
                button->click();
    });
    FileChooser::setNextFileName(file);
    find<QPushButton>("cmdRdLst")->click();
    EXPECT_TRUE(question.contains("20160908077 期  45678（文件中没有这一期）")) << question.toStdString();
    const auto rows = storedRows();
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows.front().sqqh, 160908075);
    EXPECT_EQ(rows.back().digits(), (Digits{4, 5, 6, 7, 8}));
}
