#pragma once

#include <QDialog>

class QPushButton;

namespace ivc::ui {

// The about window: title, version, credit and disclaimer over a background picture.
class FrmAbout : public QDialog {
    Q_OBJECT
public:
    explicit FrmAbout(QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    QPushButton* m_ok = nullptr;
};

} // namespace ivc::ui
