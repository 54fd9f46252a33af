#include "design.h"

#include <cmath>

namespace letters {

Positions defaultPositions() {
    // Millimetres from the page's top left corner.
    constexpr std::array<std::array<double, 2>, FieldCount> mm{{
        {70, 30},    // heading (centred by the designer)
        {25, 45},    // long text
        {25, 100},   // name
        {25, 107},   // address
        {25, 125},   // common-cost caption
        {25, 132},   // waste-fee caption
        {25, 160},   // text block
        {110, 125},  // common-cost amount
        {110, 132},  // waste-fee amount
        {25, 230},   // town and date
        {25, 141},   // total caption
        {110, 141},  // total amount
    }};
    Positions p;
    for (int i = 0; i < FieldCount; ++i)
        p[size_t(i)] = Pos{std::round(mm[size_t(i)][0] * TervezoArany), std::round(mm[size_t(i)][1] * TervezoArany)};
    return p;
}

double rulerMm(double twips) {
    return std::round(twips / TervezoArany * 10.0) / 10.0;
}

QString oneDecimal(double value, const QLocale& locale) {
    const double v = std::round(value * 10.0) / 10.0;
    QString t = locale.toString(std::fabs(v), 'f', 1);
    if (t.startsWith(QLatin1Char('0'))) t.remove(0, 1);
    return v < 0 ? QLatin1Char('-') + t : t;
}

QString rulerText(double twips, const QLocale& locale) {
    return oneDecimal(rulerMm(twips), locale);
}

double printPosition(double twips, int correctionMm) {
    return rulerMm(twips) - PrintOffsetMm + correctionMm;
}

void dragField(Positions& p, int field, double dx, double dy) {
    if (field < 0 || field >= FieldCount) return;
    p[size_t(field)].left += dx;
    p[size_t(field)].top += dy;
    // Dragged field, the field placed, the axis, and the field it is placed from.
    struct Companion {
        int dragged, placed;
        bool top;
        int from;
    };
    static constexpr Companion table[] = {
        {KKOsszeg, KKFelirat, true, KKOsszeg},
        {KKOsszeg, HOsszeg, false, KKOsszeg},
        {KKOsszeg, OsszesenOsszeg, false, KKOsszeg},
        {HOsszeg, HFelirat, true, HOsszeg},
        {HOsszeg, KKOsszeg, false, HOsszeg},
        {HOsszeg, OsszesenOsszeg, false, HOsszeg},
        {OsszesenOsszeg, OsszesenFelirat, true, OsszesenOsszeg},
        {OsszesenOsszeg, KKOsszeg, false, OsszesenOsszeg},
        {OsszesenOsszeg, HOsszeg, false, OsszesenOsszeg},
        {KKFelirat, KKOsszeg, true, KKFelirat},
        {HFelirat, HOsszeg, true, HFelirat},
        {HFelirat, OsszesenFelirat, false, HFelirat},
        {HFelirat, OsszesenOsszeg, false, HOsszeg},  // the total stays under the waste-fee amount
        {OsszesenFelirat, OsszesenOsszeg, true, OsszesenFelirat},
    };
    for (const Companion& c : table) {
        if (c.dragged != field) continue;
        Pos& placed = p[size_t(c.placed)];
        const Pos& from = p[size_t(c.from)];
        (c.top ? placed.top : placed.left) = c.top ? from.top : from.left;
    }
}

std::optional<double> screenPoints(const QString& sizeText) {
    const QString t = sizeText.trimmed();
    if (t == QLatin1String("10")) return 6.0;
    if (t == QLatin1String("12")) return 7.5;
    if (t == QLatin1String("14")) return 9.0;
    return std::nullopt;
}

std::optional<PageSize> pagePicture(Paper paper, int widthMm, int heightMm) {
    switch (paper) {
        case Paper::A4:
            return PageSize{7626, 10785};
        case Paper::A5:
            return PageSize{7626, 5393};
        case Paper::Egyedi:
            if (widthMm <= 0 || heightMm <= 0) return std::nullopt;
            return PageSize{widthMm * TervezoArany, heightMm * TervezoArany};
        case Paper::None:
            break;
    }
    return std::nullopt;
}

PaperBoxes paperBoxes(Paper paper) {
    return paper == Paper::A5 ? PaperBoxes{210, 148} : PaperBoxes{210, 296};
}

}  // namespace letters
