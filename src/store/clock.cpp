#include "clock.h"

namespace appclock {
namespace {
QDateTime g_fixed;
}
QDate today() { return now().date(); }
QDateTime now() { return g_fixed.isValid() ? g_fixed : QDateTime::currentDateTime(); }
void setNow(const QDateTime& fixed) { g_fixed = fixed; }
}  // namespace appclock
