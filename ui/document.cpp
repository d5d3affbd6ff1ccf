#include "ui/document.h"

#include "ui/messageBox.h"

#include <QApplication>
#include <QCloseEvent>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QMimeData>
#include <QSessionManager>
#include <QUndoStack>
#include <QWidget>

namespace ivc::ui {

Document::Document(QWidget* window, FileKind kind, DocumentContent content)
    : QObject(window), m_window(window), m_kind(std::move(kind)), m_content(std::move(content)),
      m_title(window->windowTitle()), m_undo(new QUndoStack(this)) {
    // Before a file is opened or saved the title has no place to show it.
    connect(m_undo, &QUndoStack::cleanChanged, this, [this](bool clean) {
        if (!m_path.isEmpty())
            m_window->setWindowModified(!clean);
    });
    connect(qApp, &QGuiApplication::commitDataRequest, this, [this](QSessionManager& session) {
        if (session.allowsInteraction() && !maybeSave())
            session.cancel();
    });
    m_window->setAcceptDrops(true);
    m_window->installEventFilter(this);
}

QString Document::folder() const {
    return m_path.isEmpty() ? QDir::homePath() : QFileInfo(m_path).path();
}

bool Document::maybeSave() {
    if (m_undo->isClean() || m_content.isFresh())
        return true;
    switch (ask(m_window, m_title, m_kind.question,
                QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel,
                QMessageBox::Save)) {
    case QMessageBox::Save:
        return save();
    case QMessageBox::Discard:
        m_undo->setClean(); // asked once; the close that follows does not ask again
        return true;
    default:
        return false;
    }
}

bool Document::save() {
    return m_path.isEmpty() ? saveAs() : saveFile(m_path);
}

bool Document::saveAs() {
    QFileDialog dialog(m_window, m_kind.saveTitle, m_path, m_kind.filter);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(m_kind.suffix);
    const QString name = m_content.name();
    if (m_path.isEmpty() && !name.isEmpty())
        dialog.selectFile(name + '.' + m_kind.suffix);
    return dialog.exec() == QDialog::Accepted && saveFile(dialog.selectedFiles().value(0));
}

bool Document::saveFile(const QString& path) {
    const QString error = m_content.save(path);
    if (!error.isEmpty()) {
        ask(m_window, QStringLiteral("Save"), error);
        return false;
    }
    setCurrentFile(path);
    m_undo->setClean();
    return true;
}

void Document::openWithDialog() {
    if (!maybeSave())
        return;
    QFileDialog dialog(m_window, m_kind.openTitle, QFileInfo(m_path).path(), m_kind.filter);
    dialog.setFileMode(QFileDialog::ExistingFile);
    if (dialog.exec() == QDialog::Accepted)
        openFile(dialog.selectedFiles().value(0));
}

bool Document::openFile(const QString& path) {
    const DocumentContent::Opened opened = m_content.open(path);
    if (!opened.ok) {
        ask(m_window, QStringLiteral("Open"), opened.message);
        return false;
    }
    m_undo->clear();
    setCurrentFile(path);
    if (!opened.message.isEmpty())
        ask(m_window, QStringLiteral("Open"), opened.message);
    return true;
}

void Document::startUntitled(const QString& title) {
    m_undo->clear();
    m_path.clear();
    m_window->setWindowFilePath({});
    m_window->setWindowTitle(title.isEmpty() ? m_title : title);
    m_window->setWindowModified(false);
}

void Document::setCurrentFile(const QString& path) {
    m_path = QFileInfo(path).absoluteFilePath();
    m_window->setWindowFilePath(m_path);
    m_window->setWindowTitle(QFileInfo(path).fileName() + QStringLiteral("[*] \u2014 ") + m_title);
    m_window->setWindowModified(!m_undo->isClean());
    emit fileChanged(m_path);
}

void Document::forgetFile() {
    m_path.clear();
    m_window->setWindowFilePath({});
    m_window->setWindowTitle(m_title);
    m_window->setWindowModified(false);
}

// One local file of this document's type among dropped data.
QString Document::dropped(const QMimeData* data) const {
    const QList<QUrl> urls = data != nullptr ? data->urls() : QList<QUrl>();
    if (urls.size() != 1 || !urls.front().isLocalFile())
        return {};
    const QString path = urls.front().toLocalFile();
    return QFileInfo(path).suffix().compare(m_kind.suffix, Qt::CaseInsensitive) == 0 ? path
                                                                                     : QString();
}

bool Document::eventFilter(QObject* watched, QEvent* event) {
    if (watched != m_window)
        return false;
    switch (event->type()) {
    case QEvent::Close:
        event->setAccepted(maybeSave());
        return true;
    case QEvent::DragEnter: {
        auto* drag = static_cast<QDragEnterEvent*>(event);
        if (!dropped(drag->mimeData()).isEmpty())
            drag->acceptProposedAction();
        return true;
    }
    case QEvent::Drop: {
        auto* drop = static_cast<QDropEvent*>(event);
        const QString path = dropped(drop->mimeData());
        if (path.isEmpty())
            return true;
        drop->acceptProposedAction();
        if (maybeSave())
            openFile(path);
        return true;
    }
    default:
        return false;
    }
}

} // namespace ivc::ui
