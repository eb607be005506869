#pragma once

#include <QApplication>
#include <QObject>
#include <QWidget>

#include <stdexcept>
#include <string>

// Tests reach the parts of a window the way the design asks: by type and object name, not by
// accessors the window would keep for tests alone. A part that is not there throws, which
// fails the test that looked for it.

/// The child of `parent` of type T with this object name (of any name when it is empty).
template <class T> T& FindNamed(const QObject& parent, const char* name = "")
{
    T* child = parent.findChild<T*>(QString::fromUtf8(name));
    if (child == nullptr) {
        throw std::runtime_error("no child named '" + std::string(name) + "' in " +
                                 parent.objectName().toStdString());
    }
    return *child;
}

/// The one top-level window of type T with this object name.
template <class T> T& FindTopLevel(const char* name)
{
    T* found = nullptr;
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        T* window = qobject_cast<T*>(widget);
        if (window == nullptr || window->objectName() != QLatin1String(name)) {
            continue;
        }
        if (found != nullptr) {
            throw std::runtime_error("more than one top-level window named " + std::string(name));
        }
        found = window;
    }
    if (found == nullptr) {
        throw std::runtime_error("no top-level window named " + std::string(name));
    }
    return *found;
}
