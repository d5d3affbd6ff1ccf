#pragma once

#include <QMessageBox>

namespace ivc::ui {

// The windows' message boxes: modal, without an icon, with only the buttons given.
// Returns the button pressed. Without a default given, the box names none.
inline QMessageBox::StandardButton
ask(QWidget* parent, const QString& title, const QString& text,
    QMessageBox::StandardButtons buttons = QMessageBox::Ok,
    QMessageBox::StandardButton defaultButton = QMessageBox::NoButton) {
    QMessageBox box(QMessageBox::NoIcon, title, text, buttons, parent);
    if (defaultButton != QMessageBox::NoButton)
        box.setDefaultButton(defaultButton);
    return static_cast<QMessageBox::StandardButton>(box.exec());
}

} // namespace ivc::ui
