#include "ui/help/HelpCommandLine.h"

#include <QClipboard>
#include <QFontDatabase>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QScrollArea>
#include <QScrollBar>
#include <QTimer>
#include <QToolButton>

namespace vellum {

using namespace std::chrono_literals;

namespace {

// Holds a command on one line, however long: a command broken at its hyphens reads as two
// commands. Too wide for the page, it scrolls sideways, and only then grows by its bar.
class CommandScroller : public QScrollArea {
public:
    explicit CommandScroller(QWidget* line, QWidget* parent) : QScrollArea(parent) {
        setObjectName(QStringLiteral("commandScroller"));
        setWidget(line);
        setWidgetResizable(false);
        setFrameShape(QFrame::NoFrame);
        setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
        setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
        viewport()->setAutoFillBackground(false);
        line->setAutoFillBackground(false);
        setFixedHeight(heightFor(width()));
    }

    QSize sizeHint() const override {
        return {widget()->sizeHint().width(), heightFor(widget()->sizeHint().width())};
    }
    QSize minimumSizeHint() const override { return {48, heightFor(48)}; }

protected:
    void resizeEvent(QResizeEvent* event) override {
        QScrollArea::resizeEvent(event);
        widget()->resize(widget()->sizeHint());
        setFixedHeight(heightFor(width()));
    }

private:
    int heightFor(int width) const {
        const QSize line = widget()->sizeHint();
        const bool scrolls = line.width() > width;
        return line.height() + (scrolls ? horizontalScrollBar()->sizeHint().height() : 0);
    }
};

} // namespace

HelpCommandLine::HelpCommandLine(const QString& line, QWidget* parent)
    : QWidget(parent), text(line), lineLabel(new QLabel(this)), copyButton(new QToolButton(this)),
      copiedTimer(new QTimer(this)) {
    lineLabel->setTextFormat(Qt::PlainText);
    lineLabel->setText(line);
    lineLabel->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    lineLabel->setProperty("vellumRole", QStringLiteral("code"));
    lineLabel->setWordWrap(false);
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
    layout->addWidget(new CommandScroller(lineLabel, this), 1, Qt::AlignTop);
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
