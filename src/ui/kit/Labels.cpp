#include "ui/kit/Labels.h"

#include <QEvent>
#include <QTextLayout>

namespace vellum {

ElidedLabel::ElidedLabel(const QString& text, QWidget* parent) : FittedLabel(parent) {
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    setText(text);
}

void ElidedLabel::setText(const QString& text) {
    whole = text;
    refit();
    updateGeometry();
}

void ElidedLabel::setElideMode(Qt::TextElideMode mode) {
    elideMode = mode;
    refit();
}

QSize ElidedLabel::minimumSizeHint() const {
    return {0, QLabel::minimumSizeHint().height()};
}

QSize ElidedLabel::sizeHint() const {
    const QMargins margins = contentsMargins();
    return {fontMetrics().horizontalAdvance(whole) + margins.left() + margins.right() +
                2 * margin(),
            QLabel::sizeHint().height()};
}

void ElidedLabel::refit() {
    const QString shown = fontMetrics().elidedText(whole, elideMode, contentsRect().width());
    present(shown, shown != whole, whole);
}

FittedLabel::FittedLabel(QWidget* parent) : QLabel(parent) {
    setTextFormat(Qt::PlainText);
}

void FittedLabel::setFixedToolTip(const QString& toolTip) {
    fixedToolTip = toolTip;
    refit();
}

void FittedLabel::present(const QString& shown, bool shortened, const QString& whole) {
    if (shown != QLabel::text()) {
        QLabel::setText(shown);
    }
    if (!fixedToolTip.isEmpty()) {
        setToolTip(fixedToolTip);
    } else {
        setToolTip(shortened ? whole : QString());
    }
}

void FittedLabel::resizeEvent(QResizeEvent* event) {
    QLabel::resizeEvent(event);
    refit();
}

void FittedLabel::changeEvent(QEvent* event) {
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
        refit();
        updateGeometry();
    }
}

namespace {

struct Wrapped {
    QStringList lines;
    bool cut = false;
};

// The text broken into lines of `width` at word boundaries, at most `maximum` of them; the
// last one shortened with an ellipsis when text is left over.
Wrapped wrappedLines(const QString& text, const QFont& font, int width, int maximum) {
    Wrapped wrapped;
    QStringList& lines = wrapped.lines;
    if (text.isEmpty() || width <= 0) {
        return wrapped;
    }
    QTextLayout layout(text, font);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    layout.beginLayout();
    while (lines.size() < maximum) {
        QTextLine line = layout.createLine();
        if (!line.isValid()) {
            break;
        }
        line.setLineWidth(width);
        const bool last = lines.size() == maximum - 1;
        const int start = line.textStart();
        if (last && start + line.textLength() < text.size()) {
            // Elided from a line of the rest that surely overflows, so the ellipsis shows.
            lines.append(QFontMetrics(font).elidedText(text.mid(start).simplified() + QChar(0x2026),
                                                       Qt::ElideRight, width));
            wrapped.cut = true;
            break;
        }
        lines.append(text.mid(start, line.textLength()).trimmed());
    }
    layout.endLayout();
    return wrapped;
}

} // namespace

ClampedLabel::ClampedLabel(int lines, QWidget* parent) : FittedLabel(parent), lineCount(lines) {
    setWordWrap(false);
    setAlignment(Qt::AlignLeft | Qt::AlignTop);
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Fixed);
}

void ClampedLabel::setText(const QString& text) {
    whole = text;
    refit();
}

QSize ClampedLabel::sizeHint() const {
    const QMargins margins = contentsMargins();
    return {fontMetrics().horizontalAdvance(whole) / lineCount + margins.left() + margins.right(),
            lineCount * fontMetrics().lineSpacing() + margins.top() + margins.bottom()};
}

QSize ClampedLabel::minimumSizeHint() const {
    return {0, sizeHint().height()};
}

void ClampedLabel::refit() {
    const Wrapped wrapped = wrappedLines(whole, font(), contentsRect().width(), lineCount);
    clamped = wrapped.cut;
    present(wrapped.lines.join(QLatin1Char('\n')), clamped, whole);
}

} // namespace vellum
