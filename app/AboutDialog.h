#pragma once

#include <QDialog>

// "关于 Quorlent": version and licence, and the program folder and settings file in use, each in
// a read-only box so that the path can be selected and copied.
class AboutDialog : public QDialog
{
    Q_OBJECT

public:
    AboutDialog(const QString &programFolder, const QString &settingsFile,
                QWidget *parent = nullptr);
};
