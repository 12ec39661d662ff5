#include "ui/kit/ThemeStyleSheet.h"

#include "ui/kit/ListingFont.h"
#include "ui/kit/ThemeColors.h"

#include <QHash>
#include <QRegularExpression>

namespace vellum {

namespace {

// Rules for the roles views give their widgets, and the fonts of the kit's own widgets: a
// font set in code does not survive the style sheet's next polish.
const char* const roleRules = R"(
*[vellumRole="pane"] {
    background-color: @panelBackground@;
    border: 1px solid @line@;
    border-radius: @paneRadius@px;
}
*[vellumRole="pane"][paneFocus="true"] {
    border-color: @focusRing@;
}
*[vellumRole="pane"][highlighted="true"] {
    background-color: @dropTargetFill@;
    border: 2px solid @dropTargetBorder@;
}
*[vellumRole="pane"] QAbstractItemView {
    background: transparent;
    alternate-background-color: @stripe@;
    border: none;
}
*[vellumRole="pane"] QAbstractItemView::item:selected:!active {
    background-color: @inactiveSelection@;
    color: @inactiveSelectionText@;
}
*[vellumRole="pane"] QHeaderView {
    background: transparent;
    border: none;
}
*[vellumRole="pane"] QHeaderView::section {
    background-color: transparent;
    color: @heading@;
    border: none;
    border-bottom: 1px solid @line@;
    padding: 4px 6px;
    @headingFont@
}
*[vellumRole="card"] {
    background-color: @card@;
    border: 1px solid @line@;
    border-radius: @cardRadius@px;
}
*[vellumRole="floating"] {
    background-color: @floatingBackground@;
    border: 1px solid @line@;
    border-radius: @floatingRadius@px;
}
*[vellumRole="toolbar"] {
    background-color: @toolbarBackground@;
    border-radius: 8px;
}
*[vellumRole="heading"] {
    color: @heading@;
    @headingFont@
}
*[vellumRole="secondary"] {
    color: @secondaryText@;
}
*[vellumRole="title"] {
    color: @text@;
    font-weight: bold;
}
*[vellumRole="brand"] {
    color: @text@;
    font-weight: bold;
    font-size: 26px;
}
*[vellumRole="brand"][compact="true"] {
    font-size: 16px;
}
vellum--AppBrandMark *[vellumRole="secondary"] {
    font-size: 13px;
}
vellum--FilterCheck {
    font-size: @smallPointSize@pt;
}
*[vellumRole="listing"] {
    @listingFont@
}
*[vellumRole="warning"] {
    color: @warning@;
}
*[vellumRole="code"] {
    font-family: "@codeFamily@";
    background-color: @lightFill@;
    border-radius: 4px;
    padding: 2px 6px;
}
QPushButton[destructive="true"] {
    color: @destructiveLabel@;
}
)";

QString cssColor(const QColor& color) {
    return QStringLiteral("rgba(%1, %2, %3, %4)")
        .arg(color.red())
        .arg(color.green())
        .arg(color.blue())
        .arg(color.alpha());
}

QString fontRule(const QFont& font, bool bold) {
    QString rule = QStringLiteral("font-family: \"%1\";").arg(font.family());
    if (font.pixelSize() > 0) {
        rule += QStringLiteral(" font-size: %1px;").arg(font.pixelSize());
    } else {
        rule += QStringLiteral(" font-size: %1pt;").arg(font.pointSizeF());
    }
    // A pixel font made bold is smeared by a pixel, so weights are always said.
    rule += bold ? QStringLiteral(" font-weight: bold;") : QStringLiteral(" font-weight: normal;");
    return rule;
}

QHash<QString, QString> templateValues(AppAppearance appearance, const ThemeColors& c,
                                       const ThemeFonts& fonts) {
    const bool c64 = appearance != AppAppearance::system;
    QHash<QString, QString> values{
        {"windowBackground", cssColor(c.windowBackground)},
        {"panelBackground", cssColor(c.panelBackground)},
        {"deepPanelBackground", cssColor(c.deepPanelBackground)},
        {"accentTone", cssColor(c.accentTone)},
        {"strongFill", cssColor(c.strongFill)},
        {"lightFill", cssColor(c.lightFill)},
        {"secondaryText", cssColor(c.secondaryText)},
        {"brightText", cssColor(c.brightText)},
        {"text", cssColor(c.text)},
        {"heading", cssColor(c.heading)},
        {"disabledText", cssColor(c.disabledText)},
        {"warning", cssColor(c.warning)},
        {"line", cssColor(c.line)},
        {"card", cssColor(c.card)},
        {"field", cssColor(c.field)},
        {"dialog", cssColor(c.dialog)},
        {"stripe", cssColor(c.stripe)},
        {"hover", cssColor(c.hover)},
        {"pressed", cssColor(c.pressed)},
        {"selection", cssColor(c.selection)},
        {"selectionText", cssColor(c.selectionText)},
        {"inactiveSelection", cssColor(c.inactiveSelection)},
        {"inactiveSelectionText", cssColor(c.inactiveSelectionText)},
        {"dropTargetFill", cssColor(c.dropTargetFill)},
        {"dropTargetBorder", cssColor(c.dropTargetBorder)},
        {"focusRing", cssColor(c.focusRing)},
        {"buttonFill", cssColor(c.buttonFill)},
        {"buttonHover", cssColor(c.buttonHover)},
        {"buttonText", cssColor(c.buttonText)},
        {"defaultButtonFill", cssColor(c.defaultButtonFill)},
        {"defaultButtonText", cssColor(c.defaultButtonText)},
        {"destructiveFill", cssColor(c.destructiveFill)},
        {"destructiveText", cssColor(c.destructiveText)},
        {"progressFill", cssColor(c.progressFill)},
        {"progressTrack", cssColor(c.progressTrack)},
        {"scrollHandle", cssColor(withOpacity(c.text, 0.28))},
        {"scrollHandleHover", cssColor(withOpacity(c.text, 0.45))},
        {"floatingBackground", cssColor(c64 ? c.deepPanelBackground : c.windowBackground)},
        {"toolbarBackground", cssColor(c64 ? c.lightFill : withOpacity(c.text, 0.04))},
        {"destructiveLabel", cssColor(c64 ? c.destructiveText : c.destructiveFill)},
        {"paneRadius", c64 ? QStringLiteral("12") : QStringLiteral("10")},
        {"cardRadius", c64 ? QStringLiteral("10") : QStringLiteral("8")},
        {"floatingRadius", c64 ? QStringLiteral("12") : QStringLiteral("10")},
        {"codeFamily", fonts.code.family()},
        {"indicatorLine", cssColor(withOpacity(c.text, 0.55))},
        {"checkImage", appearance == AppAppearance::classicC64
                           ? QStringLiteral(":/vellum/icons/style/check-classic.svg")
                           : QStringLiteral(":/vellum/icons/style/check-modern.svg")},
        {"arrowImage", appearance == AppAppearance::classicC64
                           ? QStringLiteral(":/vellum/icons/style/arrow-classic.svg")
                           : QStringLiteral(":/vellum/icons/style/arrow-modern.svg")},
        {"smallPointSize", QString::number(fonts.small.pointSizeF(), 'f', 1)},
        {"listingFont", fontRule(fonts.listing, false)},
        {"headingFont", fontRule(fonts.heading, fonts.heading.bold())},
    };
    return values;
}

} // namespace

QString filledStyleTemplate(QString text, AppAppearance appearance, const ThemeColors& colors,
                            const ThemeFonts& fonts) {
    const QHash<QString, QString> values = templateValues(appearance, colors, fonts);
    static const QRegularExpression token(QStringLiteral("@([A-Za-z]+)@"));
    QString filled;
    qsizetype last = 0;
    for (auto match = token.globalMatch(text); match.hasNext();) {
        const QRegularExpressionMatch found = match.next();
        filled += QStringView(text).mid(last, found.capturedStart() - last);
        // An unknown name is a mistake in a template; leaving it in makes Qt reject the
        // one rule, which a look at the widget shows at once.
        filled += values.value(found.captured(1), found.captured(0));
        last = found.capturedEnd();
    }
    filled += QStringView(text).mid(last);
    return filled;
}

QString themeStyleSheet(AppAppearance appearance, const ThemeColors& colors,
                        const ThemeFonts& fonts) {
    QString sheet;
    if (appearance != AppAppearance::system) {
        sheet += c64WidgetRules();
    }
    // The role rules come last so that they win over the widget rules they refine.
    sheet += QString::fromUtf8(roleRules);
    return filledStyleTemplate(sheet, appearance, colors, fonts);
}

} // namespace vellum
