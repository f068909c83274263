#pragma once

#include <QObject>
#include <QString>
#include <QtGlobal>

namespace tkb {

// A window's control found by its object name. A control that is not there ends the run at once,
// naming it, instead of a null pointer further on.
template <class T> T* kind(const QObject* fenster, const QString& name)
{
    T* c = fenster->findChild<T*>(name);
    if (!c)
        qFatal("%s \"%s\" not found in %s \"%s\"", T::staticMetaObject.className(), qPrintable(name),
            fenster->metaObject()->className(), qPrintable(fenster->objectName()));
    return c;
}

} // namespace tkb
