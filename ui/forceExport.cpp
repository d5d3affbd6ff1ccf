#include "ui/forceExport.h"

#include "io/atomicFile.h"
#include "ui/cardExport.h"
#include "ui/cardPainter.h"

#include <QDir>
#include <QFont>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>
#include <array>
#include <functional>

namespace ivc::ui {
namespace {

// The list's columns, each starting at a share of the page's width.
struct ListColumn {
    const char* heading;
    double at;
    bool number;
};
constexpr std::array<ListColumn, 7> kListColumns = {{
    {"Name", 0.00, false},
    {"Race", 0.34, false},
    {"Type", 0.47, false},
    {"Size", 0.62, false},
    {"Count", 0.80, true},
    {"Points", 0.90, true},
    {"Total", 1.00, true},
}};

std::array<QString, 7> cells(const ForceEntry& e) {
    const Design& d = *e.design;
    return {QString::fromStdString(d.name.empty() ? "(no name)" : d.name),
            QString::fromStdString(d.race),
            QString::fromStdString(d.type),
            QString::fromStdString(d.size),
            QString::number(e.count),
            QString::fromStdString(withThousands(e.points)),
            QString::fromStdString(withThousands(e.total()))};
}

// The grand total against the limit, with how far under or over it is.
QString totalLine(const Force& force) {
    std::string text = "Total: " + forceSummary(force);
    const std::int64_t under = force.limit() - force.total();
    if (force.limit() > 0 && under > 0)
        text += ": " + withThousands(under) + " under";
    else if (force.limit() > 0 && under == 0)
        text += ": exactly the limit";
    return QString::fromStdString(text);
}

// Lays out the list's lines one under another, opening a new page when one is full.
class ListWriter {
public:
    ListWriter(QPainter& painter, QPagedPaintDevice& device)
        : m_painter(painter), m_device(device),
          m_area(device.pageLayout().paintRectPixels(device.logicalDpiX())) {}

    void line(const QFont& font, const std::function<void(double)>& draw) {
        m_painter.setFont(font);
        const double height = QFontMetricsF(font, &m_device).lineSpacing() * 1.25;
        if (m_y + height > m_area.height() && m_y > 0) {
            m_device.newPage();
            m_y = 0;
        }
        m_y += height;
        draw(m_y - height * 0.3);
    }
    void text(const QFont& font, const QString& text) {
        line(font, [&](double y) { m_painter.drawText(QPointF(0, y), text); });
    }
    void row(const QFont& font, const std::array<QString, 7>& texts) {
        line(font, [&](double y) {
            const QFontMetricsF metrics(font, &m_device);
            for (std::size_t k = 0; k < texts.size(); ++k) {
                const double x = kListColumns[k].at * m_area.width();
                // A text stops short of the next column; a longer one ends in "…".
                const double room =
                    k + 1 < texts.size() && !kListColumns[k].number
                        ? (kListColumns[k + 1].at - kListColumns[k].at) * m_area.width() -
                              metrics.averageCharWidth()
                        : m_area.width();
                const QString text = metrics.elidedText(texts[k], Qt::ElideRight, room);
                const double w = metrics.horizontalAdvance(text);
                m_painter.drawText(QPointF(kListColumns[k].number ? x - w : x, y), text);
            }
        });
    }

private:
    QPainter& m_painter;
    QPagedPaintDevice& m_device;
    QRectF m_area;
    double m_y = 0;
};

QFont listFont(double points, bool bold) {
    QFont font(QStringLiteral("Liberation Sans"));
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

void paintList(QPainter& painter, QPagedPaintDevice& device, const Force& force) {
    ListWriter out(painter, device);
    out.text(listFont(18, true),
             QString::fromStdString(force.name().empty() ? "Unnamed force" : force.name()));
    out.text(listFont(11, false),
             force.limit() > 0 ? QStringLiteral("Limit: %1 points")
                                     .arg(QString::fromStdString(withThousands(force.limit())))
                               : QStringLiteral("Limit: none"));
    std::array<QString, 7> headings;
    for (std::size_t k = 0; k < headings.size(); ++k)
        headings[k] = QString::fromLatin1(kListColumns[k].heading);
    out.row(listFont(11, true), headings);
    for (const ForceEntry& e : force.entries()) {
        if (e.inPlay)
            out.row(listFont(11, false), cells(e));
    }
    out.text(listFont(12, true), totalLine(force));
}

// The cards four a page, as a sheet of cards sets them.
void paintCards(QPainter& painter, QPagedPaintDevice& device, const Force& force) {
    const SheetPlaces places = sheetPlaces(device);
    int place = 0;
    for (const ForceEntry& e : force.entries()) {
        if (!e.inPlay)
            continue;
        if (place % kCardsPerSheet == 0)
            device.newPage();
        // A painter of its own for each card: a card keeps fields from the one before.
        CardPainter painted;
        painted.setCard(entryCard(e));
        painter.save();
        painter.translate(places.place(place++ % kCardsPerSheet));
        painted.paintCard(painter, places.unitsPerTwip);
        painter.restore();
    }
}

} // namespace

bool paintForce(QPagedPaintDevice& device, const Force& force) {
    QPainter painter;
    if (!painter.begin(&device))
        return false;
    painter.setRenderHints(QPainter::Antialiasing | QPainter::TextAntialiasing);
    paintList(painter, device, force);
    paintCards(painter, device, force);
    return painter.end();
}

namespace {

QString toldUnlessWritten(const QString& path, const std::function<bool(QIODevice&)>& write) {
    const QString reason = io::writeAtomically(path, write);
    if (reason.isEmpty())
        return {};
    return QStringLiteral("The force could not be saved as %1: %2.")
        .arg(QDir::toNativeSeparators(path), reason);
}

} // namespace

QString exportForce(const QString& path, const Force& force, const QPageSize& paper) {
    return toldUnlessWritten(path, [&](QIODevice& out) {
        QPdfWriter pdf(&out);
        pdf.setTitle(QString::fromStdString(force.name().empty() ? "Force" : force.name()));
        pdf.setPageLayout(
            QPageLayout(paper, QPageLayout::Landscape,
                        QMarginsF(kForceMarginMm, kForceMarginMm, kForceMarginMm, kForceMarginMm),
                        QPageLayout::Millimeter));
        return paintForce(pdf, force);
    });
}

QString exportForceText(const QString& path, const Force& force) {
    const std::string text = forceTextWithCards(force);
    return toldUnlessWritten(path, [&text](QIODevice& out) {
        return out.write(text.data(), static_cast<qint64>(text.size())) ==
               static_cast<qint64>(text.size());
    });
}

} // namespace ivc::ui
