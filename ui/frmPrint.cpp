#include "ui/frmPrint.h"

#include "io/atomicFile.h"
#include "ui/messageBox.h"
#include "ui/twips.h"

#include <QDir>
#include <QEvent>
#include <QFileDialog>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QScreen>
#include <QTextLayout>

#include <algorithm>
#include <array>

namespace ivc::ui {
namespace {

// Client area of the card, in twips.
constexpr int kCardWidth = 9135;
constexpr int kCardHeight = 5535;
// Lines are one screen pixel wide, on paper as on screen.
constexpr int kLineTwips = 15;
constexpr double kTwipsPerInch = 1440.0;
constexpr int kTwipsPerPoint = 20;
// Below about 6 points printed a text is hard to read, so a field wraps rather than
// shrink further; sizes go down in quarter points.
constexpr int kReadableTwips = 6 * kTwipsPerPoint;
constexpr int kSizeStepTwips = kTwipsPerPoint / 4;
// The second line of a wrapped weapon or special entry hangs indented, so that it reads as
// part of its entry, not as the next one.
constexpr int kHangTwips = 180;

enum class Look {
    Caption,        // default font
    CentredCaption, // default font, centred over its value
    Value,          // the values of the two upper rows
    Line,           // weapon, close-combat and special lines: default font
};

// A caption (text) or a run of value fields (objectName). A run of count > 1 names its
// fields name_first .. name_(first + count - 1), step twips apart downwards. Room is the
// height a field's text may take on two lines: down to the next field or box line.
struct CellRow {
    Look look;
    const char* text;
    int left, top, width, height, room;
    int count = 1;
    int step = 0;
    int first = 0;
};

// clang-format off
constexpr std::array kCellRows = {
    // top row
    CellRow{Look::Caption,        "Name",                240,  360,  975, 255, 255},
    CellRow{Look::Caption,        "Points",             1800,  360,  735, 255, 255},
    CellRow{Look::Caption,        "Front Armor",        2760,  360,  855, 255, 255},
    CellRow{Look::Caption,        "Side Armor",         3840,  360,  855, 255, 255},
    CellRow{Look::Caption,        "Rear Armor",         4920,  360,  855, 255, 255},
    CellRow{Look::Value,          "lblName",             240,  720, 1335, 495, 495},
    CellRow{Look::Value,          "lblPoints",          1800,  720,  735, 495, 495},
    CellRow{Look::Value,          "lblFArmor",          2760,  720,  855, 495, 495},
    CellRow{Look::Value,          "lblSArmor",          3840,  720,  855, 495, 495},
    CellRow{Look::Value,          "lblRArmor",          4920,  720,  855, 495, 495},
    CellRow{Look::CentredCaption, "WS",                 6000,  360,  375, 255, 255},
    CellRow{Look::CentredCaption, "BS",                 6600,  360,  375, 255, 255},
    CellRow{Look::CentredCaption, "S",                  7200,  360,  375, 255, 255},
    CellRow{Look::CentredCaption, "I",                  7800,  360,  375, 255, 255},
    CellRow{Look::CentredCaption, "A",                  8400,  360,  375, 255, 255},
    CellRow{Look::Value,          "lblWS",              6000,  720,  375, 375, 495},
    CellRow{Look::Value,          "lblBS",              6600,  720,  375, 375, 495},
    CellRow{Look::Value,          "lblS",               7200,  720,  375, 375, 495},
    CellRow{Look::Value,          "lblI",               7800,  720,  375, 375, 495},
    CellRow{Look::Value,          "lblA",               8400,  720,  375, 375, 495},
    // second row
    CellRow{Look::Caption,        "Type",                360, 1440,  975, 255, 255},
    CellRow{Look::Caption,        "Size",               1920, 1440,  975, 255, 255},
    CellRow{Look::Caption,        "Speed",              3600, 1440,  975, 255, 255},
    CellRow{Look::Caption,        "Category",           5400, 1440,  975, 255, 255},
    CellRow{Look::Caption,        "Structure Pts",      7920, 1440,  975, 255, 255},
    CellRow{Look::Value,          "lblType",             360, 1680, 1215, 375, 480},
    CellRow{Look::Value,          "lblSize",            2040, 1680, 1215, 375, 480},
    CellRow{Look::Value,          "lblSpeed",           3600, 1680, 1455, 375, 480},
    CellRow{Look::Value,          "lblCategory",        5400, 1680, 2175, 375, 480},
    CellRow{Look::Value,          "lblStructure",       7920, 1680,  975, 375, 480},
    // weapons
    CellRow{Look::Caption,        "Weapons",             240, 2280,  975, 255, 255},
    CellRow{Look::Line,           "lblWeapons",          240, 2520, 4815, 255, 360, 8, 360},
    // close combat
    CellRow{Look::Caption,        "Close Combat Weapon", 5400, 2400, 1815, 255, 255},
    CellRow{Look::Caption,        "Number",             7920, 2400,  975, 255, 255},
    CellRow{Look::Line,           "lblCCW",             5400, 2880, 2295, 255, 480},
    CellRow{Look::Line,           "lblNumCCW",          7920, 2880,  975, 255, 480},
    // special options, two columns of four
    CellRow{Look::Caption,        "Special Options",    5400, 3600, 1335, 255, 255},
    CellRow{Look::Line,           "lblSpecial",         5400, 3960, 1695, 255, 360, 4, 360, 0},
    CellRow{Look::Line,           "lblSpecial",         7200, 3960, 1695, 255, 360, 4, 360, 4},
};

// What a screen reader says before a value field's text: the caption it stands under.
struct Spoken {
    const char* field;
    const char* caption;
};
constexpr std::array kSpoken = {
    Spoken{"lblName", "Name"},          Spoken{"lblPoints", "Points"},
    Spoken{"lblFArmor", "Front Armor"}, Spoken{"lblSArmor", "Side Armor"},
    Spoken{"lblRArmor", "Rear Armor"},  Spoken{"lblWS", "WS"},
    Spoken{"lblBS", "BS"},              Spoken{"lblS", "S"},
    Spoken{"lblI", "I"},                Spoken{"lblA", "A"},
    Spoken{"lblType", "Type"},          Spoken{"lblSize", "Size"},
    Spoken{"lblSpeed", "Speed"},        Spoken{"lblCategory", "Category"},
    Spoken{"lblStructure", "Structure Pts"}, Spoken{"lblWeapons", "Weapon"},
    Spoken{"lblCCW", "Close Combat Weapon"}, Spoken{"lblNumCCW", "Number"},
    Spoken{"lblSpecial", "Special Option"},
};

// "Points: 130", "Weapon 2: 1x Beam Cannon"; a caption is heard as it reads.
QString spokenName(const QLabel* label, const QString& text) {
    const QString name = label->objectName();
    if (name.isEmpty())
        return text;
    const QString field = name.section(QLatin1Char('_'), 0, 0);
    const QString index = name.section(QLatin1Char('_'), 1);
    for (const Spoken& s : kSpoken) {
        if (field == QLatin1String(s.field)) {
            QString said = QString::fromLatin1(s.caption);
            if (!index.isEmpty())
                said += QLatin1Char(' ') + QString::number(index.toInt() + 1);
            return text.isEmpty() ? said : said + QStringLiteral(": ") + text;
        }
    }
    return text;
}

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

// A label that carries a text of the card (for its name, tooltip and screen readers) but
// draws nothing: the card paints all its texts itself, on screen as on paper.
class CardLabel : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override {}
};

QFont sizedInTwips(const QFont& font, int size) {
    QFont sized(font);
    sized.setPixelSize(size);
    return sized;
}

// The size of a font in twips, as the card sets it.
int twipsOf(const QFont& font) {
    return static_cast<int>(font.pointSizeF() * kTwipsPerPoint + 0.5);
}

// A character that no installed font can draw shows as the replacement character, the
// same on screen and on paper (and in a PDF's text), rather than as a blank.
QString drawable(const QString& text, const QFont& font) {
    const auto missing = [&font](const QString& character) {
        QTextLayout layout(character, font);
        layout.beginLayout();
        layout.createLine();
        layout.endLayout();
        for (const QGlyphRun& run : layout.glyphRuns()) {
            const auto glyphs = run.glyphIndexes();
            if (std::find(glyphs.begin(), glyphs.end(), 0u) != glyphs.end())
                return true;
        }
        return false;
    };
    QString out;
    for (const char32_t c : text.toUcs4()) {
        const QString character = QString::fromUcs4(&c, 1);
        // Every font of the card has the printable ASCII letters.
        out += c >= 0x80 && missing(character) ? QString(QChar::ReplacementCharacter) : character;
    }
    return out;
}

// The text broken into lines, the first no wider than width and the others, which hang
// indented, no wider than width - indent: at spaces where it can, anywhere inside a word
// that is wider than a line. Each line is its start and length in the text.
std::vector<std::pair<int, int>> breakLines(const QString& text, const QFont& font, double width,
                                            int indent) {
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    std::vector<std::pair<int, int>> lines;
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(lines.empty() ? width : width - indent);
        lines.emplace_back(line.textStart(), line.textLength());
    }
    layout.endLayout();
    return lines;
}

