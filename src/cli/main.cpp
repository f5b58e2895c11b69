#include "cli/cli.h"

#include <QCoreApplication>

int main(int argc, char* argv[]) {
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("bootwright-cli"));
    QCoreApplication::setApplicationVersion(QStringLiteral(BW_VERSION));
    return Cli::run(QCoreApplication::arguments());
}
