#include "ui/frmPrint.h"

#include "ui/messageBox.h"
#include "ui/twips.h"

#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QScreen>

#include <algorithm>
#include <array>

namespace ivc::ui {
namespace {

// Client area of the card, in twips.
constexpr int kCardWidth = 9135;
constexpr int kCardHeight = 5535;
// Lines are one screen pixel wide, on paper as on screen.
constexpr double kLineTwips = 15.0;
constexpr double kTwipsPerInch = 1440.0;

enum class Look {
    Caption,        // default font
    CentredCaption, // default font, centred over its value
    Value,          // the values of the two upper rows
    Line,           // weapon, close-combat and special lines: default font
};

// A caption (text) or a run of value fields (objectName). A run of count > 1 names its
// fields name_first .. name_(first + count - 1), step twips apart downwards.
struct CellRow {
    Look look;
    const char* text;
    int left, top, width, height;
    int count = 1;
    int step = 0;
    int first = 0;
};

// clang-format off
constexpr std::array kCellRows = {
    // top row
    CellRow{Look::Caption,        "Name",                240,  360,  975, 255},
    CellRow{Look::Caption,        "Points",             1800,  360,  735, 255},
    CellRow{Look::Caption,        "Front Armor",        2760,  360,  855, 255},
    CellRow{Look::Caption,        "Side Armor",         3840,  360,  855, 255},
    CellRow{Look::Caption,        "Rear Armor",         4920,  360,  855, 255},
    CellRow{Look::Value,          "lblName",             240,  720, 1335, 495},
    CellRow{Look::Value,          "lblPoints",          1800,  720,  735, 495},
    CellRow{Look::Value,          "lblFArmor",          2760,  720,  855, 495},
    CellRow{Look::Value,          "lblSArmor",          3840,  720,  855, 495},
    CellRow{Look::Value,          "lblRArmor",          4920,  720,  855, 495},
    CellRow{Look::CentredCaption, "WS",                 6000,  360,  375, 255},
    CellRow{Look::CentredCaption, "BS",                 6600,  360,  375, 255},
    CellRow{Look::CentredCaption, "S",                  7200,  360,  375, 255},
    CellRow{Look::CentredCaption, "I",                  7800,  360,  375, 255},
    CellRow{Look::CentredCaption, "A",                  8400,  360,  375, 255},
    CellRow{Look::Value,          "lblWS",              6000,  720,  375, 375},
    CellRow{Look::Value,          "lblBS",              6600,  720,  375, 375},
    CellRow{Look::Value,          "lblS",               7200,  720,  375, 375},
    CellRow{Look::Value,          "lblI",               7800,  720,  375, 375},
    CellRow{Look::Value,          "lblA",               8400,  720,  375, 375},
    // second row
    CellRow{Look::Caption,        "Type",                360, 1440,  975, 255},
    CellRow{Look::Caption,        "Size",               1920, 1440,  975, 255},
    CellRow{Look::Caption,        "Speed",              3600, 1440,  975, 255},
    CellRow{Look::Caption,        "Category",           5400, 1440,  975, 255},
    CellRow{Look::Caption,        "Structure Pts",      7920, 1440,  975, 255},
    CellRow{Look::Value,          "lblType",             360, 1680, 1215, 375},
    CellRow{Look::Value,          "lblSize",            2040, 1680, 1215, 375},
    CellRow{Look::Value,          "lblSpeed",           3600, 1680, 1455, 375},
    CellRow{Look::Value,          "lblCategory",        5400, 1680, 2175, 375},
    CellRow{Look::Value,          "lblStructure",       7920, 1680,  975, 375},
    // weapons
    CellRow{Look::Caption,        "Weapons",             240, 2280,  975, 255},
    CellRow{Look::Line,           "lblWeapons",          240, 2520, 4815, 255, 8, 360},
    // close combat
    CellRow{Look::Caption,        "Close Combat Weapon", 5400, 2400, 1815, 255},
    CellRow{Look::Caption,        "Number",             7920, 2400,  975, 255},
    CellRow{Look::Line,           "lblCCW",             5400, 2880, 2295, 255},
    CellRow{Look::Line,           "lblNumCCW",          7920, 2880,  975, 255},
    // special options, two columns of four
    CellRow{Look::Caption,        "Special Options",    5400, 3600, 1335, 255},
    CellRow{Look::Line,           "lblSpecial",         5400, 3960, 1695, 255, 4, 360, 0},
    CellRow{Look::Line,           "lblSpecial",         7200, 3960, 1695, 255, 4, 360, 4},
};

// A box (left, top, width, height) or a rule (from x1, y1 to x2, y2).
struct Stroke {
    bool box;
    int a, b, c, d;
};

constexpr std::array kStrokes = {
    Stroke{true,   120,  240, 8895, 1095}, // top row
    Stroke{false,  240,  600, 8760,  600},
    Stroke{false, 1680,  240, 1680, 1320},
    Stroke{false, 2640,  240, 2640, 1320},
    Stroke{false, 5880,  240, 5880, 1320},
    Stroke{true,   120, 1440, 1575,  735}, // second row
    Stroke{true,  1800, 1440, 1575,  735},
    Stroke{true,  3480, 1440, 1695,  735},
    Stroke{true,  5280, 1440, 2415,  735},
    Stroke{true,  7800, 1440, 1215,  735},
    Stroke{false,  240, 1680, 1560, 1680},
    Stroke{false, 1920, 1680, 3240, 1680},
    Stroke{false, 3600, 1680, 5040, 1680},
    Stroke{false, 5400, 1680, 7560, 1680},
    Stroke{false, 7920, 1680, 8880, 1680},
    Stroke{true,   120, 2280, 5055, 3135}, // weapons
    Stroke{false,  240, 2520, 5040, 2520},
    Stroke{true,  5280, 2280, 3735, 1095}, // close combat
    Stroke{false, 5400, 2640, 8880, 2640},
    Stroke{true,  5280, 3480, 3735, 1935}, // special options
    Stroke{false, 5400, 3840, 8880, 3840},
    Stroke{true,     0,    0, 9120, 5520}, // outer frame
};
// clang-format on

constexpr double kValuePoints = 9.75;

// The card's strokes on a painter whose device has perTwip units to the twip.
void paintStrokes(QPainter& painter, double perTwip, const QColor& colour) {
    QPen pen(colour, kLineTwips * perTwip, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin);
    painter.setPen(pen);
    painter.setBrush(Qt::NoBrush);
    for (const Stroke& s : kStrokes) {
        if (s.box)
            painter.drawRect(QRectF(s.a * perTwip, s.b * perTwip, s.c * perTwip, s.d * perTwip));
        else
            painter.drawLine(QLineF(s.a * perTwip, s.b * perTwip, s.c * perTwip, s.d * perTwip));
    }
}

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
    setFixedSize(twips(kCardWidth), twips(kCardHeight));

