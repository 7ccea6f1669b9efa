#pragma once
// The application of a benchmark that opens windows or reads the database.
// A benchmark shows nothing and never waits for an answer: it runs on the
// offscreen platform whatever display there is, records every message
// instead of showing it, and keeps its database and its control registry in
// a temporary folder of its own, leaving the user's untouched.
#include "platform/msgbox.h"

#include <QApplication>
#include <QFile>
#include <QTemporaryDir>
#include <QtGlobal>

#include <cstdio>

class BenchApplication {
public:
    BenchApplication(int &argc, char **argv) : m_app((qputenv("QT_QPA_PLATFORM", "offscreen"), argc), argv)
    {
        qputenv("VELANTRA_COMPONENT_REGISTRY", QFile::encodeName(path(QStringLiteral("components.ini"))));
        // The offscreen platform cannot stack windows and says so on every
        // window brought to the front: thousands of lines around the figures.
        s_previous = qInstallMessageHandler(&BenchApplication::quietRaise);
    }

    // A file in the benchmark's own folder.
    QString path(const QString &name) const { return m_dir.filePath(name); }

    // The exit status: 0, or 2 after printing each message the run gave, as
    // a message means that what was measured is not what was meant.
    int finish() const
    {
        for (const plat::MsgRecord &m : m_messages.messages)
            std::fprintf(stderr, "message: %s\n", m.text.toUtf8().constData());
        return m_messages.messages.isEmpty() ? 0 : 2;
    }

private:
    static void quietRaise(QtMsgType type, const QMessageLogContext &context, const QString &text)
    {
        if (text == QLatin1String("This plugin does not support raise()")) return;
        if (s_previous) s_previous(type, context, text);
    }

    static inline QtMessageHandler s_previous = nullptr;
    QApplication m_app;
    QTemporaryDir m_dir;
    plat::MsgBoxRecorder m_messages;
};
