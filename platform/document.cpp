#include "document.h"

#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QMimeDatabase>
#include <QProcess>
#include <QStandardPaths>
#include <QUrl>

namespace plat {

namespace {
std::function<OpenOutcome(const QString &)> g_opener;

// Whether the desktop names a program for the document's type. Without the
// freedesktop query tool we cannot tell, and let the open itself decide.
bool hasAssociation(const QString &path)
{
    const QString xdgMime = QStandardPaths::findExecutable(QStringLiteral("xdg-mime"));
    if (xdgMime.isEmpty()) return !QStandardPaths::findExecutable(QStringLiteral("xdg-open")).isEmpty();
    const QString mime = QMimeDatabase().mimeTypeForFile(path).name();
    QProcess p;
    p.start(xdgMime, {QStringLiteral("query"), QStringLiteral("default"), mime});
    if (!p.waitForFinished(5000)) return true;
    return !p.readAllStandardOutput().trimmed().isEmpty();
}
} // namespace

void setDocumentOpener(std::function<OpenOutcome(const QString &)> opener) { g_opener = std::move(opener); }

OpenOutcome openWithDesktop(const QString &path)
{
    if (g_opener) return g_opener(path);
    QFileInfo fi(path);
    if (!fi.absoluteDir().exists()) return OpenOutcome::PathNotFound;
    if (!fi.exists() || !fi.isFile()) return OpenOutcome::FileNotFound;
    if (!hasAssociation(path)) return OpenOutcome::NoAssociation;
    return QDesktopServices::openUrl(QUrl::fromLocalFile(fi.absoluteFilePath())) ? OpenOutcome::Opened
                                                                                 : OpenOutcome::Other;
}

} // namespace plat
