#include "ui/cardExport.h"

#include "core/textcard.h"
#include "io/atomicFile.h"
#include "ui/cardPainter.h"

#include <QDir>
#include <QImage>
#include <QLocale>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include <algorithm>
#include <array>
#include <cmath>
#include <functional>
#include <memory>

namespace ivc::ui {
namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kInchesPerMetre = 1.0 / 0.0254;
// A sheet: two cards across, two down, on landscape paper; a thin margin and a gap for
// the scissors between them.
constexpr double kSheetMarginMm = 5.0;
constexpr double kSheetGapMm = 3.0;
constexpr double kPageNumberPoints = 9.0;

struct FormatName {
    CardFormat format;
    const char* suffix;
};
constexpr std::array kFormats = {
    FormatName{CardFormat::Pdf, "pdf"},
    FormatName{CardFormat::Png, "png"},
    FormatName{CardFormat::Svg, "svg"},
    FormatName{CardFormat::Text, "txt"},
};

// A card of its own for each export: a card keeps the fields a card leaves unset from the
// card before, which an export must not carry over to the next design.
std::unique_ptr<CardPainter> laidOut(const CardTexts& card) {
    auto painted = std::make_unique<CardPainter>();
    painted->setCard(card);
    return painted;
}

bool writePdf(QIODevice& out, const CardPainter& card) {
    QPdfWriter pdf(&out);
    pdf.setTitle(QStringLiteral("Statcard"));
    return card.render(pdf);
}

bool writePng(QIODevice& out, const CardPainter& card) {
    const double pixelsPerTwip = kPictureDpi / kTwipsPerInch;
    const QSize twips = CardPainter::cardTwips();
    QImage image(static_cast<int>(std::ceil(twips.width() * pixelsPerTwip)),
                 static_cast<int>(std::ceil(twips.height() * pixelsPerTwip)), QImage::Format_RGB32);
    image.fill(Qt::white);
    const int dotsPerMetre = static_cast<int>(std::lround(kPictureDpi * kInchesPerMetre));
    image.setDotsPerMeterX(dotsPerMetre);
    image.setDotsPerMeterY(dotsPerMetre);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    card.paintCard(painter, pixelsPerTwip);
    painter.end();
    return image.save(&out, "PNG");
}

// Drawn in twips, at 1440 to the inch, so that the picture has the card's physical size.
bool writeSvg(QIODevice& out, const CardPainter& card) {
    QSvgGenerator svg;
    svg.setOutputDevice(&out);
    svg.setTitle(QStringLiteral("Statcard"));
    svg.setResolution(static_cast<int>(kTwipsPerInch));
    svg.setSize(CardPainter::cardTwips());
    svg.setViewBox(QRect(QPoint(0, 0), CardPainter::cardTwips()));
    QPainter painter;
    if (!painter.begin(&svg))
        return false;
    card.paintCard(painter, 1.0);
    return painter.end();
}

bool writeText(QIODevice& out, const CardTexts& card) {
    const std::string text = textCard(card);
    return out.write(text.data(), static_cast<qint64>(text.size())) ==
           static_cast<qint64>(text.size());
}

// The file is replaced only once all of it is written; a failure names the file and the
// system's reason.
QString saveAtomically(const QString& path, const std::function<bool(QIODevice&)>& write) {
    const QString reason = io::writeAtomically(path, write);
    if (reason.isEmpty())
        return {};
    return QStringLiteral("The Statcard could not be saved as %1: %2.")
        .arg(QDir::toNativeSeparators(path), reason);
}

} // namespace

std::optional<CardFormat> formatNamed(const QString& suffixOrName) {
    const auto found = std::ranges::find_if(kFormats, [&suffixOrName](const FormatName& f) {
        return suffixOrName.compare(QLatin1String(f.suffix), Qt::CaseInsensitive) == 0;
    });
    if (found == kFormats.end())
        return std::nullopt;
    return found->format;
}

QString suffixOf(CardFormat format) {
    return QLatin1String(kFormats[static_cast<std::size_t>(format)].suffix);
}

QString exportCard(const QString& path, const CardTexts& card, CardFormat format) {
    if (format == CardFormat::Text)
        return saveAtomically(path, [&card](QIODevice& out) { return writeText(out, card); });
    const auto painted = laidOut(card);
    return saveAtomically(path, [&painted, format](QIODevice& out) {
        switch (format) {
        case CardFormat::Pdf:
            return writePdf(out, *painted);
        case CardFormat::Png:
            return writePng(out, *painted);
        default:
            return writeSvg(out, *painted);
        }
    });
}

