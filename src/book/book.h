#pragma once
// The expense and income book of the buildings, one per year (Kiadások.dat):
// the building filter, the contents of the three lists with their totals
// rows, the balance, recording and modifying an entry, and the carry-over
// entries that open a new year's book.
//
// The list contents are plain values, in the order the lists show them, so
// that the window and the printed reports show the same rows and totals.

#include <QDate>
#include <QString>
#include <QStringList>

#include <cstdint>
#include <optional>
#include <vector>

#include "store/datafolder.h"
#include "store/records.h"

namespace book {

// ---- the building filter ---------------------------------------------------

// The building box's text, trimmed and upper-cased. An entry matches when its
// trimmed, upper-cased building name holds the filter anywhere; an empty or
// blank filter matches every entry.
class Filter {
public:
    explicit Filter(const QString& buildingText);
    bool matches(const KonyvTetel& e) const;

private:
    QString upper_;
};

// ---- the three lists -------------------------------------------------------

enum class ListKind { Kiadas, Bevetel, KiBe };  // expenses, incomes, both

struct Entry {
    int rec = 0;  // record number in Kiadások.dat
    KonyvTetel t;
};

// One list: its entries in the order shown (by date, then by record number)
// and the sums of its totals row.
struct List {
    std::vector<Entry> rows;
    std::int64_t kiadas = 0;
    std::int64_t bevetel = 0;
};

struct Lists {
    QString error;  // the book could not be read (the lists are then empty)
    List kiBe;      // every matching entry
    List kiadas;    // the entries of kiBe with an expense (Kiadas != 0), in the same order
    List bevetel;   // the entries of kiBe with an income (Bevetel != 0), in the same order
    const List& of(ListKind k) const { return k == ListKind::Kiadas ? kiadas : k == ListKind::Bevetel ? bevetel : kiBe; }
    // Incomes minus expenses over every matching entry.
    std::int64_t balance() const { return kiBe.bevetel - kiBe.kiadas; }
};

// Reads the year's book once and fills the three lists for a building text.
// A missing book gives empty lists.
Lists readLists(const DataFolder& folder, const QString& year, const QString& buildingText);

// The texts of a list: its column captions, an entry's row and the totals
// row ("ÖSSZESEN", 13 blanks, the totals; no record number).
QStringList columns(ListKind k);
QStringList rowTexts(ListKind k, const Entry& e);
QStringList totalsTexts(ListKind k, const List& l);
inline const QString kTotals = QStringLiteral("ÖSSZESEN");
// The column of the amounts (the expense column of the combined list).
int amountColumn(ListKind k);
// The column of the record number.
int recColumn(ListKind k);

// The balance as the window shows it: "### ### ###" followed by ",-Ft".
QString balanceText(std::int64_t balance);

// ---- recording and modifying -------------------------------------------------

enum class Field { Kiadas, Bevetel };  // the amount boxes a refusal can name

// What the entry fields of the window hold.
struct Input {
    QDate datum;
    QString megnevezes;
    QString megjegyzes;
    QString epulet;  // the building box's text, as typed
    QString kiadas;  // amount texts
    QString bevetel;
};

enum class Action { Income, Expense, Modify };

// The entry an action would write, or why it is refused. An income takes
// only the income amount (the expense is 0), an expense only the expense;
// a modification takes both. Amounts must be whole numbers that fit 32 bits.
struct Prepared {
    std::optional<KonyvTetel> entry;
    std::optional<Field> refused;  // the amount box to focus
    QString message;               // the refusal's message
};
Prepared prepare(Action a, const Input& in);

struct Written {
    int rec = 0;    // the record written; 0 when nothing was written
    QString error;  // the message for the user when the write failed
    bool ok() const { return rec > 0; }
};

// Writes one entry in place: appended after the last record when rec is 0,
// else over record rec (which must exist). Every change of a single entry
// goes through here.
Written writeEntry(const DataFolder& folder, const QString& year, int rec, const KonyvTetel& entry);

// Reads one entry; nullopt when it does not exist.
std::optional<KonyvTetel> readEntry(const DataFolder& folder, const QString& year, int rec);

// ---- carry-over into a new year ----------------------------------------------

// The description of a building's carry-over entry: its trimmed name,
// " Épület egyenleg áthozat ", the old year and ". évből", cut to 50.
QString carryOverText(const QString& buildingName, const QString& oldYear);
// Whether an entry is the carry-over from oldYear that a roll-over wrote.
bool isCarryOver(const KonyvTetel& e, const QString& oldYear);

// The balance of each building in an old book (incomes - expenses of the
// entries whose trimmed building name equals the name exactly), in the
// order of the names.
std::vector<std::int64_t> buildingBalances(const std::vector<KonyvTetel>& oldBook, const QStringList& buildingNames);

// A carry-over entry: a positive balance as an income, a negative one as an
// expense, 0 as an entry of 0; dated `day`. The balance must fit 32 bits.
KonyvTetel carryOverEntry(const QString& buildingName, const QString& oldYear, std::int32_t balance,
                          const QDate& day);

// A new year's book with the carry-over entries: the entries of `current`
// without earlier carry-overs from oldYear, the new ones standing where the
// first earlier one stood (at the end when there was none).
std::vector<KonyvTetel> withCarryOvers(const std::vector<KonyvTetel>& current,
                                       const std::vector<KonyvTetel>& carryOvers, const QString& oldYear);

}  // namespace book
