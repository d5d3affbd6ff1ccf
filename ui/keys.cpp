#include "ui/keys.h"

#include <QAbstractButton>
#include <QAction>
#include <QEvent>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenuBar>
#include <QShortcut>
#include <QShortcutEvent>
#include <QTabWidget>

#include <array>

namespace ivc::ui::keys {
namespace {

// Qt gives a key shared by a menu title and a button, or by two buttons, to each in turn:
// a button's turn only moves the focus to it, and a menu's turn comes at the second press.
// This decides at the first press instead, whichever of them Qt handed the key to.
class AccessKeys : public QObject {
public:
    AccessKeys(QMainWindow* window, std::vector<QAbstractButton*> buttons)
        : QObject(window), m_menuBar(window->menuBar()), m_buttons(std::move(buttons)) {
        m_menuBar->installEventFilter(this);
        for (QAbstractButton* button : m_buttons)
            button->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::Shortcut ||
            !static_cast<QShortcutEvent*>(event)->isAmbiguous())
            return QObject::eventFilter(watched, event);
        const QKeySequence key = static_cast<QShortcutEvent*>(event)->key();
        for (QAction* menu : m_menuBar->actions()) {
            if (menu->isVisible() && menu->isEnabled() &&
                QKeySequence::mnemonic(menu->text()) == key) {
                m_menuBar->setActiveAction(menu);
                return true;
            }
        }
        for (QAbstractButton* button : m_buttons) {
            if (button->isVisible() && button->isEnabled() &&
                QKeySequence::mnemonic(button->text()) == key) {
                button->animateClick();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QMenuBar* m_menuBar;
    std::vector<QAbstractButton*> m_buttons;
};

} // namespace

void addTabKeys(QWidget* window, QTabWidget* tabs) {
    struct TabKey {
        QKeyCombination keys;
        int step;
    };
    // Qt matches X11's Shift+Backtab to Shift+Tab itself; a second entry for it would make
    // the key ambiguous, and an ambiguous shortcut does nothing.
    const std::array<TabKey, 4> tabKeys = {{
        {Qt::CTRL | Qt::Key_Tab, 1},
        {Qt::CTRL | Qt::Key_PageDown, 1},
        {Qt::CTRL | Qt::SHIFT | Qt::Key_Tab, -1},
        {Qt::CTRL | Qt::Key_PageUp, -1},
    }};
    for (const TabKey& k : tabKeys) {
        auto* shortcut = new QShortcut(QKeySequence(k.keys), window);
        QObject::connect(shortcut, &QShortcut::activated, tabs, [tabs, step = k.step] {
            const int count = tabs->count();
            tabs->setCurrentIndex((tabs->currentIndex() + step + count) % count);
        });
    }
}

void addMenuKey(QMainWindow* window) {
    auto* menuKey = new QShortcut(QKeySequence(Qt::Key_F10), window);
    QObject::connect(menuKey, &QShortcut::activated, window, [window] {
        window->menuBar()->setActiveAction(window->menuBar()->actions().constFirst());
    });
}

void settleAccessKeys(QMainWindow* window, std::vector<QAbstractButton*> buttons) {
    new AccessKeys(window, std::move(buttons));
}

void focusAfter(QAbstractButton* button, std::function<bool()> opened, QWidget* first,
                std::function<void()> reveal) {
    // Connected after the button's own handler, so the step is already open or refused.
    QObject::connect(button, &QAbstractButton::clicked, first,
                     [opened = std::move(opened), first, reveal = std::move(reveal)] {
                         if (!opened())
                             return;
                         if (reveal)
                             reveal();
                         first->setFocus(Qt::TabFocusReason);
                     });
}

} // namespace ivc::ui::keys
