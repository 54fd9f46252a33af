#pragma once
// The picture picker "Kép keresés": volumes, folders and the picture files of
// a folder with a preview; remembers the last folder in browse.pat.

#include <QDialog>
#include <array>

#include "store/datafolder.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

class kep_browse : public QDialog {
    Q_OBJECT
public:
    // Side of the preview box in pixels (4215 twips).
    static constexpr int PreviewPixels = 281;

    explicit kep_browse(const DataFolder& folder, QWidget* parent = nullptr);

    // The file accepted with "&Rendben"; "" when the picker was cancelled.
    const QString& acceptedPath() const { return m_accepted; }
    // The folder shown.
    const QString& folderShown() const { return m_dir; }

    // Shows the file in the preview, fitted into its box; false when it is
    // not a picture (the preview is cleared).
    bool KepBetoltes2(const QString& path);

    QComboBox* Drive1 = nullptr;
    QListWidget* Dir1 = nullptr;
    QListWidget* File1 = nullptr;
    QLabel* Label1 = nullptr;
    QLineEdit* Text1 = nullptr;
    std::array<QRadioButton*, 2> Option1{};
    QPushButton* Command1 = nullptr;
    QCheckBox* Check1 = nullptr;
    QLabel* Image1 = nullptr;
    QPushButton* Command2 = nullptr;
    QPushButton* Command3 = nullptr;

    void done(int result) override;

private:
    // Lists a folder; with selectFirst the first matching file is clicked.
    void showFolder(const QString& path, bool selectFirst);
    void listFiles(bool selectFirst);
    void fileClicked(const QString& name);
    void driveChosen(int index);
    void rootClicked();
    void searchTyped(const QString& text);
    void acceptClicked();
    void error(int code, const QString& description);

    DataFolder m_folder;
    QString m_dir;
    QString m_clicked;  // the file last clicked
    QString m_accepted;
};
