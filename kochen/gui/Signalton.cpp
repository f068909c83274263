#include "kochen/gui/Signalton.h"

#include <canberra.h>

namespace tk {

Signalton::~Signalton()
{
    if (m_kontext)
        ca_context_destroy(m_kontext);
}

void Signalton::spielen(const QString& beschreibung)
{
    // Made on the first ring: most cook-mode sessions never need it.
    if (!m_versucht) {
        m_versucht = true;
        if (ca_context_create(&m_kontext) != CA_SUCCESS)
            m_kontext = nullptr;
        else
            ca_context_change_props(m_kontext, CA_PROP_APPLICATION_NAME, "Tellerkiste",
                CA_PROP_APPLICATION_ID, "org.example.tellerkiste", nullptr);
    }
    if (!m_kontext)
        return;
    ca_context_play(m_kontext, 0, CA_PROP_EVENT_ID, "alarm-clock-elapsed", CA_PROP_EVENT_DESCRIPTION,
        beschreibung.toUtf8().constData(), nullptr);
}

} // namespace tk
