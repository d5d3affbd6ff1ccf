#pragma once

#include "core/card.h"

#include <QPageSize>
#include <QString>

#include <optional>
#include <vector>

class QLocale;

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

// Letter where it is the usual paper (the Americas' Letter countries), A4 elsewhere.
QPageSize localPaper(const QLocale& locale);

} // namespace ivc::ui
