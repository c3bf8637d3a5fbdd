#pragma once

class QTranslator;

// The store's messages in other languages. They are written in English in
// the code; the program, whose window is Chinese, always shows them in
// Chinese, and the bank tool by the user's locale.
namespace StoreMessages {

// Loads the Chinese messages into `translator`; false when they are missing.
bool loadChinese(QTranslator& translator);

} // namespace StoreMessages
