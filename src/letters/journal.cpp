#include "journal.h"

#include <QDir>
#include <limits>

#include "letters/letter.h"
#include "register/apartmentlist.h"
#include "register/outcome.h"
#include "store/conversions.h"
#include "store/recordfile.h"

namespace letters {

namespace {
bool fits32(std::int64_t v) {
    return v >= std::numeric_limits<std::int32_t>::min() && v <= std::numeric_limits<std::int32_t>::max();
}
}  // namespace

std::optional<Naplo> journalEntry(const Lakas& l, const QString& templateName, const QDate& day) {
    const std::int64_t arrears = kkArrears(l) + hArrears(l);
    if (!fits32(arrears)) return std::nullopt;
    Naplo r;
    r.LakoNev = l.Lakok.Nev(1);
    r.LakasCim = deleteCaption(l);  // "Utca Hsz Ajto"
    r.Nyomtatva = Date::fromQDate(day);
    r.NyomtatvanyNev = templateName;
    r.Hatralek = static_cast<std::int32_t>(arrears);
    r.Befizetve = 0;
    return r;
}

QString writeJournal(const DataFolder& folder, const QString& year, int first, const std::vector<Naplo>& records) {
    const auto path = folder.openYearFile(year, files::NaploFile);
    if (!path) return messages::notWritten(folder.yearFile(year, files::NaploFile));
    const qint64 count = RecordFile<Naplo>(*path, folder.fs()).count();
    if (first == 0) first = int(count) + 1;
    if (first < 1 || first > count + 1) return messages::notWritten(*path);
    // All of them land or none (store/journal.h).
    journaled::Transaction tx(folder, year);
    for (size_t i = 0; i < records.size(); ++i) {
        if (first + qint64(i) <= count) tx.write(files::NaploFile, first + qint64(i), records[i]);
        else tx.append(files::NaploFile, records[i]);
    }
    return tx.commit().message;
}

Journal readJournal(const DataFolder& folder, const QString& year) {
    Journal j;
    if (!DataFolder::isUsableYear(year) || !folder.fs().dirExists(folder.yearFolder(year))) return j;
    const auto path = folder.openYearFile(year, files::NaploFile);
    if (!path) return j;
    RecordFile<Naplo> file(*path, folder.fs());
    j.records.reserve(size_t(file.count()));
    file.forEach([&](int, const Naplo& r) {
        j.records.push_back(r);
        j.totals.hatralek += r.Hatralek;
        j.totals.befizetve += r.Befizetve;
    });
    return j;
}

void replaceRecord(Journal& journal, int rec, const Naplo& record) {
    if (rec < 1 || rec > int(journal.records.size())) return;
    Naplo& old = journal.records[size_t(rec - 1)];
    journal.totals.hatralek += std::int64_t(record.Hatralek) - old.Hatralek;
    journal.totals.befizetve += std::int64_t(record.Befizetve) - old.Befizetve;
    old = record;
}

QStringList journalRowTexts(int rec, const Naplo& r) {
    return {r.LakoNev.text(),
            r.LakasCim.text(),
            r.NyomtatvanyNev.text(),
            conv::shortDate(r.Nyomtatva),
            QString::number(r.Hatralek),
            QString::number(r.Befizetve),
            QString::number(std::int64_t(r.Hatralek) - r.Befizetve),
            QString::number(rec)};
}

QString journalTotalText(std::int64_t amount) {
    return conv::formatPattern(amount, QStringLiteral("### ### ###")) + QStringLiteral(",-Ft");
}

JournalPayment addJournalPayment(const DataFolder& folder, const QString& year, int rec, const QString& amountText) {
    JournalPayment p;
    const auto amount = conv::parseWholeNumber(amountText);
    if (!amount) {
        p.refused = true;
        p.error = QStringLiteral("A befizetés összege csak egész szám lehet (forintban)!");
        return p;
    }
    const QString path = folder.yearFile(year, files::NaploFile);
    const auto stored = DataFolder::isUsableYear(year) ? RecordFile<Naplo>(path, folder.fs()).read(rec) : std::nullopt;
    if (!stored) {
        p.error = QStringLiteral("A nyomtatási napló nem olvasható:\n") + QDir::toNativeSeparators(path);
        return p;
    }
    const std::int64_t sum = std::int64_t(stored->Befizetve) + *amount;
    if (!fits32(sum)) {
        p.refused = true;
        p.error = QStringLiteral("A befizetés nem rögzíthető: a befizetett összeg túl nagy lenne.");
        return p;
    }
    Naplo r = *stored;
    r.Befizetve = static_cast<std::int32_t>(sum);
    p.error = writeJournal(folder, year, rec, {r});
    if (p.ok()) p.record = r;
    return p;
}

}  // namespace letters
