#pragma once

namespace tk {

struct Rgb {
    int red = 0;
    int green = 0;
    int blue = 0;
    bool operator==(const Rgb&) const = default;
};

// Hue in degrees, lightness and saturation in percent, to red, green and blue (0 to 255).
// A hue outside 0 to 359 gives black (only an edited settings file can hold one).
Rgb hlsZuRgb(int hue, int lightness, int saturation);

// The three shades of the colour scheme.
inline Rgb panelfarbe(int hue) { return hlsZuRgb(hue, 75, 75); } // panels, status bar, splitters
inline Rgb feldfarbe(int hue) { return hlsZuRgb(hue, 90, 30); } // lists and text fields
inline Rgb textfarbe(int hue) { return hlsZuRgb(hue, 20, 90); } // text

} // namespace tk
