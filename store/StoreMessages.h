#pragma once

class QLocale;
class QTranslator;

// The store's messages in other languages. They are written in English in
// the code; the program, whose window is Chinese, always shows them in
// Chinese, and the bank tool by the user's locale.
namespace StoreMessages {

// Loads the messages of `locale`'s language into `translator`; false when
// there are none (English is the code's own).
bool load(QTranslator& translator, const QLocale& locale);

// The Chinese messages, which the program always shows.
bool loadChinese(QTranslator& translator);

} // namespace StoreMessages
