#include "ui/window/StatusControls.h"

#include "session/VellumViewModel.h"
#include "ui/kit/Icons.h"
#include "ui/kit/Theme.h"

#include <QPainter>

namespace vellum {

StopButton::StopButton(VellumViewModel& session, QWidget* parent)
    : CompactActionButton(themedIcon(IconName::stop), tr("Stop"), parent), session(session) {
    setObjectName(QStringLiteral("stopButton"));
    connect(this, &QAbstractButton::clicked, this,
            [this] { this->session.commandRegistry().trigger(CommandId::stop); });
    const OperationStatus& status = session.status();
    connect(&status, &OperationStatus::operationChanged, this, &StopButton::follow);
    connect(&status, &OperationStatus::isStoppingChanged, this, &StopButton::follow);
    follow();
}

void StopButton::follow() {
    const CommandRegistry& commands = session.commandRegistry();
    setText(commands.buttonTitle(CommandId::stop));
    setHelp(commands.help(CommandId::stop));
    // Hidden, not dimmed: there is nothing to stop.
    setVisible(commands.isEnabled(CommandId::stop));
}

namespace {

constexpr int symbolFrame = 28;
constexpr int gap = 10;
constexpr int padding = 8;

} // namespace

DetectButton::DetectButton(QWidget* parent)
    : KitButton(parent), detail(tr("Scan ZoomFloppy and IEC bus")) {
    setObjectName(QStringLiteral("detectButton"));
    setText(tr("Detect"));
    setIcon(themedIcon(IconName::detect));
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
}

QSize DetectButton::sizeHint() const {
    const QFontMetrics metrics(font());
    const int textWidth =
        qMax(metrics.horizontalAdvance(text()), metrics.horizontalAdvance(detail));
    const int textHeight = 2 * metrics.height();
    return {2 * padding + symbolFrame + gap + textWidth,
            2 * padding + qMax(symbolFrame, textHeight)};
}

QSize DetectButton::minimumSizeHint() const {
    return {2 * padding + symbolFrame + gap + 40, sizeHint().height()};
}

QColor DetectButton::restingFill() const {
    return Theme::shared().colors().buttonFill;
}

void DetectButton::paintContent(QPainter& painter, const QRect& area) {
    const ThemeColors& colors = Theme::shared().colors();
    const QRect inner = area.adjusted(padding, padding, -padding, -padding);
    const QRect symbol(inner.left(), inner.center().y() - symbolFrame / 2, symbolFrame,
                       symbolFrame);
    icon().paint(&painter, symbol.adjusted(4, 4, -4, -4), Qt::AlignCenter);

    const QRect texts = inner.adjusted(symbolFrame + gap, 0, 0, 0);
    const QFontMetrics metrics(font());
    const int top = texts.center().y() - metrics.height();
    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(colors.text);
    painter.drawText(QRect(texts.left(), top, texts.width(), metrics.height()),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     QFontMetrics(bold).elidedText(text(), Qt::ElideRight, texts.width()));
    painter.setFont(font());
    painter.setPen(colors.secondaryText);
    painter.drawText(QRect(texts.left(), top + metrics.height(), texts.width(), metrics.height()),
                     Qt::AlignLeft | Qt::AlignVCenter,
                     metrics.elidedText(detail, Qt::ElideRight, texts.width()));
}

} // namespace vellum
