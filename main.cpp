#include "frmMain.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    frmMain window(QString{});
    window.show();
    return app.exec();
}
