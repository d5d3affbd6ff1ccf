#include "ui/cardPainter.h"

#include "ui/twips.h"

#include <QFontMetricsF>
#include <QGlyphRun>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
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

// A caption or a run of value fields of a field of the card. A run of count > 1 names its
// fields name_first .. name_(first + count - 1), step twips apart downwards. Room is the
// height a field's text may take on two lines: down to the next field or box line.
struct CellRow {
    Look look;
    CardField field;
    int left, top, width, height, room;
    int count = 1;
    int step = 0;
    int first = 0;
};

// clang-format off
constexpr std::array kCellRows = {
    // top row
    CellRow{Look::Caption,        CardField::Name,          240,  360,  975, 255, 255},
    CellRow{Look::Caption,        CardField::Points,        1800,  360,  735, 255, 255},
    CellRow{Look::Caption,        CardField::FrontArmor,    2760,  360,  855, 255, 255},
    CellRow{Look::Caption,        CardField::SideArmor,     3840,  360,  855, 255, 255},
    CellRow{Look::Caption,        CardField::RearArmor,     4920,  360,  855, 255, 255},
    CellRow{Look::Value,          CardField::Name,          240,  720, 1335, 495, 495},
    CellRow{Look::Value,          CardField::Points,        1800,  720,  735, 495, 495},
    CellRow{Look::Value,          CardField::FrontArmor,    2760,  720,  855, 495, 495},
    CellRow{Look::Value,          CardField::SideArmor,     3840,  720,  855, 495, 495},
    CellRow{Look::Value,          CardField::RearArmor,     4920,  720,  855, 495, 495},
    CellRow{Look::CentredCaption, CardField::WS,            6000,  360,  375, 255, 255},
    CellRow{Look::CentredCaption, CardField::BS,            6600,  360,  375, 255, 255},
    CellRow{Look::CentredCaption, CardField::S,             7200,  360,  375, 255, 255},
    CellRow{Look::CentredCaption, CardField::I,             7800,  360,  375, 255, 255},
    CellRow{Look::CentredCaption, CardField::A,             8400,  360,  375, 255, 255},
    CellRow{Look::Value,          CardField::WS,            6000,  720,  375, 375, 495},
    CellRow{Look::Value,          CardField::BS,            6600,  720,  375, 375, 495},
    CellRow{Look::Value,          CardField::S,             7200,  720,  375, 375, 495},
    CellRow{Look::Value,          CardField::I,             7800,  720,  375, 375, 495},
    CellRow{Look::Value,          CardField::A,             8400,  720,  375, 375, 495},
    // second row
    CellRow{Look::Caption,        CardField::Type,          360, 1440,  975, 255, 255},
    CellRow{Look::Caption,        CardField::Size,          1920, 1440,  975, 255, 255},
    CellRow{Look::Caption,        CardField::Speed,         3600, 1440,  975, 255, 255},
    CellRow{Look::Caption,        CardField::Category,      5400, 1440,  975, 255, 255},
    CellRow{Look::Caption,        CardField::Structure,     7920, 1440,  975, 255, 255},
    CellRow{Look::Value,          CardField::Type,          360, 1680, 1215, 375, 480},
    CellRow{Look::Value,          CardField::Size,          2040, 1680, 1215, 375, 480},
    CellRow{Look::Value,          CardField::Speed,         3600, 1680, 1455, 375, 480},
    CellRow{Look::Value,          CardField::Category,      5400, 1680, 2175, 375, 480},
    CellRow{Look::Value,          CardField::Structure,     7920, 1680,  975, 375, 480},
    // weapons
    CellRow{Look::Caption,        CardField::Weapons,       240, 2280,  975, 255, 255},
    CellRow{Look::Line,           CardField::Weapons,       240, 2520, 4815, 255, 360, 8, 360},
    // close combat
    CellRow{Look::Caption,        CardField::CloseCombat,   5400, 2400, 1815, 255, 255},
    CellRow{Look::Caption,        CardField::Number,        7920, 2400,  975, 255, 255},
    CellRow{Look::Line,           CardField::CloseCombat,   5400, 2880, 2295, 255, 480},
    CellRow{Look::Line,           CardField::Number,        7920, 2880,  975, 255, 480},
    // special options, two columns of four
    CellRow{Look::Caption,        CardField::Special,       5400, 3600, 1335, 255, 255},
    CellRow{Look::Line,           CardField::Special,       5400, 3960, 1695, 255, 360, 4, 360, 0},
    CellRow{Look::Line,           CardField::Special,       7200, 3960, 1695, 255, 360, 4, 360, 4},
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
CardPainter::Setting fit(const QString& text, const QFont& font, const QRect& place, int room,
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

// "Points: 130", "Weapon 2: 1x Beam Cannon"; a caption is heard as it reads.
QString spokenName(CardField field, int line, const QString& text) {
    QString said = QString::fromLatin1(cardField(field).spoken);
    if (line >= 0)
        said += QLatin1Char(' ') + QString::number(line + 1);
    return text.isEmpty() ? said : said + QStringLiteral(": ") + text;
}

QString fieldName(CardField field, int line) {
    const QString name = QString::fromLatin1(cardField(field).objectName);
    return line < 0 ? name : QStringLiteral("%1_%2").arg(name).arg(line);
}

} // namespace

CardPainter::CardPainter() {
    for (const CellRow& row : kCellRows) {
        for (int k = 0; k < row.count; ++k) {
            const bool caption = row.look == Look::Caption || row.look == Look::CentredCaption;
            const int line = row.count > 1 ? row.first + k : -1;
            Text text;
            if (caption)
                text.text = QString::fromLatin1(cardField(row.field).caption);
            else
                text.name = fieldName(row.field, line);
            text.spoken = text.text;
            m_texts.push_back(text);
            m_places.push_back({QRect(row.left, row.top + k * row.step, row.width, row.height),
                                row.room,
                                row.look == Look::Value ? dialogFont(kValuePoints) : dialogFont(),
                                row.look == Look::CentredCaption,
                                row.look == Look::Line ? kHangTwips : 0, row.field, line});
            setText(m_texts.size() - 1, text.text);
        }
    }
}

// A value field by its name, a caption by its text.
std::size_t CardPainter::indexOf(const QString& name) const {
    const auto found = std::ranges::find_if(m_texts, [&name](const Text& t) {
        return t.name == name || (t.name.isEmpty() && t.text == name);
    });
    if (found == m_texts.end())
        qFatal("the card has no field %s", qPrintable(name));
    return static_cast<std::size_t>(found - m_texts.begin());
}

CardPainter::Setting CardPainter::setting(const QString& name) const {
    return m_texts[indexOf(name)].setting;
}

QSize CardPainter::cardTwips() {
    return {kCardWidth, kCardHeight};
}

void CardPainter::write(CardField field, int line, const std::string& text) {
    setText(indexOf(fieldName(field, line)), QString::fromStdString(text));
}

void CardPainter::setText(std::size_t index, const QString& text) {
    Text& t = m_texts[index];
    const Place& p = m_places[index];
    t.setting = fit(drawable(text, p.font), p.font, p.box, p.room, p.indent);
    t.text = text;
    if (!t.name.isEmpty())
        t.spoken = spokenName(p.field, p.line, text);
    // A name cut short shows whole when the pointer rests on it.
    t.tooltip = t.setting.elided ? text : QString();
}

void CardPainter::setCard(const CardTexts& card) {
    using enum CardField;
    struct Plain {
        CardField field;
        std::string CardTexts::*member;
    };
    static constexpr std::array kPlain = {
        Plain{Name, &CardTexts::name},
        Plain{Points, &CardTexts::points},
        Plain{FrontArmor, &CardTexts::frontArmor},
        Plain{SideArmor, &CardTexts::sideArmor},
        Plain{RearArmor, &CardTexts::rearArmor},
        Plain{A, &CardTexts::attacks},
        Plain{Type, &CardTexts::type},
        Plain{Speed, &CardTexts::speed},
        Plain{Structure, &CardTexts::structure},
        Plain{CloseCombat, &CardTexts::closeCombat},
        Plain{Number, &CardTexts::closeCombatNumber},
    };
    for (const Plain& p : kPlain)
        write(p.field, -1, card.*p.member);

    static constexpr std::array kProfile = {WS, BS, S, I};
    if (card.profile) {
        for (std::size_t i = 0; i < kProfile.size(); ++i)
            write(kProfile[i], -1, (*card.profile)[i]);
    }
    if (card.size)
        write(Size, -1, *card.size);
    if (card.category)
        write(Category, -1, *card.category);
    for (std::size_t k = 0; k < card.weapons.size(); ++k)
        write(Weapons, static_cast<int>(k), card.weapons[k]);
    for (std::size_t k = 0; k < card.special.size(); ++k)
        write(Special, static_cast<int>(k), card.special[k]);
    // The last special line may gather several entries; the tooltip holds all of it.
    m_texts[indexOf(fieldName(Special, 7))].tooltip =
        QString::fromStdString(card.lastSpecialTooltip);
}

// Everything is drawn in twips, texts with fonts sized in twips: the text is laid out
// alike on every device, so what fits on screen fits on paper.
void CardPainter::paintCard(QPainter& painter, double unitsPerTwip) const {
    painter.save();
    painter.scale(unitsPerTwip, unitsPerTwip);
    painter.fillRect(QRect(0, 0, kCardWidth, kCardHeight), Qt::white);
    paintStrokes(painter);
    painter.setPen(Qt::black);
    for (std::size_t k = 0; k < m_texts.size(); ++k) {
        const Setting& s = m_texts[k].setting;
        painter.setFont(s.font);
        const QFontMetricsF metrics(s.font);
        for (int i = 0; i < s.lines.size(); ++i) {
            const QString& line = s.lines[i];
            double x = s.box.x() + (i > 0 ? s.indent : 0);
            if (m_places[k].centred)
                x += (s.box.width() - metrics.horizontalAdvance(line)) / 2;
            painter.drawText(QPointF(x, s.box.y() + metrics.ascent() + i * metrics.lineSpacing()),
                             line);
        }
    }
    painter.restore();
}

bool CardPainter::render(QPagedPaintDevice& device) const {
    return renderPages(device, {this});
}

bool CardPainter::renderPages(QPagedPaintDevice& device,
                              const std::vector<const CardPainter*>& cards) {
    // Half an inch all round keeps the card clear of any printer's unprintable edge.
    device.setPageMargins(QMarginsF(12.7, 12.7, 12.7, 12.7), QPageLayout::Millimeter);
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    for (std::size_t k = 0; k < cards.size(); ++k) {
        if (k > 0 && !device.newPage())
            return false;
        cards[k]->paintCard(painter, device.logicalDpiX() / kTwipsPerInch);
    }
    return painter.end();
}

} // namespace ivc::ui
