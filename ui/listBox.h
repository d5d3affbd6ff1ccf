#pragma once

#include <QComboBox>

namespace ivc::ui {

// A drop-down list of the main window that reads well to eyes, keys and screen readers:
// its open list is as wide as its longest row, a row too long for the closed list shows
// whole in its tooltip, Ctrl+PageUp/PageDown is left to the window (to switch tabs), and a
// screen reader hears its fixed accessible name with the shown row as its value.
class ListBox : public QComboBox {
    Q_OBJECT
public:
    explicit ListBox(QWidget* parent = nullptr);

    // The tooltip shown while the row fits: the rule that explains the column, if any.
    void setRuleTip(const QString& tip);
    // What the tooltip says now: the rule, with the shown row before it when the row is cut.
    QString currentTip() const;
    // Draws the drop-down arrow narrower, for lists of one or two characters. The list
    // takes its compact style when it is first shown: a change of style makes a list build
    // its open list at once, which a list on a tab not yet shown does not need.
    void setCompact();
    // Whether the closed list shows its current row whole.
    bool showsWholeText() const;
    // The width the open list needs for its longest row.
    int popupWidthNeeded() const;

    void showPopup() override;

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString m_ruleTip;
    bool m_compact = false;
};

} // namespace ivc::ui