namespace {

// Where the cards of a sheet go on its page, in the PDF writer's units: the block of
// cards centred, every card at one scale.
} // namespace

QPointF SheetPlaces::place(int k) const {
    return origin + QPointF((k % kSheetColumns) * (cell.width() + gap),
                            (k / kSheetColumns) * (cell.height() + gap));
}

QRectF SheetPlaces::foot() const {
    const double bottom = place(kSheetColumns * kSheetRows - 1).y() + cell.height();
    return QRectF(0, bottom, area.width(), area.height() - bottom);
}

// Four cards at their physical size are larger than an A4 or Letter page, so the cards of a
// sheet are set as large as the page takes them, every card alike.
SheetPlaces sheetPlaces(const QPagedPaintDevice& device) {
    SheetPlaces p;
    const int dpi = device.logicalDpiX();
    const double unitsPerMm = dpi / 25.4;
    const double unitsPerTwip = dpi / kTwipsPerInch;
    const QSizeF card = QSizeF(CardPainter::cardTwips()) * unitsPerTwip;
    p.area = device.pageLayout().paintRectPixels(dpi);
    p.gap = kSheetGapMm * unitsPerMm;
    const double scale = std::min(
        {1.0, (p.area.width() - p.gap * (kSheetColumns - 1)) / (kSheetColumns * card.width()),
         (p.area.height() - p.gap * (kSheetRows - 1)) / (kSheetRows * card.height())});
    p.cell = card * scale;
    p.unitsPerTwip = unitsPerTwip * scale;
    p.origin =
        QPointF((p.area.width() - kSheetColumns * p.cell.width() - p.gap * (kSheetColumns - 1)) / 2,
                (p.area.height() - kSheetRows * p.cell.height() - p.gap * (kSheetRows - 1)) / 2);
    return p;
}

QString exportSheet(const QString& path, const std::vector<CardTexts>& cards,
                    const QPageSize& paper) {
    return saveAtomically(path, [&](QIODevice& out) {
        QPdfWriter pdf(&out);
        pdf.setTitle(QStringLiteral("Statcards"));
        pdf.setPageLayout(
            QPageLayout(paper, QPageLayout::Landscape,
                        QMarginsF(kSheetMarginMm, kSheetMarginMm, kSheetMarginMm, kSheetMarginMm),
                        QPageLayout::Millimeter));
        const SheetPlaces places = sheetPlaces(pdf);
        QPainter painter;
        if (!painter.begin(&pdf))
            return false;
        QFont numberFont = painter.font();
        numberFont.setPointSizeF(kPageNumberPoints);
        painter.setFont(numberFont);
        constexpr std::size_t kPerPage = kCardsPerSheet;
        const std::size_t pages = (cards.size() + kPerPage - 1) / kPerPage;
        for (std::size_t k = 0; k < cards.size(); ++k) {
            if (k % kPerPage == 0 && k > 0)
                pdf.newPage();
            // Loose pages of a force are put back in order by their numbers.
            if (k % kPerPage == 0 && pages > 1)
                painter.drawText(places.foot(), Qt::AlignCenter,
                                 QStringLiteral("%1 / %2").arg(k / kPerPage + 1).arg(pages));
            painter.save();
            painter.translate(places.place(static_cast<int>(k % kPerPage)));
            laidOut(cards[k])->paintCard(painter, places.unitsPerTwip);
            painter.restore();
        }
        return painter.end();
    });
}

QPageSize localPaper(const QLocale& locale) {
    static constexpr std::array kLetter = {
        QLocale::UnitedStates, QLocale::Canada,    QLocale::Mexico,      QLocale::Chile,
        QLocale::Colombia,     QLocale::Venezuela, QLocale::Philippines, QLocale::PuertoRico,
        QLocale::Guatemala,    QLocale::CostaRica, QLocale::Panama,      QLocale::DominicanRepublic,
    };
    const bool letter = std::ranges::find(kLetter, locale.territory()) != kLetter.end();
    return QPageSize(letter ? QPageSize::Letter : QPageSize::A4);
}

} // namespace ivc::ui
