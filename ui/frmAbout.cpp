#include "ui/frmAbout.h"

#include "ui/twips.h"

#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QtMath>

namespace ivc::ui {
namespace {

// Client area of the window, in twips.
constexpr int kClientWidth = 6810;
constexpr int kClientHeight = 4065;

struct AboutLabel {
    const char* name;
    const char* text;
    int x, y, w, h;
    double points;
    bool bold;
    bool wrap;
    QRgb colour; // light tones, to read against the dark steel picture
};

constexpr AboutLabel kLabels[] = {
    {"lblTitle", "Ironvale Vehicle Constructor", 120, 120, 5565, 360, 13.5, true, false, 0xf0c35a},
    {"lblVersion", "Version " IVC_VERSION, 240, 480, 1245, 225, 8.0, false, false, 0xe8ecf1},
    {"lblDescription", "Written by the IronvaleVC developers for the players of Ironvale", 2640,
     480, 3675, 450, 7.0, true, true, 0xcfd6de},
    {"lblDisclaimer",
     "Ironvale, its races, rules and names belong to the game's publisher. This program is "
     "an unofficial design aid for players and claims none of them.",
     120, 3360, 5175, 585, 8.0, false, true, 0xdde2e8},
};

// A cog wheel of the given outer radius, drawn as one outline with a hole in the middle.
QPainterPath cog(QPointF centre, double radius, int teeth) {
    QPainterPath path;
    const double inner = radius * 0.8;
    const double step = 2.0 * M_PI / teeth;
    for (int i = 0; i < teeth; ++i) {
        const double a = i * step;
        const double points[][2] = {{inner, a},
                                    {radius, a + step * 0.15},
                                    {radius, a + step * 0.5},
                                    {inner, a + step * 0.65}};
        for (const auto& p : points) {
            const QPointF at = centre + QPointF(p[0] * qCos(p[1]), p[0] * qSin(p[1]));
            if (path.elementCount() == 0)
                path.moveTo(at);
            else
                path.lineTo(at);
        }
    }
    path.closeSubpath();
    path.addEllipse(centre, radius * 0.32, radius * 0.32);
    return path;
}

// The background: brushed dark steel with a tank in silhouette beside a cog wheel, kept in
// the band between the texts at the top and the disclaimer at the bottom.
void paintBackground(QPainter& p, const QRectF& r) {
    p.setRenderHint(QPainter::Antialiasing);
    QLinearGradient steel(r.topLeft(), r.bottomLeft());
    steel.setColorAt(0.0, QColor(0x46, 0x50, 0x5c));
    steel.setColorAt(0.55, QColor(0x2a, 0x31, 0x3a));
    steel.setColorAt(1.0, QColor(0x14, 0x18, 0x1d));
    p.fillRect(r, steel);
    p.setPen(QColor(255, 255, 255, 10));
    for (double y = r.top() + 1.5; y < r.bottom(); y += 3.0)
        p.drawLine(QPointF(r.left(), y), QPointF(r.right(), y));
    p.setPen(QPen(QColor(0x8a, 0x95, 0xa3, 90), 1.0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(r.adjusted(3.5, 3.5, -3.5, -3.5));

    const QColor metal(0x5f, 0x6a, 0x78);
    const QColor edge(0x1c, 0x21, 0x27);
    const double w = r.width();
    const double h = r.height();
    p.setPen(QPen(edge, 1.5));
    p.setBrush(QColor(0x4d, 0x57, 0x63));
    p.drawPath(cog({w * 0.835, h * 0.51}, h * 0.19, 14));

    // The tank, scaled to the window: tracks, hull, turret and gun.
    auto at = [&](double x, double y) { return QPointF(w * x, h * y); };
    p.setBrush(metal);
    QPolygonF hull;
    hull << at(0.10, 0.64) << at(0.16, 0.52) << at(0.56, 0.52) << at(0.66, 0.62) << at(0.63, 0.66)
         << at(0.12, 0.66);
    p.drawPolygon(hull);
    p.drawRoundedRect(QRectF(at(0.24, 0.40), at(0.44, 0.53)), 4, 4);
    p.drawRect(QRectF(at(0.44, 0.445), at(0.67, 0.475)));
    p.drawRect(QRectF(at(0.67, 0.435), at(0.70, 0.485)));
    p.setBrush(QColor(0x24, 0x29, 0x30));
    p.drawRoundedRect(QRectF(at(0.09, 0.65), at(0.65, 0.77)), h * 0.06, h * 0.06);
    p.setBrush(metal.darker(120));
    for (int i = 0; i < 7; ++i)
        p.drawEllipse(at(0.135 + i * 0.078, 0.71), h * 0.035, h * 0.035);
    p.setPen(QPen(QColor(0xb8, 0xc2, 0xce, 110), 1.0));
    p.drawLine(at(0.165, 0.525), at(0.555, 0.525));
}

} // namespace

FrmAbout::FrmAbout(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About IronvaleVC"));
    setFont(dialogFont());
    setFixedSize(twips(kClientWidth), twips(kClientHeight));

    for (const AboutLabel& row : kLabels) {
        auto* label = new QLabel(QString::fromUtf8(row.text), this);
        label->setObjectName(QString::fromUtf8(row.name));
        label->setGeometry(twipsRect(row.x, row.y, row.w, row.h));
        label->setFont(dialogFont(row.points, row.bold));
        label->setWordWrap(row.wrap);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        QPalette pal = label->palette();
        pal.setColor(QPalette::WindowText, QColor::fromRgb(row.colour));
        label->setPalette(pal);
    }

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_ok->setGeometry(twipsRect(5400, 3240, 1260, 705));
    m_ok->setDefault(true);
    m_ok->setFocus();
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
}

void FrmAbout::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    paintBackground(painter, rect());
}

void FrmAbout::keyPressEvent(QKeyEvent* event) {
    // OK is the cancel button as well: Esc presses it rather than rejecting the dialog.
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        m_ok->click();
        return;
    }
    QDialog::keyPressEvent(event);
}

} // namespace ivc::ui
