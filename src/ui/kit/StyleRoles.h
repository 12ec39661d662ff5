#pragma once

#include <QString>

class QWidget;

namespace vellum {

// The values of the `vellumRole` property by which views ask the theme's style sheet to
// dress a widget, so that no view chooses colours of its own.
namespace StyleRole {
inline const QString pane = QStringLiteral("pane");
inline const QString card = QStringLiteral("card");
inline const QString heading = QStringLiteral("heading");
inline const QString secondary = QStringLiteral("secondary");
inline const QString title = QStringLiteral("title");
inline const QString listing = QStringLiteral("listing");
inline const QString warning = QStringLiteral("warning");
inline const QString code = QStringLiteral("code");
inline const QString brand = QStringLiteral("brand");
inline const QString toolbar = QStringLiteral("toolbar");
inline const QString floating = QStringLiteral("floating");
} // namespace StyleRole

// Gives `widget` a role; plain QWidgets also get a styled background so that the
// background rules of the role reach them.
void setStyleRole(QWidget* widget, const QString& role);

// Sets a boolean style property (`highlighted`, `destructive`) and restyles the widget at
// once; a style sheet otherwise only sees property changes at the next polish.
void setStyleFlag(QWidget* widget, const char* name, bool on);

} // namespace vellum
