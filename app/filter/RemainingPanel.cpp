#include "RemainingPanel.h"

#include "GridExport.h"
#include "PanelWidgets.h"
#include "RemainingNumbersModel.h"
#include "RemainingText.h"
#include "SaveAs.h"
#include "Settings.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QDir>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

using namespace quorlent;
using namespace quorlent::filter;
using panels::named;

namespace {

QString headerOf(Selection selection)
{
    return selection == Selection::Group ? QStringLiteral("组选号码") : QStringLiteral("号码");
}

} // namespace

RemainingPanel::RemainingPanel(Settings &settings, const QString &programFolder, QWidget *parent)
    : QGroupBox(QStringLiteral("剩余号码"), parent), m_settings(settings), m_folder(programFolder),
      m_model(new RemainingNumbersModel(7, this))
{
    setObjectName(QStringLiteral("fraRemaining"));
    auto *layout = new QVBoxLayout(this);
    tblRemaining = panels::plainGrid("tblRemaining");
    tblRemaining->setModel(m_model);
    tblRemaining->horizontalHeader()->hide();
    tblRemaining->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    tblRemaining->setShowGrid(false);
    tblRemaining->setSelectionMode(QAbstractItemView::ContiguousSelection);
    layout->addWidget(tblRemaining, 1);

    auto *row = new QHBoxLayout;
    cboCopyLayout = named(new QComboBox, "cboCopyLayout");
    cboCopyLayout->addItems({QStringLiteral("空格分隔"), QStringLiteral("每行一个")});
    cboCopyLayout->setToolTip(QStringLiteral("复制和保存文本时号码之间用空格，还是一行一个"));
    cboCopyLayout->setCurrentIndex(m_settings.flag(Settings::bolCopyLines) ? 1 : 0);
    cmdCopy = named(new QPushButton(QStringLiteral("复制(&C)")), "cmdCopy");
    cmdCopy->setToolTip(QStringLiteral("把全部剩余号码复制到剪贴板"));
    cmdSaveText = named(new QPushButton(QStringLiteral("保存文本(&T)")), "cmdSaveText");
    cmdSaveXls = named(new QPushButton(QStringLiteral("导出EXCEL(&X)")), "cmdSaveXls");
    cmdSaveXls->setToolTip(QStringLiteral("一行一个号码；超过 65535 个号码时接着写到下一个工作表"));
    row->addWidget(cboCopyLayout);
    for (QPushButton *b : {cmdCopy, cmdSaveText, cmdSaveXls})
        row->addWidget(b);
    row->addStretch(1);
    layout->addLayout(row);

    connect(cboCopyLayout, &QComboBox::currentIndexChanged, this,
            [this](int index) { m_settings.setFlag(Settings::bolCopyLines, index == 1); });
    connect(cmdCopy, &QPushButton::clicked, this, &RemainingPanel::cmdCopy_Click);
    connect(cmdSaveText, &QPushButton::clicked, this, &RemainingPanel::cmdSaveText_Click);
    connect(cmdSaveXls, &QPushButton::clicked, this, &RemainingPanel::cmdSaveXls_Click);
}

void RemainingPanel::showNumbers(std::vector<uint32_t> values, int digitCount, Selection selection)
{
    m_selection = selection;
    const bool any = !values.empty();
    m_model->setNumbers(std::move(values), digitCount);
    m_model->setHeader(headerOf(selection));
    for (QPushButton *b : {cmdCopy, cmdSaveText, cmdSaveXls})
        b->setEnabled(any);
}

QString RemainingPanel::remainingText() const
{
    return filter::remainingText(m_model->values(), m_model->digitCount(),
                                 cboCopyLayout->currentIndex() == 1 ? TextLayout::Lines
                                                                    : TextLayout::Blanks);
}

QString RemainingPanel::saveText(const QString &path) const
{
    return SaveAs::writeText(remainingText(), path);
}

QString RemainingPanel::saveWorkbook(const QString &path) const
{
    // One number a row under the header 号码, whatever the window shows.
    RemainingNumbersModel sheet(1);
    sheet.setNumbers(m_model->values(), m_model->digitCount());
    sheet.setHeader(headerOf(m_selection));
    return GridExport::write(sheet, path);
}

void RemainingPanel::cmdCopy_Click()
{
    QApplication::clipboard()->setText(remainingText());
    emit status(QStringLiteral("已复制 %1 个号码到剪贴板。").arg(m_model->values().size()));
}

void RemainingPanel::cmdSaveText_Click()
{
    const auto saved =
        SaveAs(this, QStringLiteral("保存剩余号码"), m_folder, QStringLiteral("缩水号码"))
            .offer(SaveAs::Format::Text, [this](const QString &path) { return saveText(path); })
            .run();
    if (!saved)
        return;
    const QString where = QDir::toNativeSeparators(saved->path);
    emit status(
        saved->ok()
            ? QStringLiteral("已把 %1 个号码保存到 %2。").arg(m_model->values().size()).arg(where)
            : QStringLiteral("号码未能保存到 %1：%2").arg(where, saved->error));
}

void RemainingPanel::cmdSaveXls_Click()
{
    const auto saved =
        SaveAs(this, QStringLiteral("导出剩余号码"), m_folder, QStringLiteral("缩水号码"))
            .offer(SaveAs::Format::Workbook,
                   [this](const QString &path) { return saveWorkbook(path); })
            .run();
    if (!saved)
        return;
    const QString where = QDir::toNativeSeparators(saved->path);
    const size_t count = m_model->values().size();
    const size_t sheets =
        (count + GridExport::kDataRowsPerSheet - 1) / GridExport::kDataRowsPerSheet;
    emit status(saved->ok()
                    ? QStringLiteral("已把 %1 个号码导出到 %2%3。")
                          .arg(count)
                          .arg(where, sheets > 1 ? QStringLiteral("（分 %1 个工作表）").arg(sheets)
                                                 : QString())
                    : QStringLiteral("号码未能导出到 %1：%2").arg(where, saved->error));
}
