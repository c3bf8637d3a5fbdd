#include "JetFixtures.h"

#include <QDir>
#include <QFileInfo>

namespace JetFixtures {

QString folder()
{
    return QDir::cleanPath(QStringLiteral(QUENHAR_JET_FIXTURES));
}

QString path(const QString& fileName)
{
    return QDir(folder()).filePath(fileName);
}

bool available()
{
    return QFileInfo::exists(path(QStringLiteral("bank.expected.json")));
}

} // namespace JetFixtures
