#pragma once
// The one door through which every message box of the program is shown, so
// that tests can record the messages and answer them.
#include <QList>
#include <QString>
#include <functional>

namespace plat {

// The styles the program uses: 0 OK only; 16 critical icon with OK;
// 49 OK and Cancel with the exclamation icon; 48 OK with the exclamation
// icon; 21 Retry and Cancel with the critical icon.
enum MsgStyle {
    MsgOkOnly = 0,
    MsgCritical = 16,
    MsgOkCancelQuestion = 49,
    MsgExclamation = 48,
    MsgRetryCancelCritical = 21,
};
// A recorder's OK to a Retry/Cancel box counts as Cancel, so that a test
// which queues no Retry never loops.
enum class MsgAnswer { Ok, Cancel, Retry };

// The program's title, used when no title is given.
QString appTitle();

MsgAnswer msgBox(const QString &text, int style = MsgOkOnly, const QString &title = QString());

struct MsgRecord {
    QString text;
    int style = 0;
    QString title;
};

// While one lives, msgBox shows nothing: it records each message and answers
// with the queued answers, then with the default answer.
class MsgBoxRecorder {
public:
    explicit MsgBoxRecorder(MsgAnswer defaultAnswer = MsgAnswer::Ok);
    ~MsgBoxRecorder();
    MsgBoxRecorder(const MsgBoxRecorder &) = delete;
    MsgBoxRecorder &operator=(const MsgBoxRecorder &) = delete;

    void queueAnswers(const QList<MsgAnswer> &answers) { m_queue += answers; }
    // Runs when a message arrives, before it is answered (e.g. to note the focus).
    std::function<void(const MsgRecord &)> onMessage;

    QList<MsgRecord> messages;
    QStringList texts() const;
    QString lastText() const { return messages.isEmpty() ? QString() : messages.last().text; }
    void clear() { messages.clear(); }

    MsgAnswer answer(const MsgRecord &rec);

private:
    MsgAnswer m_default;
    QList<MsgAnswer> m_queue;
    MsgBoxRecorder *m_previous = nullptr;
};

} // namespace plat
