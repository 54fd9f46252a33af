#pragma once
// A temporary data folder for one test, with helpers to lay down fixtures.

#include <QByteArray>
#include <QTemporaryDir>

#include <vector>

#include "store/datafolder.h"
#include "store/records.h"

class TestFolder {
public:
    TestFolder();
    QString path() const { return dir_.path(); }
    DataFolder folder(FileLayer& fs = FileLayer::standard()) const { return DataFolder(dir_.path(), fs); }

    // Writes the year's Lakasok.dat (making its folder) with these records.
    void writeApartments(const QString& year, const std::vector<Lakas>& records) const;
    std::vector<Lakas> readApartments(const QString& year) const;
    void writeBuildings(const std::vector<Epulet>& records) const;
    // Writes the year's Kiadások.dat (making its folder) with these entries.
    void writeBook(const QString& year, const std::vector<KonyvTetel>& entries) const;
    std::vector<KonyvTetel> readBook(const QString& year) const;
    void writeStatuses(const QStringList& names) const;
    // The four files a backup holds (Lakasok.dat, Befiz.dat, Kiadások.dat,
    // Naplo.dat) in a year or backup folder, "" for a missing one; writing
    // leaves out the empty ones.
    QByteArrayList yearFiles(const QString& relativeFolder) const;
    void writeYearFiles(const QString& relativeFolder, const QByteArrayList& contents) const;
    QByteArray bytes(const QString& relativePath) const;
    void writeBytes(const QString& relativePath, const QByteArray& bytes) const;
    bool exists(const QString& relativePath) const;

private:
    QTemporaryDir dir_;
};

// A file layer whose whole-file replacements of the paths that hold
// `failing` fail (at the rename).
class FailingReplace : public SystemCalls {
public:
    QString failing = QStringLiteral("\n");
    int rename(const char* from, const char* to) override;
    operator FileLayer&() { return layer_; }  // NOLINT: used where a layer is wanted

private:
    FileLayer layer_{*this};
};

// An apartment with a resident, an address and a building.
Lakas makeLakas(const QString& nev, const QString& utca, const QString& hsz, const QString& ajto);
Epulet makeEpulet(const QString& nev, std::int16_t rate);
// A book entry with a remark "számla".
KonyvTetel makeTetel(const QString& epulet, std::int32_t kiadas, std::int32_t bevetel, const QDate& datum,
                     const QString& megnevezes);
