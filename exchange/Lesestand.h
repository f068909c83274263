#pragma once

#include <QStringList>

namespace tk::web {

// What one page may bring; beyond this it is damage or an attack, and the rest is left out.
constexpr int kMaxBloecke = 200; // JSON-LD blocks read
constexpr qsizetype kMaxBlock = qsizetype(4) * 1024 * 1024; // bytes of one block
constexpr int kMaxTiefe = 64; // nesting searched for recipes
constexpr int kMaxRezepte = 50;
constexpr int kMaxZutaten = 500;
constexpr int kMaxTextzeilen = 2000;
constexpr int kMaxNamen = 100; // categories and keywords
constexpr qsizetype kMaxZeile = 4000; // one ingredient or text line
constexpr qsizetype kMaxFeld = 255; // title, author, date, quantity, as the package export keeps them

// What the readers of one page left out or changed, for the notes the user gets.
struct Lesestand {
    bool gekuerzt = false;
    bool steuerzeichen = false;
    bool ersetzt = false;
    bool bildVerweis = false;
    bool zuTief = false;
};

} // namespace tk::web
