#pragma once

#include "ui/kit/Labels.h"

#include <QList>

namespace vellum {

// A line of short facts joined by the footer separator ("5 ITEMS  ·  1 SELECTED  ·  302 B")
// that never cuts a fact in two: where the line is too narrow it leaves out whole facts,
// the least important first, and keeps the rest in their order; the whole line is then its
// tooltip. Only a single fact wider than the line is shortened.
class FactLine : public FittedLabel {
    Q_OBJECT

public:
    struct Fact {
        QString text;
        // Facts of a higher rank are left out first.
        int rank = 0;
    };

    explicit FactLine(QWidget* parent = nullptr);

    void setFacts(QList<Fact> facts);
    // One fact alone.
    void setFact(const QString& text);
    QString fullText() const;
    // The facts shown at the present width.
    QStringList shownFacts() const;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void refit() override;

private:
    QList<Fact> factsFitting(int width) const;

    QList<Fact> facts;
};

} // namespace vellum
