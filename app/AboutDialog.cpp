#include "AboutDialog.h"

#include "AppInfo.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

QLabel *label(const QString &text, const char *name)
{
    auto *l = new QLabel(text);
    l->setObjectName(QLatin1String(name));
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}

QLineEdit *pathBox(const QString &path, const char *name)
{
    auto *box = new QLineEdit(QDir::toNativeSeparators(path));
    box->setObjectName(QLatin1String(name));
    box->setReadOnly(true);
    box->setMinimumWidth(box->fontMetrics().horizontalAdvance(box->text()) + 24);
    box->setCursorPosition(0);
    return box;
}

} // namespace

AboutDialog::AboutDialog(const QString &programFolder, const QString &settingsFile, QWidget *parent)
    : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("关于 Quorlent"));
    const QString version = QString::fromLatin1(appinfo::kVersion);

    auto *icon = label(QString(), "lblIcon");
    icon->setPixmap(QApplication::windowIcon().pixmap(64, 64));
    auto *title = label(QStringLiteral("<b style='font-size:16pt'>Quorlent %1</b><br>"
                                       "五位数时时彩历史号码分析")
                            .arg(version),
                        "lblTitle");
    auto *head = new QHBoxLayout;
    head->addWidget(icon);
    head->addSpacing(12);
    head->addWidget(title, 1);

    auto *facts = new QFormLayout;
    facts->addRow(QStringLiteral("版本："), label(version, "lblVersion"));
    facts->addRow(QStringLiteral("许可证："),
                  label(QStringLiteral("%1（GNU 通用公共许可证第 3 版或任何更新的版本）")
                            .arg(QLatin1String(appinfo::kLicence)),
                        "lblLicence"));
    facts->addRow(QStringLiteral("程序文件夹："), pathBox(programFolder, "txtProgramFolder"));
    facts->addRow(QStringLiteral("设置文件："), pathBox(settingsFile, "txtSettingsFile"));

    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    QPushButton *close = buttons->button(QDialogButtonBox::Close);
    close->setObjectName(QStringLiteral("cmdClose"));
    close->setText(QStringLiteral("关闭"));
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(head);
    layout->addSpacing(8);
    layout->addLayout(facts);
    layout->addWidget(buttons);
}
