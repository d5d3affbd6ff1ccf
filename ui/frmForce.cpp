#include "ui/frmForce.h"

#include "core/card.h"
#include "core/design.h"
#include "io/designFile.h"
#include "io/forceFile.h"
#include "ui/cardExport.h"
#include "ui/document.h"
#include "ui/forceExport.h"
#include "ui/forceModel.h"
#include "ui/frmMain.h"
#include "ui/keys.h"
#include "ui/messageBox.h"
#include "ui/recentFiles.h"
#include "ui/sharing.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPushButton>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QStyledItemDelegate>
#include <QTableView>
#include <QUndoStack>
#include <QVBoxLayout>

#include <algorithm>
#include <array>
#include <utility>

namespace ivc::ui {
namespace {

const QString kDash = QStringLiteral(" \u2014 ");
// The over-limit state beside its words: a dark red that reads on light and dark grey.
const QColor kWarning(0xb0, 0x00, 0x20);

QString qs(const std::string& s) {
    return QString::fromStdString(s);
}

// Count is edited with a spin box bounded as a count is.
class CountDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override {
        QWidget* editor = QStyledItemDelegate::createEditor(parent, option, index);
        if (auto* spin = qobject_cast<QSpinBox*>(editor)) {
            spin->setRange(Force::kMinCount, Force::kMaxCount);
            spin->setAccessibleName(QStringLiteral("Count"));
        }
        return editor;
    }
};

struct ButtonRow {
    const char* name;
    const char* caption;
};
constexpr std::array<ButtonRow, 6> kButtons = {{
    {"cmdForceAdd", "&Add This Design"},
    {"cmdForceAddFiles", "Add &Files\u2026"},
    {"cmdForceEdit", "&Edit"},
    {"cmdForceRemove", "&Remove"},
    {"cmdForceUp", "Move &Up"},
    {"cmdForceDown", "Move &Down"},
}};
enum ButtonIndex : std::size_t { Add, AddFiles, Edit, Remove, Up, Down };

// The local files of one suffix among dropped data.
QStringList droppedFiles(const QMimeData* data, const char* suffix) {
    QStringList paths;
    for (const QUrl& url : data != nullptr ? data->urls() : QList<QUrl>()) {
        if (url.isLocalFile() && QFileInfo(url.toLocalFile())
                                         .suffix()
                                         .compare(QLatin1String(suffix), Qt::CaseInsensitive) == 0)
            paths << url.toLocalFile();
    }
    return paths;
}

// The main window's side of the force: force files dropped on it open in the force window,
// and the program's end through it asks the force's question first.
class MainWatch : public QObject {
public:
    explicit MainWatch(FrmMain& main) : QObject(&main), m_main(main) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (watched != &m_main)
            return false;
        if (event->type() == QEvent::Close) {
            FrmForce* force = m_main.existingForceWindow();
            if (force == nullptr || force->document().maybeSave())
                return false; // the design's own question follows
            event->ignore();
            return true;
        }
        const bool enter = event->type() == QEvent::DragEnter;
        if (!enter && event->type() != QEvent::Drop)
            return false;
        auto* drop = static_cast<QDropEvent*>(event);
        const QStringList files = droppedFiles(drop->mimeData(), io::kForceSuffix);
        if (files.size() != 1)
            return false;
        drop->acceptProposedAction();
        if (!enter) {
            FrmForce* force = m_main.forceWindow();
            force->show();
            if (force->document().maybeSave())
                force->openFile(files.front());
        }
        return true;
    }

private:
    FrmMain& m_main;
};

} // namespace

void FrmForce::watchMain(FrmMain& main) {
    main.installEventFilter(new MainWatch(main));
}

FrmForce::FrmForce(FrmMain& main)
    : QMainWindow(&main, Qt::Window), m_main(main), m_model(new ForceModel(this)) {
    setObjectName(QStringLiteral("frmForce"));
    setWindowTitle(QStringLiteral("Force") + kDash + QStringLiteral("Ironvale Vehicle Creator"));
    wireDocument();
    buildFileMenu();
    buildEditMenu();
    buildControls();
    connectControls();
    keys::settleAccessKeys(this, {m_buttons.begin(), m_buttons.end()});
    installEventFilter(this); // after the document's, so that it sees design files first
    refreshTotal();
    updateButtons();
    resize(760, 460);
}

