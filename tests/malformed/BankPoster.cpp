// Posts reference texts to a bank through the store, the way the materials
// page does, until it is killed or has made <count> posts: even numbers
// insert an entry titled "post <n>", odd numbers edit the text of entry
// <entry> (1 unless given) to "post <n>" followed by filler. After each post
// has been committed, its number is printed on a line of its own and
// flushed, so that whoever kills this program knows which posts completed.
//   bank_poster <bank> <first number> [<entry> [<count>]]

#include "DurablePosts.h"

#include "store/Database.h"
#include "store/RecordSet.h"
#include "store/StoreError.h"

#include <QCoreApplication>

#include <cstdio>

int main(int argc, char** argv)
{
    // The arguments as the system passed them (in UTF-16 on Windows), so
    // that a bank in a folder with a Chinese name is found on any code page.
    const QCoreApplication application(argc, argv);
    const QStringList arguments = QCoreApplication::arguments();
    if (arguments.size() < 3 || arguments.size() > 5) {
        std::fprintf(stderr, "usage: %s <bank> <first number> [<entry> [<count>]]\n", argv[0]);
        return 2;
    }
    const int entry = arguments.size() >= 4 ? arguments[3].toInt() : 1;
    // Without a count, posts go on until the program is killed.
    const qint64 count = arguments.size() == 5 ? arguments[4].toLongLong() : -1;
    try {
        Database db(arguments[1]);
        RecordSet ziLiao(db);
        ziLiao.setSql(QStringLiteral("select * from ziliao"));
        const qint64 first = arguments[2].toLongLong();
        for (qint64 number = first; count < 0 || number < first + count; ++number) {
            ziLiao.close();
            ziLiao.open();
            if (DurablePosts::isInsert(number)) {
                ziLiao.insert();
                ziLiao.setFieldValue(QStringLiteral("title"), DurablePosts::title(number));
            } else {
                ziLiao.setRecNo(entry);
                ziLiao.edit();
            }
            ziLiao.setFieldValue(QStringLiteral("memo"), DurablePosts::text(number));
            ziLiao.post();
            std::printf("%lld\n", static_cast<long long>(number));
            std::fflush(stdout);
        }
    } catch (const StoreError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
