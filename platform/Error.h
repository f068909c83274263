#pragma once

#include <QString>
#include <stdexcept>

namespace tk {

// A failure that carries a German message a user can read. Core code throws it; the GUI shows
// the message in the standard error report and goes on.
class Error : public std::runtime_error {
public:
    explicit Error(const QString& message)
        : std::runtime_error(message.toStdString())
        , m_message(message)
    {
    }
    const QString& message() const { return m_message; }

private:
    QString m_message;
};

// The message for an arbitrary exception caught at a handler boundary.
QString messageOf(const std::exception& e);

} // namespace tk
