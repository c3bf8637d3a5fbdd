#pragma once

// The editor's texts in Simplified Chinese, whatever the system's language,
// as the trainer's window is: its own (translations/, English in the code),
// the bank tool's and the store's messages it shows, and Qt's own dialogs.
// The teachers it is made for read Chinese, also on a computer set up in
// English.
namespace EditorTranslations {

void install();

} // namespace EditorTranslations
