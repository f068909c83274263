#pragma once

#include <QString>

struct ca_context;

namespace tk {

// The timer's ring: the sound theme's "alarm-clock-elapsed" through libcanberra, so the desktop's
// theme and its event-sound volume apply and nothing has to be shipped. Without a sound device
// nothing is heard and nothing fails.
class Signalton {
public:
    Signalton() = default;
    ~Signalton();
    Signalton(const Signalton&) = delete;
    Signalton& operator=(const Signalton&) = delete;

    void spielen(const QString& beschreibung); // returns at once; the sound plays on its own

private:
    ca_context* m_kontext = nullptr;
    bool m_versucht = false;
};

} // namespace tk
