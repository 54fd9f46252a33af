#pragma once
// The letter window "Nyomtatvány kitöltő": a picture of the page on which the
// twelve text fields of a balance letter are dragged into place, the
// templates that store an arrangement, font, paper and corrections, the
// picture or logo, and the printing of the letters with their journal. The
// rules live in letters/; the window binds its controls to them.

#include <QDialog>
#include <QImage>
#include <array>
#include <vector>

#include "letters/letter.h"
#include "letters/printing.h"
#include "letters/templates.h"
#include "store/datafolder.h"

class QAction;
class QCheckBox;
class QComboBox;
class QFrame;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QSlider;

// What the letter window takes over from the main window when it opens.
struct ErtesitoInputs {
    DataFolder folder;
    QString year;                 // AktualisEv
    int rec = 0;                  // AktualisLakas
    std::vector<int> listed;      // the record numbers the apartment list shows, in list order
    QString kkCaption, hCaption;  // the captions of lbKKTartozas and lbHullTartozas
};

class frmErtesito : public QDialog {
    Q_OBJECT
public:
    // Screen twips per pixel of the page picture.
    static constexpr double TwipsPerPixel = 15.0;

    explicit frmErtesito(ErtesitoInputs in, QWidget* parent = nullptr);
    ~frmErtesito() override;

    // The text of editor box i, and setting it as the user types.
    QString boxText(int i) const;
    void setBoxText(int i, const QString& text);
    // Window state: the template last selected, the field positions in page
    // twips, and the letter as the designer shows it.
    int KivalasztottNy() const { return m_KivalasztottNy; }
    const letters::Positions& positions() const { return m_pos; }
    letters::LetterPage letterPage() const;
    const letters::LetterPicture& picture() const { return m_picture; }

    // ---- controls (object names as the program names them) ----
    QAction* mnuEnd = nullptr;
    QAction* mnuNaplo = nullptr;
    // the page
    QScrollArea* pageArea = nullptr;
    QWidget* Frame1 = nullptr;
    QLabel* Image1 = nullptr;
    QFrame* Shape1 = nullptr;
    QFrame* Line1 = nullptr;
    std::array<QLabel*, letters::FieldCount> Label1{};
    QLabel* Image3 = nullptr;
    // the fields
    std::array<QWidget*, letters::FieldCount> Text1{};  // QLineEdit; QPlainTextEdit for fields 1 and 6
    std::array<QLabel*, letters::FieldCount> lbBal{};
    std::array<QLabel*, letters::FieldCount> lbTop{};
    // templates, font, paper, corrections
    QComboBox* cmbNyomtatvanyok = nullptr;
    QPushButton* cmdNyomtatvanySave = nullptr;
    QPushButton* cmdNyomtatvanyDel = nullptr;
    QComboBox* cmbBetuTipus = nullptr;
    QComboBox* cmbBetuMeret = nullptr;
    QGroupBox* FramePapir = nullptr;
    QRadioButton* opA4 = nullptr;
    QRadioButton* opA5 = nullptr;
    QRadioButton* opEgyedi = nullptr;
    QLineEdit* txtSzeles = nullptr;
    QLineEdit* txtMagas = nullptr;
    QPushButton* cmdPapirMeret = nullptr;
    std::array<QRadioButton*, 2> opOrientacio{};
    QLineEdit* txtXkorrekcio = nullptr;
    QLineEdit* txtYkorrekcio = nullptr;
    // picture
    QCheckBox* chkLogo = nullptr;
    QGroupBox* Frame5 = nullptr;
    QLabel* lbXpoz = nullptr;
    QLabel* lbYpoz = nullptr;
    QLabel* lbSzeles = nullptr;
    QLabel* lbMagas = nullptr;
    QSlider* HScroll1 = nullptr;
    QPushButton* cmdKepek = nullptr;
    QPushButton* cmdKepMentese = nullptr;
    // printing
    QComboBox* Combo2 = nullptr;
    QPushButton* cmdPrint = nullptr;
    QPushButton* cmdMindPrint = nullptr;
    QPushButton* cmdPrintElonezet = nullptr;      // preview of the selected apartment's letter
    QPushButton* cmdMindPrintElonezet = nullptr;  // preview of the listed apartments' letters

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildPage();
    QWidget* buildFields();
    QWidget* buildSettings();
    void bind();
    void opening();

    // fields on the page
    void boxChanged(int i);
    void placeField(int i);
    void placeFields();
    void centreHeading();
    void applyFont();
    void sizeBoxDone();
    // templates
    void fillTemplates(int select);
    void templateChosen(const QString& name);
    void saveClicked();
    void deleteClicked();
    letters::Design design() const;
    // paper
    void paperChosen(letters::Paper paper);
    void applyPaperSize();
    letters::Paper paper() const;
    // picture
    void loadSavedPicture();
    // Loads the picture file (once per path); false, with nothing changed,
    // when it is not a picture.
    bool loadImage(const QString& path, QString* error = nullptr);
    bool pictureLoaded() const { return !m_image.isNull() && m_imagePath == m_picture.path; }
    // Fits the loaded picture into a square of `side` twips.
    void fitPicture(double side);
    void applySlider();
    void showPicture();
    void pictureCaptions();
    void choosePicture();
    void savePicture();
    // printing and the journal
    // Prints the letter of the selected apartment, or those of the listed ones.
    void printLetters(bool listed);
    void previewLetters(bool listed);
    void showFailure(const letters::RunResult& r);
    void openJournal();
    letters::LetterRun run() const;

    ErtesitoInputs m_in;
    letters::Positions m_pos = letters::defaultPositions();
    letters::PageSize m_page{7626, 10785};
    int m_KivalasztottNy = 0;
    QString m_HatterKep;
    // dragging a field (0..11) or the picture (FieldCount)
    int m_drag = -1;
    QPointF m_grab;  // twips inside the dragged control
    // the picture
    letters::LetterPicture m_picture;
    QImage m_image;
    QString m_imagePath;  // the file m_image was loaded from
};
