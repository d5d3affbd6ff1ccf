#pragma once

#include "core/model.h"

#include <QMainWindow>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <utility>
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

class FrmPrint;
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
    QUndoStack* undoStack() const { return m_undo; }
    // Prepares the printer that File > "&Print…" hands to the print dialog; tests point it
    // at a PDF file.
    void setPrinterSetup(std::function<void(QPrinter&)> setup) {
        m_printerSetup = std::move(setup);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void buildMenus();
    void buildControls();
    void buildWeaponGrid();
    void orderTabChain();
    void connectControls();
    void connectKeys();
    void mirrorCaptions();
    QWidget* container(Parent p) const;

    // Writes the model's state into every widget without running any handler.
    void refresh();
    // Runs after each change the user makes: refresh, then what the model asks for.
    void afterChange();
    void showCard();
    void exitProgram();
    void openRules();
    void openAbout();

    // Design files and undo.
    friend class ModelStep;
    void buildFileMenus();
    void wireUndo();
    void recordStep();
    void recordNameStep();
    void restore(const MainModel& model);
    bool maybeSave();
    bool save();
    bool saveAs();
    bool saveFile(const QString& path);
    void openWithDialog();
    void setCurrentFile(const QString& path);

    // Sharing the card.
    bool runTotal();
    void exportWithDialog();
    void copyTextCard();
    void printWithDialog();

    MainModel m_model;
    MainModel m_lastStep; // the model as the last undo step left it
    QUndoStack* m_undo = nullptr;
    QString m_path; // the file the design was last opened from or saved to
    std::array<std::vector<QComboBox*>, kListIds> m_lists;
    std::array<std::vector<QCheckBox*>, kCheckIds> m_checks;
    std::array<QLabel*, kLabelCount> m_labels{};
    std::array<QGroupBox*, kFrameCount> m_frames{};
    std::array<QPushButton*, kButtonCount> m_buttons{};
    // Static captions and the lists they name.
    std::vector<std::pair<QLabel*, ListId>> m_captions;
    // Rows last written into each list, so refresh() only rewrites lists that changed.
    std::array<std::vector<std::vector<std::string>>, kListIds> m_shownRows;
    QTabWidget* m_tabs = nullptr;
    QWidget* m_central = nullptr;
    QWidget* m_generalPage = nullptr;
    QWidget* m_weaponsPage = nullptr;
    QLineEdit* m_name = nullptr;
    std::unique_ptr<FrmPrint> m_print;
    std::function<void(QPrinter&)> m_printerSetup;
};

} // namespace ivc::ui
