#pragma once

#include "core/force.h"

#include <QMainWindow>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

class QLabel;
class QLineEdit;
class QPrinter;
class QPushButton;
class QSpinBox;
class QTableView;
class QUndoStack;
class QVBoxLayout;

namespace ivc::ui {

class Document;
class ForceModel;
class FrmMain;
template <typename State> class History;

// The force window: several designs fielded together, their points against a limit, kept
// in a force file. A top-level window of its own beside the main window, which owns it:
// it takes the main window's design as an entry and hands an entry's design back to it.
class FrmForce : public QMainWindow {
    Q_OBJECT
public:
    explicit FrmForce(FrmMain& main);
    ~FrmForce() override;

    const Force& force() const;
    ForceModel& model() const { return *m_model; }
    Document& document() const { return *m_document; }
    QUndoStack* undoStack() const;

    // Opens a force file in place of the force in hand, without asking; a file that cannot
    // be opened is told and leaves the force as it was.
    bool openFile(const QString& path);
    // Appends a design as an entry, priced as "&Calculate" prices it; a design the rules
    // refuse is told with the refusal, and false returned.
    bool addDesign(const Design& design);
    // Appends design files, each checked as Open checks it. The files that cannot be added
    // are told in one message, each with its reason; the others are added, as one step.
    void addFiles(const QStringList& paths);
    // The entry's design into the main window, after the main window's own question.
    void editEntry(int row);
    // The main window's design in hand back into the entry it was taken from.
    void updateEntry();
    // The main window holds a design of its own again.
    void unlink();
    // The main window's title while it holds an entry's design: "Warden — from Strike
    // Group"; empty when it holds none.
    QString linkTitle(const QString& designName) const;
    // Prepares the printer that "&Print Force…" hands to the print dialog; tests point it at
    // a PDF file.
    void setPrinterSetup(std::function<void(QPrinter&)> setup) {
        m_printerSetup = std::move(setup);
    }

    // Makes the main window hand dropped force files to its force window and ask the
    // force's unsaved-changes question when the program ends through it.
    static void watchMain(FrmMain& main);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    QTableView* buildTable(QWidget* parent);
    QVBoxLayout* buildFooter(QWidget* parent);
    void buildFileMenu();
    void buildEditMenu();
    void wireDocument();
    void connectControls();
    static QString stepFor(const Force& force, const char* verb, const std::vector<int>& rows);

    // A change of the whole force as one undo step; `select` is the row to select after.
    void apply(const Force& force, const QString& step, int select = -1);
    void restore(const Force& force);
    void refreshTotal();
    void updateButtons();
    std::vector<int> selectedRows() const;
    int currentRow() const;

    void newForce();
    void removeSelected();
    void move(bool up);
    void addFilesWithDialog();
    void exportForce();
    void printForce();
    void copyText();
    void copyDesign();
    void pasteDesign();

    FrmMain& m_main;
    ForceModel* m_model = nullptr;
    Document* m_document = nullptr;
    std::unique_ptr<History<Force>> m_history;
    QLineEdit* m_name = nullptr;
    QSpinBox* m_limit = nullptr;
    QTableView* m_table = nullptr;
    QLabel* m_total = nullptr;
    QLabel* m_warning = nullptr;
    std::vector<QPushButton*> m_buttons;
    // Every design the entry the main window took has held, so that undo and redo of its
    // updates still find it.
    std::vector<std::shared_ptr<const Design>> m_linked;
    std::function<void(QPrinter&)> m_printerSetup;
};

} // namespace ivc::ui
