#pragma once
// Object names for a window's controls: tests (and accessibility tools) find a control by
// its name instead of reaching into the window. Controls of an array get their index after
// the name ("btnKind0" .. "btnKind6").
#include <QObject>
#include <QString>
#include <cstddef>
#include <initializer_list>
#include <utility>

inline void NameControls(std::initializer_list<std::pair<QObject *, const char *>> controls)
{
    for (const auto &[control, name] : controls)
        if (control)
            control->setObjectName(QLatin1String(name));
}

template <class T, std::size_t N>
void NameControlArray(T *(&controls)[N], const char *name)
{
    for (std::size_t i = 0; i < N; ++i)
        if (controls[i])
            controls[i]->setObjectName(QLatin1String(name) + QString::number(i));
}
