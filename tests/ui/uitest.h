#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <deque>

// Shared helpers for the window tests.
namespace ivc::test {

// What a message box looked like when it came up.
struct SeenBox {
    QString title;
    QString text;
    QMessageBox::StandardButtons buttons;
    QMessageBox::StandardButton defaultButton;
    QMessageBox::Icon icon;
    bool modal;
};

// Watches for modal message boxes while it lives: each one that comes up is recorded
// and answered with the next queued answer (Ok when none is queued).
class BoxAnswerer : public QObject {
public:
    BoxAnswerer() {
        m_timer.setInterval(5);
        connect(&m_timer, &QTimer::timeout, this, &BoxAnswerer::poll);
        m_timer.start();
    }

    void queue(QMessageBox::StandardButton answer) { m_answers.push_back(answer); }
    const QList<SeenBox>& seen() const { return m_seen; }
    void clear() { m_seen.clear(); }

private:
    void poll() {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || box->property("ivcAnswered").toBool())
            return;
        box->setProperty("ivcAnswered", true);
        m_seen.append({box->windowTitle(), box->text(), box->standardButtons(),
                       box->standardButton(box->defaultButton()), box->icon(), box->isModal()});
        QMessageBox::StandardButton answer = QMessageBox::Ok;
        if (!m_answers.empty()) {
            answer = m_answers.front();
            m_answers.pop_front();
        }
        if (QAbstractButton* button = box->button(answer))
            button->click();
        else
            box->reject();
    }

    QTimer m_timer;
    QList<SeenBox> m_seen;
    std::deque<QMessageBox::StandardButton> m_answers;
};

} // namespace ivc::test
