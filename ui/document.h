#pragma once

#include <QObject>
#include <QString>
#include <QUndoCommand>

#include <functional>
#include <utility>

class QMimeData;
class QUndoStack;
class QWidget;

namespace ivc::ui {

// The file type a document is kept in, and the words of its dialogs and question.
struct FileKind {
    QString suffix;    // "ivc"
    QString filter;    // "Ironvale vehicle designs (*.ivc)"
    QString saveTitle; // "Save Design"
    QString openTitle; // "Open Design"
    QString question;  // "Save changes to this design?"
};

// What a document holds, as its window hands it over.
struct DocumentContent {
    struct Opened {
        bool ok = false;
        QString message; // the error when not ok, else a note to tell, or empty
    };
    // Writes the state to the file: the error, naming the file and the reason, or empty.
    std::function<QString(const QString& path)> save;
    // Reads the file in place of the state; a file that cannot be opened leaves it as it was.
    std::function<Opened(const QString& path)> open;
    // Whether the state is a fresh start, which nothing unsaved could be lost from.
    std::function<bool()> isFresh;
    // The name the state goes by, offered as the file's name on its first save; may be empty.
    std::function<QString()> name;
};

// One document of a window: the file it was last opened from or saved to, whether it has
// changed since, the window's title with its [*], the undo stack, the question before
// unsaved changes are lost, open and save with their dialogs and messages, a file dropped
// on the window, and the question when the desktop session ends. It watches the window's
// close, drag and drop events itself.
class Document : public QObject {
    Q_OBJECT
public:
    // The window's title as it stands is the title until a file is opened or saved, and then
    // follows its name: "warden.ivc[*] — Ironvale Vehicle Creator".
    Document(QWidget* window, FileKind kind, DocumentContent content);

    QUndoStack* undoStack() const { return m_undo; }
    const QString& path() const { return m_path; }
    // The folder of the file, or the home folder before there is one.
    QString folder() const;

    // Whether the state may be replaced or the window closed: at once when nothing unsaved
    // would be lost, otherwise as the user answers "Save", "Discard" or "Cancel".
    bool maybeSave();
    bool save();
    bool saveAs();
    // Opens a file in place of the state, without asking; a failure is told.
    bool openFile(const QString& path);
    // Asks about unsaved changes, then for a file to open.
    void openWithDialog();
    // The state now held comes from no file (a new one, a design taken from a force or the
    // clipboard): the next save asks for a file, the undo steps are gone, and the title is
    // `title`, or the window's own when empty, until a file is opened or saved.
    void startUntitled(const QString& title = {});
    // Forgets the file, for a fresh state: the title is the window's own again.
    void forgetFile();

signals:
    // A file was opened or saved: its whole path.
    void fileChanged(const QString& path);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool saveFile(const QString& path);
    void setCurrentFile(const QString& path);
    QString dropped(const QMimeData* data) const;

    QWidget* m_window;
    FileKind m_kind;
    DocumentContent m_content;
    QString m_title; // the window's own title
    QString m_path;
    QUndoStack* m_undo;
};

// The undo history of a document whose steps hold its whole state before and after each
// change. The window makes the change, then records it; undo and redo hand the state back
// to the window's restore function.
template <typename State> class History {
public:
    using Restore = std::function<void(const State&)>;
    // Whether two states show alike: a change that leaves the window as it was is no step.
    using Same = std::function<bool(const State&, const State&)>;

    History(QUndoStack& stack, const State& start, Restore restore, Same same)
        : m_stack(stack), m_last(start), m_restore(std::move(restore)), m_same(std::move(same)) {}

    // A state that starts afresh, such as a file just opened: the next step starts from it.
    void reset(const State& state) { m_last = state; }

    // The change that led to `now`, named in Edit > Undo and Redo. A run of typing is one
    // step, merged as it goes. A change that shows nothing is no step, but the state it left
    // is kept as the state before the next step, so undo and redo restore it exactly.
    void record(const State& now, const QString& text, bool typing = false) {
        if (!typing && m_same(now, m_last)) {
            m_last = now;
            return;
        }
        m_stack.push(new Step(*this, std::exchange(m_last, now), now, text, typing));
    }

private:
    void restoreTo(const State& state) {
        m_last = state;
        m_restore(state);
    }

    class Step : public QUndoCommand {
    public:
        Step(History& history, State before, State after, const QString& text, bool typing)
            : QUndoCommand(text), m_history(history), m_before(std::move(before)),
              m_after(std::move(after)), m_typing(typing) {}

        int id() const override { return m_typing ? 1 : -1; }
        bool mergeWith(const QUndoCommand* other) override {
            if (other->id() != id())
                return false;
            m_after = static_cast<const Step*>(other)->m_after;
            return true;
        }
        void undo() override { m_history.restoreTo(m_before); }
        // The change is made when the step is pushed; only a redo makes it again.
        void redo() override {
            if (!std::exchange(m_pushing, false))
                m_history.restoreTo(m_after);
        }

    private:
        History& m_history;
        State m_before;
        State m_after;
        bool m_typing;
        bool m_pushing = true;
    };

    QUndoStack& m_stack;
    State m_last; // the state as the last step left it
    Restore m_restore;
    Same m_same;
};

} // namespace ivc::ui
