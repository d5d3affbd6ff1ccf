#pragma once

#include "core/card.h"
#include "ui/cardPainter.h"

#include <QPrinterInfo>
#include <QWidget>

#include <functional>
#include <vector>

class QLabel;
class QPagedPaintDevice;

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

    using Setting = CardPainter::Setting;

    explicit FrmPrint(QWidget* parent = nullptr);

    // Writes the card's value fields (a field the card leaves unset keeps its text) and
    // shows the window, centred, not modal.
    void showCard(const CardTexts& card);
    // Writes the card's value fields only, for a card that is exported or printed without
    // being shown.
    void setCard(const CardTexts& card);

    void setPrintHooks(PrintHooks hooks) { m_hooks = std::move(hooks); }

    // The card as it is laid out and painted, on screen as on paper.
    const CardPainter& painter() const { return m_painter; }
    // The card on a page, as the card window prints it (see CardPainter::render).
    bool render(QPagedPaintDevice& device) const { return m_painter.render(device); }
    // The setting of the caption or value field whose label has this text or objectName.
    Setting setting(const QString& name) const { return m_painter.setting(name); }

signals:
    // The user answered No: the card is hidden and the main window should return.
    void returnToMain();

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void showTexts();

    void scheduleQuestion();
    void askToPrint();
    void print();
    void offerPdf();
    void savePdf(const QString& file);

    CardPainter m_painter;
    std::vector<QLabel*> m_labels; // one for each text of the painter, in its order
    PrintHooks m_hooks;
    bool m_asking = false;         // the question (or the printing it started) is running
    bool m_questionQueued = false; // a question is on its way through the event queue
};

} // namespace ivc::ui
