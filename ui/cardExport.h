#pragma once

#include "core/card.h"

#include <QPageSize>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

#include <optional>
#include <vector>

class QLocale;
class QPagedPaintDevice;

// The Statcard written to files, for sharing: as the printed page (PDF), a picture (PNG,
// SVG), plain text, or a sheet of several cards for printing a force. The window's export
// and the command line share these.
namespace ivc::ui {

enum class CardFormat { Pdf, Png, Svg, Text };

// The format a file name's suffix or a format name ("pdf", "png", "svg", "txt") stands for.
std::optional<CardFormat> formatNamed(const QString& suffixOrName);
QString suffixOf(CardFormat format);

// Pictures are made at this resolution, the PNG's stored dpi.
inline constexpr int kPictureDpi = 300;

// Writes one card atomically. Returns the error, naming the file and the reason, or an
// empty text.
QString exportCard(const QString& path, const CardTexts& card, CardFormat format);

// Writes the cards as a PDF, up to four to a page of the given paper, for printing a force.
QString exportSheet(const QString& path, const std::vector<CardTexts>& cards,
                    const QPageSize& paper);

// A sheet of cards: two across, two down, on landscape paper, with a gap for the scissors.
inline constexpr int kSheetColumns = 2;
inline constexpr int kSheetRows = 2;
inline constexpr int kCardsPerSheet = kSheetColumns * kSheetRows;

// Where the cards of a sheet go on a page of the device, in its units.
struct SheetPlaces {
    QRectF area; // the page inside its margins
    QSizeF cell; // one card as set
    QPointF origin;
    double gap;
    double unitsPerTwip;

    // The top left corner of the k-th card of a page.
    QPointF place(int k) const;
    // The strip under the block of cards, where a page number goes.
    QRectF foot() const;
};
SheetPlaces sheetPlaces(const QPagedPaintDevice& device);

// Letter where it is the usual paper (the Americas' Letter countries), A4 elsewhere.
QPageSize localPaper(const QLocale& locale);

} // namespace ivc::ui
