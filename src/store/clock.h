#pragma once
// Today's date and the current time, replaceable by tests.

#include <QDateTime>

namespace appclock {
QDate today();
QDateTime now();
// Fixes the clock (a null value restores the system clock).
void setNow(const QDateTime& fixed);
}  // namespace appclock
