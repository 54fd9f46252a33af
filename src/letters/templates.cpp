#include "templates.h"

#include <QDir>

#include "register/outcome.h"
#include "store/recordfile.h"

namespace letters {

namespace {

QString toStored(const QString& text) {
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return t.replace(QLatin1Char('\n'), QStringLiteral("\r\n"));
}
QString fromStored(const QString& text) {
    QString t = text;
    return t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

std::int16_t int16(int v) {
    return static_cast<std::int16_t>(std::clamp(v, -32768, 32767));
}

RecordFile<Nyomtatvany> templateFile(const DataFolder& folder) {
    return RecordFile<Nyomtatvany>(folder.file(files::Nyomtatvanyok), folder.fs());
}

}  // namespace

Nyomtatvany templateRecord(const Design& d) {
    Nyomtatvany r;
    for (int i = 0; i < FieldCount; ++i) {
        r.BalPoz[size_t(i)] = Currency::fromDouble(d.positions[size_t(i)].left);
        r.FelsoPoz[size_t(i)] = Currency::fromDouble(d.positions[size_t(i)].top);
    }
    r.Jelzo = 6;
    r.BetuTipus = d.fontName;
    r.BetuMeret = int16(d.fontSize);
    r.XKorr = int16(d.xKorr);
    r.YKorr = int16(d.yKorr);
    r.Fekvo = d.landscape ? -1 : 0;
    r.Szeles = int16(d.szeles);
    r.Magas = int16(d.magas);
    r.Papir = static_cast<std::int16_t>(d.paper);
    r.Fejlec = toStored(d.fejlec);
    r.Szoveg2 = toStored(d.szoveg2);
    r.Szoveg1 = toStored(d.szoveg1);
    r.KKFelirat = d.kkFelirat;
    r.HFelirat = d.hFelirat;
    return r;
}

Design designOf(const Nyomtatvany& r) {
    Design d;
    for (int i = 0; i < FieldCount; ++i)
        d.positions[size_t(i)] = Pos{r.BalPoz[size_t(i)].toDouble(), r.FelsoPoz[size_t(i)].toDouble()};
    d.fejlec = fromStored(r.Fejlec.text());
    d.szoveg2 = fromStored(r.Szoveg2.text());
    d.szoveg1 = fromStored(r.Szoveg1.text());
    d.kkFelirat = r.KKFelirat.padded();  // the captions keep their blanks
    d.hFelirat = r.HFelirat.padded();
    d.fontName = r.BetuTipus.text();
    d.fontSize = r.BetuMeret;
    d.xKorr = r.XKorr;
    d.yKorr = r.YKorr;
    d.landscape = r.Fekvo != 0;
    d.paper = r.Papir >= 1 && r.Papir <= 3 ? static_cast<Paper>(r.Papir) : Paper::None;
    d.szeles = r.Szeles;
    d.magas = r.Magas;
    return d;
}

QStringList templateNames(const DataFolder& folder) {
    QStringList names;
    if (!folder.openFile(files::Nyomtatvanyok)) return names;
    templateFile(folder).forEach([&](int, const Nyomtatvany& r) { names.append(r.NyNev.text()); });
    return names;
}

std::optional<FoundTemplate> findTemplate(const DataFolder& folder, const QString& name) {
    if (!folder.openFile(files::Nyomtatvanyok)) return std::nullopt;
    const QString wanted = name.trimmed();
    std::optional<FoundTemplate> found;
    templateFile(folder).forEach([&](int n, const Nyomtatvany& r) {
        if (!found && r.NyNev.text() == wanted) found = FoundTemplate{n, r, designOf(r), r.HatterUtvonal.padded()};
    });
    return found;
}

QString saveTemplate(const DataFolder& folder, const Design& design, const QString& name) {
    const QString path = folder.file(files::Nyomtatvanyok);
    auto file = templateFile(folder);
    if (!file.open()) return messages::notWritten(path);
    const int count = file.count();
    const std::optional<Nyomtatvany> last = count > 0 ? file.read(count) : std::nullopt;
    if (count > 0 && !last) return messages::notWritten(path);
    Nyomtatvany r = templateRecord(design);
    if (design.paper == Paper::None) r.Papir = last ? last->Papir : 0;
    r.Azon = last ? static_cast<std::int16_t>(last->Azon + 1) : 1;
    r.HatterUtvonal = QDir::toNativeSeparators(path);
    r.NyNev = name;
    return file.append(r) ? QString() : messages::notWritten(path);
}

QString deleteTemplate(const DataFolder& folder, int rec) {
    auto file = templateFile(folder);
    return file.deleteByCopy(rec) ? QString() : messages::notChanged(file.path());
}

}  // namespace letters
