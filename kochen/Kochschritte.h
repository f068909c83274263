#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace tk {

// One step of cook mode: a paragraph of the recipe text, with the heading line above it.
struct Kochschritt {
    QString ueberschrift; // "Backen" from a line "=== Backen ==="; empty when none
    QString text; // the step's lines, joined by "\n"
    bool operator==(const Kochschritt&) const = default;
};

// The recipe text as steps: split at blank lines; a text without blank lines gives one step per
// line. A heading line belongs to the step after it; one with nothing after it is a step of its own.
QList<Kochschritt> teileSchritte(const QStringList& zeilen);

// A duration written in a step: "20 Minuten", "1 ½ Std.", "eine halbe Stunde", "10-15 Min.".
struct Dauer {
    int sekunden = 0; // the lower end of a range
    int bisSekunden = 0; // the upper end; equal to sekunden when no range
    qsizetype anfang = 0; // where it stands in the text
    qsizetype laenge = 0;
    bool operator==(const Dauer&) const = default;
};

// Every duration in a text, in order. "1 Std. 30 Min." is one duration; words without a number
// ("einige Minuten", "über Nacht") are none.
QList<Dauer> findeDauern(const QString& text);

QString kurzeDauer(int sekunden); // "20 Min.", "1 Std. 30 Min.", "45 Sek."
QString dauerText(const Dauer& d); // "20 Min.", a range "10–15 Min."
QString restzeit(int sekunden); // a countdown: "19:58", "1:29:58"

// The first words of a step, as a timer's name: "Teig ruhen" from "Den Teig ruhen lassen, 20 Minuten".
QString timerName(const Kochschritt& schritt);

// The ingredient lines whose nouns the step mentions (case-blind, plural and compound forms alike:
// "Zwiebeln" for "Zwiebelringe", "Rinderbrühe" for "Brühe"). Heading lines never count.
QList<int> erwaehnteZutaten(const QStringList& zutaten, const QString& schritt);

} // namespace tk
