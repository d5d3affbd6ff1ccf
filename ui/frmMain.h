#pragma once

#include "core/model.h"

#include <QMainWindow>

#include <array>
#include <memory>
#include <utility>
#include <vector>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void changeEvent(QEvent* event) override;

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

    MainModel m_model;
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
};

} // namespace ivc::ui
