#pragma once

#include <QDialog>

class QTextBrowser;

// 使用说明: the program's own help, a Chinese page shipped inside the program (no network), in a
// window of its own beside the main window.
class HelpWindow : public QDialog
{
    Q_OBJECT

  public:
    explicit HelpWindow(QWidget *parent = nullptr);

    QTextBrowser *browser() const { return m_browser; }

  private:
    QTextBrowser *m_browser = nullptr;
};
