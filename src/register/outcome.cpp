#include "outcome.h"

#include <QDir>

namespace messages {

QString notWritten(const QString& path) {
    return QStringLiteral("Az adatok mentése nem sikerült!\nA fájl nem írható:\n") + QDir::toNativeSeparators(path);
}

QString notChanged(const QString& path) {
    return QStringLiteral("A törlés nem sikerült, a fájl változatlan maradt:\n") + QDir::toNativeSeparators(path);
}

}  // namespace messages
