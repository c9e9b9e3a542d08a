#pragma once
// A window's controls, found by their object names: tests reach what a user sees without the
// window handing its members out. A missing control fails the test and gives null.
#include <QByteArray>
#include <QObject>
#include <QString>
#include <gtest/gtest.h>

template <class T>
T *Control(const QObject &window, const char *name)
{
    T *found = window.findChild<T *>(QLatin1String(name));
    if (!found)
        ADD_FAILURE() << "no control named " << name << " in " << window.objectName().toStdString();
    return found;
}

// Control i of a row of controls named name0, name1, ...
template <class T>
T *ControlAt(const QObject &window, const char *name, int index)
{
    const QByteArray full = QByteArray(name) + QByteArray::number(index);
    return Control<T>(window, full.constData());
}