// Keeps the card's size for a text that fits; otherwise the largest readable size that
// fits it on one line; otherwise two lines within the room, at the largest size that takes
// them; otherwise two readable lines, the second cut short with "…". A second line hangs
// indented by `indent` twips.
FrmPrint::Setting fit(const QString& text, const QFont& font, const QRect& place, int room,
                      int indent) {
    const double width = place.width();
    const auto linesOf = [&text](const std::vector<std::pair<int, int>>& spans) {
        QStringList lines;
        for (const auto& [start, length] : spans)
            lines << text.mid(start, length).trimmed();
        return lines;
    };
    for (int size = twipsOf(font); size >= kReadableTwips; size -= kSizeStepTwips) {
        const QFont sized = sizedInTwips(font, size);
        if (QFontMetricsF(sized).horizontalAdvance(text) <= width)
            return {sized, {text}, place};
    }
    QRect row = place;
    row.setHeight(room);
    for (int size = twipsOf(font); size >= kReadableTwips; size -= kSizeStepTwips) {
        const QFont sized = sizedInTwips(font, size);
        const QFontMetricsF metrics(sized);
        if (2 * metrics.lineSpacing() > room)
            continue;
        const QStringList lines = linesOf(breakLines(text, sized, width, indent));
        if (lines.size() == 2 && metrics.horizontalAdvance(lines[0]) <= width &&
            metrics.horizontalAdvance(lines[1]) <= width - indent)
            return {sized, lines, row, indent};
    }
    const QFont sized = sizedInTwips(font, kReadableTwips);
    const QFontMetricsF metrics(sized);
    const auto spans = breakLines(text, sized, width, indent);
    const bool twoLines = 2 * metrics.lineSpacing() <= room && spans.size() > 1;
    const int rest = twoLines ? spans[1].first : 0;
    QStringList lines = twoLines ? QStringList{text.left(rest).trimmed()} : QStringList{};
    lines << metrics.elidedText(text.mid(rest).trimmed(), Qt::ElideRight,
                                twoLines ? width - indent : width);
    return {sized, lines, twoLines ? row : place, indent, true};
}

