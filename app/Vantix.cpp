// The program's entry: installs the real platform services, creates the main
// window and then the setup dialog, and runs until the main window closes.

#include "LocalFileSystem.h"
#include "QtMessageBoxes.h"
#include "Unit1.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    // The program's title for the desktop; window captions stay as each window sets them.
    QApplication::setApplicationName(QStringLiteral("FletchWise Pilvagt"));

    LocalFileSystem fileSystem;
    FileSystem::install(&fileSystem);
    QtMessageBoxes messageBoxes;
    MessageBoxes::install(&messageBoxes);
    // INTEGRATION(sound): install the real horn player.

    TForm1 form1;
    // INTEGRATION(setup): create the setup dialog and hand it to the main window.
    form1.show();
    return app.exec();
}
