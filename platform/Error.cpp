#include "platform/Error.h"

namespace tk {

QString messageOf(const std::exception& e)
{
    if (auto* err = dynamic_cast<const Error*>(&e))
        return err->message();
    if (dynamic_cast<const std::bad_alloc*>(&e))
        return QStringLiteral("Nicht genügend Arbeitsspeicher.");
    return QString::fromLocal8Bit(e.what());
}

} // namespace tk
