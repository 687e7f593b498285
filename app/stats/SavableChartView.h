#pragma once

#include <QChartView>

class QAction;

// A chart view whose context menu offers "保存图片(&S)": the chart as a PNG file, the name asked
// through FileChooser.
class SavableChartView : public QChartView
{
    Q_OBJECT

public:
    explicit SavableChartView(QWidget *parent = nullptr);

    // The file the save dialog offers (folder and name).
    void setProposedPath(const QString &path) { m_proposedPath = path; }
    QAction *saveAction() const { return m_saveAction; }
    // Writes what the view shows as a PNG; false when the file cannot be written.
    bool saveImage(const QString &path);

signals:
    // After an answered save dialog: where, and whether the file was written.
    void imageSaved(const QString &path, bool ok);

private:
    void askAndSave();

    QAction *m_saveAction = nullptr;
    QString m_proposedPath;
};
