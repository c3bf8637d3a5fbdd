// A second program writing to a bank: it adds materials entries through the
// record set, one post each, and prints the number of every post once it is
// written, until it is killed. The tests kill it at a random moment of a
// post and check the file.

#include "rules/Statements.h"
#include "store/Database.h"
#include "store/RecordSet.h"
#include "store/StoreError.h"

#include <QCoreApplication>
#include <QString>

#include <cstdio>

int main(int argc, char** argv)
{
    // The arguments as the system passed them (in UTF-16 on Windows).
    const QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() != 2) {
        std::fprintf(stderr, "usage: %s <bank>\n", argv[0]);
        return 2;
    }
    try {
        Database db(arguments[1]);
        RecordSet set(db);
        set.setSql(Statements::materials());
        set.open();
        // A long text makes each post write many pages, so that a kill often
        // lands in the middle of one.
        const QString text(200000, QLatin1Char('x'));
        for (int post = 0;; ++post) {
            set.insert();
            set.setFieldValue(QStringLiteral("title"), QStringLiteral("post %1").arg(post));
            set.setFieldValue(QStringLiteral("memo"), text);
            set.post();
            std::printf("%d\n", post);
            std::fflush(stdout);
        }
    } catch (const StoreError& error) {
        std::fprintf(stderr, "%s\n", qPrintable(error.text()));
        return 1;
    }
}
