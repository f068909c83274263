#pragma once

#include <QString>

namespace tk {

// When a symbolic link on the way to path leads nowhere (its target is missing, or the links go round in
// a circle), a sentence naming the first such link; empty otherwise.
QString brokenLinkMessage(const QString& path);

} // namespace tk
