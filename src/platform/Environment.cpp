#include "Environment.h"

#include <QCoreApplication>
#include <QStandardPaths>
#include <QStringList>

Environment Environment::fromApplication() {
    Environment environment;
    environment.documentsFolder =
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toUtf8().toStdString();
    environment.programFolder = QCoreApplication::applicationDirPath().toUtf8().toStdString();
    QStringList arguments = QCoreApplication::arguments();
    if (!arguments.isEmpty())
        arguments.removeFirst();
    environment.commandLineText = arguments.join(QLatin1Char(' ')).toUtf8().toStdString();
    return environment;
}
