#pragma once

#include <QLocale>

// The bank tool's messages in the user's language: the tool is written in
// English, with a Simplified Chinese translation (translations/, compiled
// into the program). The language comes from the locale (LANGUAGE, LC_ALL,
// LC_MESSAGES, LANG): a teacher with a Chinese desktop reads Chinese,
// everyone else English.
namespace ToolTranslations {

// Installs the translation of the tool's messages, and Qt's own for the
// command line's help, when `locale` asks for a language they have.
void install(const QLocale& locale = QLocale::system());

} // namespace ToolTranslations
