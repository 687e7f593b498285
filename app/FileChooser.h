#pragma once

#include <QString>
#include <QStringList>

class QWidget;

// The one way the window asks the user for a file: Qt's own file dialog, run modally.
//
// Tests do not drive the dialog. They queue the answer with setNextFileName() before the
// action that asks; the next request then takes it without showing anything, and lastRequest()
// tells what the dialog would have offered.
class FileChooser
{
public:
    enum class Mode { Open, Save };

    struct Request
    {
        Mode mode = Mode::Open;
        QString title;
        QString folder;        // the folder the dialog opens in
        QString proposedName;  // Save: the file name offered
        QString filter;        // e.g. "Text(*.txt *.TXT)"
    };

    // The chosen path, empty when the user cancelled.
    static QString openFileName(QWidget *parent, const QString &title, const QString &folder,
                                const QString &filter);
    // Asks where to save; `proposedPath` gives the folder and the file name offered. The chosen
    // path gets the filter's first suffix when the user typed none.
    static QString saveFileName(QWidget *parent, const QString &title, const QString &proposedPath,
                                const QString &filter);

    // Test hook: the next request returns `fileName` (empty: the user cancelled) at once.
    static void setNextFileName(const QString &fileName);
    static bool hasNextFileName();
    static void clearNextFileName();
    // The newest request, answered by the hook or by the dialog.
    static const Request &lastRequest();

private:
    static QString ask(QWidget *parent, const Request &request);
};
