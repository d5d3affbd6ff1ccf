#include "ui/frmRules.h"

#include "ui/desktop.h"
#include "ui/twips.h"

#include <QFrame>
#include <QGridLayout>
#include <QLabel>
#include <QPushButton>
#include <QScrollArea>
#include <QTabWidget>
#include <QVBoxLayout>

#include <array>

namespace ivc::ui {
namespace {

// Client area of the window, in twips.
constexpr int kClientWidth = 10125;
constexpr int kClientHeight = 8295;
constexpr int kCloseTop = 7800;

enum Tab { Movement, Special, Special2, Weapons, WarMachines, Flyers, kTabCount };

constexpr std::array<const char*, kTabCount> kTabCaptions = {
    "Movement", "Special Options", "Special Options 2", "Weapons", "War Machines", "Flyers"};

struct RuleEntry {
    Tab tab;
    const char* heading;
    const char* text;
};

// The reference text, tab by tab in the order the entries are shown.
constexpr RuleEntry kRules[] = {
    {Movement, "Immobile", "The vehicle cannot move at all."},
    {Movement, "Normal",
     "The vehicle has the ordinary movement allowance of a vehicle. Moving costs it "
     "firepower: the farther it goes in a turn, the fewer of its weapons it may fire, and a "
     "vehicle that stays where it is may fire everything it carries."},
    {Movement, "Lumbering",
     "A slow, heavy hull. It moves only straight ahead and may turn to a new facing once its "
     "move is over. Because it never goes fast, its crew can keep every weapon firing while "
     "it moves."},
    {Movement, "Agile",
     "A quick and nimble vehicle that can change direction freely during its move. It is "
     "faster and handier than a normal vehicle, but it cannot reach the top speed of a fast "
     "vehicle."},
    {Movement, "Fast",
     "The vehicle is built for speed and moves under the game's rules for fast vehicles, with "
     "everything those rules allow and demand."},
    {Movement, "Flyer",
     "Flyers do not use these movement classes; they have a rules section of their own."},
    {Movement, "Walkers",
     "Walkers stride on legs rather than rolling on wheels or tracks, and they move under the "
     "game's rules for walkers."},

    {Special, "Amphibious",
     "The hull is sealed and can swim. Rivers, lakes and other water count as open ground for "
     "it, so it crosses them at its normal speed."},
    {Special, "Veyra Fields",
     "A shimmering protective field used by Veyra and Dark Veyra crews. Each field gives the "
     "vehicle a save against hits that strike it, and more fields make that save more "
     "dependable. Only vehicles of these two races can be fitted with them, in any size, and "
     "up to four at a time."},
    {Special, "Ferocious",
     "Crews of vehicles armed for close combat can be driven into a frenzy. A Ferocious "
     "vehicle makes one extra attack in close combat; it needs at least one close-combat "
     "weapon to benefit."},
    {Special, "Ward Shields",
     "The shields of the Concord race. A shield stops one hit that would otherwise reach the "
     "hull and collapses as it does so. The crew can work to raise a collapsed shield again "
     "in a later turn. Only war machines carry ward shields, and never more shields than they "
     "have structure points."},
    {Special, "Orbital Lander",
     "The vehicle starts the battle in reserve aboard a ship in orbit. When it arrives it "
     "drops straight onto the battlefield from above instead of driving on from a table edge."},
    {Special, "Grak Fields",
     "The energy fields of the Grak work like Concord shields, each one soaking up a hit "
     "before it fails, but a Grak field that has failed cannot be repaired during the battle. "
     "Only hulls of Normal size or larger may have them, and no more than one field for each "
     "structure point."},
    {Special, "Recovery Vehicle",
     "Winches, chains and a heavy crane let the vehicle drag damaged or destroyed vehicles "
     "away. While it is hauling another vehicle it must move carefully, and its shooting is "
     "restricted for as long as the tow lasts."},
    {Special, "Skimmer",
     "The vehicle floats above the ground on jets or fields and follows the game's rules for "
     "skimmers."},

    {Special2, "Transport",
     "The vehicle has room inside for models to ride in it. A small or normal hull holds a "
     "modest squad; a war machine holds more for every structure point it has. The largest "
     "transports can carry other vehicles instead of troops."},
    {Special2, "Tunneller",
     "The vehicle bores through the earth. It begins the battle in reserve and surfaces "
     "wherever it breaks through when it arrives. Only tanks and light vehicles can be "
     "tunnellers."},
    {Special2, "Wrecker",
     "Rams, claws and demolition gear for tearing down walls, barricades and other terrain, "
     "and for breaking up vehicles that have been immobilised."},
    {Special2, "Targeter",
     "A sighting device linked to the weapon that helps the crew aim, so it shoots more "
     "accurately. Races whose gunners are already good shots gain nothing from it and may "
     "not take it."},
    {Special2, "Carriage",
     "The vehicle stands on a wheeled carriage so that another vehicle can tow it into "
     "position. The towing rules are given in a published rules supplement."},
    {Special2, "Tow Bar",
     "The vehicle can tow another vehicle that stands on a carriage. The towing rules are "
     "given in the same supplement."},

    {Weapons, "Blast",
     "The weapon's shells burst over a wider area: its blast is raised by one step. Only "
     "immobile vehicles and war machines may take it."},
    {Weapons, "Co Axial",
     "A second weapon of a different type is fixed in the same mount beside the first. The "
     "two are aimed together and must fire at the same target."},
    {Weapons, "Twin Linked",
     "Two identical weapons are mounted side by side and fire as one, using the game's rule "
     "for twin-linked weapons."},
    {Weapons, "Gatling",
     "A cluster of rotating barrels replaces the single barrel, so the weapon fires several "
     "shots for each shot the ordinary weapon would make."},
    {Weapons, "Long Barrel",
     "A lengthened barrel gives the shot more time to build up speed, which adds to the "
     "weapon's range."},
    {Weapons, "Mega Weapon",
     "A scaled-up version of the weapon that hits with more strength and punches through "
     "more armour. Only war machines and immobile vehicles can mount it."},
    {Weapons, "Gun Battery",
     "Several barrage guns fire together. Each gun in the battery adds another template to "
     "the barrage, and the templates may be stacked on one another."},
    {Weapons, "Shorter Barrel",
     "A cut-down barrel makes the weapon lighter and cheaper but reduces its range."},
    {Weapons, "Slow Fire Rate",
     "The weapon is slow to load and fires fewer shots each time it attacks; every step "
     "down the list takes away one more shot."},
    {Weapons, "Titan Killer",
     "Ammunition made to crack the largest targets. Its hits do extra damage to structure "
     "points. Only a mega weapon can take it."},
};

// Room left free under the entries for the Close button, which sits over the bottom of
// the tab pages.
constexpr int kCloseStrip = twips(kClientHeight - kCloseTop) + 6;

QWidget* rulesPage(Tab tab) {
    auto* page = new QWidget;
    int row = 0;
    QGridLayout* grid = nullptr;
    for (const RuleEntry& e : kRules) {
        if (e.tab != tab)
            continue;
        if (grid == nullptr) {
            auto* content = new QWidget;
            grid = new QGridLayout(content);
            grid->setHorizontalSpacing(twips(240));
            grid->setVerticalSpacing(twips(90));
            grid->setColumnStretch(1, 1);
            auto* scroll = new QScrollArea(page);
            scroll->setFrameShape(QFrame::NoFrame);
            scroll->setWidgetResizable(true);
            scroll->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
            scroll->setWidget(content);
            // Let the tab page's own background show through, as on the empty pages.
            scroll->viewport()->setAutoFillBackground(false);
            content->setAutoFillBackground(false);
            auto* box = new QVBoxLayout(page);
            box->setContentsMargins(0, 0, 0, kCloseStrip);
            box->addWidget(scroll);
        } else {
            auto* rule = new QFrame;
            rule->setObjectName(QStringLiteral("linRule"));
            rule->setFrameShape(QFrame::HLine);
            rule->setFrameShadow(QFrame::Plain);
            rule->setForegroundRole(QPalette::Mid);
            grid->addWidget(rule, row++, 0, 1, 2);
        }
        auto* heading = new QLabel(QString::fromUtf8(e.heading));
        heading->setObjectName(QStringLiteral("lblHeading"));
        heading->setFont(dialogFont(8.0, true));
        heading->setMinimumWidth(twips(1800));
        auto* text = new QLabel(QString::fromUtf8(e.text));
        text->setObjectName(QStringLiteral("lblText"));
        text->setWordWrap(true);
        grid->addWidget(heading, row, 0, Qt::AlignLeft | Qt::AlignTop);
        grid->addWidget(text, row++, 1, Qt::AlignTop);
    }
    if (grid != nullptr)
        grid->setRowStretch(row, 1);
    return page;
}

} // namespace

QString FrmRules::firstSentence(const QString& heading) {
    for (const RuleEntry& e : kRules) {
        if (heading != QLatin1String(e.heading))
            continue;
        const QString text = QString::fromUtf8(e.text);
        const qsizetype end = text.indexOf(QLatin1String(". "));
        return end < 0 ? text : text.left(end + 1);
    }
    return {};
}

FrmRules::FrmRules(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("frmRules"));
    setWindowTitle(QStringLiteral("Special Rules"));
    // A tool window, but still modal: the main window takes no input while it is open.
    setWindowFlag(Qt::Tool);
    setModal(true);
    setFont(dialogFont());

