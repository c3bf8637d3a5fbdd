#pragma once

#include "tools/formats/jet/JetReader.h"

#include <QString>

// The Jet 4 banks the importer is tested on live outside the repository,
// in shared/fixtures/jet beside the clone (see README.txt there); tests that
// need them skip, saying so, where that folder is missing.
namespace JetFixtures {

QString folder();
QString path(const QString& fileName);
bool available();

} // namespace JetFixtures

// A build without libmdb (QUENHAR_JET_IMPORT off) reads no Jet file at all.
#define SKIP_WITHOUT_JET_READER()                                                                                     \
    if (!JetReader::available())                                                                                      \
    GTEST_SKIP() << "this build reads no Jet banks (built without libmdb, QUENHAR_JET_IMPORT off)"

#define SKIP_WITHOUT_JET_FIXTURES()                                                                                   \
    SKIP_WITHOUT_JET_READER();                                                                                        \
    if (!JetFixtures::available())                                                                                    \
    GTEST_SKIP() << "the Jet fixtures are not in " << JetFixtures::folder().toStdString()                             \
                 << " (shared/fixtures/jet beside the clone); the import of real Jet files is not tested"
