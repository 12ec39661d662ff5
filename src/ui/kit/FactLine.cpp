#include "ui/kit/FactLine.h"

#include "session/SessionTexts.h"

#include <algorithm>

namespace vellum {

namespace {

QString joined(const QList<FactLine::Fact>& facts) {
    QStringList texts;
    for (const FactLine::Fact& fact : facts) {
        texts.append(fact.text);
    }
    return texts.join(texts::footerSeparator());
}

} // namespace

FactLine::FactLine(QWidget* parent) : FittedLabel(parent) {
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Preferred);
}

void FactLine::setFacts(QList<Fact> newFacts) {
    facts = std::move(newFacts);
    refit();
    updateGeometry();
}

void FactLine::setFact(const QString& text) {
    setFacts({{text, 0}});
}

QString FactLine::fullText() const {
    return joined(facts);
}

QStringList FactLine::shownFacts() const {
    QStringList texts;
    for (const Fact& fact : factsFitting(contentsRect().width())) {
        texts.append(fact.text);
    }
    return texts;
}

QList<FactLine::Fact> FactLine::factsFitting(int width) const {
    QList<Fact> kept = facts;
    const QFontMetrics metrics = fontMetrics();
    while (kept.size() > 1 && metrics.horizontalAdvance(joined(kept)) > width) {
        const auto leastImportant = std::max_element(
            kept.begin(), kept.end(), [](const Fact& a, const Fact& b) { return a.rank < b.rank; });
        kept.erase(leastImportant);
    }
    return kept;
}

QSize FactLine::sizeHint() const {
    const QMargins margins = contentsMargins();
    return {fontMetrics().horizontalAdvance(fullText()) + margins.left() + margins.right(),
            QLabel::sizeHint().height()};
}

// As narrow as the most important fact alone.
QSize FactLine::minimumSizeHint() const {
    const QMargins margins = contentsMargins();
    const QList<Fact> alone = factsFitting(0);
    const int width = alone.isEmpty() ? 0 : fontMetrics().horizontalAdvance(alone.first().text);
    return {width + margins.left() + margins.right(), QLabel::minimumSizeHint().height()};
}

void FactLine::refit() {
    const int width = contentsRect().width();
    const QString whole = fullText();
    QString shown = joined(factsFitting(width));
    if (fontMetrics().horizontalAdvance(shown) > width) {
        shown = fontMetrics().elidedText(shown, Qt::ElideRight, width);
    }
    present(shown, shown != whole, whole);
}

} // namespace vellum
