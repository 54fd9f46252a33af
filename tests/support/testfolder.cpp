#include "testfolder.h"

#include <cerrno>

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "store/recordfile.h"

TestFolder::TestFolder() { dir_.setAutoRemove(true); }

namespace {
template <class R>
QByteArray encodeAll(const std::vector<R>& records) {
    QByteArray bytes;
    for (const R& r : records) bytes += RecordFile<R>::encode(r);
    return bytes;
}
}  // namespace

void TestFolder::writeApartments(const QString& year, const std::vector<Lakas>& records) const {
    writeBytes(year + QStringLiteral("/") + files::Lakasok, encodeAll(records));
}

std::vector<Lakas> TestFolder::readApartments(const QString& year) const {
    return RecordFile<Lakas>(folder().yearFile(year, files::Lakasok)).readAll().value_or(std::vector<Lakas>{});
}

void TestFolder::writeBuildings(const std::vector<Epulet>& records) const {
    writeBytes(files::Epuletek, encodeAll(records));
}

void TestFolder::writeBook(const QString& year, const std::vector<KonyvTetel>& entries) const {
    writeBytes(year + QStringLiteral("/") + files::Kiadasok, encodeAll(entries));
}

std::vector<KonyvTetel> TestFolder::readBook(const QString& year) const {
    return RecordFile<KonyvTetel>(folder().yearFile(year, files::Kiadasok)).readAll().value_or(std::vector<KonyvTetel>{});
}

void TestFolder::writeStatuses(const QStringList& names) const {
    std::vector<StatuszRec> recs(static_cast<size_t>(names.size()));
    for (size_t i = 0; i < recs.size(); ++i) recs[i].Statusz = names[qsizetype(i)];
    writeBytes(files::Stat, encodeAll(recs));
}

namespace {
const char* const kYearFiles[] = {"Lakasok.dat", "Befiz.dat", "Kiadások.dat", "Naplo.dat"};
}

QByteArrayList TestFolder::yearFiles(const QString& relativeFolder) const {
    QByteArrayList out;
    for (const char* name : kYearFiles) out << bytes(relativeFolder + QLatin1Char('/') + QString::fromUtf8(name));
    return out;
}

void TestFolder::writeYearFiles(const QString& relativeFolder, const QByteArrayList& contents) const {
    for (int i = 0; i < 4; ++i)
        if (!contents.value(i).isEmpty())
            writeBytes(relativeFolder + QLatin1Char('/') + QString::fromUtf8(kYearFiles[i]), contents[i]);
}

QByteArray TestFolder::bytes(const QString& relativePath) const {
    QFile f(QDir(path()).filePath(relativePath));
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void TestFolder::writeBytes(const QString& relativePath, const QByteArray& bytes) const {
    const QString full = QDir(path()).filePath(relativePath);
    QDir().mkpath(QFileInfo(full).absolutePath());
    QFile f(full);
    if (!f.open(QIODevice::WriteOnly | QIODevice::Truncate) || f.write(bytes) != bytes.size())
        qFatal("cannot write %s", qPrintable(full));
}

bool TestFolder::exists(const QString& relativePath) const { return QFileInfo::exists(QDir(path()).filePath(relativePath)); }

Lakas makeLakas(const QString& nev, const QString& utca, const QString& hsz, const QString& ajto) {
    Lakas l;
    l.Lakok.Nev(1) = nev, l.Irsz = 1111, l.Helyseg = QStringLiteral("Budapest"), l.Utca = utca, l.Hsz = hsz, l.Ajto = ajto;
    l.Epulet = QStringLiteral("A épület");
    return l;
}

KonyvTetel makeTetel(const QString& epulet, std::int32_t kiadas, std::int32_t bevetel, const QDate& datum,
                     const QString& megnevezes) {
    return {kiadas, bevetel, Date::fromQDate(datum), megnevezes, QStringLiteral("számla"), epulet};
}

Epulet makeEpulet(const QString& nev, std::int16_t rate) {
    return {nev, rate};
}

int FailingReplace::rename(const char* from, const char* to) {
    if (!QFile::decodeName(to).contains(failing)) return SystemCalls::rename(from, to);
    errno = EIO;
    return -1;
}
