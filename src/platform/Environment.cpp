#include "Environment.h"

#include <QCoreApplication>
#include <QStandardPaths>

Environment Environment::fromApplication() {
    Environment environment;
    environment.documentsFolder =
        QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation).toUtf8().toStdString();
    environment.programFolder = QCoreApplication::applicationDirPath().toUtf8().toStdString();
    return environment;
}
