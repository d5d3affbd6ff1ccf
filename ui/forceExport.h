#pragma once

#include "core/force.h"

#include <QPageSize>
#include <QString>

class QPagedPaintDevice;

// A force on paper: first its list (name, limit, every entry in play with its figures, the
// grand total against the limit), then the cards of the entries in play, four a page as a
// sheet of cards lays them. The window's export and print and the command line share it.
namespace ivc::ui {

// Paints the force on a device whose pages are already set up (landscape, as a sheet is).
// False when the device cannot be painted on.
bool paintForce(QPagedPaintDevice& device, const Force& force);

// Writes the force as a PDF on landscape pages of the given paper, atomically. Returns the
// error, naming the file and the reason, or an empty text.
QString exportForce(const QString& path, const Force& force, const QPageSize& paper);

// Writes the force list and every entry's text card as plain text, atomically, as "Copy
// Force as Text" copies them. Returns the error, naming the file and the reason, or empty.
QString exportForceText(const QString& path, const Force& force);

// The margins of a force's pages, in millimetres, for printers set up to match the PDF.
inline constexpr double kForceMarginMm = 5.0;

} // namespace ivc::ui
