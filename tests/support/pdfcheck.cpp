#include "pdfcheck.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QXmlStreamReader>

#include "reports/qt/qtsurface.h"

namespace pdfcheck {

namespace {
constexpr double kMmPerPt = 25.4 / 72.0;

QString run(const char* program, const QStringList& args) {
    QProcess p;
    p.start(QString::fromLatin1(program), args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return {};
    return QString::fromUtf8(p.readAllStandardOutput());
}

// The numbers of a pdfinfo line ("Page size:      595.276 x 841.89 pts").
QStringList info(const QString& pdfPath, const QString& key) {
    const auto m = QRegularExpression(QStringLiteral("^%1:\\s*(.*)$").arg(key), QRegularExpression::MultilineOption)
                       .match(run("pdfinfo", {pdfPath}));
    return m.captured(1).split(QLatin1Char(' '), Qt::SkipEmptyParts);
}
}  // namespace

bool available() {
    for (const char* tool : {"pdftotext", "pdffonts", "pdfinfo", "pdftoppm"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) return false;
    return true;
}

bool render(const QString& pdfPath, const std::function<void(PrinterSurface&)>& layout, QString* error) {
    QtPrinterSurface surface;
    surface.setPdfFile(pdfPath);
    layout(surface);
    if (error) *error = surface.error();
    return !surface.failed() && QFile::exists(pdfPath);
}

std::vector<Word> words(const QString& pdfPath) {
    std::vector<Word> out;
    QXmlStreamReader xml(run("pdftotext", {QStringLiteral("-bbox"), pdfPath, QStringLiteral("-")}));
    int page = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QLatin1String("page")) ++page;
        if (xml.name() != QLatin1String("word")) continue;
        const auto a = xml.attributes();
        const auto mm = [&](const char* name) { return a.value(QLatin1String(name)).toDouble() * kMmPerPt; };
        const double x = mm("xMin"), y = mm("yMin"), x2 = mm("xMax"), y2 = mm("yMax");
        out.push_back(Word{xml.readElementText(), page, x, y, x2, y2});
    }
    return out;
}

std::optional<Word> find(const std::vector<Word>& words, const QString& text, int page) {
    const QStringList parts = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (size_t i = 0; !parts.isEmpty() && i + static_cast<size_t>(parts.size()) <= words.size(); ++i) {
        const Word& last = words[i + size_t(parts.size()) - 1];
        bool all = (page == 0 || words[i].page == page) && last.page == words[i].page;
        for (qsizetype k = 0; k < parts.size() && all; ++k) all = words[i + size_t(k)].text == parts[k];
        if (!all) continue;
        Word box = words[i];
        box.x2 = last.x2, box.y2 = std::max(box.y2, last.y2);
        return box;
    }
    return std::nullopt;
}

int pageCount(const QString& pdfPath) {
    return info(pdfPath, QStringLiteral("Pages")).value(0).toInt();
}

QSizeF pageSize(const QString& pdfPath) {
    const QStringList n = info(pdfPath, QStringLiteral("Page size"));
    return QSizeF(n.value(0).toDouble() * kMmPerPt, n.value(2).toDouble() * kMmPerPt);
}

QStringList embeddedFonts(const QString& pdfPath) {
    // name, type (may hold blanks), encoding, emb, sub, uni, object ID
    const QRegularExpression re(
        QStringLiteral("^(?:[A-Z]{6}\\+)?(\\S+)\\s.*\\s(yes|no)\\s+(?:yes|no)\\s+(?:yes|no)\\s+\\d+\\s+\\d+\\s*$"));
    QStringList out;
    for (const QString& line : run("pdffonts", {pdfPath}).split(QLatin1Char('\n'))) {
        const auto m = re.match(line);
        if (m.hasMatch() && m.captured(2) == QLatin1String("yes") && !out.contains(m.captured(1))) out << m.captured(1);
    }
    out.sort();
    return out;
}

QImage renderPage(const QString& pdfPath, int page, int dpi) {
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page")), p = QString::number(page);
    run("pdftoppm", {"-png", "-r", QString::number(dpi), "-f", p, "-l", p, "-singlefile", pdfPath, prefix});
    return QImage(prefix + QStringLiteral(".png"));
}

bool darkNear(const QImage& page, int dpi, double xMm, double yMm) {
    const double px = dpi / 25.4;
    const int r = std::max(1, int(0.5 * px + 0.5)), cx = int(xMm * px + 0.5), cy = int(yMm * px + 0.5);
    for (int y = cy - r; y <= cy + r; ++y)
        for (int x = cx - r; x <= cx + r; ++x)
            if (page.valid(x, y) && qGray(page.pixel(x, y)) < 128) return true;
    return false;
}

}  // namespace pdfcheck
