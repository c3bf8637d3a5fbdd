#pragma once

#include <QString>

// The Jet 4 banks the importer is tested on live outside the repository,
// in shared/fixtures/jet beside the clone (see README.txt there); tests that
// need them skip, saying so, where that folder is missing.
namespace JetFixtures {

QString folder();
QString path(const QString& fileName);
bool available();

} // namespace JetFixtures

#define SKIP_WITHOUT_JET_FIXTURES()                                                                                   \
    if (!JetFixtures::available())                                                                                    \
    GTEST_SKIP() << "the Jet fixtures are not in " << JetFixtures::folder().toStdString()                             \
                 << " (shared/fixtures/jet beside the clone); the import of real Jet files is not tested"
