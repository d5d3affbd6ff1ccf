#include "ui/listBox.h"

#include <QAbstractItemView>
#include <QAccessible>
#include <QAccessibleWidget>
#include <QApplication>
#include <QKeyEvent>
#include <QPointer>
#include <QProxyStyle>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOptionComboBox>

namespace ivc::ui {
namespace {

// The application's style with a drop-down arrow about half as wide, so that a list 33
// pixels wide still shows "-4" whole.
class CompactListStyle : public QProxyStyle {
public:
    explicit CompactListStyle(QStyle* base) : QProxyStyle(base) {}

    QRect subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                         const QWidget* widget) const override {
        if (control != CC_ComboBox || (sub != SC_ComboBoxArrow && sub != SC_ComboBoxEditField))
            return QProxyStyle::subControlRect(control, option, sub, widget);
        const QRect box = option->rect;
        const int arrow = qMax(9, option->fontMetrics.height() * 3 / 4);
        const int frame = 2;
        const QRect r =
            sub == SC_ComboBoxArrow
                ? QRect(box.right() - arrow - frame + 1, box.top(), arrow + frame, box.height())
                : QRect(box.left() + frame, box.top() + frame, box.width() - arrow - 2 * frame,
                        box.height() - 2 * frame);
        return visualRect(option->direction, box, r);
    }
};

QStyle* compactStyle() {
    static QPointer<QStyle> style;
    if (style == nullptr) {
        style = new CompactListStyle(QStyleFactory::create(QApplication::style()->name()));
        style->setParent(qApp); // lives as long as the lists that use it
    }
    return style;
}

// A list's accessible name is what the list is ("Slot 3 Slow Fire"), its value the row it
// shows. Qt's own interface names a list after its current row on Linux, so that a reader
// hears "12" for the front armour and cannot tell the grid's lists apart. The row is also
// served as the list's text, which is where AT-SPI readers look for a list's value.
class AccessibleList : public QAccessibleWidget, public QAccessibleTextInterface {
public:
    explicit AccessibleList(ListBox* list) : QAccessibleWidget(list, QAccessible::ComboBox) {}

    void* interface_cast(QAccessible::InterfaceType type) override {
        if (type == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface*>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QString text(QAccessible::Text t) const override {
        switch (t) {
        case QAccessible::Value:
            return list()->currentText();
        case QAccessible::Description:
            return list()->accessibleDescription().isEmpty() ? list()->currentTip()
                                                             : list()->accessibleDescription();
        default:
            return QAccessibleWidget::text(t);
        }
    }

    // The open list, as with Qt's own lists, so that a reader can walk its rows.
    int childCount() const override { return 1; }
    QAccessibleInterface* child(int index) const override {
        return index == 0 ? QAccessible::queryAccessibleInterface(list()->view()) : nullptr;
    }
    int indexOfChild(const QAccessibleInterface* child) const override {
        return child != nullptr && child->object() == list()->view() ? 0 : -1;
    }

    QAccessible::State state() const override {
        QAccessible::State s = QAccessibleWidget::state();
        s.expandable = true;
        s.expanded = list()->view()->isVisible();
        return s;
    }

    QStringList actionNames() const override {
        return QStringList{showMenuAction(), pressAction()} + QAccessibleWidget::actionNames();
    }
    void doAction(const QString& action) override {
        if (action == showMenuAction() || action == pressAction())
            list()->showPopup();
        else
            QAccessibleWidget::doAction(action);
    }

    // The shown row as read-only text without a caret or selection.
    QString text(int start, int end) const override { return row().mid(start, end - start); }
    int characterCount() const override { return static_cast<int>(row().size()); }
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    int selectionCount() const override { return 0; }
    void selection(int, int* start, int* end) const override { *start = *end = 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint&) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int, int* start, int* end) const override {
        *start = 0;
        *end = characterCount();
        return {};
    }

private:
    ListBox* list() const { return static_cast<ListBox*>(widget()); }
    QString row() const { return list()->currentText(); }
};

QAccessibleInterface* listInterface(const QString& className, QObject* object) {
    if (className == QLatin1String(ListBox::staticMetaObject.className()))
        return new AccessibleList(static_cast<ListBox*>(object));
    return nullptr;
}

} // namespace

ListBox::ListBox(QWidget* parent) : QComboBox(parent) {
    QAccessible::installFactory(listInterface); // once: Qt keeps a factory only once
}

void ListBox::setRuleTip(const QString& tip) {
    m_ruleTip = tip;
    setToolTip(currentTip());
}

void ListBox::setCompact() {
    m_compact = true;
    if (isVisible())
        setStyle(compactStyle());
}

void ListBox::showEvent(QShowEvent* event) {
    if (m_compact && style() != compactStyle())
        setStyle(compactStyle());
    QComboBox::showEvent(event);
}

bool ListBox::showsWholeText() const {
    QStyleOptionComboBox option;
    initStyleOption(&option);
    // The style it has, or the compact one it takes when it is shown.
    const QStyle* drawn = m_compact ? compactStyle() : style();
    const QRect field =
        drawn->subControlRect(QStyle::CC_ComboBox, &option, QStyle::SC_ComboBoxEditField, this);
    // The style keeps a pixel free on either side of the text.
    return fontMetrics().horizontalAdvance(currentText()) <= field.width() - 2;
}

// The rule and the whole row both stay in reach: a cut row leads, the rule follows.
QString ListBox::currentTip() const {
    if (showsWholeText())
        return m_ruleTip;
    return m_ruleTip.isEmpty() ? currentText() : currentText() + QStringLiteral(" — ") + m_ruleTip;
}

int ListBox::popupWidthNeeded() const {
    const QAbstractItemView* rows = view();
    int width = rows->sizeHintForColumn(modelColumn()) + 2 * rows->frameWidth() +
                2 * style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
    if (count() > maxVisibleItems() && rows->verticalScrollBarPolicy() != Qt::ScrollBarAlwaysOff)
        width += rows->verticalScrollBar()->sizeHint().width();
    return width;
}

void ListBox::showPopup() {
    view()->setMinimumWidth(popupWidthNeeded());
    QComboBox::showPopup();
}

bool ListBox::event(QEvent* event) {
    // The row shown may have changed since the last tooltip, without a signal (the window
    // writes rows with its signals blocked).
    if (event->type() == QEvent::ToolTip)
        setToolTip(currentTip());
    return QComboBox::event(event);
}

void ListBox::keyPressEvent(QKeyEvent* event) {
    const bool pageKey = event->key() == Qt::Key_PageUp || event->key() == Qt::Key_PageDown;
    if (pageKey && event->modifiers().testFlag(Qt::ControlModifier)) {
        event->ignore(); // the window's tab switch, not a change of row
        return;
    }
    QComboBox::keyPressEvent(event);
}

} // namespace ivc::ui
