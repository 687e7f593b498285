#include "AppFixture.h"
#include "FileChooser.h"

#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPushButton>
#include <QStatusBar>

// The 起 and 止 boxes follow the history they name.
class SearchRangeTest : public AppFixture
{
protected:
    QLineEdit *start() { return box("Text3(0)"); }
    QLineEdit *end() { return box("Text3(1)"); }
    void import(const QByteArray &lines)
    {
        const QString path = QDir(folder()).filePath("历史号码.txt");
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(lines);
        file.close();
        whenModal<QMessageBox>([](QMessageBox *box) { box->button(QMessageBox::Ok)->click(); });
        FileChooser::setNextFileName(path);
        find<QPushButton>("cmdRdLst")->click();
    }
    void typeDraw(const char *digits)
    {
        for (int i = 1; i <= 5; ++i)
            QTest::keyClick(box(QStringLiteral("MaskEdBox1(%1)").arg(i).toUtf8()), digits[i - 1]);
    }
};

TEST_F(SearchRangeTest, AnImportIntoAnEmptyHistoryOrOverOneSetsBothBoxes)
{
    open();
    EXPECT_EQ(start()->text(), "2013001");
    import("161222001 12345\r\n161222002 23456\r\n161222003 34567\r\n");
    EXPECT_EQ(start()->text(), "20161222002");
    EXPECT_EQ(end()->text(), "20161222003");

    // Over a history, even after the user typed a range: it named draws that are gone.
    option("Option1(2)")->click(); // 前 2 期: 起 is the oldest draw + 2
    end()->setText("20161222002");
    import("170101119 12345\r\n170101120 23456\r\n170102001 34567\r\n170102002 45678\r\n");
    EXPECT_EQ(start()->text(), "20170101121") << "added on the stored form, as at start-up";
    EXPECT_EQ(end()->text(), "20170102002");

    whenModal<QMessageBox>([](QMessageBox *box) { box->button(QMessageBox::Ok)->click(); });
    action("mnuClear")->trigger();
    EXPECT_EQ(start()->text(), "2013001");
    EXPECT_EQ(end()->text(), "2013001");
}

TEST_F(SearchRangeTest, AnEntryMovesTheEndOnlyWhenItShowedTheNewestDraw)
{
    storeSeries(160908001, 3);
    open();
    ASSERT_EQ(end()->text(), "20160908003");
    typeDraw("12345");
    EXPECT_EQ(start()->text(), "20160908002");
    EXPECT_EQ(end()->text(), "20160908004");

    end()->setText("20160908002");
    typeDraw("67890");
    EXPECT_EQ(end()->text(), "20160908002") << "a typed end stays";
    EXPECT_EQ(start()->text(), "20160908002");

    // Deleting the newest draw takes an end that showed it back to the draw before.
    end()->setText("20160908005");
    find<QPushButton>("Command3")->click();
    EXPECT_EQ(end()->text(), "20160908004");
}

TEST_F(SearchRangeTest, ASearchOnAnEmptyHistorySaysWhyItFindsNothing)
{
    open();
    for (const char *button : {"Command1", "Command2"}) {
        window().statusBar()->clearMessage();
        find<QPushButton>(button)->click();
        EXPECT_TRUE(window().statusBar()->currentMessage().startsWith("还没有历史号码"))
            << button << ": " << window().statusBar()->currentMessage().toStdString();
    }
    typeDraw("12345");
    find<QPushButton>("Command1")->click();
    EXPECT_FALSE(window().statusBar()->currentMessage().startsWith("还没有历史号码"));
}
