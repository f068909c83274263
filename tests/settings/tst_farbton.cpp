#include "TestSupport.h"

#include <cfenv>
#include <cmath>

#include "settings/Farbton.h"

namespace {

// A second, separately written conversion: T is the type every formula is evaluated in, and
// each result is stored through a volatile double so the compiler keeps the rounding steps.
template <typename T> tk::Rgb reference(int hue, int l, int s)
{
    volatile double L = T(l) / T(100);
    volatile double S = T(s) / T(100);
    const T x = T(hue) / T(60);
    const long i = long(std::trunc(x));
    volatile double f = x - T(i);
    volatile double m2 = (T(L) > T(0.5)) ? T(L) + T(S) - T(L) * T(S) : T(L) * (T(S) + T(1));
    volatile double m1 = T(2) * T(L) - T(m2);
    const T span = T(m2) - T(m1);
    volatile double up = T(m1) + span * T(f);
    volatile double down = T(m1) + span * (T(1) - T(f));
    const double table[6][3] = { { m2, up, m1 }, { down, m2, m1 }, { m1, m2, up }, { m1, down, m2 },
        { up, m1, m2 }, { m2, m1, down } };
    // The product is rounded once, in T.
    auto ch = [](double v) { return int(std::nearbyint(T(255) * T(v))); };
    return { ch(table[i][0]), ch(table[i][1]), ch(table[i][2]) };
}

QString show(const tk::Rgb& c) { return QStringLiteral("%1, %2, %3").arg(c.red).arg(c.green).arg(c.blue); }

}

Q_DECLARE_METATYPE(tk::Rgb)

class FarbtonTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        static_assert(std::numeric_limits<long double>::digits == 64, "needs an 80-bit long double");
        QCOMPARE(std::fegetround(), FE_TONEAREST);
    }

    void exampleShades_data()
    {
        QTest::addColumn<int>("hue");
        QTest::addColumn<QString>("panel");
        QTest::addColumn<QString>("pale");
        QTest::addColumn<QString>("dark");
        QTest::newRow("0") << 0 << "239, 143, 143"
                           << "237, 222, 222"
                           << "97, 5, 5";
        QTest::newRow("30") << 30 << "239, 191, 143"
                            << "237, 230, 222"
                            << "97, 51, 5";
        QTest::newRow("60") << 60 << "239, 239, 143"
                            << "237, 237, 222"
                            << "97, 97, 5";
        QTest::newRow("66") << 66 << "230, 239, 143"
                            << "236, 237, 222"
                            << "88, 97, 5";
        QTest::newRow("120") << 120 << "143, 239, 143"
                             << "222, 237, 222"
                             << "5, 97, 5";
        QTest::newRow("180") << 180 << "143, 239, 239"
                             << "222, 237, 237"
                             << "5, 97, 97";
        QTest::newRow("240") << 240 << "143, 143, 239"
                             << "222, 222, 237"
                             << "5, 5, 97";
        QTest::newRow("300") << 300 << "239, 143, 239"
                             << "237, 222, 237"
                             << "97, 5, 97";
        QTest::newRow("359") << 359 << "239, 143, 145"
                             << "237, 222, 222"
                             << "97, 5, 7";
    }
    void exampleShades()
    {
        QFETCH(int, hue);
        QFETCH(QString, panel);
        QFETCH(QString, pale);
        QFETCH(QString, dark);
        QCOMPARE(show(tk::panelfarbe(hue)), panel);
        QCOMPARE(show(tk::feldfarbe(hue)), pale);
        QCOMPARE(show(tk::textfarbe(hue)), dark);
    }

    void everyHueMatchesExtendedReference()
    {
        const int shades[3][2] = { { 75, 75 }, { 90, 30 }, { 20, 90 } };
        for (const auto& sh : shades)
            for (int h = 0; h < 360; ++h) {
                const tk::Rgb got = tk::hlsZuRgb(h, sh[0], sh[1]);
                const tk::Rgb want = reference<long double>(h, sh[0], sh[1]);
                if (!(got == want))
                    QFAIL(qPrintable(QStringLiteral("hue %1 L %2 S %3: %4 instead of %5")
                                         .arg(h)
                                         .arg(sh[0])
                                         .arg(sh[1])
                                         .arg(show(got), show(want))));
            }
    }

    // Guards the reference itself: plain doubles differ from it exactly at the three known hues.
    void doublePrecisionWouldDifferAtThreeHues()
    {
        QList<int> differ;
        for (int h = 0; h < 360; ++h)
            if (!(reference<double>(h, 75, 75) == reference<long double>(h, 75, 75)))
                differ.append(h);
        QCOMPARE(differ, (QList<int> { 66, 174, 186 }));
        QCOMPARE(reference<double>(66, 75, 75).red, 229);
    }

    // 255 × a double holds at most 61 significant bits, so the 64-bit product is exact and must be
    // rounded as it is; made a double first, these products became ties and went to the even side.
    void channelsRoundTheExactProduct_data()
    {
        QTest::addColumn<int>("hue");
        QTest::addColumn<int>("lightness");
        QTest::addColumn<int>("saturation");
        QTest::addColumn<QString>("rgb");
        QTest::newRow("red 212.50000000000000944") << 70 << 50 << 100 << "213, 255, 0";
        QTest::newRow("green just below 161.5") << 2 << 75 << 50 << "223, 161, 159";
        QTest::newRow("green just above 212.5") << 5 << 90 << 80 << "250, 213, 209";
        QTest::newRow("green just below 93.5") << 22 << 50 << 100 << "255, 93, 0";
    }
    void channelsRoundTheExactProduct()
    {
        QFETCH(int, hue);
        QFETCH(int, lightness);
        QFETCH(int, saturation);
        QTEST(show(tk::hlsZuRgb(hue, lightness, saturation)), "rgb");
    }

    void outsideTheBar_data()
    {
        QTest::addColumn<int>("hue");
        QTest::newRow("360") << 360;
        QTest::newRow("1000") << 1000;
        QTest::newRow("negative") << -1;
        QTest::newRow("most negative") << std::numeric_limits<int>::min();
        QTest::newRow("largest") << std::numeric_limits<int>::max();
    }
    void outsideTheBar()
    {
        QFETCH(int, hue);
        QCOMPARE(show(tk::panelfarbe(hue)), QStringLiteral("0, 0, 0"));
        QCOMPARE(show(tk::textfarbe(hue)), QStringLiteral("0, 0, 0"));
    }

    void noSaturationIsGrey() { QCOMPARE(show(tk::hlsZuRgb(200, 50, 0)), QStringLiteral("128, 128, 128")); }
};

TK_TEST_MAIN(FarbtonTest)
#include "tst_farbton.moc"
