#include "ui/recentFiles.h"

#include "ui/messageBox.h"

#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QSettings>

#include <algorithm>

namespace ivc::ui {

RecentFiles::RecentFiles(QString key, QObject* parent) : QObject(parent), m_key(std::move(key)) {}

QStringList RecentFiles::paths() const {
    QStringList list = QSettings().value(m_key).toStringList();
    list.removeDuplicates();
    return list.mid(0, kMax);
}

void RecentFiles::add(const QString& path) {
    const QString absolute = QFileInfo(path).absoluteFilePath();
    QStringList list = paths();
    list.removeAll(absolute);
    list.prepend(absolute);
    store(list.mid(0, kMax));
}

void RecentFiles::remove(const QString& path) {
    QStringList list = paths();
    list.removeAll(QFileInfo(path).absoluteFilePath());
    store(list);
}

void RecentFiles::clear() {
    store({});
}

void RecentFiles::store(const QStringList& paths) {
    QSettings settings;
    if (paths.isEmpty())
        settings.remove(m_key);
    else
        settings.setValue(m_key, paths);
    emit changed();
}

QString RecentFiles::shownName(const QString& path, const QStringList& all) {
    const QString name = QFileInfo(path).fileName();
    const auto same = [&name](const QString& other) { return QFileInfo(other).fileName() == name; };
    return std::count_if(all.begin(), all.end(), same) > 1 ? QDir::toNativeSeparators(path) : name;
}

void RecentFiles::attach(QMenu* menu, Choice choice) {
    fill(menu, choice);
    connect(this, &RecentFiles::changed, menu, [this, menu, choice] { fill(menu, choice); });
    // Another window's list may have grown since.
    connect(menu, &QMenu::aboutToShow, this, [this, menu, choice] { fill(menu, choice); });
}

void RecentFiles::fill(QMenu* menu, const Choice& choice) {
    const QStringList list = paths();
    menu->clear();
    for (int i = 0; i < list.size(); ++i) {
        // "&1 warden.ivc": the number is the access key; a name's own & is not one.
        const QString name = shownName(list[i], list);
        QAction* entry = menu->addAction(
            QStringLiteral("&%1 %2").arg(i + 1).arg(QString(name).replace('&', "&&")));
        entry->setObjectName(QStringLiteral("mnuRecent%1").arg(i + 1));
        entry->setToolTip(QDir::toNativeSeparators(list[i]));
        connect(entry, &QAction::triggered, this,
                [this, path = list[i], choice] { choose(path, choice); });
    }
    menu->addSeparator();
    QAction* clearAll = menu->addAction(QStringLiteral("&Clear Recent"));
    clearAll->setObjectName(QStringLiteral("mnuClearRecent"));
    connect(clearAll, &QAction::triggered, this, &RecentFiles::clear);
    menu->menuAction()->setEnabled(!list.isEmpty());
}

void RecentFiles::choose(const QString& path, const Choice& choice) {
    // A file that is gone is told before the question, which would be asked for nothing.
    if (!QFileInfo::exists(path)) {
        ask(choice.window, QStringLiteral("Open"),
            QStringLiteral("Cannot open \"%1\": the file is no longer there. It has been taken "
                           "off the list of recent files.")
                .arg(shownName(path, paths())));
        remove(path);
        return;
    }
    if (choice.mayReplace())
        choice.open(path);
}

} // namespace ivc::ui
