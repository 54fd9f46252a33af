#pragma once
// The record types of every file the program reads or writes, each with its
// field list in file order. Field names are those of the file layouts.

#include "fields.h"

// Residents block of an apartment: ten slots as six parallel arrays.
struct LakokBlokk {
    Array1<FixedText<30>, 10> Nev;
    Array1<FixedText<30>, 10> AnyjaNeve;
    Array1<FixedText<20>, 10> SzulHelye;
    Array1<FixedText<10>, 10> SzulIdeje;
    Array1<FixedText<15>, 10> Statusz;
    Array1<Date, 10> Bejelentve;
    bool operator==(const LakokBlokk&) const = default;
};

// Apartment record of a year's Lakasok.dat.
struct Lakas {
    static constexpr int Length = 2193;
    static constexpr int MaxLakok = 10;
    LakokBlokk Lakok;
    std::int16_t Irsz = 0;
    FixedText<25> Helyseg;
    FixedText<25> Utca;
    FixedText<10> Hsz;
    FixedText<10> Ajto;
    std::int16_t Alapterulet = 0;
    Array1<FixedText<15>, 4> VizoraSzam;
    Array1<std::int16_t, 4> UtolsoAllas;
    std::int32_t KozosKoltseg = 0;
    Array1<std::int32_t, 13> KKEloiras;
    Array1<std::int32_t, 13> KKBefizetes;
    Array1<Date, 13> KKBefizDatum;
    std::int32_t SzemetDij = 0;
    Array1<std::int32_t, 13> HEloiras;
    Array1<std::int32_t, 13> HBefizetes;
    Array1<Date, 13> HBefizDatum;
    Boolean Pince;
    Boolean Garazs;
    std::int32_t Fenntartott = 0;  // reserved Long, written as 0 on add and modify
    FixedText<20> Epulet;
    std::int16_t PinceDij = 0;
    Date LeadasDatum;
    FixedText<15> Telefon;
    FixedText<40> Email;
    Array1<std::int16_t, 4> ElozoAllas;
    Array1<std::int16_t, 12> HaviFogyasztas1;
    Array1<std::int16_t, 12> HaviFogyasztas2;
    Array1<std::int16_t, 12> HaviFogyasztas3;
    Array1<std::int16_t, 12> HaviFogyasztas4;
    FixedText<300> Megj;
    bool operator==(const Lakas&) const = default;
};

template <class V>
void visit(Lakas& r, V& v) {
    v("Nev", r.Lakok.Nev);
    v("AnyjaNeve", r.Lakok.AnyjaNeve);
    v("SzulHelye", r.Lakok.SzulHelye);
    v("SzulIdeje", r.Lakok.SzulIdeje);
    v("Statusz", r.Lakok.Statusz);
    v("Bejelentve", r.Lakok.Bejelentve);
    v("Irsz", r.Irsz);
    v("Helyseg", r.Helyseg);
    v("Utca", r.Utca);
    v("Hsz", r.Hsz);
    v("Ajto", r.Ajto);
    v("Alapterulet", r.Alapterulet);
    v("VizoraSzam", r.VizoraSzam);
    v("UtolsoAllas", r.UtolsoAllas);
    v("KozosKoltseg", r.KozosKoltseg);
    v("KKEloiras", r.KKEloiras);
    v("KKBefizetes", r.KKBefizetes);
    v("KKBefizDatum", r.KKBefizDatum);
    v("SzemetDij", r.SzemetDij);
    v("HEloiras", r.HEloiras);
    v("HBefizetes", r.HBefizetes);
    v("HBefizDatum", r.HBefizDatum);
    v("Pince", r.Pince);
    v("Garazs", r.Garazs);
    v("(reserved)", r.Fenntartott);
    v("Epulet", r.Epulet);
    v("PinceDij", r.PinceDij);
    v("LeadasDatum", r.LeadasDatum);
    v("Telefon", r.Telefon);
    v("Email", r.Email);
    v("ElozoAllas", r.ElozoAllas);
    v("HaviFogyasztas1", r.HaviFogyasztas1);
    v("HaviFogyasztas2", r.HaviFogyasztas2);
    v("HaviFogyasztas3", r.HaviFogyasztas3);
    v("HaviFogyasztas4", r.HaviFogyasztas4);
    v("Megj", r.Megj);
}

// The fields of an apartment record that the apartment list, its totals and
// the search read, at their places in the record; the bytes between them are
// passed over. The names are those of Lakas, so code written for these
// fields reads either type.
struct LakasLista {
    static constexpr int Length = Lakas::Length;
    struct Nevek {
        Array1<FixedText<30>, 10> Nev;
    } Lakok;
    FixedText<25> Helyseg;
    FixedText<25> Utca;
    FixedText<10> Hsz;
    FixedText<10> Ajto;
    Array1<std::int16_t, 4> UtolsoAllas;
    Array1<std::int32_t, 13> KKEloiras;
    Array1<std::int32_t, 13> KKBefizetes;
    Array1<std::int32_t, 13> HEloiras;
    Array1<std::int32_t, 13> HBefizetes;
    FixedText<20> Epulet;
    Array1<std::int16_t, 4> ElozoAllas;
    Array1<std::int16_t, 12> HaviFogyasztas1;
    Array1<std::int16_t, 12> HaviFogyasztas2;
    Array1<std::int16_t, 12> HaviFogyasztas3;
    Array1<std::int16_t, 12> HaviFogyasztas4;
};

