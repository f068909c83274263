#include "settings/Einstellungen.h"

#include <algorithm>

#include "platform/IniFile.h"

namespace tk::Einstellungen {

namespace {
    const QString kData = QStringLiteral("Data");
    const QString kFarben = QStringLiteral("Farben");
    const QString kSchrift = QStringLiteral("Schrift");
    const QString kStart = QStringLiteral("Start");
    const QString kKochmodus = QStringLiteral("Kochmodus");
    const QString kTextgroesse = QStringLiteral("Textgroesse");
}

QString standardAutor(const IniFile& ini)
{
    return ini.readString(kData, QStringLiteral("StandardAutor"), {});
}
bool eigeneFarben(const IniFile& ini) { return ini.readBool(kFarben, QStringLiteral("Skin"), false); }
int farbton(const IniFile& ini) { return ini.readInteger(kFarben, QStringLiteral("Farbe"), 0); }
int schriftgroesse(const IniFile& ini)
{
    return ini.readInteger(kSchrift, QStringLiteral("Size"), kStandardGroesse);
}
bool willkommenZeigen(const IniFile& ini)
{
    return ini.readBool(kStart, QStringLiteral("ShowWelcome"), true);
}

int klemmeGroesse(int s) { return std::clamp(s, kMinGroesse, kMaxGroesse); }

int kochmodusGroesse(const IniFile& ini)
{
    return std::clamp(ini.readInteger(kKochmodus, kTextgroesse, 100), kKochmodusMin, kKochmodusMax);
}
void schreibeKochmodusGroesse(IniFile& ini, int prozent)
{
    ini.writeInteger(kKochmodus, kTextgroesse, prozent);
}

void schreibeAutor(IniFile& ini, const QString& autor)
{
    ini.writeString(kData, QStringLiteral("StandardAutor"), autor);
}
void schreibeSchriftgroesse(IniFile& ini, int s) { ini.writeInteger(kSchrift, QStringLiteral("Size"), s); }

void schreibeFarben(IniFile& ini, bool normaleFarbe, int farbton)
{
    ini.writeBool(kFarben, QStringLiteral("Skin"), !normaleFarbe);
    // The normal colours keep the stored hue.
    if (!normaleFarbe)
        ini.writeInteger(kFarben, QStringLiteral("Farbe"), farbton);
}

void schreibeWillkommenZeigen(IniFile& ini, bool show)
{
    ini.writeBool(kStart, QStringLiteral("ShowWelcome"), show);
}

} // namespace tk::Einstellungen
