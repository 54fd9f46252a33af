#include "recordingsurface.h"

bool RecordingSurface::selectPrinter(int index) {
    if (index < 0 || index >= printerNames.size()) return false;
    chosenPrinter = index;
    return true;
}

QStringList RecordingSurface::fonts() const {
    return {QStringLiteral("Courier New"), QStringLiteral("Times New Roman"), QStringLiteral("Times New Roman CE")};
}

RecordingSurface::Op RecordingSurface::make(Op::Kind kind) const {
    Op op;
    op.kind = kind;
    op.font = fontName();
    op.size = fontSize();
    op.bold = fontBold();
    op.page = page_;
    op.document = document_;
    op.orientation = orientation();
    return op;
}

bool RecordingSurface::beginDocument() {
    page_ = 1;
    return !failBegin;
}

double RecordingSurface::textWidthMm(const QString& text) {
    return static_cast<double>(text.size()) * averageCharWidthMm();
}

double RecordingSurface::lineHeightMm() {
    return pointsToMm(fontSize() * 1.2);
}

double RecordingSurface::averageCharWidthMm() {
    return pointsToMm(fontSize() * 0.5);
}

void RecordingSurface::drawText(double x, double y, const QString& text) {
    Op op = make(Op::Text);
    op.x = x;
    op.y = y;
    op.text = text;
    ops.push_back(op);
}

void RecordingSurface::drawLine(double x1, double y1, double x2, double y2) {
    Op op = make(Op::Line);
    op.x = x1;
    op.y = y1;
    op.x2 = x2;
    op.y2 = y2;
    ops.push_back(op);
}

void RecordingSurface::drawPicture(const QString& path, double x, double y, double w, double h) {
    Op op = make(Op::Picture);
    op.text = path;
    op.x = x;
    op.y = y;
    op.x2 = x + w;
    op.y2 = y + h;
    ops.push_back(op);
}

void RecordingSurface::startNewPage() {
    ops.push_back(make(Op::NewPage));
    ++page_;
}

bool RecordingSurface::finishDocument() {
    if (failFinish) return false;
    ops.push_back(make(Op::EndDoc));
    ++document_;
    return true;
}

QStringList RecordingSurface::texts(int page) const {
    QStringList out;
    for (const Op& op : ops)
        if (op.kind == Op::Text && (page == 0 || op.page == page)) out.append(op.text);
    return out;
}

const RecordingSurface::Op* RecordingSurface::findText(const QString& text, int page) const {
    for (const Op& op : ops)
        if (op.kind == Op::Text && op.text == text && (page == 0 || op.page == page)) return &op;
    return nullptr;
}

std::vector<RecordingSurface::Op> RecordingSurface::lines(int page) const {
    std::vector<Op> out;
    for (const Op& op : ops)
        if (op.kind == Op::Line && (page == 0 || op.page == page)) out.push_back(op);
    return out;
}

int RecordingSurface::documents() const {
    return document_ - 1;
}

int RecordingSurface::pages(int document) const {
    if (document == 0) document = ops.empty() ? 0 : ops.back().document;
    int last = 0;
    for (const Op& op : ops)
        if (op.document == document) last = std::max(last, op.page);
    return last;
}

QStringList RecordingSurface::placed(int page, double minY) const {
    QStringList out;
    for (const Op& op : ops)
        if (op.kind == Op::Text && (page == 0 || op.page == page) && op.y >= minY)
            out.append(QStringLiteral("%1@%2,%3%4").arg(op.text).arg(op.x).arg(op.y).arg(op.bold ? " b" : ""));
    return out;
}

QStringList RecordingSurface::ruled(int page) const {
    QStringList out;
    for (const Op& op : lines(page))
        out.append(QStringLiteral("%1,%2-%3,%4").arg(op.x).arg(op.y).arg(op.x2).arg(op.y2));
    return out;
}
