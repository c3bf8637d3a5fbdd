#pragma once

#include <QList>
#include <QString>

// A stored text as a text box edits it. Qt's text document does not hold
// every character in its stored form: each line end (CR LF, a lone CR or
// LF), a stored paragraph separator U+2029 and Qt's own frame marks U+FDD0
// and U+FDD1 all become one paragraph separator, and the document's plain
// text further turns no-break spaces into spaces and U+2028 into LF. Writing
// back what the text box holds would change characters nobody touched.
//
// So the stored text is kept beside the document's raw text
// (QTextDocument::toRawText()), character for character, and only what the
// user changed replaces its stored form: everything else stays byte for
// byte. A paragraph the user starts ends the way the text's own lines end.
class EditedText
{
public:
    EditedText() = default;
    // `shown` is the document's raw text after it was filled with `stored`.
    EditedText(const QString& stored, const QString& shown);

    const QString& stored() const { return stored_; }
    const QString& shown() const { return shown_; }

    // The document now holds `shown`. The stretch in which it differs from
    // what it held before is the user's edit, and it alone is rewritten.
    void edit(const QString& shown);

private:
    QString stored_;
    QString shown_;
    // Where each character of shown_ starts in stored_, and stored_'s size
    // at the end: shown_[i] stands for stored_[starts_[i], starts_[i + 1]).
    QList<qsizetype> starts_{0};
    QString lineEnd_ = QStringLiteral("\n");
};
