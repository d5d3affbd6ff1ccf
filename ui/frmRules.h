#pragma once

#include <QDialog>

class QPushButton;

namespace ivc::ui {

// The special-rules reference: a modal tool window of tabbed prose.
class FrmRules : public QDialog {
    Q_OBJECT
public:
    explicit FrmRules(QWidget* parent = nullptr);

    // The first sentence of the entry under `heading`, for tooltips elsewhere; empty when
    // there is no such entry.
    static QString firstSentence(const QString& heading);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QPushButton* m_close = nullptr;
};

} // namespace ivc::ui
