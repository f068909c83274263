#pragma once

#include <QDialog>
#include <QObject>
#include <QString>
#include <QtGlobal>

// Shared by the tests and the benchmarks; needs nothing of QtTest.
namespace tkt {

// A window's control found by its object name, as a user finds it on screen. A control that is not
// there ends the run at once, naming it, instead of a null pointer further on.
template <class T> T* kind(const QObject* fenster, const QString& name)
{
    // A window the main window owns (an import window, say) has controls of the same names; they are
    // its own, not the main window's.
    T* c = nullptr;
    for (T* kandidat : fenster->findChildren<T*>(name)) {
        const QObject* o = kandidat->parent();
        while (o != fenster && !qobject_cast<const QDialog*>(o))
            o = o->parent();
        if (o == fenster) {
            c = kandidat;
            break;
        }
    }
    if (!c)
        qFatal("%s \"%s\" not found in %s \"%s\"", T::staticMetaObject.className(), qPrintable(name),
            fenster->metaObject()->className(), qPrintable(fenster->objectName()));
    return c;
}

} // namespace tkt
