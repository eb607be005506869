#pragma once

#include <QIcon>
#include <QList>
#include <QPixmap>
#include <QString>

/// The program's own icons, images and strings, by their resource numbers.
class Resources {
public:
    /// Icon 128 (the program) or 133 (the tray animation's second icon), in every size drawn.
    static QIcon icon(int iconId);
    /// The 29 images of bitmap 130, 16 x 16 each: 27 set-and-rarity symbols (set 10 common,
    /// uncommon, rare, set 20 ..., set 90 rare), then HOT set and HOT clear.
    static QList<QPixmap> cardImages();
    /// The image of toolbar 139 for a menu command ("About", "Exit", "ShowWindow"); a null
    /// icon for a command that has none.
    static QIcon menuImage(const QString& command);
    /// A string resource (101: "&About Tamrik's Ryn..."); empty when there is none.
    static QString string(int stringId);
    /// The path of the program icon at 48 or 256 pixels, for desktop entries.
    static QString desktopIconPath(int size);
};