FrmForce::~FrmForce() = default;

const Force& FrmForce::force() const {
    return m_model->force();
}

QUndoStack* FrmForce::undoStack() const {
    return m_document->undoStack();
}

void FrmForce::wireDocument() {
    const QString suffix = QLatin1String(io::kForceSuffix);
    const FileKind kind{suffix, QStringLiteral("Ironvale forces (*.%1)").arg(suffix),
                        QStringLiteral("Save Force"), QStringLiteral("Open Force"),
                        QStringLiteral("Save changes to this force?")};
    DocumentContent content;
    content.save = [this](const QString& path) { return io::saveForce(path, force()); };
    content.open = [this](const QString& path) {
        io::OpenedForce opened = io::openForce(path);
        if (!opened.force)
            return DocumentContent::Opened{false, opened.error};
        m_history->reset(*opened.force);
        restore(*opened.force);
        return DocumentContent::Opened{true, opened.notes.join('\n')};
    };
    content.isFresh = [this] { return force() == Force(); };
    content.name = [this] { return qs(force().name()); };
    m_document = new Document(this, kind, std::move(content));
    m_history = std::make_unique<History<Force>>(
        *m_document->undoStack(), Force(), [this](const Force& f) { restore(f); },
        [](const Force& a, const Force& b) { return a == b; });
}

// Name and limit with their buddy labels, the table, the total with its warning, the
// buttons, in that Tab order.
void FrmForce::buildControls() {
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    auto* top = new QHBoxLayout;
    m_name = new QLineEdit(central);
    m_name->setObjectName(QStringLiteral("txtForceName"));
    m_limit = new QSpinBox(central);
    m_limit->setObjectName(QStringLiteral("spnLimit"));
    m_limit->setRange(0, Force::kMaxLimit);
    m_limit->setSingleStep(Force::kLimitStep);
    m_limit->setSpecialValueText(QStringLiteral("None"));
    m_limit->setGroupSeparatorShown(true);
    m_limit->setKeyboardTracking(false); // one step for a typed limit, not one a digit
    for (const auto& [caption, buddy] : {std::pair{"&Name:", static_cast<QWidget*>(m_name)},
                                         std::pair{"&Limit:", static_cast<QWidget*>(m_limit)}}) {
        auto* label = new QLabel(QString::fromUtf8(caption), central);
        label->setBuddy(buddy);
        top->addWidget(label);
        top->addWidget(buddy, buddy == m_name ? 1 : 0);
    }
    m_name->setAccessibleName(QStringLiteral("Force name"));
    m_limit->setAccessibleName(QStringLiteral("Points limit"));
    column->addLayout(top);

    column->addWidget(buildTable(central), 1);
    column->addLayout(buildFooter(central));
    setCentralWidget(central);
    QWidget::setTabOrder(m_name, m_limit);
    QWidget::setTabOrder(m_limit, m_table);
    QWidget::setTabOrder(m_table, m_buttons.front());
    for (std::size_t k = 1; k < m_buttons.size(); ++k)
        QWidget::setTabOrder(m_buttons[k - 1], m_buttons[k]);
}

// Count edited in place with its own spin box; a double-click edits the entry instead.
QTableView* FrmForce::buildTable(QWidget* parent) {
    m_table = new QTableView(parent);
    m_table->setObjectName(QStringLiteral("tblForce"));
    m_table->setAccessibleName(QStringLiteral("Entries"));
    m_table->setModel(m_model);
    m_table->setItemDelegateForColumn(ForceModel::Count, new CountDelegate(m_table));
    m_table->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_table->setSelectionMode(QAbstractItemView::ExtendedSelection);
    m_table->setEditTriggers(QAbstractItemView::EditKeyPressed |
                             QAbstractItemView::SelectedClicked | QAbstractItemView::AnyKeyPressed);
    m_table->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    m_table->horizontalHeader()->setSectionResizeMode(ForceModel::Name, QHeaderView::Stretch);
    return m_table;
}

