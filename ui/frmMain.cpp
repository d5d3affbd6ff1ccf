#include "ui/frmMain.h"

#include "core/card.h"
#include "core/design.h"
#include "core/tables.h"
#include "core/textcard.h"
#include "io/designFile.h"
#include "ui/desktop.h"
#include "ui/document.h"
#include "ui/frmAbout.h"
#include "ui/frmForce.h"
#include "ui/frmPrint.h"
#include "ui/frmRules.h"
#include "ui/keys.h"
#include "ui/listBox.h"
#include "ui/messageBox.h"
#include "ui/sharing.h"
#include "ui/twips.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPushButton>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QTabWidget>
#include <QUndoStack>

#include <algorithm>
#include <functional>
#include <optional>

namespace ivc::ui {

enum class Parent : int { Central, General, Weapons, Race, Armor, Special, CCW };

namespace {

using enum Parent;

// Client area of the window, in twips.
constexpr int kClientWidth = 11415;
constexpr int kClientHeight = 7065;
// Controls on a tab are placed relative to the tab control; its tab strip takes this
// much of the top.
constexpr int kTabStrip = 360;

struct Font {
    double points = 8.0;
    bool bold = false;
};
constexpr Font kPlain{};
constexpr Font kBold135{13.5, true};
constexpr Font kBold18{18.0, true};
constexpr Font kBold12{12.0, true};
constexpr Font kPlain12{12.0, false};
constexpr Font kPlain135{13.5, false};

struct FramePlace {
    FrameId id;
    const char* caption;
    Place at;
};

const Qt::Alignment kLeft = Qt::AlignLeft | Qt::AlignVCenter;

struct StaticLabel {
    const char* name;
    const char* caption;
    Parent parent;
    Place at;
    Font font;
    Qt::Alignment align = kLeft;
    std::optional<ListId> buddy = {}; // the list it captions, whose enabled state it shows
};

struct DisplayLabel {
    LabelId id;
    Parent parent;
    Place at;
    Font font;
    Qt::Alignment align;
    const char* spoken; // what a screen reader says before the figure
};

// A list off the weapon grid; what a screen reader calls it is in its list table.
struct ListPlace {
    ListId id;
    Parent parent;
    Place at;
    Font font = kPlain;
};

struct ButtonPlace {
    ButtonId id;
    const char* caption;
    Parent parent;
    Place at;
    Font font;
};

// Weapon grid: one column per control array, slot i on the row at y = 960 + 480 i: the
// weapon, the upgrades in their family's order, then the count.
struct GridColumn {
    int x;
    int width; // lists only
    std::string_view heading;
    std::string_view spoken; // what a screen reader calls a box of the column
    bool isList;
    ListId list;
    CheckId check;
    std::string_view rule; // the rules entry that explains the upgrade, for its tooltip
};

constexpr std::array<FramePlace, 5> kFrames = {{
    {FrameId::Race, "Initial Stats", {120, 1200, 9015, 975}},
    {FrameId::Armor, "Armor", {120, 2280, 9015, 1335}},
    {FrameId::Special, "Special Options", {120, 3720, 9015, 2415}},
    {FrameId::CCW, "Close Combat", {9360, 360, 1815, 3255}},
    {FrameId::Weap, "Weapons and Options", {120, 480, 11175, 4815}},
}};

const std::array<StaticLabel, 16> kStaticLabels = {{
    {"Label1", "Points:", Central, {4320, 6480, 1215, 495}, kBold18},
    {"Label44", "Vehicle Name:", General, {120, 585, 2655, 420}, kBold18},
    {"Label15",
     "Speed:",
     General,
     {5880, 600, 1095, 375},
     kBold135,
     Qt::AlignRight | Qt::AlignVCenter},
    {"Label18", "Race", Race, {120, 240}, kPlain, kLeft, ListId::Race},
    {"Label19", "Type", Race, {2280, 240}, kPlain, kLeft, ListId::Type},
    {"Label20", "Size", Race, {4440, 240}, kPlain, kLeft, ListId::Size},
    {"Label5", "Max Armor (Max Facing)", Armor, {120, 240, 1695, 735}, kPlain135},
    {"Label2", "Front", Armor, {3360, 240}, kPlain12, kLeft, ListId::FArmor},
    {"Label3", "Sides", Armor, {5400, 240}, kPlain12, kLeft, ListId::SArmor},
    {"Label4", "Rear", Armor, {7320, 240}, kPlain12, kLeft, ListId::RArmor},
    {"Label24", "Open top/Fullly armored", Armor, {3360, 840}, kPlain12, kLeft, ListId::Open},
    {"Label25", "Structure Points", Special, {3840, 1440}, kPlain, kLeft, ListId::Structure},
    {"Label41", "Weapon(s)", CCW, {120, 240}, kPlain135, kLeft, ListId::CCW},
    {"Label43", "# of CCW's", CCW, {120, 1080}, kPlain135, kLeft, ListId::Attacks},
    {"Label42", "Attacks", CCW, {120, 2280}, kPlain12},
    {"Label17", "Cost", CCW, {120, 2760}, kPlain12},
}};

const std::array<DisplayLabel, kLabelCount> kDisplayLabels = {{
    {LabelId::Speed, General, {7200, 600, 1455, 375}, kBold12, Qt::AlignCenter, "Speed"},
    {LabelId::MaxArmor,
     Armor,
     {1920, 240, 1095, 855},
     kBold135,
     Qt::AlignCenter,
     "Max Armor (Max Facing)"},
    {LabelId::Points, Central, {5640, 6480, 1575, 495}, kBold135, kLeft, "Points"},
    {LabelId::Attacks, CCW, {1200, 2280, 495, 375}, kPlain12, kLeft, "Attacks"},
    {LabelId::CCWCost, CCW, {1080, 2760, 615, 255}, kPlain12, kLeft, "Cost"},
}};

const std::array<ListPlace, 14> kListPlaces = {{
    {ListId::Race, Race, {120, 480, 2055, 315}},
    {ListId::Type, Race, {2280, 480, 2055, 315}},
    {ListId::Size, Race, {4440, 480, 2175, 315}},
    {ListId::FArmor, Armor, {4080, 240, 975, 315}},
    {ListId::SArmor, Armor, {6120, 240, 855, 315}},
    {ListId::RArmor, Armor, {8040, 240, 855, 315}},
    {ListId::Open, Armor, {6000, 840, 1455, 315}},
    {ListId::Transport, Special, {1200, 1440, 1215, 315}},
    {ListId::Structure, Special, {5160, 1440, 735, 315}},
    {ListId::ConcordF, Special, {1560, 1920, 735, 315}},
    {ListId::VeyraF, Special, {5160, 1920, 975, 315}},
    {ListId::GrakF, Special, {7920, 1920, 735, 315}},
    {ListId::CCW, CCW, {45, 600, 1740, 315}, {7.5, false}},
    {ListId::Attacks, CCW, {120, 1440, 1575, 315}},
}};

const std::array<ButtonPlace, kButtonCount> kButtonPlaces = {{
    {ButtonId::Next1, "&Next", Race, {6720, 360, 975, 495}, {12.0, false}},
    {ButtonId::Next4, "&Next", Armor, {7800, 840, 1095, 375}, kPlain},
    {ButtonId::Calculate, "&Calculate", Central, {240, 6480, 1575, 495}, kBold135},
    {ButtonId::Reset, "&Reset", Central, {2160, 6480, 1575, 495}, kBold135},
    {ButtonId::Print, "&Print", Central, {7680, 6480, 1575, 495}, kBold18},
    {ButtonId::Exit, "E&xit", Central, {9600, 6480, 1575, 495}, kBold18},
}};

constexpr int kCheckSize = 255;
constexpr int kListHeight = 315;
constexpr int kGridTop = 960;
constexpr int kGridStep = 480;
constexpr int kHeadingTop = 360;

constexpr int kShortListWidth = 495; // the grid's gun battery, slow fire and count lists

constexpr std::array<GridColumn, kUpgrades.size() + 2> kGrid = [] {
    std::array<GridColumn, kUpgrades.size() + 2> grid{};
    grid.front() = {120, 1815, "", "", true, ListId::Wpn1, {}, ""};
    for (std::size_t i = 0; i < kUpgrades.size(); ++i) {
        const UpgradeRow& u = kUpgrades[i];
        const int width = u.isList ? kShortListWidth : 0;
        grid[i + 1] = {u.x, width, u.heading, u.heading, u.isList, u.list, u.box, u.rulesEntry};
    }
    grid.back() = {10560, kShortListWidth, "#", "", true, ListId::Number, {}, ""};
    return grid;
}();

QString qs(std::string_view s) {
    return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

void place(QWidget* w, Place at, int yOffset) {
    if (at.w == 0 || at.h == 0)
        w->adjustSize(); // only then is the natural size needed
    const int width = at.w > 0 ? twips(at.w) : w->width();
    const int height = at.h > 0 ? twips(at.h) : w->height();
    w->setGeometry(twips(at.x), twips(at.y - yOffset), width, height);
}

// Positions on a tab page are given relative to the whole tab control.
int offsetOf(Parent p) {
    return p == General || p == Weapons ? kTabStrip : 0;
}

// One sentence of the rules window's text about an option or upgrade.
QString ruleTip(std::string_view rule) {
    if (rule.empty())
        return {};
    const QString heading = qs(rule);
    // The rules have no entry of their own for the anti-aircraft mount.
    if (heading == QLatin1String("AA Mount"))
        return QStringLiteral("The weapon is mounted so that it can also fire at flyers.");
    return FrmRules::firstSentence(heading);
}

// Widgets inherit the window's plain font; setting it again would only relayout them.
void applyFont(QWidget* w, Font f) {
    if (f.points != kPlain.points || f.bold != kPlain.bold)
        w->setFont(dialogFont(f.points, f.bold));
}

} // namespace

FrmMain::FrmMain(QWidget* parent) : QMainWindow(parent) {
    setObjectName(QStringLiteral("frmMain"));
    setWindowTitle(QStringLiteral("Ironvale Vehicle Creator"));
    setFont(dialogFont());
    buildMenus();
    wireDocument();
    buildFileMenus();
    buildEditMenu();
    buildForceMenu();
    buildControls();
    connectControls();
    // Connected after the window's own handler, so the model holds the new name already.
    connect(m_name, &QLineEdit::textChanged, this,
            [this] { m_history->record(m_model, QStringLiteral("Vehicle Name"), true); });
    refresh();

    m_central->setFixedSize(twips(kClientWidth), twips(kClientHeight));
    fitToScreen(*this, {m_central->width(), m_central->height() + menuBar()->sizeHint().height()});
    setWindowIcon(applicationIcon());
    setPalette(withDistinctDisabled(QApplication::palette(this)));
    connectKeys();
    connect(m_name, &QLineEdit::textChanged, this, &FrmMain::showEntryTitle);
    FrmForce::watchMain(*this);
}

FrmMain::~FrmMain() = default;

void FrmMain::buildMenus() {
    struct Entry {
        const char* menuName;
        const char* menuCaption;
        const char* actionName;
        const char* actionCaption;
        void (FrmMain::*slot)();
    };
    const std::array<Entry, 3> entries = {{
        {"mnuFile", "&File", "mnuExit", "E&xit", &FrmMain::exitProgram},
        {"mnuSpecial", "&Rules", "mnuRules", "&Special Rules", &FrmMain::openRules},
        {"mnuHelp", "&Help", "mnuAbout", "&About", &FrmMain::openAbout},
    }};
    for (const Entry& e : entries) {
        QMenu* menu = menuBar()->addMenu(QString::fromUtf8(e.menuCaption));
        menu->setObjectName(QString::fromUtf8(e.menuName));
        QAction* action = menu->addAction(QString::fromUtf8(e.actionCaption));
        action->setObjectName(QString::fromUtf8(e.actionName));
        connect(action, &QAction::triggered, this, e.slot);
    }
}

// The help windows live only while they are open.
void FrmMain::openRules() {
    FrmRules rules(this);
    rules.exec();
}

void FrmMain::openAbout() {
    FrmAbout about(this);
    about.exec();
}

QWidget* FrmMain::container(Parent p) const {
    switch (p) {
    case Parent::Central:
        return m_central;
    case Parent::General:
        return m_generalPage;
    case Parent::Weapons:
        return m_weaponsPage;
    case Parent::Race:
        return m_frames[static_cast<std::size_t>(FrameId::Race)];
    case Parent::Armor:
        return m_frames[static_cast<std::size_t>(FrameId::Armor)];
    case Parent::Special:
        return m_frames[static_cast<std::size_t>(FrameId::Special)];
    case Parent::CCW:
        return m_frames[static_cast<std::size_t>(FrameId::CCW)];
    }
    return m_central;
}

// The client area scrolls only on a screen too small for it; on it the tab control and,
// on its first page, the vehicle's name.
void FrmMain::buildClientArea() {
    auto* scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("clientScroll"));
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setFocusPolicy(Qt::NoFocus);
    setCentralWidget(scroll);
    m_central = new QWidget;
    m_central->setObjectName(QStringLiteral("clientArea"));
    scroll->setWidget(m_central);

