#include <QApplication>
#include <QStyleFactory>

#include "startup.h"

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Domoria"));
    QApplication::setOrganizationName(QStringLiteral("Domoria"));
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    startup::setHungarian(app);
    startup::registerFontSubstitutions();
    return startup::run(app, startup::chooseDataFolder());
}
