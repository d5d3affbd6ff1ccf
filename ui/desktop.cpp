#include "ui/desktop.h"

#include <QGuiApplication>
#include <QIconEngine>
#include <QPainter>
#include <QPixmap>
#include <QScreen>
#include <QStyle>
#include <QWidget>

#include <array>

namespace ivc::ui {

namespace {

constexpr std::array kIconSizes = {48, 128, 256};

// The icon's pictures are decoded only when a size is asked for: on most desktops the
// window's first frame does not need them, and three PNGs decoded at start-up were a
// twentieth of the time to the first window.
class LazyIconEngine : public QIconEngine {
public:
    QIconEngine* clone() const override { return new LazyIconEngine(*this); }
    QList<QSize> availableSizes(QIcon::Mode, QIcon::State) override {
        QList<QSize> sizes;
        for (const int size : kIconSizes)
            sizes.append(QSize(size, size));
        return sizes;
    }
    QSize actualSize(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return loaded().actualSize(size, mode, state);
    }
    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override {
        return loaded().pixmap(size, mode, state);
    }
    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode,
               QIcon::State state) override {
        loaded().paint(painter, rect, Qt::AlignCenter, mode, state);
    }
    QString key() const override { return QStringLiteral("ivc-lazy"); }

private:
    const QIcon& loaded() {
        if (m_icon.isNull()) {
            for (const int size : kIconSizes)
                m_icon.addFile(
                    QStringLiteral(":/icons/%1x%1/io.github.ironvale.VehicleCreator.png").arg(size),
                    QSize(size, size));
        }
        return m_icon;
    }

    QIcon m_icon;
};

} // namespace

QIcon applicationIcon() {
    return QIcon(new LazyIconEngine);
}

void fitToScreen(QWidget& window, QSize design) {
    const QScreen* screen = window.screen();
    if (screen == nullptr)
        screen = QGuiApplication::primaryScreen();
    if (screen == nullptr) {
        window.setFixedSize(design);
        return;
    }
    const QRect free = screen->availableGeometry();
    const QSize frame(2 * kBorderAllowance, kTitleBarAllowance + 2 * kBorderAllowance);
    const QSize room = free.size() - frame;
    QSize size = design.boundedTo(room);
    if (size == design) {
        window.setFixedSize(design);
    } else {
        // Room for the scroll bar along the side that is cut, so that it does not cut the
        // other side too.
        const int bar = window.style()->pixelMetric(QStyle::PM_ScrollBarExtent);
        if (size.height() < design.height())
            size.setWidth(qMin(design.width() + bar, room.width()));
        if (size.width() < design.width())
            size.setHeight(qMin(design.height() + bar, room.height()));
        window.setMinimumSize(size.boundedTo(design / 2));
        window.setMaximumSize(design + QSize(bar, bar));
        window.resize(size);
    }
    // The whole frame, title bar included, centred in the free area.
    const QSize outer = size + frame;
    window.move(free.x() + (free.width() - outer.width()) / 2 + kBorderAllowance,
                free.y() + (free.height() - outer.height()) / 2 + kBorderAllowance +
                    kTitleBarAllowance);
}

QPalette withDistinctDisabled(QPalette palette) {
    using P = QPalette;
    const auto mix = [](const QColor& a, const QColor& b, double share) {
        const auto at = [share](double x, double y) { return x + (y - x) * share; };
        return QColor::fromRgbF(static_cast<float>(at(a.redF(), b.redF())),
                                static_cast<float>(at(a.greenF(), b.greenF())),
                                static_cast<float>(at(a.blueF(), b.blueF())));
    };
    const auto same = [](const QColor& a, const QColor& b) {
        return qAbs(a.lightness() - b.lightness()) < 12 && qAbs(a.hue() - b.hue()) < 12;
    };
    // A closed box or list is filled with the window's colour, as Qt's own light palette
    // does; where the window has the base colour too, the fill is moved towards the text.
    if (same(palette.color(P::Disabled, P::Base), palette.color(P::Active, P::Base))) {
        const QColor base = palette.color(P::Active, P::Base);
        const QColor window = palette.color(P::Active, P::Window);
        palette.setColor(P::Disabled, P::Base,
                         same(window, base) ? mix(base, palette.color(P::Active, P::Text), 0.2)
                                            : window);
    }
    // Greyed text: halfway between the text and its background.
    struct Pair {
        P::ColorRole text, ground;
    };
    constexpr std::array<Pair, 3> kTexts = {
        {{P::Text, P::Base}, {P::WindowText, P::Window}, {P::ButtonText, P::Button}}};
    for (const Pair& p : kTexts) {
        if (same(palette.color(P::Disabled, p.text), palette.color(P::Active, p.text)))
            palette.setColor(
                P::Disabled, p.text,
                mix(palette.color(P::Active, p.text), palette.color(P::Active, p.ground), 0.5));
    }
    return palette;
}

} // namespace ivc::ui
