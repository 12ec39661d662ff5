#include "ui/help/HelpCommandLine.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QTimer>
#include <QToolButton>

namespace vellum {

using namespace std::chrono_literals;

HelpCommandLine::HelpCommandLine(const QString& line, QWidget* parent)
    : QWidget(parent), text(line), lineLabel(new QLabel(this)), copyButton(new QToolButton(this)),
      copiedTimer(new QTimer(this)) {
    lineLabel->setTextFormat(Qt::PlainText);
    lineLabel->setText(line);
    lineLabel->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    lineLabel->setProperty("vellumRole", QStringLiteral("code"));
    // Set before the word wrap, which adds the height-for-width flag to the policy.
    lineLabel->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    lineLabel->setWordWrap(true);
    lineLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);

    // Without a themed copy icon the word alone reads better than a stand-in picture.
    copyButton->setIcon(QIcon::fromTheme(QStringLiteral("edit-copy")));
    copyButton->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    copyButton->setAutoRaise(true);
    copyButton->setToolTip(tr("Copy this command"));
    copyButton->setAccessibleName(tr("Copy this command"));
    connect(copyButton, &QToolButton::clicked, this, &HelpCommandLine::copyToClipboard);

    copiedTimer->setSingleShot(true);
    copiedTimer->setInterval(1600ms);
    connect(copiedTimer, &QTimer::timeout, this, [this] { showCopied(false); });

    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(8);
    layout->addWidget(lineLabel, 1);
    layout->addWidget(copyButton, 0, Qt::AlignTop);
    // As wide as its longer text, so that the line beside it does not reflow on a copy.
    showCopied(true);
    copyButton->setMinimumWidth(copyButton->sizeHint().width());
    showCopied(false);
}

bool HelpCommandLine::isCopied() const {
    return copiedTimer->isActive();
}

std::chrono::milliseconds HelpCommandLine::copiedDuration() const {
    return copiedTimer->intervalAsDuration();
}

void HelpCommandLine::setCopiedDuration(std::chrono::milliseconds duration) {
    copiedTimer->setInterval(duration);
}

void HelpCommandLine::copyToClipboard() {
    QClipboard* clipboard = QGuiApplication::clipboard();
    clipboard->clear();
    clipboard->setText(text);
    copiedTimer->start();
    showCopied(true);
}

void HelpCommandLine::showCopied(bool copied) {
    copyButton->setText(copied ? tr("Copied") : tr("Copy"));
}

} // namespace vellum
