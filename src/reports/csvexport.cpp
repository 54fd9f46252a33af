#include "csvexport.h"

#include <QDir>

namespace csv {

namespace {
QString cell(const QString& text) {
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) && !text.contains(QLatin1Char('\n')) &&
        !text.contains(QLatin1Char('\r')))
        return text;
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

void addLine(QString& out, const QStringList& cells) {
    for (qsizetype k = 0; k < cells.size(); ++k) {
        if (k > 0) out += QLatin1Char(';');
        out += cell(cells[k]);
    }
    out += QStringLiteral("\r\n");
}
}  // namespace

QByteArray bytes(const QStringList& header, const std::vector<QStringList>& rows) {
    QString text;
    addLine(text, header);
    for (const QStringList& r : rows) addLine(text, r);
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

QString save(const QString& path, const QByteArray& bytes, FileLayer& fs) {
    if (fs.replace(path, bytes)) return QString();
    return QStringLiteral("A fájl nem írható: ") + QDir::toNativeSeparators(path);
}

}  // namespace csv
