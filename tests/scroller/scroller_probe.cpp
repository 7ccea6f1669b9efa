// A program the scroller tests run as a separate process, from a folder of
// their making with whatever library lies beside it (sound, cut short or
// damaged), and as another user when a folder must really be read-only. A
// library that brings the dynamic loader down takes only this process with
// it. It opens two windows smaller than their content, as the planning
// windows are, and prints tab-separated lines:
//   message <text>
//   window <1 when it got its scroller control> <1 when its vertical bar shows>
#include "platform/controls.h"
#include "platform/msgbox.h"

#include <QApplication>
#include <QScrollBar>
#include <QTextStream>
#include <QWidget>

int main(int argc, char **argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTextStream out(stdout);
    plat::MsgBoxRecorder rec;
    for (int i = 0; i < 2; ++i) {
        QWidget host;
        host.resize(300, 200);
        host.show();
        auto *content = new QWidget;
        content->resize(600, 900);
        QWidget *control = plat::hostScroller(&host, content);
        QCoreApplication::processEvents();
        const auto *bar = host.findChild<QScrollBar *>(QStringLiteral("VScroll"), Qt::FindDirectChildrenOnly);
        out << "window\t" << (control ? 1 : 0) << '\t' << (bar && bar->isVisible() ? 1 : 0) << '\n';
    }
    for (const plat::MsgRecord &m : rec.messages) out << "message\t" << m.text << '\n';
    return 0;
}