template <class V>
void visit(LakasLista& r, V& v) {
    const char* const skipped = "(skipped)";
    Skip<830> residentDetails;  // AnyjaNeve .. Bejelentve
    Skip<2> irsz;
    Skip<62> areaAndSerials;        // Alapterulet, VizoraSzam
    Skip<4> kozosKoltseg;
    Skip<108> kkDatesAndSzemetDij;  // KKBefizDatum, SzemetDij
    Skip<112> hDatesToReserved;     // HBefizDatum, Pince, Garazs, reserved Long
    Skip<65> pinceDijToEmail;       // PinceDij, LeadasDatum, Telefon, Email
    Skip<300> megj;
    v("Nev", r.Lakok.Nev);
    v(skipped, residentDetails);
    v(skipped, irsz);
    v("Helyseg", r.Helyseg);
    v("Utca", r.Utca);
    v("Hsz", r.Hsz);
    v("Ajto", r.Ajto);
    v(skipped, areaAndSerials);
    v("UtolsoAllas", r.UtolsoAllas);
    v(skipped, kozosKoltseg);
    v("KKEloiras", r.KKEloiras);
    v("KKBefizetes", r.KKBefizetes);
    v(skipped, kkDatesAndSzemetDij);
    v("HEloiras", r.HEloiras);
    v("HBefizetes", r.HBefizetes);
    v(skipped, hDatesToReserved);
    v("Epulet", r.Epulet);
    v(skipped, pinceDijToEmail);
    v("ElozoAllas", r.ElozoAllas);
    v("HaviFogyasztas1", r.HaviFogyasztas1);
    v("HaviFogyasztas2", r.HaviFogyasztas2);
    v("HaviFogyasztas3", r.HaviFogyasztas3);
    v("HaviFogyasztas4", r.HaviFogyasztas4);
    v(skipped, megj);
}

// Building record of Epuletek.dat.
struct Epulet {
    static constexpr int Length = 22;
    FixedText<20> Nev;
    std::int16_t KKperNm = 0;
    bool operator==(const Epulet&) const = default;
};
template <class V>
void visit(Epulet& r, V& v) {
    v("Nev", r.Nev);
    v("KKperNm", r.KKperNm);
}

// Resident status record of Stat.dat.
struct StatuszRec {
    static constexpr int Length = 15;
    FixedText<15> Statusz;
    bool operator==(const StatuszRec&) const = default;
};
template <class V>
void visit(StatuszRec& r, V& v) {
    v("Statusz", r.Statusz);
}

// Settings record of Set.dat (only record 1 is used).
struct Beallitas {
    static constexpr int Length = 6;
    FixedText<4> Ev;
    Reserved<2> Fenntartott;
    bool operator==(const Beallitas&) const = default;
};
template <class V>
void visit(Beallitas& r, V& v) {
    v("Ev", r.Ev);
    v("(reserved)", r.Fenntartott);
}

// Payment log record of a year's Befiz.dat.
struct Befizetes {
    static constexpr int Length = 126;
    std::int32_t Osszeg = 0;
    Date Datum;
    FixedText<12> Tipus;
    FixedText<30> Nev;
    FixedText<25> Helyseg;
    FixedText<25> Utca;
    FixedText<10> Hsz;
    FixedText<10> Ajto;
    std::int16_t Honap = 0;
    bool operator==(const Befizetes&) const = default;
};
template <class V>
void visit(Befizetes& r, V& v) {
    v("Osszeg", r.Osszeg);
    v("Datum", r.Datum);
    v("Tipus", r.Tipus);
    v("Nev", r.Nev);
    v("Helyseg", r.Helyseg);
    v("Utca", r.Utca);
    v("Hsz", r.Hsz);
    v("Ajto", r.Ajto);
    v("Honap", r.Honap);
}

// Expense/income book entry of a year's Kiadások.dat.
struct KonyvTetel {
    static constexpr int Length = 170;
    std::int32_t Kiadas = 0;
    std::int32_t Bevetel = 0;
    Date Datum;
    FixedText<50> Megnevezes;
    FixedText<80> Megjegyzes;
    FixedText<20> Epulet;
    std::int32_t Fenntartott = 0;  // reserved Long, written as 0
    bool operator==(const KonyvTetel&) const = default;
};
template <class V>
void visit(KonyvTetel& r, V& v) {
    v("Kiadas", r.Kiadas);
    v("Bevetel", r.Bevetel);
    v("Datum", r.Datum);
    v("Megnevezes", r.Megnevezes);
    v("Megjegyzes", r.Megjegyzes);
    v("Epulet", r.Epulet);
    v("(reserved)", r.Fenntartott);
}

