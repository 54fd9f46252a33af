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

QByteArray run(const QString& program, const QStringList& args) {
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000) || p.exitCode() != 0) return {};
    return p.readAllStandardOutput();
}
}  // namespace

bool available() {
    for (const char* tool : {"pdftotext", "pdffonts", "pdfinfo", "pdftoppm"})
        if (QStandardPaths::findExecutable(QString::fromLatin1(tool)).isEmpty()) return false;
    return true;
}

QString missingMessage() { return QStringLiteral("poppler-utils (pdftotext, pdffonts, pdfinfo, pdftoppm) is not installed"); }

bool render(const QString& pdfPath, const std::function<void(PrinterSurface&)>& layout, QString* error) {
    QtPrinterSurface surface;
    surface.setPdfFile(pdfPath);
    layout(surface);
    const bool ok = !surface.failed() && QFile::exists(pdfPath);
    if (error) *error = surface.error();
    return ok;
}

std::vector<Word> words(const QString& pdfPath) {
    std::vector<Word> out;
    QXmlStreamReader xml(run(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdfPath, QStringLiteral("-")}));
    int page = 0;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement) continue;
        if (xml.name() == QLatin1String("page")) {
            ++page;
        } else if (xml.name() == QLatin1String("word")) {
            const auto a = xml.attributes();
            Word w;
            w.page = page;
            w.x = a.value(QLatin1String("xMin")).toDouble() * kMmPerPt;
            w.y = a.value(QLatin1String("yMin")).toDouble() * kMmPerPt;
            w.x2 = a.value(QLatin1String("xMax")).toDouble() * kMmPerPt;
            w.y2 = a.value(QLatin1String("yMax")).toDouble() * kMmPerPt;
            w.text = xml.readElementText();
            out.push_back(w);
        }
    }
    return out;
}

std::optional<Word> find(const std::vector<Word>& words, const QString& text, int page) {
    const QStringList parts = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.isEmpty()) return std::nullopt;
    for (size_t i = 0; i + static_cast<size_t>(parts.size()) <= words.size(); ++i) {
        if (page != 0 && words[i].page != page) continue;
        bool all = true;
        for (qsizetype k = 0; k < parts.size() && all; ++k) {
            const Word& w = words[i + static_cast<size_t>(k)];
            all = w.text == parts[k] && w.page == words[i].page;
        }
        if (!all) continue;
        Word box = words[i];
        const Word& last = words[i + static_cast<size_t>(parts.size()) - 1];
        box.text = text;
        box.x2 = last.x2;
        box.y2 = std::max(box.y2, last.y2);
        return box;
    }
    return std::nullopt;
}

QString layoutText(const QString& pdfPath) {
    return QString::fromUtf8(run(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), pdfPath, QStringLiteral("-")}));
}

namespace {
QString info(const QString& pdfPath, const QString& key) {
    const QString text = QString::fromUtf8(run(QStringLiteral("pdfinfo"), {pdfPath}));
    const QRegularExpression re(QStringLiteral("^%1:\\s*(.*)$").arg(key), QRegularExpression::MultilineOption);
    return re.match(text).captured(1).trimmed();
}
}  // namespace

int pageCount(const QString& pdfPath) { return info(pdfPath, QStringLiteral("Pages")).toInt(); }

QSizeF pageSize(const QString& pdfPath) {
    // "Page size:      595.276 x 841.89 pts (A4)"
    const QStringList parts = info(pdfPath, QStringLiteral("Page size")).split(QLatin1Char(' '), Qt::SkipEmptyParts);
    if (parts.size() < 3) return {};
    return QSizeF(parts[0].toDouble() * kMmPerPt, parts[2].toDouble() * kMmPerPt);
}

std::vector<Font> fonts(const QString& pdfPath) {
    std::vector<Font> out;
    const QStringList lines = QString::fromUtf8(run(QStringLiteral("pdffonts"), {pdfPath})).split(QLatin1Char('\n'));
    // name, type (may hold blanks), encoding, emb, sub, uni, object ID
    const QRegularExpression re(QStringLiteral("^(\\S+)\\s+.*\\s(yes|no)\\s+(yes|no)\\s+(yes|no)\\s+\\d+\\s+\\d+\\s*$"));
    for (const QString& line : lines) {
        const auto m = re.match(line);
        if (!m.hasMatch()) continue;
        QString name = m.captured(1);
        if (name.size() > 7 && name[6] == QLatin1Char('+')) name = name.mid(7);  // subset prefix ABCDEF+
        out.push_back(Font{name, m.captured(2) == QLatin1String("yes")});
    }
    return out;
}

QImage renderPage(const QString& pdfPath, int page, int dpi) {
    QTemporaryDir dir;
    const QString prefix = dir.filePath(QStringLiteral("page"));
    run(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QString::number(dpi), QStringLiteral("-f"),
                                     QString::number(page), QStringLiteral("-l"), QString::number(page),
                                     QStringLiteral("-singlefile"), pdfPath, prefix});
    return QImage(prefix + QStringLiteral(".png"));
}

bool darkNear(const QImage& page, int dpi, double xMm, double yMm) {
    const double px = dpi / 25.4;
    const int r = std::max(1, static_cast<int>(0.5 * px + 0.5));
    const int cx = static_cast<int>(xMm * px + 0.5), cy = static_cast<int>(yMm * px + 0.5);
    for (int y = cy - r; y <= cy + r; ++y)
        for (int x = cx - r; x <= cx + r; ++x)
            if (page.valid(x, y) && qGray(page.pixel(x, y)) < 128) return true;
    return false;
}

}  // namespace pdfcheck
