#pragma once
// Opening a document with the desktop's program for its type.
#include <QString>
#include <functional>

namespace plat {

enum class OpenOutcome { Opened, OutOfResources, FileNotFound, PathNotFound, BadFormat, NoAssociation, Other };

OpenOutcome openWithDesktop(const QString &path);

// Tests replace the desktop with a fake; an empty function restores it.
void setDocumentOpener(std::function<OpenOutcome(const QString &)> opener);

} // namespace plat
