#pragma once

#include "core/card.h"

#include <QFont>
#include <QPrinterInfo>
#include <QRect>
#include <QSize>
#include <QStringList>
#include <QWidget>

#include <functional>
#include <vector>

class QLabel;
class QPagedPaintDevice;
class QPainter;

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

    // How one text of the card is set: a field whose text does not fit its place at the
    // card's size is shrunk, then wrapped onto a second line, and only a text too long for
    // that (a name) is cut short with "…".
    struct Setting {
        QFont font; // sized in twips (pixel size), as the card is painted
        QStringList lines;
        QRect box;      // twips; the field's place, or its whole row when it wraps
        int indent = 0; // twips, of the second line
        bool elided = false;
    };

    explicit FrmPrint(QWidget* parent = nullptr);

    // Writes the card's value fields (a field the card leaves unset keeps its text) and
    // shows the window, centred, not modal.
    void showCard(const CardTexts& card);
    // Writes the card's value fields only, for a card that is exported or printed without
    // being shown.
    void setCard(const CardTexts& card);

    void setPrintHooks(PrintHooks hooks) { m_hooks = std::move(hooks); }

    // Draws the whole card, black on white, at unitsPerTwip device units to the twip: the
    // window paints itself with this and printing puts it on paper.
    void paintCard(QPainter& painter, double unitsPerTwip) const;
    // The card on a page with half-inch margins, at its physical size: the page the card
    // window prints, whatever the device.
    bool render(QPagedPaintDevice& device) const;
    // The card's size in twips.
    static QSize cardTwips();

    // The setting of the caption or value field whose label has this text or objectName.
    Setting setting(const QString& name) const;

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
        QRect place;
        int room;   // height in twips that a wrapped text may take
        QFont font; // the text's font at the card's size
        bool centred;
        int indent; // of a second line
        Setting setting;
    };

    template <typename Cells> static auto& cellIn(Cells& cells, const QString& name);
    void write(const QString& name, const std::string& text);
    static void setText(Cell& cell, const QString& text);

    void scheduleQuestion();
    void askToPrint();
    void print();
    void offerPdf();
    void savePdf(const QString& file);

    std::vector<Cell> m_cells;
    PrintHooks m_hooks;
    bool m_asking = false;         // the question (or the printing it started) is running
    bool m_questionQueued = false; // a question is on its way through the event queue
};

} // namespace ivc::ui
