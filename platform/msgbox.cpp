#include "msgbox.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>

namespace plat {

namespace {
MsgBoxRecorder *g_recorder = nullptr;

MsgAnswer retryCancelBox(const MsgRecord &rec)
{
    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(rec.title);
    box.setText(rec.text);
    box.setIcon(QMessageBox::Critical);
    QPushButton *retry = box.addButton(QStringLiteral("Επανάληψη"), QMessageBox::AcceptRole);
    QPushButton *cancel = box.addButton(QStringLiteral("Άκυρο"), QMessageBox::RejectRole);
    box.setDefaultButton(retry);
    box.setEscapeButton(cancel);
    box.exec();
    return box.clickedButton() == retry ? MsgAnswer::Retry : MsgAnswer::Cancel;
}

} // namespace

QString appTitle() { return QStringLiteral("Velantra"); }

MsgBoxRecorder::MsgBoxRecorder(MsgAnswer defaultAnswer) : m_default(defaultAnswer), m_previous(g_recorder)
{
    g_recorder = this;
}

MsgBoxRecorder::~MsgBoxRecorder() { g_recorder = m_previous; }

QStringList MsgBoxRecorder::texts() const
{
    QStringList out;
    for (const auto &m : messages) out << m.text;
    return out;
}

MsgAnswer MsgBoxRecorder::answer(const MsgRecord &rec)
{
    messages << rec;
    if (onMessage) onMessage(rec);
    if (!m_queue.isEmpty()) return m_queue.takeFirst();
    return m_default;
}

MsgAnswer msgBox(const QString &text, int style, const QString &title)
{
    MsgRecord rec{text, style, title.isEmpty() ? appTitle() : title};
    if (g_recorder) {
        // A question answered by a test can only be OK or Cancel; an OK-only box is always OK.
        MsgAnswer a = g_recorder->answer(rec);
        if (style == MsgRetryCancelCritical) return a == MsgAnswer::Retry ? a : MsgAnswer::Cancel;
        if (a == MsgAnswer::Retry) a = MsgAnswer::Ok;
        return (style == MsgOkCancelQuestion) ? a : MsgAnswer::Ok;
    }
    if (style == MsgRetryCancelCritical) return retryCancelBox(rec);

    QMessageBox box(QApplication::activeWindow());
    box.setWindowTitle(rec.title);
    box.setText(text);
    QPushButton *ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
    QPushButton *cancel = nullptr;
    switch (style) {
    case MsgCritical:
        box.setIcon(QMessageBox::Critical);
        break;
    case MsgExclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case MsgOkCancelQuestion:
        box.setIcon(QMessageBox::Warning);
        cancel = box.addButton(QStringLiteral("Άκυρο"), QMessageBox::RejectRole);
        box.setEscapeButton(cancel);
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
        break;
    }
    box.setDefaultButton(ok);
    box.exec();
    return box.clickedButton() == ok ? MsgAnswer::Ok : (cancel ? MsgAnswer::Cancel : MsgAnswer::Ok);
}

} // namespace plat
