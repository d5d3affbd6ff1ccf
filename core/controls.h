#pragma once

#include "core/record.h"

#include <array>
#include <cstddef>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A window-free picture of the main window's controls: what every list holds and
// shows, what every box is ticked, which controls and frames are open, and the
// captions of the display labels. The window mirrors this state; the rules change it.
namespace ivc {

enum class FrameId { None, Race, Armor, Special, CCW, Weap };
inline constexpr std::size_t kFrameCount = 6; // FrameId::None included, never disabled

enum class ListId {
    Race,
    Type,
    Size,
    FArmor,
    SArmor,
    RArmor,
    Open,
    Transport,
    Structure,
    ConcordF,
    VeyraF,
    GrakF,
    CCW,
    Attacks,
    // one list per weapon slot
    Wpn1,
    Battery,
    Slow,
    Number,
};
inline constexpr std::size_t kListIds = 18;
constexpr bool isSlotArray(ListId id) {
    return id >= ListId::Wpn1;
}

enum class CheckId {
    Amphib,
    Tunneller,
    Wrecker,
    Souped,
    Lander,
    Skimmer,
    Recovery,
    Tow,
    Transport,
    Carriage,
    ConcordF,
    VeyraF,
    GrakF,
    Ferocious,
    // one box per weapon slot
    Blast1,
    Coax1,
    Gatling1,
    Long1,
    Short,
    Mega1,
    AA1,
    Targeter1,
    Twin1,
    Titan,
};
inline constexpr std::size_t kCheckIds = 24;
constexpr bool isSlotArray(CheckId id) {
    return id >= CheckId::Blast1;
}

enum class LabelId { Speed, MaxArmor, Points, Attacks, CCWCost };
inline constexpr std::size_t kLabelCount = 5;

enum class ButtonId { Next1, Next4, Calculate, Reset, Print, Exit };
inline constexpr std::size_t kButtonCount = 6;

// A rectangle on the window in twips, relative to the control's container; a zero width
// or height takes the control's natural size.
struct Place {
    int x, y, w = 0, h = 0;
};

// Design-time description of a list: its control name, the frame that holds it, whether
// it starts enabled, what a screen reader calls it (a slot's list adds "Slot 3 " before),
// the word that names a change of it in Edit > Undo before its row ("Race Concord"; empty
// when the row alone says it: "Beam Cannon, slot 1") and its rows.
struct ListInfo {
    std::string_view name;
    FrameId frame;
    bool enabled;
    std::string_view spoken;
    std::string_view step;
    std::span<const std::string_view> rows; // fixed rows, or empty for a numeric range
    int firstNumber = 0;                    // numeric rows firstNumber..lastNumber
    int lastNumber = -1;
};

struct CheckInfo {
    std::string_view name;
    FrameId frame;
    bool enabled;
    std::string_view caption; // empty for the bare boxes of the weapon grid
};

struct NamedInfo {
    std::string_view name;
    FrameId frame;
};

const ListInfo& info(ListId id);
const CheckInfo& info(CheckId id);
std::string_view name(LabelId id);
std::string_view name(FrameId id);
const NamedInfo& info(ButtonId id);

// A reference to one control: the control array's id and, for arrays, the slot.
template <typename Id> struct Ref {
    Id id;
    int slot = 0;
    constexpr Ref(Id i, int s) : id(i), slot(s) {}
    // A bare id names a control that exists once. It converts only where it is known
    // while compiling, and never for a weapon-slot array, which needs its slot: so
    // select(ListId::Wpn1, 3) does not compile instead of picking row 3 of slot 0.
    consteval Ref(Id i) : id(i) { // NOLINT: implicit from a plain id
        if (isSlotArray(i))
            throw "a weapon-slot control needs its slot: write {id, slot}";
    }
};
using ListRef = Ref<ListId>;
using CheckRef = Ref<CheckId>;

// The rows of a list, shared by copies of the controls until one of them changes them:
// an undo history keeps a thousand copies of the window, whose weapon lists alone hold
// some 250 rows. Reads as a const std::vector; a change copies first when shared.
class Rows {
public:
    Rows() = default;
    Rows(const std::vector<std::string>& rows) { *this = rows; } // NOLINT: implicit
    // Takes the rows, sharing an equal list made before instead of copying them again.
    Rows& operator=(const std::vector<std::string>& rows);

    operator const std::vector<std::string>&() const { return get(); } // NOLINT: implicit
    const std::vector<std::string>& get() const;
    std::size_t size() const { return get().size(); }
    bool empty() const { return get().empty(); }
    const std::string& front() const { return get().front(); }
    const std::string& back() const { return get().back(); }
    const std::string& operator[](std::size_t i) const { return get()[i]; }
    auto begin() const { return get().begin(); }
    auto end() const { return get().end(); }
    template <typename T> void emplace_back(T&& row) {
        auto copy = std::make_shared<std::vector<std::string>>(get());
        copy->emplace_back(std::forward<T>(row));
        m_rows = std::move(copy);
    }

    friend bool operator==(const Rows& a, const Rows& b) {
        return a.m_rows == b.m_rows || a.get() == b.get();
    }
    friend bool operator==(const Rows& a, const std::vector<std::string>& b) {
        return a.get() == b;
    }

private:
    std::shared_ptr<const std::vector<std::string>> m_rows; // null for no rows
};

struct ListState {
    Rows rows;
    int selected = -1;
    bool enabled = true;

    // Text of the selected row; empty with no selection.
    std::string text() const;
    bool operator==(const ListState&) const = default;
};

struct CheckState {
    bool checked = false;
    bool enabled = true;
    bool operator==(const CheckState&) const = default;
};

// Every control state of the main window, in creation (design-time) state by default.
struct Controls {
    Controls();

    std::vector<ListState> lists;
    std::vector<CheckState> checks;
    std::array<std::string, kLabelCount> labels;
    std::array<bool, kFrameCount> frames{};
    std::array<bool, kButtonCount> buttons{};
    std::string name; // txtName

    ListState& list(ListRef r);
    const ListState& list(ListRef r) const;
    CheckState& check(CheckRef r);
    const CheckState& check(CheckRef r) const;
    std::string& label(LabelId id) { return labels[static_cast<std::size_t>(id)]; }
    const std::string& label(LabelId id) const { return labels[static_cast<std::size_t>(id)]; }
    bool& frame(FrameId id) { return frames[static_cast<std::size_t>(id)]; }
    bool frame(FrameId id) const { return frames[static_cast<std::size_t>(id)]; }
    bool& button(ButtonId id) { return buttons[static_cast<std::size_t>(id)]; }
    bool button(ButtonId id) const { return buttons[static_cast<std::size_t>(id)]; }

    bool operator==(const Controls&) const = default;
};

// Every id of a kind, in declaration order, for loops over all controls.
std::span<const ListId> allLists();
std::span<const CheckId> allChecks();

// Number of instances of a control: 8 for a weapon-slot array, otherwise 1.
constexpr int instances(ListId id) {
    return isSlotArray(id) ? kSlots : 1;
}
constexpr int instances(CheckId id) {
    return isSlotArray(id) ? kSlots : 1;
}

// Widget name of one instance: "lstRace", or "lstWpn1_3" for slot 3 of an array.
std::string objectName(ListRef r);
std::string objectName(CheckRef r);

} // namespace ivc