    auto* tabs = new QTabWidget(this);
    tabs->setObjectName(QStringLiteral("tabRules"));
    auto* fill = new QVBoxLayout(this);
    fill->setContentsMargins(0, 0, 0, 0);
    fill->addWidget(tabs);
    for (int t = 0; t < kTabCount; ++t)
        tabs->addTab(rulesPage(static_cast<Tab>(t)), QString::fromUtf8(kTabCaptions[t]));
    tabs->setCurrentIndex(Movement);

    m_close = new QPushButton(QStringLiteral("&Close"), this);
    m_close->setObjectName(QStringLiteral("cmdClose"));
    m_close->resize(twipsRect(8880, kCloseTop, 1095, 375).size());
    // Created after the tab control, but raised explicitly: it overlaps the pages.
    m_close->raise();
    connect(m_close, &QPushButton::clicked, this, &QDialog::accept);
    // On a small screen the window is smaller and may be resized; the pages scroll.
    fitToScreen(*this, {twips(kClientWidth), twips(kClientHeight)});
}

// Close keeps its distance from the lower right corner whatever the window's size.
void FrmRules::resizeEvent(QResizeEvent* event) {
    const QRect designed = twipsRect(8880, kCloseTop, 1095, 375);
    m_close->move(width() - (twips(kClientWidth) - designed.x()),
                  height() - (twips(kClientHeight) - designed.y()));
    QDialog::resizeEvent(event);
}

} // namespace ivc::ui
