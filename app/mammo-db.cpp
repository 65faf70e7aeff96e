#include "app/DatabaseTool.h"

#include <QCoreApplication>

int main(int argc, char* argv[]) {
    QCoreApplication application(argc, argv);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return app::runDatabaseTool(application.arguments(), out, err);
}
