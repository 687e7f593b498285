#include "MissingDrawDialog.h"

#include "MissingDrawModel.h"
#include "SaveAs.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

using namespace quorlent;

MissingDrawDialog::MissingDrawDialog(const trend::MissingDrawReport &report, const Game &game,
                                     const QString &folder, QWidget *parent)
    : QDialog(parent), m_model(new MissingDrawModel(report, game, this)), m_folder(folder)
{
    setObjectName(QStringLiteral("frmQueqi"));
    setWindowTitle(QStringLiteral("缺期检查"));
    auto *layout = new QVBoxLayout(this);
    auto *summary = new QLabel(m_model->summary());
    summary->setObjectName(QStringLiteral("lblSummary"));
    summary->setWordWrap(true);
    layout->addWidget(summary);

    auto *list = new QTableView;
    list->setObjectName(QStringLiteral("tblQueqi"));
    list->setModel(m_model);
    list->verticalHeader()->hide();
    list->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list->setAlternatingRowColors(true);
    list->horizontalHeader()->setStretchLastSection(true);
    list->setColumnWidth(MissingDrawModel::Category, 110);
    list->setColumnWidth(MissingDrawModel::Where, 230);
    layout->addWidget(list, 1);

    m_status = new QLabel;
    m_status->setObjectName(QStringLiteral("lblExport"));
    layout->addWidget(m_status);

    auto *buttons = new QDialogButtonBox;
    auto *exportButton =
        buttons->addButton(QStringLiteral("导出(&E)"), QDialogButtonBox::ActionRole);
    exportButton->setObjectName(QStringLiteral("cmdExport"));
    exportButton->setEnabled(m_model->rowCount() > 0);
    auto *close = buttons->addButton(QStringLiteral("关闭"), QDialogButtonBox::RejectRole);
    close->setObjectName(QStringLiteral("cmdClose"));
    connect(exportButton, &QPushButton::clicked, this, &MissingDrawDialog::exportList);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    resize(560, 420);
}

void MissingDrawDialog::exportList()
{
    const auto saved =
        SaveAs(this, QStringLiteral("导出缺期检查结果"), m_folder, QStringLiteral("缺期检查"))
            .workbook(*m_model)
            .table(*m_model)
            .run();
    if (!saved)
        return;
    m_status->setText(saved->ok()
                          ? QStringLiteral("已导出到 %1").arg(QDir::toNativeSeparators(saved->path))
                          : QStringLiteral("未能导出到 %1：%2").arg(saved->path, saved->error));
}
