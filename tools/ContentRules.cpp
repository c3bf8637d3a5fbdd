#include "tools/ContentRules.h"

#include "rules/CategoryNumber.h"

#include <QHash>

#include <algorithm>

namespace ContentRules {

void check(const BankContent& content, const QString& file, const QString& categoriesFile,
           SourceProblems& problems)
{
    QHash<qint64, int> categoryLines;
    for (const BankCategory& category : content.categories) {
        if (categoryLines.contains(category.no))
            problems.addWarning(categoriesFile, category.sourceLine,
                                QStringLiteral("category %1 is listed again (first on line %2): it shows twice")
                                    .arg(category.no)
                                    .arg(categoryLines.value(category.no)));
        else
            categoryLines.insert(category.no, category.sourceLine);
    }

    QHash<qint64, int> questionLines;
    for (const BankQuestion& question : content.questions) {
        if (questionLines.contains(question.no))
            problems.addError(file, question.sourceLine,
                              QStringLiteral("question number %1 is used again (first on line %2)")
                                  .arg(question.no)
                                  .arg(questionLines.value(question.no)));
        else
            questionLines.insert(question.no, question.sourceLine);

        if (!categoryLines.contains(question.category))
            problems.addWarning(file, question.sourceLine,
                                QStringLiteral("question %1: category %2 is not listed, so the question is "
                                               "never offered for practice")
                                    .arg(question.no)
                                    .arg(question.category));
        else if (CategoryNumber::isHeading(question.category))
            problems.addWarning(file, question.sourceLine,
                                QStringLiteral("question %1: category %2 is a chapter heading, so the question "
                                               "is never offered for practice")
                                    .arg(question.no)
                                    .arg(question.category));
    }

    // Numbers the bank gives could clash with numbers the source gives, so
    // it is all or none.
    const auto numbered = std::count_if(content.materials.cbegin(), content.materials.cend(),
                                        [](const BankMaterial& material) { return material.id.has_value(); });
    QHash<qint64, int> materialLines;
    for (const BankMaterial& material : content.materials) {
        if (!material.id) {
            if (numbered > 0)
                problems.addError(file, material.sourceLine,
                                  QStringLiteral("material has no \"id\" while others have one: give all or none"));
            continue;
        }
        if (materialLines.contains(*material.id))
            problems.addError(file, material.sourceLine,
                              QStringLiteral("material id %1 is used again (first on line %2)")
                                  .arg(*material.id)
                                  .arg(materialLines.value(*material.id)));
        else
            materialLines.insert(*material.id, material.sourceLine);
    }
}

} // namespace ContentRules
