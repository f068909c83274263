#include "store/Formats.h"

#include "platform/Error.h"

namespace tk {

QString stem(int n) { return QStringLiteral("%1").arg(n, 4, 10, QLatin1Char('0')); }

QString rezepteDir(const QString& d) { return d + QStringLiteral("/Data/Rezepte"); }
QString indexPath(const QString& d) { return rezepteDir(d) + QStringLiteral("/index.dat"); }
QString recipePath(const QString& d, int n)
{
    return rezepteDir(d) + u'/' + stem(n) + QStringLiteral(".dat");
}
QString picturePath(const QString& d, int n)
{
    return rezepteDir(d) + u'/' + stem(n) + QStringLiteral(".jpg");
}
QString categoryPath(const QString& d) { return rezepteDir(d) + QStringLiteral("/kategorien.dat"); }
QString favouritesPath(const QString& d) { return rezepteDir(d) + QStringLiteral("/favoriten.dat"); }
QString settingsPath(const QString& d) { return d + QStringLiteral("/Data/Sonstiges/tellerkiste.dat"); }
QString weekPlanPath(const QString& d) { return d + QStringLiteral("/Data/Sonstiges/wochenplan.dat"); }
QString layoutPath(const QString& d) { return d + QStringLiteral("/config.ini"); }
QString tempDir(const QString& d) { return d + QStringLiteral("/temp"); }

bool isDeletedEntry(QStringView line) { return line.contains(u"|||"); }

IndexFields splitEntry(QStringView line)
{
    QString f[5];
    for (auto& field : f) {
        const qsizetype bar = line.indexOf(u'|');
        if (bar < 0) {
            // No "|" left: the field is empty and nothing is removed.
            continue;
        }
        field = line.left(bar).toString();
        line = line.mid(bar + 1);
    }
    return { f[0], f[1], f[2], f[3], f[4] };
}

QString noBar(QString text) { return text.replace(u'|', u'/'); }

// Every field loses its "|"; if the line would then read as deleted (two neighbouring fields empty),
// each empty title, author, date and quantity becomes "-", as the database update writes them.
// The category field is never filled.
QString buildEntry(IndexFields f)
{
    f.titel = noBar(f.titel);
    f.autor = noBar(f.autor);
    f.kategorien = noBar(f.kategorien);
    f.datum = noBar(f.datum);
    f.menge = noBar(f.menge);
    auto join = [&] {
        return f.titel + u'|' + f.autor + u'|' + f.kategorien + u'|' + f.datum + u'|' + f.menge + u'|';
    };
    QString line = join();
    if (line.contains(u"|||")) {
        for (QString* s : { &f.titel, &f.autor, &f.datum, &f.menge })
            if (s->isEmpty())
                *s = QStringLiteral("-");
        line = join();
    }
    return line;
}

QString categoryList(const QList<int>& numbers)
{
    QString out;
    for (int n : numbers)
        out += QStringLiteral("%1,").arg(n, 2, 10, QLatin1Char('0'));
    return out;
}

bool isOldCategoryFormat(QStringView k) { return !k.contains(u','); }

void categoryFlags(QStringView k, unsigned char* flags)
{
    for (int i = 0; i < 100; ++i)
        flags[i] = 0;
    for (qsizetype j = 0; j + 1 < k.size(); ++j) {
        const char16_t a = k[j].unicode(), b = k[j + 1].unicode();
        if (a >= u'0' && a <= u'9' && b >= u'0' && b <= u'9') {
            const int v = (a - u'0') * 10 + (b - u'0');
            if (v >= 1)
                flags[v] = 1;
        }
    }
}

bool parseStoreInt(const QString& text, int& out)
{
    bool ok = false;
    const int v = text.trimmed().toInt(&ok, 10);
    if (ok)
        out = v;
    return ok;
}

RecipeFile parseRecipe(const QStringList& lines)
{
    RecipeFile r;
    int k = 0;
    if (lines.isEmpty() || !parseStoreInt(lines.at(0), k))
        throw Error(QStringLiteral("Die Rezeptdatei ist beschädigt: die Zahl der Zutaten fehlt."));
    if (k < 0 || k > lines.size() - 1)
        throw Error(QStringLiteral("Die Rezeptdatei ist beschädigt: es fehlen Zutatenzeilen."));
    r.zutaten = lines.mid(1, k);
    int i = k + 1;
    for (; i < lines.size(); ++i) {
        if (lines.at(i).contains(kMarker)) {
            r.hasMarker = true;
            break;
        }
        r.text.append(lines.at(i));
    }
    if (r.hasMarker)
        r.kommentar = lines.mid(i + 1);
    return r;
}

QStringList buildRecipe(const QStringList& zutaten, const QStringList& text, const QStringList& kommentar)
{
    QStringList out;
    out.reserve(zutaten.size() + text.size() + kommentar.size() + 2);
    out.append(QString::number(zutaten.size()));
    out += zutaten;
    out += text;
    out.append(kMarker);
    out += kommentar;
    return out;
}

} // namespace tk
