#pragma once

#include "core/controls.h"
#include "core/record.h"

#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace ivc {

struct OptionRow;
struct UpgradeRow;

// A message box for the window to show: modal, no icon, with these buttons.
struct Message {
    enum class Buttons { Ok, YesNo };
    std::string title;
    std::string text;
    Buttons buttons = Buttons::Ok;
    bool operator==(const Message&) const = default;
};

// What "&Calculate" would show if pressed now, for a status line that follows every
// change. `points` is the total when there is one.
struct RunningTotal {
    enum class State {
        BeforeArmor, // "&Calculate" cannot be pressed yet
        OutOfRange,  // the total leaves the 16-bit range
        Shown,       // lblPoints is empty or shows this total
        Stale        // lblPoints shows a figure the design no longer has
    };
    State state = State::BeforeArmor;
    std::optional<i16> points;
    std::string text;
    bool operator==(const RunningTotal&) const = default;
};

// The message "&Calculate" gives for a total out of the 16-bit range.
inline constexpr const char* kTotalOutOfRange = "The points total is out of range.";

// Something only the window can do.
enum class Request { Exit, ShowCard };

using Effect = std::variant<Message, Request>;

// The points total of a record and the close-combat cost caption; nullopt when a sum
// or product leaves the 16-bit range.
std::optional<i16> pointsTotal(const DesignRecord& rec, const std::string& closeCombatCaption);

// The main window without a window: the design record, the state of every control,
// and each control's handler. Changing a control's state through select() or
// setChecked() runs that control's handler at once, and a handler that changes another
// control runs that control's handler nested, before it goes on, as a user's change
// would. Messages and requests for the window collect in an outbox.
class MainModel {
public:
    // Creation with the design-time states, followed by the load's reset.
    MainModel();

    const DesignRecord& record() const { return m_rec; }
    const Controls& controls() const { return m_ui; }
    const ListState& list(ListRef r) const { return m_ui.list(r); }
    const CheckState& check(CheckRef r) const { return m_ui.check(r); }
    const std::string& caption(LabelId id) const { return m_ui.label(id); }
    bool frameEnabled(FrameId id) const { return m_ui.frame(id); }
    bool buttonEnabled(ButtonId id) const { return m_ui.button(id); }
    const std::string& name() const { return m_ui.name; }

    // Whether a user could reach the control: it and its frame are enabled.
    bool usable(ListRef r) const;
    bool usable(CheckRef r) const;
    bool usable(ButtonId id) const;

    // Changes as the user (or code) makes them. A change to the state a control
    // already has runs nothing.
    void select(ListRef r, int row);
    void setChecked(CheckRef r, bool checked);
    void press(ButtonId id);
    void setName(std::string name) { m_ui.name = std::move(name); }

    // The points total of the design in hand; nullopt when it leaves the 16-bit range.
    std::optional<i16> total() const { return pointsTotal(m_rec, caption(LabelId::CCWCost)); }

    // What "&Calculate" would total now, against what lblPoints shows; changes nothing.
    RunningTotal runningTotal() const;
    std::string runningTotalText() const { return runningTotal().text; }

    // Messages and requests raised since the last call, in order.
    std::vector<Effect> takeEffects();

private:
    // Handlers, named after their controls.
    void lstRace_Click();
    void lstType_Click();
    void lstSize_Click();
    void cmdNext1_Click();
    void applyHull(int type, int size);
    void cmdNext4_Click();
    void priceFacings(int front, int side, int rear);
    void openEquipment();
    void lstStructure_Click();
    void lstWpn1_Click(int s);
    void upgrade_Click(const UpgradeRow& upgrade, int s);
    void upgradeList_Click(ListRef r); // lstBattery, lstSlow
    void lstNumber_Click(int s);
    void option_Click(const OptionRow& option);
    void lstTransport_Click();
    void chkTransport_Click();
    void chkSouped_Click();
    void fieldList_Click(const OptionRow& field);
    void fieldBox_Click(const OptionRow& field);
    void lstCCW_Click();
    void lstAttacks_Click();
    void chkFerocious_Click();
    bool cmdCalculate_Click();
    void cmdPrint_Click();
    void cmdReset_Click();
    // The reset's steps, in their order.
    void resetSlot(int s);
    void resetOptions();
    void resetHull();
    void resetToStartUp();

    void runListHandler(ListRef r);
    void runCheckHandler(CheckRef r);
    void applyCountRule(int k);
    void priceCount(const OptionRow& option);
    void showCloseCombatCost();
    void fill(ListId id, int slot, const std::vector<std::string>& rows);
    void setEnabled(ListRef r, bool on) { m_ui.list(r).enabled = on; }
    void setEnabled(CheckRef r, bool on) { m_ui.check(r).enabled = on; }
    void setEnabled(const UpgradeRow& upgrade, int s, bool on);
    bool checked(CheckRef r) const { return m_ui.check(r).checked; }
    int selected(ListRef r) const { return m_ui.list(r).selected; }
    int structurePoints() const;
    void message(std::string title, std::string text);

    DesignRecord m_rec;
    Controls m_ui;
    std::vector<Effect> m_effects;
};

} // namespace ivc
