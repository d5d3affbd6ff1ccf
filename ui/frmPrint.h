#pragma once

#include "core/card.h"

#include <QPrinterInfo>
#include <QRect>
#include <QWidget>

#include <functional>
#include <vector>

class QLabel;
class QPainter;
class QPrinter;

namespace ivc::ui {

// The Statcard window: borderless, created on first use and afterwards only shown and
// hidden. Whenever it gains the focus it asks whether to print.
class FrmPrint : public QWidget {
    Q_OBJECT
public:
    // Where a print goes. The defaults ask the system and the user; tests replace them to
    // stay off the machine's printers and file dialogs.
    struct PrintHooks {
        std::function<QPrinterInfo()> defaultPrinter;       // null when there is none
        std::function<QString(QWidget* parent)> askPdfFile; // empty when the user cancels
    };

    explicit FrmPrint(QWidget* parent = nullptr);

    // Writes the card's value fields (a field the card leaves unset keeps its text) and
    // shows the window, centred, not modal.
    void showCard(const CardTexts& card);

    void setPrintHooks(PrintHooks hooks) { m_hooks = std::move(hooks); }

    // Draws the whole card, texts and lines, at its physical size on the painter's device
    // (a printer or a PDF file), from the top left of the device's paintable area.
    void paintCard(QPainter& painter) const;

signals:
    // The user answered No: the card is hidden and the main window should return.
    void returnToMain();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    // One text of the card: a caption or a value field, with its place in twips.
    struct Cell {
        QLabel* label;
        QRect twips;
        int flags; // alignment and clipping, for painting
    };

    QLabel* value(const QString& name) const;
    void write(const QString& name, const std::string& text) const;

    void scheduleQuestion();
    void askToPrint();
    void print();
    void offerPdf();
    void render(QPrinter& printer);

    std::vector<Cell> m_cells;
    PrintHooks m_hooks;
    bool m_asking = false;         // the question (or the printing it started) is running
    bool m_questionQueued = false; // a question is on its way through the event queue
};

} // namespace ivc::ui
