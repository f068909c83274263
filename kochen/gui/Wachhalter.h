#pragma once

#include <QObject>
#include <optional>

namespace tk {

// Keeps the screen on: org.freedesktop.ScreenSaver Inhibit on the session bus while on, UnInhibit when
// off. Without a session bus or that service nothing happens.
class Wachhalter : public QObject {
    Q_OBJECT
public:
    explicit Wachhalter(QObject* parent = nullptr);
    ~Wachhalter() override;

    void an(const QString& grund);
    void aus();

private:
    bool m_an = false;
    quint64 m_runde = 0; // which an() a late reply belongs to
    std::optional<uint> m_cookie;
};

} // namespace tk
