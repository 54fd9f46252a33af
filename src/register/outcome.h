#pragma once
// What a register operation that writes reports back to the window: saved,
// refused because of an input (nothing written, the field to focus named),
// or failed on the file (the message to show).

#include <QString>
#include <optional>

// The inputs a refusal can name; the window maps each to its control.
enum class InputField {
    Helyseg,
    Irsz,
    Utca,
    Hsz,
    Ajto,
    Epulet,
    Alapterulet,
    PinceDij,
    KozosKoltseg,
    SzemetDij,
    Lakok,  // the resident list; the resident name box takes the focus
    Nev,
    Statusz,
    Email,
    KKperNm,
};

struct Refusal {
    InputField field;
    QString message;
};

struct SaveResult {
    bool saved = false;
    std::optional<Refusal> refusal;  // an input was refused: nothing was written
    QString failure;                 // a file step failed: the message for the user
    int rec = 0;                     // the record number written

    // The refusal's or the failure's message.
    QString message() const { return refusal ? refusal->message : failure; }

    static SaveResult ok(int rec) { return SaveResult{true, std::nullopt, QString(), rec}; }
    static SaveResult refused(Refusal r) { return SaveResult{false, std::move(r), QString(), 0}; }
    static SaveResult failed(QString message) { return SaveResult{false, std::nullopt, std::move(message), 0}; }
};

namespace messages {
// A file that could not be written; the path is shown in the platform's form.
QString notWritten(const QString& path);
// A whole-file change that failed: the file was left as it was.
QString notChanged(const QString& path);
}  // namespace messages
