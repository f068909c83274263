#pragma once

#include <QString>

namespace tk {

class IniFile;

// The settings file Data/Sonstiges/tellerkiste.dat: its sections, keys and defaults. Every read
// goes to the file, nothing is cached.
namespace Einstellungen {
    constexpr int kMinGroesse = 6;
    constexpr int kMaxGroesse = 12;
    constexpr int kStandardGroesse = 10;

    QString standardAutor(const IniFile& ini); // "Data"/"StandardAutor", default empty
    bool skin(const IniFile& ini); // "Farben"/"Skin": the hue scheme, default false
    int farbe(const IniFile& ini); // "Farben"/"Farbe", default 0, used as read
    int size(const IniFile& ini); // "Schrift"/"Size", default 10, not clamped
    bool showWelcome(const IniFile& ini); // "Start"/"ShowWelcome", default true

    int klemmeGroesse(int size); // to 6..12, as the track bar does

    // "Kochmodus"/"Textgroesse": cook mode's text size in percent of its normal size (which follows
    // "Size"), default 100, read into 50..300.
    constexpr int kKochmodusMin = 50;
    constexpr int kKochmodusMax = 300;
    int kochmodusGroesse(const IniFile& ini);
    void writeKochmodusGroesse(IniFile& ini, int prozent);

    // What one OK of the settings window stores, written in this order: "StandardAutor", "Size",
    // "Skin" and, with the hue scheme only, "Farbe". A failing write throws; the keys before it
    // are on disk.
    void writeAutor(IniFile& ini, const QString& autor);
    void writeSize(IniFile& ini, int size);
    void writeSchema(IniFile& ini, bool normaleFarbe, int farbton);
    void writeShowWelcome(IniFile& ini, bool show);
}

} // namespace tk
