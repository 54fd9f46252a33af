#include "months.h"

#include <array>

QString monthName(int row) {
    static const std::array<QString, 13> names = {
        QStringLiteral("Január"),    QStringLiteral("Február"), QStringLiteral("Március"),  QStringLiteral("Április"),
        QStringLiteral("Május"),     QStringLiteral("Június"),  QStringLiteral("Július"),   QStringLiteral("Augusztus"),
        QStringLiteral("Szeptember"), QStringLiteral("Október"), QStringLiteral("November"), QStringLiteral("December"),
        QStringLiteral("Előző évi")};
    return row >= 1 && row <= 13 ? names[static_cast<size_t>(row - 1)] : QString();
}
