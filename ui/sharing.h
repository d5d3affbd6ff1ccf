#pragma once

#include "core/card.h"
#include "core/design.h"
#include "core/force.h"

#include <QByteArray>

#include <QString>

#include <functional>
#include <optional>
#include <vector>

class QPrinter;
class QWidget;

// Sharing cards from a window: export to a file the user picks, print through the system's
// print dialog, copy as text. Each takes one card or several (a force's, in order).
namespace ivc::ui::sharing {

// Asks for a file, starting in `folder` with a file named `name` (or "Statcard"), and
// writes the cards there: one card as a PDF, PNG or SVG by the type chosen, several as a
// sheet of cards (PDF). A file that cannot be written is told, naming it and the reason.
void exportWithDialog(QWidget* parent, const std::vector<CardTexts>& cards, const QString& folder,
                      const QString& name);

// Opens the print dialog on a printer that `setup` may prepare (tests point it at a PDF
// file) and prints the cards, one a page, as the card window prints its card.
void printWithDialog(QWidget* parent, const std::vector<CardTexts>& cards,
                     const std::function<void(QPrinter&)>& setup = {});

// Puts the cards on the clipboard as plain text, a blank line between two cards.
void copyAsText(const std::vector<CardTexts>& cards);

// ---- Forces and designs on the clipboard -------------------------------------------------

// Puts a design on the clipboard twice over: as its design file, under the design files'
// MIME type, for this program (another running copy too), and as its text card.
void copyDesign(const Design& design, const CardTexts& card);

// The design file the clipboard holds, or nothing when it holds none.
std::optional<QByteArray> clipboardDesign();

// The message when the clipboard holds no design.
inline constexpr char kNoDesignOnClipboard[] = "The clipboard holds no vehicle design.";

// Opens the print dialog on a printer that `setup` may prepare and prints the force's list
// and cards as its PDF export lays them.
void printForceWithDialog(QWidget* parent, const Force& force,
                          const std::function<void(QPrinter&)>& setup = {});

} // namespace ivc::ui::sharing
