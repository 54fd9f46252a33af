#pragma once
// A printer surface that prints nothing and keeps every operation, with
// positions in millimetres, so that tests can check a layout.

#include <vector>

#include "printersurface.h"

class RecordingSurface : public PrinterSurface {
public:
    struct Op {
        enum Kind { Text, Line, Picture, NewPage, EndDoc } kind = Text;
        double x = 0, y = 0;    // text: top left; line: start; picture: top left
        double x2 = 0, y2 = 0;  // line: end; picture: x + width, y + height
        QString text;           // text, or the picture's path
        QString font;
        double size = 0;
        bool bold = false;
        int page = 1;
        int document = 1;  // documents ended so far + 1
        int orientation = Portrait;
    };

    std::vector<Op> ops;
    QStringList printerNames{QStringLiteral("Teszt nyomtató")};
    int chosenPrinter = -1;
    // Failures to act out: the document cannot start or cannot be handed over.
    bool failBegin = false;
    bool failFinish = false;

    QStringList printers() const override { return printerNames; }
    bool selectPrinter(int index) override;
    QStringList fonts() const override;

    // The texts printed, in order (of one page when page > 0).
    QStringList texts(int page = 0) const;
    // The first text operation whose text is exactly `text`; nullptr when none.
    const Op* findText(const QString& text, int page = 0) const;
    std::vector<Op> lines(int page = 0) const;
    // A layout at a glance, in print order: every text of a page (0: all)
    // whose top is at least minY, as "text@x,y" with " b" when bold; every
    // line as "x,y-x2,y2".
    QStringList placed(int page = 0, double minY = 0) const;
    QStringList ruled(int page = 0) const;
    int documents() const;  // documents handed over
    // Pages of a document (1 for the first; 0 for the last one printed).
    int pages(int document = 0) const;

    // The metrics the recorder uses: a character is half the font size wide,
    // a line 1.2 times the font size high (points to millimetres).
    static double pointsToMm(double pt) { return pt * 25.4 / 72.0; }

protected:
    bool beginDocument() override;
    double textWidthMm(const QString& text) override;
    double lineHeightMm() override;
    double averageCharWidthMm() override;
    void drawText(double x, double y, const QString& text) override;
    void drawLine(double x1, double y1, double x2, double y2) override;
    void drawPicture(const QString& path, double x, double y, double w, double h) override;
    void startNewPage() override;
    bool finishDocument() override;

private:
    Op make(Op::Kind kind) const;
    int page_ = 1;
    int document_ = 1;
};
