#pragma once

#include <functional>
#include <vector>

class QAbstractButton;
class QMainWindow;
class QTabWidget;
class QWidget;

// The keyboard of a window beyond what Qt does by itself: keys that switch tabs, F10 for
// the menus, access keys that several controls share, and the focus moving on to the step
// a button opens.
namespace ivc::ui::keys {

// Ctrl+Tab and Ctrl+PageDown go to the next tab, Ctrl+Shift+Tab and Ctrl+PageUp to the one
// before, whichever control of the window has the focus.
void addTabKeys(QWidget* window, QTabWidget* tabs);

// F10 opens the first menu, as on other desktops; the arrow keys lead on to the others.
void addMenuKey(QMainWindow* window);

// Every access key acts at its first press: a key that names a menu opens that menu, as on
// every desktop, even where a button's caption has it too (the button stays reachable by
// mouse, Tab and Space); a key that buttons alone share presses the one that can be used.
void settleAccessKeys(QMainWindow* window, std::vector<QAbstractButton*> buttons);

// Once `button` has done its work, when `opened()` holds, `first` takes the focus; `reveal`
// runs before, to show the page that holds it.
void focusAfter(QAbstractButton* button, std::function<bool()> opened, QWidget* first,
                std::function<void()> reveal = {});

} // namespace ivc::ui::keys
