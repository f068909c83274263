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
    bool eigeneFarben(const IniFile& ini); // "Farben"/"Skin": the hue scheme, default false
    int farbton(const IniFile& ini); // "Farben"/"Farbe", default 0, used as read
    int schriftgroesse(const IniFile& ini); // "Schrift"/"Size", default 10, not clamped
    bool willkommenZeigen(const IniFile& ini); // "Start"/"ShowWelcome", default true

    int klemmeGroesse(int size); // to 6..12, as the track bar does

    // "Kochmodus"/"Textgroesse": cook mode's text size in percent of its normal size (which follows
    // "Size"), default 100, read into 50..300.
    constexpr int kKochmodusMin = 50;
    constexpr int kKochmodusMax = 300;
    int kochmodusGroesse(const IniFile& ini);
    void schreibeKochmodusGroesse(IniFile& ini, int prozent);

    // What one OK of the settings window stores, written in this order: "StandardAutor", "Size",
    // "Skin" and, with the hue scheme only, "Farbe". A failing write throws; the keys before it
    // are on disk.
    void schreibeAutor(IniFile& ini, const QString& autor);
    void schreibeSchriftgroesse(IniFile& ini, int size);
    void schreibeFarben(IniFile& ini, bool normaleFarbe, int farbton);
    void schreibeWillkommenZeigen(IniFile& ini, bool show);
}

} // namespace tk