// Letter template of Nyomtatvanyok.dat.
struct Nyomtatvany {
    static constexpr int Length = 4830;
    std::array<Currency, 24> BalPoz{};  // indexed 0..23
    std::array<Currency, 24> FelsoPoz{};
    std::int16_t Jelzo = 6;
    FixedText<30> BetuTipus;
    std::int16_t BetuMeret = 0;
    std::int16_t XKorr = 0;
    std::int16_t YKorr = 0;
    std::int16_t Fekvo = 0;
    std::int16_t Szeles = 0;
    std::int16_t Magas = 0;
    FixedText<250> HatterUtvonal;
    FixedText<48> NyNev;
    std::int16_t Papir = 0;
    std::int16_t Azon = 0;
    FixedText<100> Fejlec;
    FixedText<2500> Szoveg2;
    FixedText<1430> Szoveg1;
    FixedText<35> KKFelirat;
    FixedText<35> HFelirat;
    bool operator==(const Nyomtatvany&) const = default;
};
template <class V>
void visit(Nyomtatvany& r, V& v) {
    for (auto& c : r.BalPoz) v("BalPoz", c);
    for (auto& c : r.FelsoPoz) v("FelsoPoz", c);
    v("Jelzo", r.Jelzo);
    v("BetuTipus", r.BetuTipus);
    v("BetuMeret", r.BetuMeret);
    v("XKorr", r.XKorr);
    v("YKorr", r.YKorr);
    v("Fekvo", r.Fekvo);
    v("Szeles", r.Szeles);
    v("Magas", r.Magas);
    v("HatterUtvonal", r.HatterUtvonal);
    v("NyNev", r.NyNev);
    v("Papir", r.Papir);
    v("Azon", r.Azon);
    v("Fejlec", r.Fejlec);
    v("Szoveg2", r.Szoveg2);
    v("Szoveg1", r.Szoveg1);
    v("KKFelirat", r.KKFelirat);
    v("HFelirat", r.HFelirat);
}

// Print journal record of a year's Naplo.dat.
struct Naplo {
    static constexpr int Length = 139;
    FixedText<30> LakoNev;
    FixedText<45> LakasCim;
    Date Nyomtatva;
    FixedText<48> NyomtatvanyNev;
    std::int32_t Hatralek = 0;
    std::int32_t Befizetve = 0;
    bool operator==(const Naplo&) const = default;
};
template <class V>
void visit(Naplo& r, V& v) {
    v("LakoNev", r.LakoNev);
    v("LakasCim", r.LakasCim);
    v("Nyomtatva", r.Nyomtatva);
    v("NyomtatvanyNev", r.NyomtatvanyNev);
    v("Hatralek", r.Hatralek);
    v("Befizetve", r.Befizetve);
}

// Saved picture settings of Kepment.dat (record 1).
struct Kepment {
    static constexpr int Length = 283;
    FixedText<255> KepUtvonal;
    Reserved<8> Fenntartott;
    std::int16_t KepBal = 0;
    std::int16_t KepFent = 0;
    Currency KepSzeles;
    Currency KepMagas;
    bool operator==(const Kepment&) const = default;
};
template <class V>
void visit(Kepment& r, V& v) {
    v("KepUtvonal", r.KepUtvonal);
    v("(reserved)", r.Fenntartott);
    v("KepBal", r.KepBal);
    v("KepFent", r.KepFent);
    v("KepSzeles", r.KepSzeles);
    v("KepMagas", r.KepMagas);
}

// Last folder of the picture picker, browse.pat (record 1).
struct UtolsoMappaRec {
    static constexpr int Length = 516;
    FixedText<500> UtolsoMappa;
    Reserved<16> Fenntartott;
    bool operator==(const UtolsoMappaRec&) const = default;
};
template <class V>
void visit(UtolsoMappaRec& r, V& v) {
    v("UtolsoMappa", r.UtolsoMappa);
    v("(reserved)", r.Fenntartott);
}

// The most records each file can sanely hold (kinds not named here: a
// million); a larger file is taken as damaged and refused, so that a damaged
// length can never make the program read gigabytes.
template <> inline constexpr qint64 kMaxRecords<Lakas> = 1'000'000;
template <> inline constexpr qint64 kMaxRecords<Epulet> = 100'000;
template <> inline constexpr qint64 kMaxRecords<StatuszRec> = 100'000;
template <> inline constexpr qint64 kMaxRecords<Beallitas> = 1'000;
template <> inline constexpr qint64 kMaxRecords<Befizetes> = 10'000'000;
template <> inline constexpr qint64 kMaxRecords<KonyvTetel> = 1'000'000;
template <> inline constexpr qint64 kMaxRecords<Nyomtatvany> = 10'000;
template <> inline constexpr qint64 kMaxRecords<Naplo> = 1'000'000;
template <> inline constexpr qint64 kMaxRecords<Kepment> = 1'000;
template <> inline constexpr qint64 kMaxRecords<UtolsoMappaRec> = 1'000;
