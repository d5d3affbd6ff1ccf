#include "ui/frmMain.h"

#include "core/card.h"
#include "core/design.h"
#include "io/designFile.h"
#include "ui/document.h"
#include "ui/frmAbout.h"
#include "ui/frmForce.h"
#include "ui/frmRules.h"
#include "ui/mainLayout.h"
#include "ui/messageBox.h"
#include "ui/recentFiles.h"
#include "ui/sharing.h"

#include <QLineEdit>
#include <QMenuBar>
#include <QSignalBlocker>
#include <QUndoStack>

#include <algorithm>
#include <functional>

// The main window's menus: the design as a document (File's open and save, Edit's undo and
// redo), sharing its card, the force window, and the help windows.
namespace ivc::ui {

using namespace layout;

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
    const std::array<Entry, 6> entries = {{
        {"mnuNew", "&New", QKeySequence(Qt::CTRL | Qt::Key_N), [this] { newDesign(); }},
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
    buildRecentMenu();
}

// File > "Open &Recent", after "&Open…": the designs last opened or saved.
void FrmMain::buildRecentMenu() {
    QMenu* file = menuBar()->findChild<QMenu*>(QStringLiteral("mnuFile"));
    auto* recent = new QMenu(QStringLiteral("Open &Recent"), file);
    recent->setObjectName(QStringLiteral("mnuRecent"));
    recent->menuAction()->setObjectName(QStringLiteral("mnuRecentMenu"));
    file->insertMenu(findChild<QAction*>(QStringLiteral("mnuSave")), recent);
    m_recent = new RecentFiles(QStringLiteral("recentDesigns"), this);
    m_recent->attach(recent, {this, [this] { return m_document->maybeSave(); },
                              [this](const QString& path) { m_document->openFile(path); }});
    connect(m_document, &Document::fileChanged, m_recent, &RecentFiles::add);
}

void FrmMain::newDesign() {
    if (!m_document->maybeSave())
        return;
    restore(MainModel());
    m_document->forgetFile();
    m_tabs->setCurrentWidget(m_generalPage);
    m_history->record(m_model, QStringLiteral("New"));
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
