#include "SavableChartView.h"

#include "FileChooser.h"

#include <QAction>
#include <QPixmap>

SavableChartView::SavableChartView(QWidget *parent) : QChartView(parent)
{
    setRenderHint(QPainter::Antialiasing);
    m_saveAction = new QAction(QStringLiteral("保存图片(&S)"), this);
    m_saveAction->setObjectName(QStringLiteral("actSaveImage"));
    connect(m_saveAction, &QAction::triggered, this, &SavableChartView::askAndSave);
    addAction(m_saveAction);
    setContextMenuPolicy(Qt::ActionsContextMenu);
}

bool SavableChartView::saveImage(const QString &path)
{
    return grab().save(path, "PNG");
}

void SavableChartView::askAndSave()
{
    const QString path = FileChooser::saveFileName(
        window(), QStringLiteral("保存图片"), m_proposedPath, QStringLiteral("PNG 图片(*.png)"));
    if (!path.isEmpty())
        emit imageSaved(path, saveImage(path));
}
