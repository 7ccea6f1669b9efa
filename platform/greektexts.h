#pragma once
// Greek for the texts Qt itself puts in the program's windows: the context
// menus of text boxes, spin boxes and scroll bars, the child windows' system
// menu and title-bar tips, the print dialog with its printer properties, and
// the file dialog. Debian's Qt carries no Greek catalogue, so the program
// carries its own, keyed by Qt's own context and English text.
#include <QLocale>
#include <QString>

namespace plat {

// Installs, once per application, the Greek of Qt's texts, the Greek locale
// for dates (numbers keep the program's own format: no digit grouping),
// Greek dates and sizes in the file dialogs' file lists, a date column wide
// enough for them, and a Save dialog's folder named where it saves. Safe to
// call again.
void installGreekTexts();

// The Greek the program carries for one of Qt's texts; empty when it carries
// none (the text then shows as Qt has it).
QString greekForQtText(const char *context, const char *sourceText);

// The locale of the program's dates: Greek, without digit grouping.
QLocale greekLocale();

} // namespace plat