// The card's lines and boxes, in twips.
void paintStrokes(QPainter& painter) {
    painter.setPen(QPen(Qt::black, kLineTwips, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    painter.setBrush(Qt::NoBrush);
    for (const Stroke& s : kStrokes) {
        if (s.box)
            painter.drawRect(QRect(s.a, s.b, s.c, s.d));
        else
            painter.drawLine(QLine(s.a, s.b, s.c, s.d));
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

    for (const CellRow& row : kCellRows) {
        for (int k = 0; k < row.count; ++k) {
            const bool caption = row.look == Look::Caption || row.look == Look::CentredCaption;
            auto* label = new CardLabel(this);
            label->setTextFormat(Qt::PlainText);
            if (row.count > 1) {
                label->setObjectName(
                    QStringLiteral("%1_%2").arg(QLatin1String(row.text)).arg(row.first + k));
            } else if (!caption) {
                label->setObjectName(QString::fromLatin1(row.text));
            }
            Cell cell{label,
                      QRect(row.left, row.top + k * row.step, row.width, row.height),
                      row.room,
                      row.look == Look::Value ? dialogFont(kValuePoints) : dialogFont(),
                      row.look == Look::CentredCaption,
                      row.look == Look::Line ? kHangTwips : 0,
                      {}};
            setText(cell, caption ? QString::fromLatin1(row.text) : QString());
            m_cells.push_back(cell);
        }
    }
}

// The cell of a value field by its objectName, or of a caption by its text.
template <typename Cells> auto& FrmPrint::cellIn(Cells& cells, const QString& name) {
    const auto found = std::find_if(cells.begin(), cells.end(), [&name](const Cell& c) {
        return c.label->objectName() == name ||
               (c.label->objectName().isEmpty() && c.label->text() == name);
    });
    if (found == cells.end())
        qFatal("the card has no field %s", qPrintable(name));
    return *found;
}

FrmPrint::Setting FrmPrint::setting(const QString& name) const {
    return cellIn(m_cells, name).setting;
}

void FrmPrint::write(const QString& name, const std::string& text) {
    setText(cellIn(m_cells, name), QString::fromStdString(text));
}

void FrmPrint::setText(Cell& c, const QString& text) {
    c.setting = fit(drawable(text, c.font), c.font, c.place, c.room, c.indent);
    const Setting& s = c.setting;
    c.label->setText(text);
    c.label->setAccessibleName(spokenName(c.label, text));
    QFont shown(c.font);
    shown.setPointSizeF(double(s.font.pixelSize()) / kTwipsPerPoint);
    c.label->setFont(shown);
    c.label->setGeometry(twipsRect(s.box.x(), s.box.y(), s.box.width(), s.box.height()));
    // A name cut short shows whole when the pointer rests on it.
    c.label->setToolTip(s.elided ? text : QString());
}

void FrmPrint::showCard(const CardTexts& card) {
    setCard(card);
    const QScreen* where = screen() != nullptr ? screen() : QGuiApplication::primaryScreen();
    if (where != nullptr)
        move(where->availableGeometry().center() - rect().center());
    show();
    activateWindow();
}

QSize FrmPrint::cardTwips() {
    return {kCardWidth, kCardHeight};
}

void FrmPrint::setCard(const CardTexts& card) {
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
    // The last special line may gather several entries; the tooltip holds all of it.
    cellIn(m_cells, QStringLiteral("lblSpecial_7"))
        .label->setToolTip(QString::fromStdString(card.lastSpecialTooltip));
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
    paintCard(painter, 1.0 / 15.0);
}

// Everything is drawn in twips, texts with fonts sized in twips: the text is laid out
// alike on every device, so what fits on screen fits on paper.
void FrmPrint::paintCard(QPainter& painter, double unitsPerTwip) const {
    painter.save();
    painter.scale(unitsPerTwip, unitsPerTwip);
    painter.fillRect(QRect(0, 0, kCardWidth, kCardHeight), Qt::white);
    paintStrokes(painter);
    painter.setPen(Qt::black);
    for (const Cell& c : m_cells) {
        const Setting& s = c.setting;
        painter.setFont(s.font);
        const QFontMetricsF metrics(s.font);
        for (int i = 0; i < s.lines.size(); ++i) {
            const QString& line = s.lines[i];
            double x = s.box.x() + (i > 0 ? s.indent : 0);
            if (c.centred)
                x += (s.box.width() - metrics.horizontalAdvance(line)) / 2;
            painter.drawText(QPointF(x, s.box.y() + metrics.ascent() + i * metrics.lineSpacing()),
                             line);
        }
    }
    painter.restore();
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

bool FrmPrint::render(QPagedPaintDevice& device) const {
    // Half an inch all round keeps the card clear of any printer's unprintable edge.
    device.setPageMargins(QMarginsF(12.7, 12.7, 12.7, 12.7), QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    paintCard(painter, device.logicalDpiX() / kTwipsPerInch);
    return painter.end();
}

} // namespace ivc::ui
