#include "tools/formats/sheet/SheetHeader.h"

#include "tools/formats/sheet/SheetLayout.h"

#include <QRegularExpression>

namespace {

using SheetHeader::Column;

struct Spelling
{
    Column column;
    QStringList names; // the layout's name first
};

const QList<Spelling>& questionSpellings()
{
    static const QList<Spelling> spellings{
        {Column::No, {SheetLayout::no(), QStringLiteral("序号"), QStringLiteral("编号"), QStringLiteral("题目编号"),
                      QStringLiteral("试题编号"), QStringLiteral("no"), QStringLiteral("id")}},
        {Column::Type, {SheetLayout::type(), QStringLiteral("类型"), QStringLiteral("题目类型"),
                        QStringLiteral("试题类型"), QStringLiteral("题类"), QStringLiteral("type")}},
        {Column::Text, {SheetLayout::text(), QStringLiteral("题目"), QStringLiteral("试题"), QStringLiteral("问题"),
                        QStringLiteral("题目内容"), QStringLiteral("试题内容"), QStringLiteral("题干内容"),
                        QStringLiteral("question")}},
        {Column::Answer, {SheetLayout::answer(), QStringLiteral("正确答案"), QStringLiteral("标准答案"),
                          QStringLiteral("参考答案"), QStringLiteral("正确选项"), QStringLiteral("answer")}},
        {Column::Category, {SheetLayout::category(), QStringLiteral("章"), QStringLiteral("章节号"),
                            QStringLiteral("所属章节"), QStringLiteral("分类"), QStringLiteral("类别"),
                            QStringLiteral("chapter"), QStringLiteral("category")}},
        {Column::MustAnswer, {SheetLayout::mustAnswer(), QStringLiteral("必对题"), QStringLiteral("必答"),
                              QStringLiteral("必答题"), QStringLiteral("必考"), QStringLiteral("必考题")}},
        {Column::Picture, {SheetLayout::picture(), QStringLiteral("图片路径"), QStringLiteral("图片文件"),
                           QStringLiteral("配图"), QStringLiteral("插图"), QStringLiteral("图"),
                           QStringLiteral("picture"), QStringLiteral("image")}},
        {Column::Explanation, {QStringLiteral("解析"), QStringLiteral("答案解析"), QStringLiteral("试题解析"),
                               QStringLiteral("解释"), QStringLiteral("说明"), QStringLiteral("依据"),
                               QStringLiteral("法规依据"), QStringLiteral("explanation")}},
    };
    return spellings;
}

const QList<Spelling>& categorySpellings()
{
    static const QList<Spelling> spellings{
        {Column::Category, {SheetLayout::category(), QStringLiteral("章节号"), QStringLiteral("编号"),
                            QStringLiteral("no")}},
        {Column::CategoryTitle, {SheetLayout::title(), QStringLiteral("章节名称"), QStringLiteral("标题"),
                                 QStringLiteral("title")}},
    };
    return spellings;
}

const QList<Spelling>& materialSpellings()
{
    static const QList<Spelling> spellings{
        {Column::MaterialId, {SheetLayout::materialId(), QStringLiteral("序号"), QStringLiteral("id")}},
        {Column::MaterialTitle, {SheetLayout::materialTitle(), QStringLiteral("名称"), QStringLiteral("title")}},
        {Column::MaterialText, {SheetLayout::materialText(), QStringLiteral("正文"), QStringLiteral("text")}},
    };
    return spellings;
}

std::optional<Column> find(const QList<Spelling>& spellings, const QString& header)
{
    const QString wanted = SheetHeader::key(header);
    if (wanted.isEmpty())
        return std::nullopt;
    for (const Spelling& spelling : spellings)
        for (const QString& name : spelling.names)
            if (SheetHeader::key(name) == wanted)
                return spelling.column;
    return std::nullopt;
}

const QString chineseDigits = QStringLiteral("一二三四五六七八九");

} // namespace

namespace SheetHeader {

QString key(const QString& header)
{
    // A remark in brackets after the name (正确答案(只能输入ABCD否则报错),
    // 题号【必填】) says how to fill the column, not which it is. NFKC
    // makes full-width brackets and letters ASCII first.
    static const QRegularExpression remark(QStringLiteral("[(\\[【〔<《].*$"));
    static const QRegularExpression spaces(QStringLiteral("[\\s:*]+"));
    QString text = header.normalized(QString::NormalizationForm_KC);
    text.remove(spaces);
    const QString withoutRemark = QString(text).remove(remark);
    return (withoutRemark.isEmpty() ? text : withoutRemark).toLower();
}

std::optional<int> optionIndex(const QString& header)
{
    static const QRegularExpression letter(QStringLiteral("^(?:选项|option)?([a-z])(?:选项|项)?$"));
    static const QRegularExpression digit(QStringLiteral("^(?:选项|option)([1-9一二三四五六七八九])$"));
    const QString text = key(header);
    if (const QRegularExpressionMatch match = letter.match(text); match.hasMatch())
        return match.captured(1).at(0).unicode() - u'a';
    if (const QRegularExpressionMatch match = digit.match(text); match.hasMatch()) {
        const QChar c = match.captured(1).at(0);
        return c.isDigit() ? c.digitValue() - 1 : int(chineseDigits.indexOf(c));
    }
    return std::nullopt;
}

static const QList<Spelling>& spellingsOf(SheetKind kind)
{
    switch (kind) {
    case SheetKind::Categories: return categorySpellings();
    case SheetKind::Materials: return materialSpellings();
    case SheetKind::Questions: break;
    }
    return questionSpellings();
}

std::optional<Column> column(SheetKind kind, const QString& header)
{
    return find(spellingsOf(kind), header);
}

QStringList spellings(Column column, SheetKind kind)
{
    for (const Spelling& spelling : spellingsOf(kind))
        if (spelling.column == column)
            return spelling.names;
    return {};
}

QStringList optionSpellings()
{
    return {SheetLayout::option(0), QStringLiteral("A"), QStringLiteral("A选项"), QStringLiteral("选项1"),
            QStringLiteral("选项一"), QStringLiteral("Option A")};
}

QString name(Column column)
{
    return spellings(column).value(0);
}

} // namespace SheetHeader