    const QFont captionFont = dialogFont();
    const QFont valueFont = dialogFont(kValuePoints);
    for (const CellRow& row : kCellRows) {
        for (int k = 0; k < row.count; ++k) {
            const bool caption = row.look == Look::Caption || row.look == Look::CentredCaption;
            auto* label = new QLabel(this);
            if (caption) {
                label->setText(QString::fromLatin1(row.text));
            } else if (row.count > 1) {
                label->setObjectName(
                    QStringLiteral("%1_%2").arg(QLatin1String(row.text)).arg(row.first + k));
            } else {
                label->setObjectName(QString::fromLatin1(row.text));
            }
            const QRect place(row.left, row.top + k * row.step, row.width, row.height);
            const int align =
                (row.look == Look::CentredCaption ? Qt::AlignHCenter : Qt::AlignLeft) |
                Qt::AlignTop;
            label->setFont(row.look == Look::Value ? valueFont : captionFont);
            QRect geometry = twipsRect(place.x(), place.y(), place.width(), place.height());
            // Where this font runs a caption a little wider than its place, the caption
            // takes the free space after it rather than lose its last letter.
            if (row.look == Look::Caption) {
                const int needed =
                    label->fontMetrics().size(Qt::TextSingleLine, label->text()).width();
                geometry.setWidth(std::max(geometry.width(), needed));
            }
            label->setGeometry(geometry);
            label->setAlignment(Qt::Alignment(align));
            // On paper a value is cut at the end of its place as on screen, so that a long
            // name never runs into the points; captions are fixed texts that fit.
            m_cells.push_back({label, place, align | (caption ? Qt::TextDontClip : 0)});
        }
    }
}

QLabel* FrmPrint::value(const QString& name) const {
    return findChild<QLabel*>(name, Qt::FindDirectChildrenOnly);
}

void FrmPrint::write(const QString& name, const std::string& text) const {
    value(name)->setText(QString::fromStdString(text));
}

void FrmPrint::showCard(const CardTexts& card) {
    struct Plain {
        const char* name;
        std::string CardTexts::*field;
    };
    static constexpr std::array kPlain = {
        Plain{"lblName", &CardTexts::name},
        Plain{"lblPoints", &CardTexts::points},
        Plain{"lblFArmor", &CardTexts::frontArmor},
        Plain{"lblSArmor", &CardTexts::sideArmor},
        Plain{"lblRArmor", &CardTexts::rearArmor},
        Plain{"lblA", &CardTexts::attacks},
        Plain{"lblType", &CardTexts::type},
        Plain{"lblSpeed", &CardTexts::speed},
        Plain{"lblStructure", &CardTexts::structure},
        Plain{"lblCCW", &CardTexts::closeCombat},
        Plain{"lblNumCCW", &CardTexts::closeCombatNumber},
    };
    for (const Plain& p : kPlain)
        write(QString::fromLatin1(p.name), card.*p.field);

    static constexpr std::array kProfile = {"lblWS", "lblBS", "lblS", "lblI"};
    if (card.profile) {
        for (std::size_t i = 0; i < kProfile.size(); ++i)
            write(QString::fromLatin1(kProfile[i]), (*card.profile)[i]);
    }
    if (card.size)
        write(QStringLiteral("lblSize"), *card.size);
    if (card.category)
        write(QStringLiteral("lblCategory"), *card.category);
    for (std::size_t k = 0; k < card.weapons.size(); ++k)
        write(QStringLiteral("lblWeapons_%1").arg(k), card.weapons[k]);
    for (std::size_t k = 0; k < card.special.size(); ++k)
        write(QStringLiteral("lblSpecial_%1").arg(k), card.special[k]);
    // The last special line may gather several entries and be cut off; the tooltip holds
    // all of it.
    value(QStringLiteral("lblSpecial_7"))
        ->setToolTip(QString::fromStdString(card.lastSpecialTooltip));

    const QScreen* where = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    if (where != nullptr)
        move(where->availableGeometry().center() - rect().center());
    show();
    activateWindow();
}

bool FrmPrint::event(QEvent* event) {
    if (event->type() == QEvent::WindowActivate)
        scheduleQuestion();
    return QWidget::event(event);
}

void FrmPrint::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    // 15 twips to the device-independent pixel, as twipsRect() places the labels.
    paintStrokes(painter, 1.0 / 15.0, palette().color(QPalette::WindowText));
}

