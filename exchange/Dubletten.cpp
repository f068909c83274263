#include "exchange/Dubletten.h"

#include <QFileInfo>
#include <QHash>

#include "platform/Cp1252.h"
#include "platform/Error.h"
#include "platform/IniFile.h"
#include "platform/TextLines.h"
#include "store/Formats.h"
#include "store/RezeptDateien.h"

namespace tk {

namespace {
    // A text as it reads back from a file: what Windows-1252 cannot hold is "?".
    QString gespeichert(const QString& s) { return fromCp1252(toCp1252(s)); }

    // Lines as an import writes them: the comment marker in foreign text is defused there.
    QStringList gespeichert(const QStringList& lines)
    {
        QStringList out;
        out.reserve(lines.size());
        for (const QString& l : lines)
            out.append(gespeichert(QString(l).replace(kMarker, QStringLiteral("KOMMENTAR"))));
        return out;
    }
}

QList<bool> schonInDerSammlung(const QString& programDir, const std::vector<Rezepteintrag>& rezepte,
    int rezeptMax, const QList<Rezeptvergleich>& neue)
{
    QList<bool> out(neue.size(), false);
    QHash<QString, QList<qsizetype>> nachTitel;
    for (qsizetype i = 0; i < neue.size(); ++i)
        nachTitel[gespeichert(noBar(neue.at(i).titel))].append(i);
    const int letzte = std::min(rezeptMax, int(rezepte.size()) - 1);
    for (int n = 0; n <= letzte; ++n) {
        const Rezepteintrag& r = rezepte[size_t(n)];
        if (r.geloescht)
            continue;
        const auto gleich = nachTitel.constFind(r.titel);
        if (gleich == nachTitel.cend())
            continue;
        Rezeptinhalt inhalt;
        try {
            inhalt = rezeptinhalt(loadLines(recipePath(programDir, n)));
        } catch (const Error&) {
            continue;
        }
        for (qsizetype i : *gleich)
            if (!out.at(i) && gespeichert(neue.at(i).zutaten) == inhalt.zutaten
                && gespeichert(neue.at(i).text) == inhalt.text)
                out[i] = true;
    }
    return out;
}

QList<Rezeptvergleich> paketRezepte(const QString& indexTki)
{
    QList<Rezeptvergleich> out;
    const IniFile ini(indexTki);
    const IniFile::Batch batch(ini);
    const QString ordner = QFileInfo(indexTki).path();
    const int n = ini.readInteger(QStringLiteral("Info"), QStringLiteral("Rezepte"), 0);
    for (int p = 0; p < n; ++p) {
        Rezeptinhalt inhalt;
        try {
            inhalt = rezeptinhalt(loadLines(ordner + u'/' + stem(p) + QStringLiteral(".dat")));
        } catch (const Error&) {
            break;
        }
        out.append({ ini.readString(QString::number(p), QStringLiteral("Name"), QStringLiteral("-")),
            std::move(inhalt.zutaten), std::move(inhalt.text) });
    }
    return out;
}

QString dublettenFrage(int doppelt, int gesamt)
{
    if (gesamt == 1)
        return QStringLiteral("Das Rezept ist schon in der Sammlung. Soll es noch einmal importiert werden?");
    if (doppelt == 1)
        return QStringLiteral("1 der %1 Rezepte ist schon in der Sammlung. Soll es noch einmal importiert "
                              "werden?")
            .arg(gesamt);
    if (doppelt == gesamt && gesamt == 2)
        return QStringLiteral("Beide Rezepte sind schon in der Sammlung. Sollen sie noch einmal importiert "
                              "werden?");
    if (doppelt == gesamt)
        return QStringLiteral("Alle %1 Rezepte sind schon in der Sammlung. Sollen sie noch einmal importiert "
                              "werden?")
            .arg(gesamt);
    return QStringLiteral("%1 der %2 Rezepte sind schon in der Sammlung. Sollen sie noch einmal importiert "
                          "werden?")
        .arg(doppelt)
        .arg(gesamt);
}

QString dublettenHinweis(int ausgelassen)
{
    return ausgelassen == 1
        ? QStringLiteral("1 Rezept war schon in der Sammlung und wurde nicht noch einmal importiert.")
        : QStringLiteral("%1 Rezepte waren schon in der Sammlung und wurden nicht noch einmal importiert.")
              .arg(ausgelassen);
}

} // namespace tk
