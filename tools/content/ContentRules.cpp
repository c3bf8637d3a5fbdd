#include "tools/content/ContentRules.h"

#include "rules/CategoryNumber.h"

#include <QCoreApplication>
#include <QHash>

#include <algorithm>

namespace {

struct Text
{
    Q_DECLARE_TR_FUNCTIONS(ContentRules)
};

QString firstOn(const BankContent& content, int sourceLine)
{
    return content.unit == SourcePlace::Unit::Row ? Text::tr("first on row %1").arg(sourceLine)
                                                   : Text::tr("first on line %1").arg(sourceLine);
}

// The first character at which `text` is not valid Unicode (a UTF-16
// surrogate without its partner: a JSON "\ud800", a workbook's _xD800_);
// -1 when it is valid. SQLite would store such a character as '?'.
qsizetype invalidAt(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate())
            ++i;
        else if (text[i].isSurrogate())
            return i;
    }
    return -1;
}

void checkText(const QString& file, const SourcePlace& place, const QString& what, const QString& text,
               SourceProblems& problems)
{
    const qsizetype at = invalidAt(text);
    if (at >= 0)
        problems.addError(file, place,
                          Text::tr("%1 holds a lone UTF-16 surrogate (U+%2) at character %L3, which is not a "
                                   "character; correct the text")
                              .arg(what)
                              .arg(text[at].unicode(), 4, 16, QLatin1Char('0'))
                              .arg(at + 1));
}

} // namespace

namespace ContentRules {

void check(const BankContent& content, const QString& file, const QString& categoriesFile,
           SourceProblems& problems)
{
    QHash<qint64, int> categoryLines;
    for (const BankCategory& category : content.categories) {
        checkText(categoriesFile, content.placeOf(category.sourceLine), Text::tr("category %1").arg(category.no),
                  category.title, problems);
        if (categoryLines.contains(category.no))
            problems.addWarning(categoriesFile, content.placeOf(category.sourceLine),
                                Text::tr("category %1 is listed again (%2): it shows twice; delete one of them")
                                    .arg(category.no)
                                    .arg(firstOn(content, categoryLines.value(category.no))));
        else
            categoryLines.insert(category.no, category.sourceLine);
    }

    QHash<qint64, int> questionLines;
    for (const BankQuestion& question : content.questions) {
        checkText(file, content.placeOf(question.sourceLine), Text::tr("question %1").arg(question.no),
                  question.text, problems);
        if (questionLines.contains(question.no))
            problems.addError(file, content.placeOf(question.sourceLine),
                              Text::tr("question number %1 is used again (%2); give each question a number of "
                                       "its own")
                                  .arg(question.no)
                                  .arg(firstOn(content, questionLines.value(question.no))));
        else
            questionLines.insert(question.no, question.sourceLine);

        if (!categoryLines.contains(question.category))
            problems.addWarning(file, content.placeOf(question.sourceLine),
                                Text::tr("question %1: category %2 is not listed, so the question is never "
                                         "offered for practice; add the category or correct the number")
                                    .arg(question.no)
                                    .arg(question.category));
        else if (CategoryNumber::isHeading(question.category))
            problems.addWarning(file, content.placeOf(question.sourceLine),
                                Text::tr("question %1: category %2 is a chapter heading (its 2nd and 3rd digits "
                                         "are 00), so the question is never offered for practice; put it in a "
                                         "category under that heading")
                                    .arg(question.no)
                                    .arg(question.category));
    }

    // Numbers the bank gives could clash with numbers the source gives, so
    // it is all or none.
    const auto numbered = std::count_if(content.materials.cbegin(), content.materials.cend(),
                                        [](const BankMaterial& material) { return material.id.has_value(); });
    QHash<qint64, int> materialLines;
    for (const BankMaterial& material : content.materials) {
        checkText(file, content.placeOf(material.sourceLine), Text::tr("the material's title"), material.title,
                  problems);
        checkText(file, content.placeOf(material.sourceLine), Text::tr("the material's text"), material.text,
                  problems);
        if (!material.id) {
            if (numbered > 0)
                problems.addError(file, content.placeOf(material.sourceLine),
                                  Text::tr("material has no \"id\" while others have one: give all or none"));
            continue;
        }
        if (materialLines.contains(*material.id))
            problems.addError(file, content.placeOf(material.sourceLine),
                              Text::tr("material id %1 is used again (%2)")
                                  .arg(*material.id)
                                  .arg(firstOn(content, materialLines.value(*material.id))));
        else
            materialLines.insert(*material.id, material.sourceLine);
    }
}

} // namespace ContentRules