// The total with its warning icon, then the buttons.
QVBoxLayout* FrmForce::buildFooter(QWidget* parent) {
    auto* totalRow = new QHBoxLayout;
    m_warning = new QLabel(parent);
    m_warning->setObjectName(QStringLiteral("lblForceWarning"));
    const int icon = style()->pixelMetric(QStyle::PM_SmallIconSize);
    m_warning->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(icon, icon));
    m_warning->setAccessibleName(QStringLiteral("Over the limit"));
    m_total = new QLabel(parent);
    m_total->setObjectName(QStringLiteral("lblForceTotal"));
    totalRow->addWidget(m_warning);
    totalRow->addWidget(m_total, 1);

    auto* buttons = new QHBoxLayout;
    for (const ButtonRow& b : kButtons) {
        auto* button = new QPushButton(QString::fromUtf8(b.caption), parent);
        button->setObjectName(QString::fromLatin1(b.name));
        buttons->addWidget(button);
        m_buttons.push_back(button);
    }
    buttons->addStretch(1);
    auto* footer = new QVBoxLayout;
    footer->addLayout(totalRow);
    footer->addLayout(buttons);
    return footer;
}

void FrmForce::connectControls() {
    connect(m_name, &QLineEdit::textChanged, this, [this](const QString& text) {
        m_model->setName(text.toStdString());
        m_history->record(force(), QStringLiteral("Force Name"), true);
        m_main.showEntryTitle();
    });
    connect(m_limit, &QSpinBox::valueChanged, this, [this](int limit) {
        m_model->setLimit(limit);
        m_history->record(force(), limit == 0
                                       ? QStringLiteral("No Limit")
                                       : QStringLiteral("Limit %1").arg(qs(withThousands(limit))));
        refreshTotal();
    });
    connect(m_model, &ForceModel::edited, this, [this](const QString& step) {
        m_history->record(force(), step);
        refreshTotal();
    });
    connect(m_table->selectionModel(), &QItemSelectionModel::selectionChanged, this,
            &FrmForce::updateButtons);
    connect(m_table, &QTableView::doubleClicked, this,
            [this](const QModelIndex& index) { editEntry(index.row()); });
    auto* remove = new QAction(QStringLiteral("Remove"), m_table);
    remove->setShortcut(QKeySequence::Delete);
    remove->setShortcutContext(Qt::WidgetShortcut);
    m_table->addAction(remove);
    connect(remove, &QAction::triggered, this, &FrmForce::removeSelected);
    connect(m_buttons[Add], &QPushButton::clicked, this,
            [this] { addDesign(capture(m_main.model())); });
    connect(m_buttons[AddFiles], &QPushButton::clicked, this, &FrmForce::addFilesWithDialog);
    connect(m_buttons[Edit], &QPushButton::clicked, this, [this] { editEntry(currentRow()); });
    connect(m_buttons[Remove], &QPushButton::clicked, this, &FrmForce::removeSelected);
    connect(m_buttons[Up], &QPushButton::clicked, this, [this] { move(true); });
    connect(m_buttons[Down], &QPushButton::clicked, this, [this] { move(false); });
}

namespace {

struct MenuEntry {
    const char* name;
    const char* caption;
    QKeySequence key;
    std::function<void()> run;
};

void addEntries(QWidget* owner, QMenu* menu, const std::vector<MenuEntry>& entries) {
    for (const MenuEntry& e : entries) {
        if (e.name == nullptr) {
            menu->addSeparator();
            continue;
        }
        auto* action = new QAction(QString::fromUtf8(e.caption), menu);
        action->setObjectName(QString::fromLatin1(e.name));
        action->setShortcut(e.key);
        QObject::connect(action, &QAction::triggered, owner, e.run);
        menu->addAction(action);
    }
}

} // namespace

