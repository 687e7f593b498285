#pragma once

#include <QDialog>

class QLabel;
class MissingDrawModel;

namespace quorlent {
class Game;
namespace trend {
struct MissingDrawReport;
}
} // namespace quorlent

// Shows what the missing-draw check found and exports the list (.xls, or .txt as tab-separated
// lines) to a file the user names.
class MissingDrawDialog : public QDialog
{
    Q_OBJECT

  public:
    MissingDrawDialog(const quorlent::trend::MissingDrawReport &report, const quorlent::Game &game,
                      const QString &folder, QWidget *parent = nullptr);

    const MissingDrawModel &model() const { return *m_model; }

  private:
    void exportList();

    MissingDrawModel *m_model = nullptr;
    QString m_folder;
    QLabel *m_status = nullptr;
};
