#include "residents.h"

#include "store/conversions.h"

ResidentRow newResidentRow(const QString& nev, const QString& statusz, const QDate& bejelentve,
                           const QString& anyjaNeve, const QString& szulHelye, const QString& szulIdeje) {
    return ResidentRow{nev.trimmed(), statusz, conv::shortDate(bejelentve), anyjaNeve, szulHelye, szulIdeje};
}

QString tooManyResidentsMessage() {
    return QStringLiteral("Egy lakásban legfeljebb %1 lakó lehet!").arg(Lakas::MaxLakok);
}

std::optional<Refusal> checkNewResident(const QString& nev, const QString& statusz, int rowsNow) {
    if (nev.trimmed().isEmpty()) return Refusal{InputField::Nev, QStringLiteral("Nincs megadva a lakó neve!")};
    if (statusz.trimmed().isEmpty())
        return Refusal{InputField::Statusz, QStringLiteral("Nincs megadva lakó státusza!")};
    if (rowsNow >= Lakas::MaxLakok) return Refusal{InputField::Nev, tooManyResidentsMessage()};
    return std::nullopt;
}

void storeResidents(LakokBlokk& lakok, const std::vector<ResidentRow>& rows) {
    for (int i = 1; i <= Lakas::MaxLakok; ++i) {
        const bool used = i <= static_cast<int>(rows.size());
        const ResidentRow row = used ? rows[static_cast<size_t>(i - 1)] : ResidentRow{};
        lakok.Nev(i) = row.nev;
        lakok.Statusz(i) = row.statusz;
        lakok.Bejelentve(i) = used ? conv::dateFromText(row.bejelentve) : Date{};
        lakok.AnyjaNeve(i) = row.anyjaNeve;
        lakok.SzulHelye(i) = row.szulHelye;
        lakok.SzulIdeje(i) = row.szulIdeje;
    }
}

std::optional<QUrl> mailtoUrl(const QString& address) {
    const QString a = address.trimmed();
    if (a.isEmpty()) return std::nullopt;
    for (const QChar c : a)
        if (c.isSpace() || c.category() == QChar::Other_Control || c.category() == QChar::Other_Format)
            return std::nullopt;
    QUrl url;
    url.setScheme(QStringLiteral("mailto"));
    url.setPath(a, QUrl::DecodedMode);
    if (!url.isValid()) return std::nullopt;
    return url;
}

QString badAddressMessage() {
    return QStringLiteral("Hibás e-mail cím!\nA cím nem lehet üres, és nem lehet benne szóköz vagy vezérlő karakter.");
}
