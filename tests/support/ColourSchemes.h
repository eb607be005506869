#pragma once

#include <QApplication>
#include <QPalette>
#include <QStyle>

/// The light and dark colour schemes widget tests draw in: the Fusion style's own palette, and
/// a dark one close to Adwaita dark as a GTK platform theme hands it over (its link colour left
/// at the style's dark blue, as some themes leave it).
inline QPalette ColourScheme(bool dark)
{
    QPalette palette = QApplication::style()->standardPalette();
    if (!dark)
        return palette;
    const QColor window(0x35, 0x35, 0x35), base(0x2d, 0x2d, 0x2d), text(0xee, 0xee, 0xec);
    for (auto role : {QPalette::Window, QPalette::Button})
        palette.setColor(role, window);
    palette.setColor(QPalette::Base, base);
    palette.setColor(QPalette::AlternateBase, window);
    for (auto role : {QPalette::Text, QPalette::WindowText, QPalette::ButtonText})
        palette.setColor(role, text);
    palette.setColor(QPalette::Light, window.lighter(150));
    palette.setColor(QPalette::Midlight, window.lighter(125));
    palette.setColor(QPalette::Mid, window.darker(120));
    palette.setColor(QPalette::Dark, window.darker(150));
    return palette;
}
