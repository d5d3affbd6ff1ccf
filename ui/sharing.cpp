#include "ui/sharing.h"

#include "core/textcard.h"
#include "ui/cardExport.h"
#include "ui/cardPainter.h"
#include "ui/messageBox.h"

#include <QClipboard>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLocale>
#include <QPainter>
#include <QPrintDialog>
#include <QPrinter>

#include <algorithm>
#include <array>

namespace ivc::ui::sharing {
namespace {

struct Filter {
    const char* text;
    CardFormat format;
};
constexpr std::array kFilters = {
    Filter{"PDF document (*.pdf)", CardFormat::Pdf},
    Filter{"PNG image (*.png)", CardFormat::Png},
    Filter{"SVG image (*.svg)", CardFormat::Svg},
};

// The file the user picks and the format it is written in: its suffix's, or else the
// chosen filter's. Empty when the user cancels.
std::pair<QString, CardFormat> askExportFile(QWidget* parent, const QString& start,
                                             std::size_t filterCount) {
    QStringList filters;
    for (std::size_t k = 0; k < filterCount; ++k)
        filters << QString::fromLatin1(kFilters[k].text);
    QFileDialog dialog(parent, QStringLiteral("Export Statcard"), start,
                       filters.join(QStringLiteral(";;")));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    // The default suffix follows the chosen type, so "warden" saved as PNG is warden.png.
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog, [&](const QString& filter) {
        const auto k = static_cast<std::size_t>(filters.indexOf(filter));
        if (k < filterCount)
            dialog.setDefaultSuffix(suffixOf(kFilters[k].format));
    });
    if (dialog.exec() != QDialog::Accepted)
        return {};
    const QString path = dialog.selectedFiles().value(0);
    const auto byName = formatNamed(QFileInfo(path).suffix());
    const auto k = static_cast<std::size_t>(filters.indexOf(dialog.selectedNameFilter()));
    const CardFormat format = byName && *byName != CardFormat::Text
                                  ? *byName
                                  : kFilters[std::min(k, filterCount - 1)].format;
    return {path, format};
}

} // namespace

void exportWithDialog(QWidget* parent, const std::vector<CardTexts>& cards, const QString& folder,
                      const QString& name) {
    if (cards.empty())
        return;
    const bool one = cards.size() == 1;
    const QString base = name.isEmpty() ? QStringLiteral("Statcard") : name;
    // Several cards make a sheet, which only a PDF holds.
    const auto [path, format] = askExportFile(
        parent, QDir(folder).filePath(base + QStringLiteral(".pdf")), one ? kFilters.size() : 1);
    if (path.isEmpty())
        return;
    const QString error = one ? exportCard(path, cards.front(), format)
                              : exportSheet(path, cards, localPaper(QLocale()));
    if (!error.isEmpty())
        ask(parent, QStringLiteral("Export Statcard"), error);
}

void printWithDialog(QWidget* parent, const std::vector<CardTexts>& cards,
                     const std::function<void(QPrinter&)>& setup) {
    QPrinter printer(QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Statcard"));
    if (setup)
        setup(printer);
    QPrintDialog dialog(&printer, parent);
    if (dialog.exec() != QDialog::Accepted)
        return;
    std::vector<CardPainter> painted(cards.size());
    std::vector<const CardPainter*> pages;
    for (std::size_t k = 0; k < cards.size(); ++k) {
        painted[k].setCard(cards[k]);
        pages.push_back(&painted[k]);
    }
    const bool printed = CardPainter::renderPages(printer, pages);
    // The job can still fail as it is handed over, after the cards are drawn.
    if (!printed || printer.printerState() == QPrinter::Error)
        ask(parent, QString::fromStdString(printQuestion().title),
            QStringLiteral("The Statcard could not be printed."), QMessageBox::Ok, QMessageBox::Ok);
}

void copyAsText(const std::vector<CardTexts>& cards) {
    std::string text;
    for (const CardTexts& card : cards)
        text += (text.empty() ? "" : "\n") + textCard(card);
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

} // namespace ivc::ui::sharing
