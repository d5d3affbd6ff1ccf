#pragma once

#include "core/model.h"

#include <QMainWindow>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <utility>
#include <variant>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QTabWidget;
class QUndoStack;
class QWidget;

namespace ivc::ui {

class Document;
class FrmForce;
class FrmPrint;
class RecentFiles;
template <typename State> class History;
enum class Parent : int; // the containers the main window's controls are placed in

// The main window. It owns the design (a MainModel), forwards every change the user
// makes to it and writes the model's state back into the widgets afterwards.
class FrmMain : public QMainWindow {
    Q_OBJECT
public:
    explicit FrmMain(QWidget* parent = nullptr);
    ~FrmMain() override;

    const MainModel& model() const { return m_model; }
    // The card window, once "&Print" has created it.
    FrmPrint* cardWindow() const { return m_print.get(); }

    // Opens a design file in place of the design in hand, without asking; a file that
    // cannot be opened is told in a message and leaves the design as it was.
    bool openFile(const QString& path);
    // Every user change as one step, for Edit > Undo and Redo.
    QUndoStack* undoStack() const;
    // Prepares the printer that File > "&Print…" hands to the print dialog; tests point it
    // at a PDF file.
    void setPrinterSetup(std::function<void(QPrinter&)> setup) {
        m_printerSetup = std::move(setup);
    }

    // ---- The force window, made on first use (existingForceWindow() is null before).
    FrmForce* forceWindow();
    FrmForce* existingForceWindow() const { return m_force; }
    // A design in place of the one in hand, from no file (an entry of the force, the
    // clipboard), after the unsaved-changes question: false when the user keeps the design
    // in hand. `title` is the window's title then; a named `step` makes the change undoable.
    bool takeDesign(const MainModel& model, const QString& title, const QString& step = {});
    // While the design in hand was taken from the force, the title says so.
    void showEntryTitle();
    // The Weapons tab's grid is built when its tab is first shown or once the window has
    // first painted itself; this builds it now, for a caller that reaches its controls
    // before either.
    void ensureWeaponGrid();

signals:
    // Once, just after the window has first painted itself: what the first sight does not
    // need can follow then.
    void firstPainted();

protected:
    bool event(QEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    // The control a change came through, which names its step in Edit > Undo.
    using Source = std::variant<ListRef, CheckRef, ButtonId>;

    void buildMenus();
    void buildFileMenus();
    void buildEditMenu();
    void buildRecentMenu();
    void buildStatusBar();
    void buildClientArea();
    void buildControls();
    void buildLabels();
    void buildLists();
    void buildWeaponGrid();
    void orderTabChain();
    std::vector<QWidget*> specialChain() const;
    QWidget* listAt(ListId id, int slot = 0) const;
    QWidget* boxAt(CheckId id, int slot = 0) const;
    void connectList(QComboBox* list, ListRef ref);
    void connectBox(QCheckBox* box, CheckRef ref);
    void connectKeys();
    void wireDocument();
    void mirrorCaptions();
    QWidget* container(Parent p) const;
    QString stepName(const Source& source) const;

    // Writes the model's state into every widget without running any handler.
    void refresh();
    void refreshLists();
    // Runs after each change the user makes: refresh, then what the model asks for, then
    // the change's undo step.
    void afterChange(const Source& source);
    void restore(const MainModel& model);
    bool openDesign(const QString& path, QString& message);
    // File > "&New": the design the program starts with, as one undo step.
    void newDesign();
    void showCard();
    void exitProgram();
    void openRules();
    void openAbout();

    // Sharing the card.
    bool runTotal();
    void exportCard();
    void copyTextCard();
    void printCard();

    MainModel m_model;
    Document* m_document = nullptr;
    std::unique_ptr<History<MainModel>> m_history;
    std::array<std::vector<QComboBox*>, kListIds> m_lists;
    std::array<std::vector<QCheckBox*>, kCheckIds> m_checks;
    std::array<QLabel*, kLabelCount> m_labels{};
    std::array<QGroupBox*, kFrameCount> m_frames{};
    std::array<QPushButton*, kButtonCount> m_buttons{};
    // Static captions and the lists they name.
    std::vector<std::pair<QLabel*, ListId>> m_captions;
    // Rows last written into each list, so refresh() only rewrites lists that changed.
    std::array<std::vector<std::vector<std::string>>, kListIds> m_shownRows;
    bool m_gridBuilt = false;
    bool m_painted = false;
    QTabWidget* m_tabs = nullptr;
    QWidget* m_central = nullptr;
    QWidget* m_generalPage = nullptr;
    QWidget* m_weaponsPage = nullptr;
    QLineEdit* m_name = nullptr;
    QLabel* m_runningTotal = nullptr;
    RecentFiles* m_recent = nullptr;
    std::unique_ptr<FrmPrint> m_print;
    std::function<void(QPrinter&)> m_printerSetup;

    // The force window's menu, and designs on the clipboard.
    void buildForceMenu();
    void copyDesign();
    void pasteDesign();
    FrmForce* m_force = nullptr;
};

} // namespace ivc::ui
