#pragma once

#include <QApplication>
#include <QObject>
#include <QWidget>

#include <gtest/gtest.h>

// Tests reach the widgets of a window the way a person's tools would: by object name, not by
// accessors the window would keep for tests alone.

/// The child of `parent` of type T with this object name; a missing one fails the test.
template <class T> T* FindNamed(const QObject& parent, const char* name)
{
    T* child = parent.findChild<T*>(QString::fromUtf8(name));
    EXPECT_NE(child, nullptr) << "no child named " << name << " in "
                              << parent.objectName().toStdString();
    return child;
}

/// The top-level window of type T with this object name; a missing one fails the test.
template <class T> T* FindTopLevel(const char* name)
{
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (widget->objectName() == QLatin1String(name)) {
            if (T* window = qobject_cast<T*>(widget)) {
                return window;
            }
        }
    }
    ADD_FAILURE() << "no top-level window named " << name;
    return nullptr;
}
