#pragma once

// The editor's texts in the user's language: its own (translations/, English
// in the code) and the bank tool's and the store's messages it shows, with
// Qt's own dialogs, when the locale asks for Chinese.
namespace EditorTranslations {

void install();

} // namespace EditorTranslations
