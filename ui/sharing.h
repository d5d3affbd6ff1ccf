#pragma once

#include "core/card.h"

#include <QString>

#include <functional>
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

} // namespace ivc::ui::sharing