    m_tabs = new QTabWidget(m_central);
    m_tabs->setObjectName(QStringLiteral("SSTab1"));
    m_tabs->setGeometry(twipsRect(0, 0, kClientWidth, 6375));
    m_generalPage = new QWidget;
    m_generalPage->setObjectName(QStringLiteral("tabGeneral"));
    m_weaponsPage = new QWidget;
    m_weaponsPage->setObjectName(QStringLiteral("tabWeapons"));
    m_tabs->addTab(m_generalPage, QStringLiteral("General Options"));
    m_tabs->addTab(m_weaponsPage, QStringLiteral("Weapons"));

    m_name = new QLineEdit(m_generalPage);
    m_name->setObjectName(QStringLiteral("txtName"));
    m_name->setAccessibleName(QStringLiteral("Vehicle Name"));
    applyFont(m_name, kBold135);
    place(m_name, {2880, 600, 2535, 480}, kTabStrip);
}

void FrmMain::buildControls() {
    buildClientArea();
    for (const FramePlace& f : kFrames) {
        QWidget* parent = f.id == FrameId::Weap ? m_weaponsPage : m_generalPage;
        auto* frame = new QGroupBox(QString::fromUtf8(f.caption), parent);
        frame->setObjectName(qs(name(f.id)));
        place(frame, f.at, kTabStrip);
        m_frames[static_cast<std::size_t>(f.id)] = frame;
    }

    buildLabels();
    buildLists();
    for (const OptionRow& o : kOptions) {
        QWidget* parent = container(o.frame == FrameId::CCW ? CCW : Special);
        auto* box = new QCheckBox(qs(o.caption), parent);
        box->setObjectName(qs(o.name));
        box->setToolTip(ruleTip(o.rulesEntry));
        place(box, o.at, 0);
        m_checks[static_cast<std::size_t>(o.box)] = {box};
    }
    for (const ButtonPlace& b : kButtonPlaces) {
        QWidget* parent = container(b.parent);
        auto* button = new QPushButton(QString::fromUtf8(b.caption), parent);
        button->setObjectName(qs(info(b.id).name));
        button->setAutoDefault(false);
        applyFont(button, b.font);
        place(button, b.at, offsetOf(b.parent));
        m_buttons[static_cast<std::size_t>(b.id)] = button;
    }
    buildWeaponGrid();
    orderTabChain();
}

void FrmMain::buildLabels() {
    for (const StaticLabel& s : kStaticLabels) {
        QWidget* parent = container(s.parent);
        auto* label = new QLabel(QString::fromUtf8(s.caption), parent);
        label->setObjectName(QString::fromUtf8(s.name));
        label->setAlignment(s.align);
        label->setWordWrap(s.at.w > 0);
        applyFont(label, s.font);
        place(label, s.at, offsetOf(s.parent));
        if (s.buddy)
            m_captions.emplace_back(label, *s.buddy);
    }
    for (const DisplayLabel& d : kDisplayLabels) {
        QWidget* parent = container(d.parent);
        auto* label = new QLabel(parent);
        label->setObjectName(qs(name(d.id)));
        label->setFrameShape(QFrame::Box);
        label->setAlignment(d.align);
        applyFont(label, d.font);
        place(label, d.at, offsetOf(d.parent));
        m_labels[static_cast<std::size_t>(d.id)] = label;
    }
}

void FrmMain::buildLists() {
    for (const ListPlace& l : kListPlaces) {
        QWidget* parent = container(l.parent);
        auto* list = new ListBox(parent);
        list->setObjectName(QString::fromStdString(ivc::objectName({l.id, 0})));
        list->setAccessibleName(qs(info(l.id).spoken));
        applyFont(list, l.font);
        place(list, l.at, offsetOf(l.parent));
        m_lists[static_cast<std::size_t>(l.id)] = {list};
    }
    for (const auto& [label, id] : m_captions)
        label->setBuddy(m_lists[static_cast<std::size_t>(id)].front());
}

// Tab follows the road of a design: name, hull, armour, options, close combat, weapons,
// then the commands.
void FrmMain::orderTabChain() {
    const auto listAt = [this](ListId id, int s = 0) -> QWidget* {
        return m_lists[static_cast<std::size_t>(id)][static_cast<std::size_t>(s)];
    };
    const auto boxAt = [this](CheckId id, int s = 0) -> QWidget* {
        return m_checks[static_cast<std::size_t>(id)][static_cast<std::size_t>(s)];
    };
    const auto buttonAt = [this](ButtonId id) -> QWidget* {
        return m_buttons[static_cast<std::size_t>(id)];
    };
    std::vector<QWidget*> chain = {
        m_name,
        listAt(ListId::Race),
        listAt(ListId::Type),
        listAt(ListId::Size),
        buttonAt(ButtonId::Next1),
        listAt(ListId::FArmor),
        listAt(ListId::SArmor),
        listAt(ListId::RArmor),
        listAt(ListId::Open),
        buttonAt(ButtonId::Next4),
    };
    // The special options row by row, left to right; a count list comes just before the
    // box that prices it, since its number is picked first.
    std::vector<std::pair<std::pair<int, int>, QWidget*>> special;
    for (const OptionRow& o : kOptions) {
        if (o.frame != FrameId::Special)
            continue;
        special.push_back({{o.at.y, o.at.x}, boxAt(o.box)});
        if (const OptionRow* counted = countedBy(o.countList); counted == &o)
            special.push_back({{o.at.y, o.at.x - 1}, listAt(o.countList)});
    }
    for (const ListPlace& l : kListPlaces) {
        if (l.parent == Special && countedBy(l.id) == nullptr)
            special.push_back({{l.at.y, l.at.x}, listAt(l.id)});
    }
    std::ranges::sort(special, {}, [](const auto& entry) { return entry.first; });
    for (const auto& entry : special)
        chain.push_back(entry.second);
    for (QWidget* w : {listAt(ListId::CCW), listAt(ListId::Attacks), boxAt(CheckId::Ferocious)})
        chain.push_back(w);
    for (int s = 0; s < kSlots; ++s) {
        for (const GridColumn& col : kGrid)
            chain.push_back(col.isList ? listAt(col.list, s) : boxAt(col.check, s));
    }
    for (ButtonId id : {ButtonId::Calculate, ButtonId::Reset, ButtonId::Print, ButtonId::Exit})
        chain.push_back(buttonAt(id));
    for (std::size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

void FrmMain::buildWeaponGrid() {
    QWidget* frame = m_frames[static_cast<std::size_t>(FrameId::Weap)];
    for (const GridColumn& col : kGrid) {
        const int width = col.isList ? col.width : kCheckSize;
        const QString tip = ruleTip(col.rule);
        if (!col.heading.empty()) {
            auto* heading = new QLabel(qs(col.heading), frame);
            const bool number = col.isList && col.list == ListId::Number;
            heading->setObjectName(QStringLiteral("lblHeading") +
                                   qs(col.heading).remove(QLatin1Char(' ')));
            applyFont(heading, number ? kBold18 : kPlain);
            heading->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
            heading->setWordWrap(true);
            heading->setToolTip(tip);
            // Centred over its column, as wide as the gap to its neighbours allows.
            constexpr int span = 700;
            const int centre = col.x + width / 2;
            place(heading, {centre - span / 2, kHeadingTop - 120, span, kGridTop - kHeadingTop}, 0);
        }
        for (int s = 0; s < kSlots; ++s) {
            const Place at{col.x, kGridTop + kGridStep * s, width,
                           col.isList ? kListHeight : kCheckSize};
            const QString slotName = QStringLiteral("Slot %1 ").arg(s + 1);
            if (col.isList) {
                auto* list = new ListBox(frame);
                list->setObjectName(QString::fromStdString(ivc::objectName({col.list, s})));
                list->setAccessibleName(slotName + qs(info(col.list).spoken));
                list->setRuleTip(tip);
                if (col.width == kShortListWidth)
                    list->setCompact();
                place(list, at, 0);
                m_lists[static_cast<std::size_t>(col.list)].push_back(list);
            } else {
                auto* box = new QCheckBox(frame);
                box->setObjectName(QString::fromStdString(ivc::objectName({col.check, s})));
                box->setAccessibleName(slotName + qs(col.spoken));
                box->setToolTip(tip);
                place(box, at, 0);
                m_checks[static_cast<std::size_t>(col.check)].push_back(box);
            }
        }
    }
}

// Each change hands its undo step the control it came through.
void FrmMain::connectControls() {
    for (ListId id : allLists()) {
        const auto& lists = m_lists[static_cast<std::size_t>(id)];
        for (int s = 0; s < static_cast<int>(lists.size()); ++s) {
            connect(lists[static_cast<std::size_t>(s)], &QComboBox::currentIndexChanged, this,
                    [this, id, s](int row) {
                        m_model.select({id, s}, row);
                        afterChange(ListRef{id, s});
                    });
        }
    }
    for (CheckId id : allChecks()) {
        const auto& boxes = m_checks[static_cast<std::size_t>(id)];
        for (int s = 0; s < static_cast<int>(boxes.size()); ++s) {
            connect(boxes[static_cast<std::size_t>(s)], &QCheckBox::toggled, this,
                    [this, id, s](bool on) {
                        m_model.setChecked({id, s}, on);
                        afterChange(CheckRef{id, s});
                    });
        }
    }
    for (std::size_t i = 0; i < kButtonCount; ++i) {
        const auto id = static_cast<ButtonId>(i);
        connect(m_buttons[i], &QPushButton::clicked, this, [this, id] {
            m_model.press(id);
            afterChange(id);
        });
    }
    connect(m_name, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_model.setName(text.toStdString()); });
}

void FrmMain::refresh() {
    for (ListId id : allLists()) {
        const auto index = static_cast<std::size_t>(id);
        auto& shown = m_shownRows[index];
        shown.resize(m_lists[index].size());
        for (std::size_t s = 0; s < m_lists[index].size(); ++s) {
            QComboBox* list = m_lists[index][s];
            const ListState& state = m_model.list({id, static_cast<int>(s)});
            const QSignalBlocker block(list);
            if (shown[s] != state.rows) {
                list->clear();
                for (const std::string& row : state.rows)
                    list->addItem(QString::fromStdString(row));
                shown[s] = state.rows;
            }
            list->setCurrentIndex(state.selected);
            list->setEnabled(state.enabled);
        }
    }
    for (CheckId id : allChecks()) {
        const auto& boxes = m_checks[static_cast<std::size_t>(id)];
        for (std::size_t s = 0; s < boxes.size(); ++s) {
            const CheckState& state = m_model.check({id, static_cast<int>(s)});
            const QSignalBlocker block(boxes[s]);
            boxes[s]->setChecked(state.checked);
            boxes[s]->setEnabled(state.enabled);
        }
    }
    for (const DisplayLabel& d : kDisplayLabels) {
        // A figure is heard with what it is: "Points: 130", not a bare "130".
        const QString text = QString::fromStdString(m_model.caption(d.id));
        QLabel* label = m_labels[static_cast<std::size_t>(d.id)];
        label->setText(text);
        label->setAccessibleName(QString::fromUtf8(d.spoken) +
                                 (text.isEmpty() ? QString() : QStringLiteral(": ") + text));
    }
    for (const FramePlace& f : kFrames)
        m_frames[static_cast<std::size_t>(f.id)]->setEnabled(m_model.frameEnabled(f.id));
    mirrorCaptions();
    for (std::size_t i = 0; i < kButtonCount; ++i)
        m_buttons[i]->setEnabled(m_model.buttonEnabled(static_cast<ButtonId>(i)));
}

// A caption looks closed when the list it names is.
void FrmMain::mirrorCaptions() {
    for (const auto& [label, id] : m_captions)
        label->setEnabled(m_model.list({id, 0}).enabled);
}

void FrmMain::connectKeys() {
    keys::addTabKeys(this, m_tabs);
    keys::addMenuKey(this);
    keys::settleAccessKeys(this, {m_buttons.begin(), m_buttons.end()});

    // The focus starts on the first list of the road and moves to the first control of
    // each step that "&Next" opens.
    m_lists[static_cast<std::size_t>(ListId::Race)].front()->setFocus();
    struct Opens {
        ButtonId next;
        FrameId step;
        QWidget* first;
    };
    const std::array<Opens, 2> steps = {{
        {ButtonId::Next1, FrameId::Armor,
         m_lists[static_cast<std::size_t>(ListId::FArmor)].front()},
        {ButtonId::Next4, FrameId::Special,
         m_checks[static_cast<std::size_t>(CheckId::Amphib)].front()},
    }};
    for (const Opens& o : steps)
        keys::focusAfter(
            m_buttons[static_cast<std::size_t>(o.next)],
            [this, step = o.step] { return m_model.frameEnabled(step); }, o.first,
            [this] { m_tabs->setCurrentWidget(m_generalPage); });
}

void FrmMain::changeEvent(QEvent* event) {
    if (event->type() == QEvent::ApplicationPaletteChange)
        setPalette(withDistinctDisabled(QApplication::palette(this)));
    QMainWindow::changeEvent(event);
}

void FrmMain::afterChange(const Source& source) {
    refresh();
    for (const Effect& effect : m_model.takeEffects()) {
        if (const auto* message = std::get_if<Message>(&effect)) {
            ask(this, QString::fromStdString(message->title),
                QString::fromStdString(message->text));
        } else if (std::get<Request>(effect) == Request::ShowCard) {
            showCard();
        } else {
            exitProgram();
        }
    }
    m_history->record(m_model, stepName(source));
}

void FrmMain::showCard() {
    if (!m_print) {
        m_print = std::make_unique<FrmPrint>();
        connect(m_print.get(), &FrmPrint::returnToMain, this, [this] {
            show();
            activateWindow();
        });
    }
    m_print->showCard(makeCard(m_model));
    hide();
}

void FrmMain::exitProgram() {
    if (!close()) // kept open to save a design first
        return;
    if (m_print)
        m_print->hide();
    QCoreApplication::quit();
}

// ---- The design as a document ----------------------------------------------------------

namespace {

QString slotSuffix(bool perSlot, int slot) {
    return perSlot ? QStringLiteral(", slot %1").arg(slot + 1) : QString();
}

} // namespace

// What a step is called in Edit > Undo and Redo, by the control the user changed: "Race
// Concord", "Beam Cannon, slot 1", "Twin Linked, slot 1", "Calculate".
QString FrmMain::stepName(const Source& source) const {
    if (const auto* list = std::get_if<ListRef>(&source)) {
        const QString label = qs(info(list->id).step);
        const QString row = QString::fromStdString(m_model.list(*list).text());
        const QString joined = label.isEmpty() || row.isEmpty() ? label + row : label + ' ' + row;
        return joined + slotSuffix(isSlotArray(list->id), list->slot);
    }
    if (const auto* box = std::get_if<CheckRef>(&source)) {
        const UpgradeRow* upgrade = upgradeRow(box->id);
        return qs(upgrade != nullptr ? upgrade->heading : info(box->id).caption) +
               slotSuffix(isSlotArray(box->id), box->slot);
    }
    const auto button = std::get<ButtonId>(source);
    const auto found = std::ranges::find(kButtonPlaces, button, &ButtonPlace::id);
    return QString::fromUtf8(found->caption).remove(QLatin1Char('&'));
}

void FrmMain::wireDocument() {
    const FileKind kind{
        QLatin1String(io::kSuffix),
        QStringLiteral("Ironvale vehicle designs (*.%1)").arg(QLatin1String(io::kSuffix)),
        QStringLiteral("Save Design"), QStringLiteral("Open Design"),
        QStringLiteral("Save changes to this design?")};
    DocumentContent content;
    content.save = [this](const QString& path) { return io::saveDesign(path, capture(m_model)); };
    content.open = [this](const QString& path) {
        QString message;
        const bool ok = openDesign(path, message);
        return DocumentContent::Opened{ok, message};
    };
    content.isFresh = [this] { return capture(m_model) == capture(MainModel()); };
    content.name = [this] { return QString::fromStdString(m_model.name()); };
    m_document = new Document(this, kind, std::move(content));
    m_history = std::make_unique<History<MainModel>>(
        *m_document->undoStack(), m_model, [this](const MainModel& m) { restore(m); },
        [](const MainModel& a, const MainModel& b) { return a.controls() == b.controls(); });
}

// The design of a file in place of the one in hand; the message is the error, or a note.
bool FrmMain::openDesign(const QString& path, QString& message) {
    io::Opened opened = io::openDesign(path);
    if (!opened.model) {
        message = opened.error;
        return false;
    }
    m_history->reset(*opened.model);
    restore(*opened.model);
    message = opened.note;
    if (m_force)
        m_force->unlink(); // the design in hand is the file's now
    return true;
}

void FrmMain::restore(const MainModel& model) {
    m_model = model;
    refresh();
    if (m_name->text() != QString::fromStdString(m_model.name())) {
        const QSignalBlocker block(m_name);
        m_name->setText(QString::fromStdString(m_model.name()));
    }
}

bool FrmMain::openFile(const QString& path) {
    return m_document->openFile(path);
}

QUndoStack* FrmMain::undoStack() const {
    return m_document->undoStack();
}

void FrmMain::buildFileMenus() {
    QMenu* file = menuBar()->findChild<QMenu*>(QStringLiteral("mnuFile"));
    QAction* exit = findChild<QAction*>(QStringLiteral("mnuExit"));
    struct Entry {
        const char* name;
        const char* caption;
        QKeySequence key;
        std::function<void()> run;
    };
    const std::array<Entry, 5> entries = {{
        {"mnuOpen", "&Open\u2026", QKeySequence(Qt::CTRL | Qt::Key_O),
         [this] { m_document->openWithDialog(); }},
        {"mnuSave", "&Save", QKeySequence(Qt::CTRL | Qt::Key_S), [this] { m_document->save(); }},
        {"mnuSaveAs", "Save &As\u2026", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
         [this] { m_document->saveAs(); }},
        {"mnuExport", "&Export Statcard\u2026", QKeySequence(Qt::CTRL | Qt::Key_E),
         [this] { exportCard(); }},
        {"mnuPrintDialog", "&Print\u2026", QKeySequence(Qt::CTRL | Qt::Key_P),
         [this] { printCard(); }},
    }};
    for (const Entry& e : entries) {
        auto* action = new QAction(QString::fromUtf8(e.caption), file);
        action->setObjectName(QString::fromUtf8(e.name));
        action->setShortcut(e.key);
        file->insertAction(exit, action);
        connect(action, &QAction::triggered, this, e.run);
    }
    file->insertSeparator(exit);
}

void FrmMain::buildEditMenu() {
    QUndoStack* stack = m_document->undoStack();
    auto* edit = new QMenu(QStringLiteral("&Edit"), menuBar());
    edit->setObjectName(QStringLiteral("mnuEdit"));
    QAction* undo = stack->createUndoAction(edit, QStringLiteral("&Undo"));
    undo->setObjectName(QStringLiteral("mnuUndo"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction* redo = stack->createRedoAction(edit, QStringLiteral("&Redo"));
    redo->setObjectName(QStringLiteral("mnuRedo"));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    auto* copyText = new QAction(QStringLiteral("Copy Statcard as &Text"), edit);
    copyText->setObjectName(QStringLiteral("mnuCopyText"));
    copyText->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C));
    connect(copyText, &QAction::triggered, this, &FrmMain::copyTextCard);
    edit->addActions({undo, redo});
    edit->addSeparator();
    edit->addAction(copyText);
    // Between File and Rules.
    menuBar()->insertMenu(menuBar()->actions().value(1), edit);
}

// ---- Sharing the card ------------------------------------------------------------------

// The total first, as "&Print" runs it; false when it is out of range (and told). A design
// not yet as far as "&Calculate" is shared as it stands: totalling it would open buttons
// the user cannot reach yet.
bool FrmMain::runTotal() {
    if (!m_model.usable(ButtonId::Calculate))
        return true;
    const bool inRange = m_model.total().has_value();
    m_model.press(ButtonId::Calculate);
    afterChange(ButtonId::Calculate);
    return inRange;
}

void FrmMain::exportCard() {
    if (runTotal())
        sharing::exportWithDialog(this, {makeCard(m_model)}, m_document->folder(),
                                  QString::fromStdString(m_model.name()));
}

void FrmMain::copyTextCard() {
    if (runTotal())
        sharing::copyAsText({makeCard(m_model)});
}

void FrmMain::printCard() {
    if (runTotal())
        sharing::printWithDialog(this, {makeCard(m_model)}, m_printerSetup);
}

// ---- The force window ------------------------------------------------------------------

void FrmMain::buildForceMenu() {
    auto* menu = new QMenu(QStringLiteral("F&orce"), menuBar());
    menu->setObjectName(QStringLiteral("mnuForce"));
    struct Entry {
        const char* name;
        const char* caption;
        std::function<void(FrmForce&)> run;
    };
    const std::array<Entry, 3> entries = {{
        {"mnuShowForce", "&Show Force", [](FrmForce&) {}},
        {"mnuAddToForce", "&Add This Design",
         [this](FrmForce& force) { force.addDesign(capture(m_model)); }},
        {"mnuUpdateEntry", "&Update Force Entry", [](FrmForce& force) { force.updateEntry(); }},
    }};
    for (const Entry& e : entries) {
        QAction* action = menu->addAction(QString::fromUtf8(e.caption));
        action->setObjectName(QString::fromLatin1(e.name));
        connect(action, &QAction::triggered, this, [this, run = e.run] {
            FrmForce* force = forceWindow();
            force->show();
            force->raise();
            run(*force);
        });
    }
    // Between Edit and Rules.
    menuBar()->insertMenu(findChild<QMenu*>(QStringLiteral("mnuSpecial"))->menuAction(), menu);
    QMenu* edit = findChild<QMenu*>(QStringLiteral("mnuEdit"));
    QAction* copy = edit->addAction(QStringLiteral("Copy Design"), this, &FrmMain::copyDesign);
    copy->setObjectName(QStringLiteral("mnuCopyDesign"));
    QAction* paste = edit->addAction(QStringLiteral("Paste Design"), this, &FrmMain::pasteDesign);
    paste->setObjectName(QStringLiteral("mnuPasteDesign"));
}

FrmForce* FrmMain::forceWindow() {
    if (m_force == nullptr)
        m_force = new FrmForce(*this);
    return m_force;
}

bool FrmMain::takeDesign(const MainModel& model, const QString& title, const QString& step) {
    if (!m_document->maybeSave())
        return false;
    restore(model);
    m_document->startUntitled(title);
    if (step.isEmpty())
        m_history->reset(model);
    else
        m_history->record(model, step);
    return true;
}

void FrmMain::showEntryTitle() {
    const QString title =
        m_force != nullptr ? m_force->linkTitle(QString::fromStdString(m_model.name())) : QString();
    if (!title.isEmpty() && m_document->path().isEmpty())
        setWindowTitle(title);
}

void FrmMain::copyDesign() {
    const Design design = capture(m_model);
    sharing::copyDesign(design, makeCard(replay(design).model));
}

// A pasted design is checked as a file is, before the question; its step can be undone.
void FrmMain::pasteDesign() {
    const QString title = QStringLiteral("Paste Design");
    const auto bytes = sharing::clipboardDesign();
    if (!bytes) {
        ask(this, title, QString::fromLatin1(sharing::kNoDesignOnClipboard));
        return;
    }
    const io::Opened opened = io::openDesign(*bytes, QStringLiteral("the pasted design"));
    if (!opened.model) {
        ask(this, title, opened.error);
        return;
    }
    if (!takeDesign(*opened.model, {}, title))
        return;
    if (m_force)
        m_force->unlink();
    if (!opened.note.isEmpty())
        ask(this, title, opened.note);
}

} // namespace ivc::ui
