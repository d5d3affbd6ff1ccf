#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

#include <functional>

class QMenu;
class QWidget;

namespace ivc::ui {

// A window's list of the files it last opened or saved, most recent first, kept in the
// application's settings under a key of its own, so that each kind of document keeps its
// own list.
class RecentFiles : public QObject {
    Q_OBJECT
public:
    static constexpr int kMax = 8;

    RecentFiles(QString key, QObject* parent);

    // Read afresh each time: another window may have changed the list since.
    QStringList paths() const;
    void add(const QString& path);
    void remove(const QString& path);
    void clear();

    // What choosing an entry does: `mayReplace` asks about unsaved changes first; a file
    // that is gone is told on `window` and taken off the list; otherwise `open` opens it.
    struct Choice {
        QWidget* window;
        std::function<bool()> mayReplace;
        std::function<void(const QString& path)> open;
    };
    // Fills the submenu with numbered entries and "Clear Recent", now and whenever the list
    // changes; an empty list greys the submenu, as there is nothing in it to choose.
    void attach(QMenu* menu, Choice choice);

    // The entry's text: the file's name, or its whole path when two entries share the name.
    static QString shownName(const QString& path, const QStringList& all);

signals:
    void changed();

private:
    void store(const QStringList& paths);
    void fill(QMenu* menu, const Choice& choice);
    void choose(const QString& path, const Choice& choice);

    QString m_key;
};

} // namespace ivc::ui
