#include "his/Components.h"
#include "src/shell/ScreenRoutes.h"
#include "src/shell/frmMain.h"
#include "src/ui/MsgBox.h"

#include <QApplication>

int main(int argc, char* argv[]) {
    QApplication application(argc, argv);
    QApplication::setApplicationName("mammo");
    QApplication::setApplicationDisplayName(ui::appTitle());
    QApplication::setApplicationVersion("1.0");
    his::registerComponents();
    shell::registerScreenRoutes();

    shell::frmMain main;
    if (!main.startUp())
        return 0;
    main.showMaximized();
    return application.exec();
}
