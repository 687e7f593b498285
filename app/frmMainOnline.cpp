// The online update: the window stays usable while the pages load, and everything that changes or
// searches the history waits until it ends.
#include "CommandPanel.h"
#include "HistoryPanel.h"
#include "HistoryStore.h"
#include "SearchOptionsPanel.h"
#include "OnlineUpdater.h"
#include "frmMain.h"

#include <QAction>
#include <QApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QUrl>

using namespace quorlent;

void frmMain::setUpOnlineUpdate()
{
    m_updater = new OnlineUpdater(*m_history, nullptr, this);
    m_updateProgress = new QProgressBar;
    m_updateProgress->setObjectName(QStringLiteral("updateProgress"));
    m_updateProgress->setMaximumWidth(200);
    m_updateProgress->setFormat(QStringLiteral("%v/%m 天"));
    m_updateProgress->hide();
    statusBar()->addPermanentWidget(m_updateProgress);

    connect(m_commands->Command21, &QPushButton::clicked, this, &frmMain::Command21_Click);
    connect(m_menus.mnuSetUrl, &QAction::triggered, this, &frmMain::mnuSetUrl_Click);
    connect(m_updater, &OnlineUpdater::progress, this,
            [this](int dayIndex, int dayCount, const QDate &date) {
                m_updateProgress->setRange(0, dayCount);
                m_updateProgress->setValue(dayIndex + 1);
                showStatus(QStringLiteral("在线更新：正在读取第 %1/%2 天（%3）的开奖结果……")
                               .arg(dayIndex + 1)
                               .arg(dayCount)
                               .arg(date.toString(Qt::ISODate)));
            });
    connect(m_updater, &OnlineUpdater::finished, this, &frmMain::onlineUpdateFinished);
}

void frmMain::Command21_Click()
{
    if (m_updater->isRunning())
        return;
    if (m_settings.updateUrl().isEmpty()) {
        showStatus(QStringLiteral("尚未设置开奖结果网站的网址：请点击“软件设置(&T)”，"
                                  "选择“在线更新网址设置(&U)”输入网址后再更新。")
                       .remove(QLatin1String("(&T)"))
                       .remove(QLatin1String("(&U)")));
        return;
    }
    QMessageBox box(QMessageBox::Question, QStringLiteral("读入历史"),
                    QStringLiteral("确实要在线更新最新历史号码吗？更新可能要花费一段时间，"
                                   "网络不通或者我方服务器更新不及时可能都造成更新失败！"),
                    QMessageBox::Ok | QMessageBox::Cancel, this);
    if (box.exec() != QMessageBox::Ok)
        return;

    OnlineUpdateSettings settings;
    settings.baseAddress = m_settings.updateUrl();
    settings.iniSerchDay = m_settings.number(Settings::IniSerchDay);
    settings.segmentBase = m_settings.number(Settings::DsIni);
    if (!m_updater->start(settings)) {
        showStatus(QStringLiteral("没有可用的历史数据库，无法在线更新。"));
        return;
    }
    setHistoryCommandsEnabled(false);
    QApplication::setOverrideCursor(Qt::BusyCursor);
    m_updateProgress->setValue(0);
    m_updateProgress->show();
}

void frmMain::onlineUpdateFinished()
{
    QApplication::restoreOverrideCursor();
    m_updateProgress->hide();
    setHistoryCommandsEnabled(true);
    AddHaoma();
    RefreshRefPattern();
    QihaoXianshi();

    const OnlineUpdateResult &result = m_updater->result();
    QString text = QStringLiteral("在线更新%1：新增 %2 期历史号码")
                       .arg(result.cancelled ? QStringLiteral("已取消") : QStringLiteral("完成"))
                       .arg(result.added);
    if (!result.failedDays.isEmpty()) {
        QStringList days;
        for (const QDate &day : result.failedDays)
            days << day.toString(Qt::ISODate);
        text += QStringLiteral("；以下日期未能读取：%1").arg(days.join(QStringLiteral("、")));
    }
    if (result.oldHistoryKept)
        text += QStringLiteral("；没有读到新的开奖结果，原有历史号码保留未删");
    if (result.restartsExhausted)
        text += QStringLiteral("；网站一直没有开奖数据，更新提前结束");
    if (!result.storeError.isEmpty())
        text += QStringLiteral("；保存失败：%1").arg(result.storeError);
    if (!result.correctionsKept.empty()) {
        QStringList issues;
        for (int32_t sqqh : result.correctionsKept)
            issues << m_history->game().displayForm(sqqh);
        text += QStringLiteral("；网页上 %1 期的开奖号码与修改过的不同，保留修改：%2")
                    .arg(issues.size())
                    .arg(issues.join(QStringLiteral("、")));
    }
    if (result.misfitRows > 0)
        text += QStringLiteral("；网页上有 %1 行的期号不合本彩种，未保存（%2）")
                    .arg(result.misfitRows)
                    .arg(m_history->game().formHint());
    showStatus(text + QStringLiteral("。"));
}

void frmMain::setHistoryCommandsEnabled(bool enabled)
{
    const CommandPanel &c = *m_commands;
    for (QWidget *w : std::initializer_list<QWidget *>{c.Command1, m_options->combinationButton(),
                                                       c.Command21, c.cmdRdLst, c.Command3,
                                                       c.Command4, c.cmdHuice})
        w->setEnabled(enabled);
    const MainMenus &m = m_menus;
    for (QAction *a : {m.mnuErase, m.mnuClear, m.mnuDlzd, m.mnuEszhzd, m.mnuDscs[0], m.mnuDscs[1],
                       m.mnuNewHistory, m.mnuOpenHistory, m.mnuGame})
        a->setEnabled(enabled);
    for (QAction *a : m_recentActions)
        a->setEnabled(enabled);
    m_historyPanel->setEntryEnabled(enabled);
}

void frmMain::mnuSetUrl_Click()
{
    QInputDialog dialog(this);
    dialog.setWindowTitle(QStringLiteral("在线更新网址"));
    dialog.setLabelText(QStringLiteral("请输入开奖结果网站的网址（例如 http://www.example.com），"
                                       "在线更新从该网址读取每天的开奖结果："));
    dialog.setTextValue(m_settings.updateUrl());
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString answer = dialog.textValue().trimmed();
    const QUrl url(answer, QUrl::StrictMode);
    if (!answer.isEmpty() && (!url.isValid() || url.host().isEmpty() ||
                              (url.scheme() != QLatin1String("http") &&
                               url.scheme() != QLatin1String("https")))) {
        showStatus(QStringLiteral("“%1”不是有效的 http 或 https 网址，未作改动。").arg(answer));
        return;
    }
    m_settings.setUpdateUrl(answer);
    showStatus(answer.isEmpty() ? QStringLiteral("在线更新网址已清除。")
                                : QStringLiteral("在线更新网址已设为 %1。").arg(answer));
}
