// Web pages: the reader on any bytes (recipe data, microformats, plugin markup, the page's headings), as
// a downloaded page (header charset, web address) or as a saved file, and the category matching on every
// name and title it finds. Whatever the page holds, what comes out must
// fit the collection: one line per field, Windows-1252, no "|" in the index fields, pictures only from the
// web or beside the saved page.
#include "exchange/Kategoriezuordnung.h"
#include "exchange/WebRezept.h"
#include "platform/Cp1252.h"
#include "store/Formats.h"

#include <cstdlib>

namespace {
void zeile(const QString& s, qsizetype max)
{
    if (s.size() > max || tk::fromCp1252(tk::toCp1252(s)) != s || s.contains(tk::kMarker))
        abort();
    for (QChar c : s)
        if (c.unicode() < 0x20 || (c.unicode() >= 0x7F && c.unicode() < 0xA0))
            abort();
}
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size));
    const bool datei = size > 0 && (data[0] & 1);
    const QUrl basis = datei ? QUrl::fromLocalFile(QStringLiteral("/tmp/seite/rezept.html"))
                             : QUrl(QStringLiteral("https://koch.example/rezepte/1"));
    const QString typ
        = size > 1 && (data[1] & 1) ? QStringLiteral("text/html; charset=iso-8859-15") : QString();
    const tk::WebErgebnis e = tk::leseWebseite(bytes, typ, basis);
    const tk::Kategoriezuordnung k({ { 15, QStringLiteral("Grillen") } });
    if (e.rezepte.size() > 50)
        abort();
    for (const tk::WebRezept& r : e.rezepte) {
        for (const QString* s : { &r.titel, &r.autor, &r.datum, &r.menge }) {
            zeile(*s, 255);
            if (s->contains(u'|'))
                abort();
        }
        for (const QString& s : r.zutaten)
            if (s.isEmpty())
                abort();
        if (r.zutaten.size() > 500 || r.text.size() > 2000)
            abort();
        for (const QStringList* l : { &r.zutaten, &r.text, &r.kategorien })
            for (const QString& s : *l)
                zeile(s, 4000);
        for (const QUrl& b : r.bilder) {
            const QString schema = b.scheme();
            if (schema == QLatin1String("file")) {
                if (!datei || !b.toLocalFile().startsWith(QLatin1String("/tmp/seite/")))
                    abort();
            } else if ((schema != QLatin1String("http") && schema != QLatin1String("https"))
                || b.host().isEmpty()) {
                abort();
            }
        }
        for (int n : tk::webKategorien(r.kategorien, k, r.titel))
            if (n < 1 || n > 99 || n == 14)
                abort();
    }
    return 0;
}
