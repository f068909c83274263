#include "TestSupport.h"

#include <QDir>
#include <QFile>

#include "platform/Cp1252.h"
#include "platform/IniFile.h"
#include "platform/TextLines.h"
#include "store/Formats.h"
#include "store/Kategorien.h"
#include "store/Rezepte.h"

// The collection that ships with the program (data/, copied beside it as Data/).
class ShippedDataTest : public QObject {
    Q_OBJECT

    const QString rezepte = QStringLiteral(TK_SOURCE_DIR "/data/Rezepte");
    QString file(const QString& name) const { return rezepte + u'/' + name; }

private slots:
    void loadsThroughTheLoader()
    {
        const tk::IniFile fav(file(QStringLiteral("favoriten.dat")));
        std::vector<tk::Rezepteintrag> table;
        int max = -1;
        QList<int> listed;
        const tk::Ladeergebnis out = tk::ladeTabelle(tk::loadLines(file(QStringLiteral("index.dat"))), table,
            max, &fav, tk::kFavoriten, {}, [&](int n) { listed.append(n); });
        QVERIFY(!out.abgebrochen);
        QVERIFY(!out.altesFormat);
        QCOMPARE(max, 16);
        QCOMPARE(out.lebend, 16);
        QVERIFY(table[6].geloescht);
        QVERIFY2(listed.size() >= 3, "favourites and the Favoriten category show on their tab");

        // Every live recipe has a readable file with the marker; deleted ones have none.
        int pictures = 0, comments = 0;
        for (int n = 0; n <= max; ++n) {
            const QString dat = file(tk::stem(n) + QStringLiteral(".dat"));
            if (table[size_t(n)].geloescht) {
                QVERIFY(!QFile::exists(dat));
                continue;
            }
            const tk::RecipeFile r = tk::parseRecipe(tk::loadLines(dat));
            QVERIFY2(r.hasMarker && !r.zutaten.isEmpty() && !r.text.isEmpty(), qPrintable(dat));
            QVERIFY(!table[size_t(n)].titel.isEmpty());
            comments += !r.kommentar.isEmpty();
            if (QFile::exists(file(tk::stem(n) + QStringLiteral(".jpg")))) {
                const QByteArray jpg = tk::loadBytes(file(tk::stem(n) + QStringLiteral(".jpg")));
                QVERIFY(jpg.startsWith("\xFF\xD8\xFF") && jpg.endsWith("\xFF\xD9"));
                ++pictures;
            }
        }
        QVERIFY(pictures >= 2);
        QVERIFY(comments >= 1);
    }

    void ownCategories()
    {
        tk::KategorieTabellen t;
        tk::buildKategorieTabellen(tk::loadLines(file(QStringLiteral("kategorien.dat"))), t);
        QCOMPARE(tk::tabCaptions(t).mid(15), (QStringList { "Grillen", "Weihnachtsbäckerei" }));
    }

    void textFilesAreWindows1252WithCrLf()
    {
        const QStringList names = QDir(rezepte).entryList({ QStringLiteral("*.dat") }, QDir::Files);
        QVERIFY(names.size() >= 15);
        for (const QString& name : names) {
            const QByteArray bytes = tk::loadBytes(file(name));
            QVERIFY2(bytes.endsWith("\r\n"), qPrintable(name));
            QCOMPARE(bytes.count('\n'), bytes.count("\r\n"));
            QCOMPARE(bytes.count('\r'), bytes.count("\r\n"));
            const QString text = tk::fromCp1252(bytes);
            for (QChar c : text)
                QVERIFY2(
                    c >= u' ' ? !(c.unicode() >= 0x80 && c.unicode() < 0xA0) : (c == u'\r' || c == u'\n'),
                    qPrintable(name + QStringLiteral(": control character")));
            // UTF-8 read as Windows-1252 would show as "Ã".
            QVERIFY2(!text.contains(u'Ã'), qPrintable(name + QStringLiteral(": UTF-8")));
        }
    }
};

TK_TEST_MAIN(ShippedDataTest)
#include "tst_shippeddata.moc"