void FrmPrint::paintCard(QPainter& painter) const {
    const double perTwip = painter.device()->logicalDpiX() / kTwipsPerInch;
    paintStrokes(painter, perTwip, Qt::black);
    painter.setPen(Qt::black);
    for (const Cell& cell : m_cells) {
        const QRect& t = cell.twips;
        painter.setFont(cell.label->font());
        painter.drawText(
            QRectF(t.x() * perTwip, t.y() * perTwip, t.width() * perTwip, t.height() * perTwip),
            cell.flags | Qt::TextSingleLine, cell.label->text());
    }
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
    render(printer);
}

void FrmPrint::offerPdf() {
    if (ask(this, printTitle(),
            QStringLiteral("There is no default printer. Save the Statcard as a PDF file instead?"),
            QMessageBox::Save | QMessageBox::Cancel, QMessageBox::Save) != QMessageBox::Save)
        return;
    const QString file = m_hooks.askPdfFile(this);
    if (file.isEmpty())
        return;
    QPrinter printer(QPrinter::HighResolution);
    printer.setOutputFormat(QPrinter::PdfFormat);
    printer.setOutputFileName(file);
    render(printer);
}

void FrmPrint::render(QPrinter& printer) {
    printer.setDocName(QStringLiteral("Statcard"));
    // Half an inch all round keeps the card clear of any printer's unprintable edge.
    printer.setPageMargins(QMarginsF(12.7, 12.7, 12.7, 12.7), QPageLayout::Millimeter);
    QPainter painter;
    bool printed = painter.begin(&printer);
    if (printed) {
        paintCard(painter);
        // The job can still fail as it is handed over, after the card is drawn.
        printed = painter.end() && printer.printerState() != QPrinter::Error;
    }
    if (!printed)
        ask(this, printTitle(), QStringLiteral("The Statcard could not be printed."),
            QMessageBox::Ok, QMessageBox::Ok);
}

} // namespace ivc::ui