void FrmForce::buildFileMenu() {
    QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
    file->setObjectName(QStringLiteral("mnuForceFile"));
    addEntries(
        this, file,
        {{"mnuForceNew", "&New", QKeySequence::New, [this] { newForce(); }},
         {"mnuForceOpen", "&Open\u2026", QKeySequence::Open,
          [this] { m_document->openWithDialog(); }},
         {"mnuForceSave", "&Save", QKeySequence::Save, [this] { m_document->save(); }},
         {"mnuForceSaveAs", "Save &As\u2026", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S),
          [this] { m_document->saveAs(); }},
         {nullptr, nullptr, {}, {}},
         {"mnuForceExport", "E&xport Force\u2026", QKeySequence(Qt::CTRL | Qt::Key_E),
          [this] { exportForce(); }},
         {"mnuForcePrint", "&Print Force\u2026", QKeySequence::Print, [this] { printForce(); }},
         {nullptr, nullptr, {}, {}},
         {"mnuForceClose", "&Close", QKeySequence(Qt::CTRL | Qt::Key_W), [this] { close(); }}});
    // "Open &Recent", after "&Open…": the forces last opened or saved, a list of their own.
    auto* recent = new QMenu(QStringLiteral("Open &Recent"), file);
    recent->setObjectName(QStringLiteral("mnuForceRecent"));
    file->insertMenu(findChild<QAction*>(QStringLiteral("mnuForceSave")), recent);
    auto* files = new RecentFiles(QStringLiteral("recentForces"), this);
    files->attach(recent, {this, [this] { return m_document->maybeSave(); },
                           [this](const QString& path) { m_document->openFile(path); }});
    connect(m_document, &Document::fileChanged, files, &RecentFiles::add);
}

void FrmForce::buildEditMenu() {
    QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    edit->setObjectName(QStringLiteral("mnuForceEdit"));
    QAction* undo = undoStack()->createUndoAction(edit, QStringLiteral("&Undo"));
    undo->setObjectName(QStringLiteral("mnuForceUndo"));
    undo->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_Z));
    QAction* redo = undoStack()->createRedoAction(edit, QStringLiteral("&Redo"));
    redo->setObjectName(QStringLiteral("mnuForceRedo"));
    redo->setShortcuts(
        {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z), QKeySequence(Qt::CTRL | Qt::Key_Y)});
    edit->addActions({undo, redo});
    edit->addSeparator();
    addEntries(
        this, edit,
        {{"mnuForceCopyText", "Copy Force as &Text", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_C),
          [this] { copyText(); }},
         {"mnuForceCopyDesign", "Copy Design", QKeySequence::Copy, [this] { copyDesign(); }},
         {"mnuForcePasteDesign", "Paste Design", QKeySequence::Paste, [this] { pasteDesign(); }}});
}

// ---- Changes ---------------------------------------------------------------------------

void FrmForce::apply(const Force& f, const QString& step, int select) {
    m_model->setForce(f);
    m_history->record(f, step);
    refreshTotal();
    if (select >= 0 && select < m_model->rowCount())
        m_table->selectRow(select);
    updateButtons();
}

void FrmForce::restore(const Force& f) {
    m_model->setForce(f);
    if (m_name->text() != qs(f.name())) {
        const QSignalBlocker block(m_name);
        m_name->setText(qs(f.name()));
    }
    const QSignalBlocker block(m_limit);
    m_limit->setValue(f.limit());
    refreshTotal();
    updateButtons();
    m_main.showEntryTitle();
}

// The summary in words, so that the over-limit state is heard as well as seen.
void FrmForce::refreshTotal() {
    const QString text = qs(forceSummary(force()));
    const bool over = force().over() > 0;
    m_total->setText(text);
    m_total->setAccessibleName(text);
    // Only on a change of state: a new palette repaints the whole label.
    if (over != m_warning->isVisibleTo(this)) {
        QPalette palette = m_total->parentWidget()->palette();
        if (over)
            palette.setColor(QPalette::WindowText, kWarning);
        m_total->setPalette(palette);
    }
    m_warning->setVisible(over);
}

void FrmForce::updateButtons() {
    const std::vector<int> rows = selectedRows();
    const int row = currentRow();
    m_buttons[Edit]->setEnabled(row >= 0);
    m_buttons[Remove]->setEnabled(!rows.empty());
    m_buttons[Up]->setEnabled(row > 0);
    m_buttons[Down]->setEnabled(row >= 0 && row + 1 < m_model->rowCount());
}

