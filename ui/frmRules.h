#pragma once

#include <QDialog>

namespace ivc::ui {

// The special-rules reference: a modal tool window of tabbed prose.
class FrmRules : public QDialog {
    Q_OBJECT
public:
    explicit FrmRules(QWidget* parent = nullptr);

    // The first sentence of the entry under `heading`, for tooltips elsewhere; empty when
    // there is no such entry.
    static QString firstSentence(const QString& heading);
};

} // namespace ivc::ui
