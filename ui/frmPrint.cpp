#include "ui/frmPrint.h"

#include "io/atomicFile.h"
#include "ui/messageBox.h"
#include "ui/twips.h"

#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QScreen>

namespace ivc::ui {
namespace {

// The card's figures are set in twips; a point is 20 of them.
constexpr int kTwipsPerPoint = 20;

// A label that carries a text of the card (for its name, tooltip and screen readers) but
// draws nothing: the card paints all its texts itself, on screen as on paper.
class CardLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override {}
};

QString askPdfFileByDialog(QWidget* parent) {
    QFileDialog dialog(parent, QStringLiteral("Save Statcard as PDF"),
                       QDir::home().filePath(QStringLiteral("Statcard.pdf")),
                       QStringLiteral("PDF files (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (dialog.exec() != QDialog::Accepted)
        return {};
    return dialog.selectedFiles().value(0);
}

// The boxes that printing brings up share the question's title.
QString printTitle() {
    return QString::fromStdString(printQuestion().title);
}

} // namespace

FrmPrint::FrmPrint(QWidget* parent) : QWidget(parent, Qt::Window | Qt::FramelessWindowHint) {
    m_hooks = {&QPrinterInfo::defaultPrinter, &askPdfFileByDialog};
    setObjectName(QStringLiteral("frmPrint"));
    const QSize card = CardPainter::cardTwips();
    setFixedSize(twips(card.width()), twips(card.height()));
    for (const CardPainter::Text& text : m_painter.texts()) {
        auto* label = new CardLabel(this);
        label->setTextFormat(Qt::PlainText);
        label->setObjectName(text.name);
        m_labels.push_back(label);
    }
    showTexts();
}

// The labels carry the card's texts for their names, tooltips and screen readers, each in
// the place and at the size the card sets it.
void FrmPrint::showTexts() {
    const auto& texts = m_painter.texts();
    for (std::size_t k = 0; k < texts.size(); ++k) {
        const CardPainter::Text& t = texts[k];
        const Setting& s = t.setting;
        QLabel* label = m_labels[k];
        label->setText(t.text);
        label->setAccessibleName(t.spoken);
        QFont shown(s.font);
        shown.setPointSizeF(double(s.font.pixelSize()) / kTwipsPerPoint);
        label->setFont(shown);
        label->setGeometry(twipsRect(s.box.x(), s.box.y(), s.box.width(), s.box.height()));
        label->setToolTip(t.tooltip);
    }
}

void FrmPrint::showCard(const CardTexts& card) {
    setCard(card);
    const QScreen* where = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    if (where != nullptr)
        move(where->availableGeometry().center() - rect().center());
    show();
    activateWindow();
}

void FrmPrint::setCard(const CardTexts& card) {
    m_painter.setCard(card);
    showTexts();
    update();
}

bool FrmPrint::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        scheduleQuestion();
    return QWidget::event(event);
}

void FrmPrint::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // 15 twips to the device-independent pixel, as twipsRect() places the labels.
    m_painter.paintCard(painter, 1.0 / 15.0);
}

// Only a real gain of the focus asks: the question box takes the activation and hands it
// back when it closes, which must not ask a second time. Asking from the event queue lets
// the window that showed the card finish (hide itself) first.
void FrmPrint::scheduleQuestion() {
    if (m_asking || m_questionQueued)
        return;
    m_questionQueued = true;
    QMetaObject::invokeMethod(this, &FrmPrint::askToPrint, Qt::QueuedConnection);
}

void FrmPrint::askToPrint() {
    m_questionQueued = false;
    if (!isVisible() || !isActiveWindow())
        return;
    m_asking = true;
    const Message question = printQuestion();
    const bool yes =
        ask(this, QString::fromStdString(question.title), QString::fromStdString(question.text),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::Yes) == QMessageBox::Yes;
    if (yes)
        print();
    m_asking = false;
    if (!yes) {
        hide();
        emit returnToMain();
        return;
    }
    // The focus returns to the card now that the box has closed: a new focus gain, so the
    // question comes again. If the platform has handed the activation back already (it was
    // ignored while asking), ask from here; otherwise fetch it, and its event asks.
    if (isActiveWindow())
        scheduleQuestion();
    else
        activateWindow();
}

void FrmPrint::print() {
    const QPrinterInfo target = m_hooks.defaultPrinter();
    if (target.isNull()) {
        offerPdf();
        return;
    }
    QPrinter printer(target, QPrinter::HighResolution);
    printer.setDocName(QStringLiteral("Statcard"));
    // The job can still fail as it is handed over, after the card is drawn.
    if (!render(printer) || printer.printerState() == QPrinter::Error)
        ask(this, printTitle(), QStringLiteral("The Statcard could not be printed."),
            QMessageBox::Ok, QMessageBox::Ok);
}

void FrmPrint::offerPdf() {
    if (ask(this, printTitle(),
            QStringLiteral("There is no default printer. Save the Statcard as a PDF file instead?"),
            QMessageBox::Save | QMessageBox::Cancel, QMessageBox::Save) != QMessageBox::Save)
        return;
    const QString file = m_hooks.askPdfFile(this);
    if (!file.isEmpty())
        savePdf(file);
}

// The file is replaced only once the whole card is written, and a failure names the file
// and the system's reason.
void FrmPrint::savePdf(const QString& file) {
    const QString reason = io::writeAtomically(file, [this](QIODevice& out) {
        QPdfWriter pdf(&out);
        pdf.setTitle(QStringLiteral("Statcard"));
        return render(pdf);
    });
    if (!reason.isEmpty())
        ask(this, printTitle(),
            QStringLiteral("The Statcard could not be saved as %1: %2.")
                .arg(QDir::toNativeSeparators(file), reason),
            QMessageBox::Ok, QMessageBox::Ok);
}

} // namespace ivc::ui