std::vector<int> FrmForce::selectedRows() const {
    std::vector<int> rows;
    for (const QModelIndex& index : m_table->selectionModel()->selectedRows())
        rows.push_back(index.row());
    std::ranges::sort(rows);
    return rows;
}

// The one entry a button acts on: the selected row, when exactly one is selected.
int FrmForce::currentRow() const {
    const std::vector<int> rows = selectedRows();
    return rows.size() == 1 ? rows.front() : -1;
}

// "Remove Warden", or "Remove 3 Entries" for several.
QString FrmForce::stepFor(const Force& f, const char* verb, const std::vector<int>& rows) {
    const QString what = rows.size() == 1
                             ? entryName(f.entries()[static_cast<std::size_t>(rows.front())])
                             : QStringLiteral("%1 Entries").arg(rows.size());
    return QString::fromUtf8(verb) + ' ' + what;
}

void FrmForce::newForce() {
    if (!m_document->maybeSave())
        return;
    m_history->reset(Force());
    restore(Force());
    m_document->startUntitled();
}

bool FrmForce::addDesign(const Design& design) {
    Force f = force();
    const std::string refused = f.add(design);
    if (!refused.empty()) {
        ask(this, QStringLiteral("Add This Design"),
            QStringLiteral("Cannot add \"%1\": %2")
                .arg(qs(design.name.empty() ? "(no name)" : design.name), qs(refused)));
        return false;
    }
    apply(f, stepFor(f, "Add", {static_cast<int>(f.size()) - 1}), static_cast<int>(f.size()) - 1);
    return true;
}

void FrmForce::addFiles(const QStringList& paths) {
    Force f = force();
    QStringList failures;
    for (const QString& path : paths) {
        const io::Opened opened = io::openDesign(path);
        const std::string refused =
            opened.model ? f.add(capture(*opened.model)) : opened.error.toStdString();
        if (!refused.empty())
            failures << (opened.model ? QStringLiteral("Cannot add \"%1\": %2")
                                            .arg(QFileInfo(path).fileName(), qs(refused))
                                      : opened.error);
    }
    const int added = static_cast<int>(f.size() - force().size());
    if (added > 0)
        apply(f,
              added == 1 ? stepFor(f, "Add", {static_cast<int>(f.size()) - 1})
                         : QStringLiteral("Add %1 Designs").arg(added),
              static_cast<int>(f.size()) - 1);
    if (!failures.isEmpty())
        ask(this, QStringLiteral("Add Files"), failures.join('\n'));
}

void FrmForce::addFilesWithDialog() {
    QFileDialog dialog(
        this, QStringLiteral("Add Designs"), m_document->folder(),
        QStringLiteral("Ironvale vehicle designs (*.%1)").arg(QLatin1String(io::kSuffix)));
    dialog.setFileMode(QFileDialog::ExistingFiles);
    if (dialog.exec() == QDialog::Accepted)
        addFiles(dialog.selectedFiles());
}

void FrmForce::removeSelected() {
    const std::vector<int> rows = selectedRows();
    if (rows.empty())
        return;
    Force f = force();
    for (auto row = rows.rbegin(); row != rows.rend(); ++row)
        f.remove(static_cast<std::size_t>(*row));
    apply(f, stepFor(force(), "Remove", rows),
          std::min(rows.front(), static_cast<int>(f.size()) - 1));
}

void FrmForce::move(bool up) {
    const int row = currentRow();
    Force f = force();
    const auto index = static_cast<std::size_t>(row);
    if (row < 0 || !(up ? f.moveUp(index) : f.moveDown(index)))
        return;
    apply(f, stepFor(force(), up ? "Move Up" : "Move Down", {row}), up ? row - 1 : row + 1);
}

// ---- The main window's side ------------------------------------------------------------

void FrmForce::editEntry(int row) {
    if (row < 0 || row >= m_model->rowCount())
        return;
    const ForceEntry& entry = force().entries()[static_cast<std::size_t>(row)];
    const std::shared_ptr<const Design> design = entry.design;
    std::vector<std::shared_ptr<const Design>> previous = std::exchange(m_linked, {design});
    if (!m_main.takeDesign(replay(*design).model, linkTitle(entryName(entry)))) {
        m_linked = std::move(previous); // the user kept the design in hand
        return;
    }
    m_main.show();
    m_main.activateWindow();
}

