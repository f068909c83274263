#include "settings/Farbton.h"

#include <algorithm>
#include <cmath>

namespace tk {

namespace {
    // Every formula is evaluated with a 64-bit mantissa and stored as double, as the colour
    // table always came out; plain double arithmetic gives a few channels one step lower
    // (hue 66 would give red 229 instead of 230).
    using Ext = long double;

    int channel(double value)
    {
        // The product is exact in 64 bits and rounded once: storing it as double first would make
        // 212.50000000000000944 a tie and give 212 instead of 213. nearbyint rounds halves to the even
        // neighbour in the default rounding mode.
        const Ext r = std::nearbyint(Ext(255) * Ext(value));
        return int(std::clamp(r, Ext(0), Ext(255)));
    }
}

Rgb hlsZuRgb(int hue, int lightness, int saturation)
{
    if (hue < 0 || hue >= 360)
        return {};
    const double L = double(Ext(lightness) / Ext(100));
    const double S = double(Ext(saturation) / Ext(100));
    const Ext x = Ext(hue) / Ext(60);
    const int i = int(x);
    const double f = double(x - Ext(i));

    double m2;
    if (L > 0.5)
        m2 = double(Ext(L) + Ext(S) - Ext(L) * Ext(S));
    else
        m2 = double(Ext(L) * (Ext(S) + Ext(1)));
    const double m1 = double(Ext(2) * Ext(L) - Ext(m2));

    const double u = double(Ext(m1) + (Ext(m2) - Ext(m1)) * Ext(f));
    const double d = double(Ext(m1) + (Ext(m2) - Ext(m1)) * (Ext(1) - Ext(f)));

    double r = 0, g = 0, b = 0;
    if (S == 0) {
        r = g = b = L;
    } else {
        switch (i) {
        case 0:
            r = m2;
            g = u;
            b = m1;
            break;
        case 1:
            r = d;
            g = m2;
            b = m1;
            break;
        case 2:
            r = m1;
            g = m2;
            b = u;
            break;
        case 3:
            r = m1;
            g = d;
            b = m2;
            break;
        case 4:
            r = u;
            g = m1;
            b = m2;
            break;
        case 5:
            r = m2;
            g = m1;
            b = d;
            break;
        default:
            return {};
        }
    }
    return { channel(r), channel(g), channel(b) };
}

} // namespace tk
