#pragma once

#include <QByteArray>
#include <QString>
#include <vector>

#include "store/IndexZeilen.h"

namespace tk {

// The index file's lines for an edit of a few of them. Only the lines that are read or changed are
// decoded or encoded; the others go back to the file as the bytes they were. At half a million recipes
// this spares the decoding and encoding of 33 MB per save. The lines are what splitLines() reads, and
// bytes() is what joinLines() would write for them.
class Indexdatei {
public:
    explicit Indexdatei(QByteArray bytes);

    qsizetype size() const { return qsizetype(m_zeilen.size()); }
    bool isEmpty() const { return m_zeilen.empty(); }
    QString at(qsizetype i) const;
    bool enthaelt(qsizetype i, char c) const; // whether line i holds the byte c, without decoding it

    void replace(qsizetype i, const QString& zeile);
    void append(const QString& zeile) { insert(size(), zeile); }
    void insert(qsizetype i, const QString& zeile);

    QByteArray bytes() const;
    void speichern(const QString& pfad) const; // writes bytes() atomically, without joining them first

private:
    // A line as read (its number in m_gelesen), or >= kNeu: the line m_neu[zeile - kNeu].
    static constexpr qsizetype kNeu = qsizetype(1) << 40;
    QByteArrayView roh(qsizetype zeile) const;
    std::vector<QByteArrayView> stuecke() const;
    QByteArray ganzNeu() const; // every line decoded and encoded again, as joinLines writes them

    IndexZeilen m_gelesen;
    std::vector<qsizetype> m_zeilen;
    std::vector<QByteArray> m_neu; // changed and added lines, encoded
    bool m_wieGeschrieben = true; // every line ends in CR LF: unchanged bytes can be copied as they are
};

} // namespace tk
