#pragma once

#include <QProxyStyle>
#include <QString>

class QPainter;
class QRectF;
class QWidget;

namespace vellum {

// The values of the `vellumRole` property by which views ask the theme to dress a widget,
// so that no view chooses colours of its own.
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
// background of the role reaches them.
void setStyleRole(QWidget* widget, const QString& role);

// Sets a boolean style property (`highlighted`, `destructive`, `paneFocus`) and restyles the
// widget at once; a style sheet otherwise only sees property changes at the next polish.
void setStyleFlag(QWidget* widget, const char* name, bool on);

// The application style in every theme, over Fusion in the C64 themes and over the desktop's
// style under System. It gives the roles their fonts (a C64 theme's sheet leaves fonts
// alone), and under System, where no sheet is applied, their colours and surfaces too.
class RoleStyle : public QProxyStyle {
    Q_OBJECT

public:
    explicit RoleStyle(QStyle* base);

    void polish(QWidget* widget) override;
    using QProxyStyle::polish;
    void unpolish(QWidget* widget) override;
    using QProxyStyle::unpolish;
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
};

// Draws the drop-target look of one row or area (a D64 row under a drag) in the current
// theme, the same look as a highlighted pane: a tinted fill inside an accent edge.
void paintDropTarget(QPainter& painter, const QRectF& area);

} // namespace vellum
