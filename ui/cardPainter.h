#pragma once

#include "core/card.h"

#include <QFont>
#include <QRect>
#include <QSize>
#include <QString>
#include <QStringList>

#include <vector>

class QPagedPaintDevice;
class QPainter;

namespace ivc::ui {

// The Statcard laid out and painted, with no window: the card window, printing, the exports
// and the command line all paint a card with this. It holds the card's texts; a field that
// a card leaves unset keeps the text of the card before.
class CardPainter {
public:
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

    // One text of the card: a caption (no name) or a value field ("lblName", "lblWeapons_3").
    struct Text {
        QString name;
        QString text;
        QString spoken;  // what a screen reader hears: "Points: 130"
        QString tooltip; // the whole text where the card cannot show all of it
        Setting setting;
    };

    CardPainter();

    // Writes the card's value fields; a field the card leaves unset keeps its text.
    void setCard(const CardTexts& card);
    // Every caption and field, in the card's order.
    const std::vector<Text>& texts() const { return m_texts; }
    // The setting of the caption with this text or of the value field with this name.
    Setting setting(const QString& name) const;

    // Draws the whole card, black on white, at unitsPerTwip device units to the twip.
    void paintCard(QPainter& painter, double unitsPerTwip) const;
    // The card on a page with half-inch margins, at its physical size, whatever the device.
    bool render(QPagedPaintDevice& device) const;
    // Several cards so, one a page, in one job.
    static bool renderPages(QPagedPaintDevice& device,
                            const std::vector<const CardPainter*>& cards);
    // The card's size in twips.
    static QSize cardTwips();

private:
    // Where and how a text of the card is set.
    struct Place {
        QRect box;
        int room;   // height in twips that a wrapped text may take
        QFont font; // the text's font at the card's size
        bool centred;
        int indent; // of a second line
        CardField field;
        int line; // of a run, or -1
    };

    std::size_t indexOf(const QString& name) const;
    void write(CardField field, int line, const std::string& text);
    void setText(std::size_t index, const QString& text);

    std::vector<Text> m_texts;
    std::vector<Place> m_places; // beside m_texts
};

} // namespace ivc::ui
