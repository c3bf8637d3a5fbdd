#pragma once

#include <QList>
#include <QString>

// Problems found in a source file, each tied to the file and line it comes
// from. Errors stop a build; warnings are shown and the build goes on.
struct SourceProblem
{
    QString file;
    int line = 0; // 0: the file as a whole
    QString reason;

    // "file:line: reason", the form editors and IDEs link to.
    QString toString() const;
};

class SourceProblems
{
public:
    void addError(const QString& file, int line, const QString& reason);
    void addWarning(const QString& file, int line, const QString& reason);

    bool hasErrors() const { return !errors_.isEmpty(); }
    const QList<SourceProblem>& errors() const { return errors_; }
    const QList<SourceProblem>& warnings() const { return warnings_; }

private:
    QList<SourceProblem> errors_;
    QList<SourceProblem> warnings_;
};
