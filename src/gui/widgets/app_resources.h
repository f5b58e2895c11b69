#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>
#include <QString>

// The pictures and help topics compiled into the program. The library that holds them is static,
// so the resources are registered explicitly before their first use.
void initAppResources();

// A picture of src/app/images by base name ("main_picture"), drawn at the given size; a null
// pixmap when it cannot be read (no SVG image plugin).
QPixmap appPicture(const QString& name, const QSize& size);
QIcon appIcon(const QString& name);

// One line with the program's name and version, shown on the splash and in the about box.
QString versionText();
