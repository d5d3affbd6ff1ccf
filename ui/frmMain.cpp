#include "ui/frmMain.h"

#include "core/card.h"
#include "core/tables.h"
#include "ui/desktop.h"
#include "ui/document.h"
#include "ui/frmForce.h"
#include "ui/frmPrint.h"
#include "ui/frmRules.h"
#include "ui/keys.h"
#include "ui/listBox.h"
#include "ui/mainLayout.h"
#include "ui/messageBox.h"
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
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>

#include <algorithm>
#include <functional>
#include <optional>

namespace ivc::ui {

namespace {

using namespace layout;

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

// The heading over a column of the weapon grid.
void addHeading(QWidget* frame, const GridColumn& col, int width, const QString& tip) {
    auto* heading = new QLabel(qs(col.heading), frame);
    const bool number = col.isList && col.list == ListId::Number;
    heading->setObjectName(QStringLiteral("lblHeading") + qs(col.heading).remove(QLatin1Char(' ')));
    applyFont(heading, number ? kBold18 : kPlain);
    heading->setAlignment(Qt::AlignHCenter | Qt::AlignBottom);
    heading->setWordWrap(true);
    heading->setToolTip(tip);
    // Centred over its column, as wide as the gap to its neighbours allows.
    constexpr int span = 700;
    const int centre = col.x + width / 2;
    place(heading, {centre - span / 2, kHeadingTop - 120, span, kGridTop - kHeadingTop}, 0);
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
    buildStatusBar();
    // Connected after the window's own handler, so the model holds the new name already.
    connect(m_name, &QLineEdit::textChanged, this,
            [this] { m_history->record(m_model, QStringLiteral("Vehicle Name"), true); });
    refresh();

    m_central->setFixedSize(twips(kClientWidth), twips(kClientHeight));
    // Polished first: the menu bar's style and font, and so its height, come with it.
    menuBar()->ensurePolished();
    fitToScreen(*this, {m_central->width(), m_central->height() + menuBar()->sizeHint().height() +
                                                statusBar()->sizeHint().height()});
    setPalette(withDistinctDisabled(QApplication::palette(this)));
    connectKeys();
    connect(m_name, &QLineEdit::textChanged, this, &FrmMain::showEntryTitle);
    FrmForce::watchMain(*this);
}

FrmMain::~FrmMain() = default;

// The points the design would total now, under the window; it only reads the model.
void FrmMain::buildStatusBar() {
    statusBar()->setSizeGripEnabled(false); // the window keeps its size
    m_runningTotal = new QLabel(statusBar());
    m_runningTotal->setObjectName(QStringLiteral("lblRunningTotal"));
    // The bar takes its height from its label as it is added: an empty label is lower.
    m_runningTotal->setText(QString::fromStdString(m_model.runningTotalText()));
    statusBar()->addWidget(m_runningTotal, 1);
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
    connect(m_name, &QLineEdit::textChanged, this,
            [this](const QString& text) { m_model.setName(text.toStdString()); });
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
        connectBox(box, {o.box, 0});
    }
    for (const ButtonPlace& b : kButtonPlaces) {
        QWidget* parent = container(b.parent);
        auto* button = new QPushButton(QString::fromUtf8(b.caption), parent);
        button->setObjectName(qs(info(b.id).name));
        button->setAutoDefault(false);
        applyFont(button, b.font);
        place(button, b.at, offsetOf(b.parent));
        m_buttons[static_cast<std::size_t>(b.id)] = button;
        connect(button, &QPushButton::clicked, this, [this, id = b.id] {
            m_model.press(id);
            afterChange(id);
        });
    }
    orderTabChain();
    // The Weapons tab's grid is not in the first sight of the window: it is built when its
    // tab is first shown or, at the latest, once the window has first painted itself.
    connect(m_tabs, &QTabWidget::currentChanged, this, [this] {
        if (m_tabs->currentWidget() == m_weaponsPage)
            ensureWeaponGrid();
    });
}

bool FrmMain::event(QEvent* event) {
    if (event->type() == QEvent::Paint && !m_painted) {
        m_painted = true;
        QTimer::singleShot(0, this, [this] {
            ensureWeaponGrid();
            emit firstPainted();
        });
    }
    return QMainWindow::event(event);
}

void FrmMain::ensureWeaponGrid() {
    if (m_gridBuilt)
        return;
    m_gridBuilt = true;
    buildWeaponGrid();
    orderTabChain();
    refresh();
    // Made after their frame was shown, the controls are shown with it only when told so.
    QWidget* frame = m_frames[static_cast<std::size_t>(FrameId::Weap)];
    if (frame->isVisible()) {
        for (QWidget* control : frame->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            control->show();
    }
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
        connectList(list, {l.id, 0});
    }
    for (const auto& [label, id] : m_captions)
        label->setBuddy(m_lists[static_cast<std::size_t>(id)].front());
}

QWidget* FrmMain::listAt(ListId id, int slot) const {
    return m_lists[static_cast<std::size_t>(id)][static_cast<std::size_t>(slot)];
}

QWidget* FrmMain::boxAt(CheckId id, int slot) const {
    return m_checks[static_cast<std::size_t>(id)][static_cast<std::size_t>(slot)];
}

// Tab follows the road of a design: name, hull, armour, options, close combat, weapons,
// then the commands.
void FrmMain::orderTabChain() {
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
    for (QWidget* w : specialChain())
        chain.push_back(w);
    for (QWidget* w : {listAt(ListId::CCW), listAt(ListId::Attacks), boxAt(CheckId::Ferocious)})
        chain.push_back(w);
    for (int s = 0; m_gridBuilt && s < kSlots; ++s) {
        for (const GridColumn& col : kGrid)
            chain.push_back(col.isList ? listAt(col.list, s) : boxAt(col.check, s));
    }
    for (ButtonId id : {ButtonId::Calculate, ButtonId::Reset, ButtonId::Print, ButtonId::Exit})
        chain.push_back(buttonAt(id));
    for (std::size_t i = 1; i < chain.size(); ++i)
        QWidget::setTabOrder(chain[i - 1], chain[i]);
}

// The special options row by row, left to right; a count list comes just before the box
// that prices it, since its number is picked first.
std::vector<QWidget*> FrmMain::specialChain() const {
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
    std::vector<QWidget*> chain;
    for (const auto& entry : special)
        chain.push_back(entry.second);
    return chain;
}

void FrmMain::buildWeaponGrid() {
    QWidget* frame = m_frames[static_cast<std::size_t>(FrameId::Weap)];
    for (const GridColumn& col : kGrid) {
        const int width = col.isList ? col.width : kCheckSize;
        const QString tip = ruleTip(col.rule);
        if (!col.heading.empty())
            addHeading(frame, col, width, tip);
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
                connectList(list, {col.list, s});
            } else {
                auto* box = new QCheckBox(frame);
                box->setObjectName(QString::fromStdString(ivc::objectName({col.check, s})));
                box->setAccessibleName(slotName + qs(col.spoken));
                box->setToolTip(tip);
                place(box, at, 0);
                m_checks[static_cast<std::size_t>(col.check)].push_back(box);
                connectBox(box, {col.check, s});
            }
        }
    }
}

// Each change hands its undo step the control it came through.
void FrmMain::connectList(QComboBox* list, ListRef ref) {
    connect(list, &QComboBox::currentIndexChanged, this, [this, ref](int row) {
        m_model.select(ref, row);
        afterChange(ref);
    });
}

void FrmMain::connectBox(QCheckBox* box, CheckRef ref) {
    connect(box, &QCheckBox::toggled, this, [this, ref](bool on) {
        m_model.setChecked(ref, on);
        afterChange(ref);
    });
}

void FrmMain::refresh() {
    refreshLists();
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
    m_runningTotal->setText(QString::fromStdString(m_model.runningTotalText()));
}

// A list's rows are rewritten only when they changed.
void FrmMain::refreshLists() {
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

} // namespace ivc::ui