QString FrmForce::linkTitle(const QString& designName) const {
    if (m_linked.empty())
        return {};
    const QString forceName =
        force().name().empty() ? QStringLiteral("the force") : qs(force().name());
    return (designName.isEmpty() ? QStringLiteral("(no name)") : designName) + kDash + "from " +
           forceName;
}

void FrmForce::unlink() {
    m_linked.clear();
}

void FrmForce::updateEntry() {
    const QString title = QStringLiteral("Update Force Entry");
    const auto& entries = force().entries();
    const auto found = std::ranges::find_if(entries, [this](const ForceEntry& e) {
        return std::ranges::find(m_linked, e.design) != m_linked.end();
    });
    if (found == entries.end()) {
        ask(this, title,
            m_linked.empty() ? QStringLiteral("The design in hand was not taken from the force.")
                             : QStringLiteral("The entry the design was taken from is no "
                                              "longer in the force."));
        return;
    }
    const auto row = static_cast<std::size_t>(found - entries.begin());
    Force f = force();
    const Design design = capture(m_main.model());
    const std::string refused = f.replace(row, design);
    if (!refused.empty()) {
        ask(this, title,
            QStringLiteral("Cannot update \"%1\": %2")
                .arg(entryName(f.entries()[row]), qs(refused)));
        return;
    }
    m_linked.push_back(f.entries()[row].design);
    apply(f, QStringLiteral("Update ") + entryName(f.entries()[row]), static_cast<int>(row));
}

// ---- Files and sharing -----------------------------------------------------------------

bool FrmForce::openFile(const QString& path) {
    return m_document->openFile(path);
}

void FrmForce::exportForce() {
    const QString name = force().name().empty() ? QStringLiteral("Force") : qs(force().name());
    QFileDialog dialog(this, QStringLiteral("Export Force"),
                       QDir(m_document->folder()).filePath(name + QStringLiteral(".pdf")),
                       QStringLiteral("PDF document (*.pdf)"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("pdf"));
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString error =
        ui::exportForce(dialog.selectedFiles().value(0), force(), localPaper(QLocale()));
    if (!error.isEmpty())
        ask(this, QStringLiteral("Export Force"), error);
}

void FrmForce::printForce() {
    sharing::printForceWithDialog(this, force(), m_printerSetup);
}

void FrmForce::copyText() {
    QGuiApplication::clipboard()->setText(qs(forceTextWithCards(force())));
}

void FrmForce::copyDesign() {
    const int row = currentRow();
    if (row < 0) {
        ask(this, QStringLiteral("Copy Design"), QStringLiteral("Select the entry to copy."));
        return;
    }
    const Design& design = *force().entries()[static_cast<std::size_t>(row)].design;
    sharing::copyDesign(design, makeCard(replay(design).model));
}

void FrmForce::pasteDesign() {
    const QString title = QStringLiteral("Paste Design");
    const auto bytes = sharing::clipboardDesign();
    const io::Parsed parsed = bytes ? io::fromJson(*bytes) : io::Parsed{};
    if (!bytes || !parsed.design) {
        ask(this, title,
            bytes ? QStringLiteral("The pasted design cannot be opened: ") + parsed.error
                  : QString::fromLatin1(sharing::kNoDesignOnClipboard));
        return;
    }
    addDesign(*parsed.design);
}

// Design files dropped on the window are added; force files are left to the document.
bool FrmForce::eventFilter(QObject* watched, QEvent* event) {
    const bool enter = event->type() == QEvent::DragEnter;
    if (watched != this || (!enter && event->type() != QEvent::Drop))
        return false;
    auto* drop = static_cast<QDropEvent*>(event);
    const QStringList files = droppedFiles(drop->mimeData(), io::kSuffix);
    if (files.isEmpty())
        return false;
    drop->acceptProposedAction();
    if (!enter)
        addFiles(files);
    return true;
}

} // namespace ivc::ui
