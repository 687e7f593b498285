#include "AppFixture.h"

#include "SamplePages.h"
#include "TestHttpServer.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSignalSpy>
#include <QStatusBar>

using namespace quorlent;
using quorlent::test::TestHttpServer;

class OnlineTest : public AppFixture
{
protected:
    void SetUp() override
    {
        AppFixture::SetUp();
        qputenv("QUORLENT_NOW", "2016-09-08T15:00:00");
        ASSERT_TRUE(m_server.start());
    }
    void TearDown() override
    {
        close();
        m_server.stop();
        qunsetenv("QUORLENT_NOW");
    }
    void setUrl(const QString &address)
    {
        whenModal<QInputDialog>([address](QInputDialog *input) {
            input->setTextValue(address);
            input->accept();
        });
        action("mnuSetUrl")->trigger();
    }
    void pressUpdate()
    {
        whenModal<QMessageBox>([](QMessageBox *box) {
            EXPECT_EQ(box->windowTitle(), "读入历史");
            box->button(QMessageBox::Ok)->click();
        });
        find<QPushButton>("Command21")->click();
    }
    std::vector<HistoryRow> storedRows() { return HistoryDb::openOrCreate(dbPath()).db->loadRows(); }

    TestHttpServer m_server;
};

TEST_F(OnlineTest, WithoutAnAddressTheButtonSaysHowToSetOne)
{
    frmMain &w = open();
    find<QPushButton>("Command21")->click(); // no confirmation is asked
    EXPECT_TRUE(w.statusBar()->currentMessage().contains("网址"));
    EXPECT_TRUE(m_server.requests().isEmpty());

    setUrl("ftp://example");
    EXPECT_EQ(stored("txtUpdateUrl"), "");
    setUrl(m_server.baseAddress());
    EXPECT_EQ(stored("txtUpdateUrl"), m_server.baseAddress());
}

TEST_F(OnlineTest, UpdateRunsWithoutBlockingAndRefreshesTheWindow)
{
    const QDate today(2016, 9, 8);
    storeDraws({{160908077, {1, 1, 1, 1, 1}}, {160908078, {2, 2, 2, 2, 2}}});
    m_server.servePage(today.addDays(-1), test::dayPage(today.addDays(-1), 1, 120));
    m_server.servePage(today, test::dayPage(today, 1, 80));
    frmMain &w = open();
    setUrl(m_server.baseAddress());

    pressUpdate();
    // While the pages load, what changes or searches the history waits.
    EXPECT_FALSE(find<QPushButton>("Command1")->isEnabled());
    EXPECT_FALSE(find<QPushButton>("Command21")->isEnabled());
    EXPECT_FALSE(action("mnuClear")->isEnabled());
    QTRY_VERIFY_WITH_TIMEOUT(find<QPushButton>("Command21")->isEnabled(), 20000);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);

    const auto rows = storedRows();
    ASSERT_EQ(rows.size(), 4u);
    EXPECT_EQ(rows[2].sqqh, 160908079);
    EXPECT_EQ(rows[3].sqqh, 160908080);
    EXPECT_EQ(find<QTableView>("MSFlexGrid1")->model()->rowCount(), 4);
    EXPECT_EQ(box("Text1")->text(), "20160908081");
    EXPECT_TRUE(w.statusBar()->currentMessage().contains("2")) << "how many were added";
    EXPECT_EQ(m_server.requestedDates(), (QList<QDate>{today.addDays(-1), today}));
}
