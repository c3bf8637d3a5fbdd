// JetReader in a build without libmdb: no Jet file is read. The import
// command asks available() first and tells the user what to do instead.

#include "tools/formats/jet/JetReader.h"

#include "store/StoreError.h"

namespace JetReader {

bool available()
{
    return false;
}

void read(const QString&, Jet::RowSink&)
{
    throw StoreError(QStringLiteral("this build reads no Jet databases"));
}

} // namespace JetReader
