#include "ui/help/HelpBlockView.h"

#include "ui/help/HelpCommandLine.h"

#include <QGridLayout>
#include <QLabel>
#include <QRegularExpression>
#include <QVBoxLayout>

namespace vellum {

namespace {

QFont scaledFont(const QWidget* widget, qreal factor, QFont::Weight weight) {
    QFont font = widget->font();
    font.setPointSizeF(font.pointSizeF() * factor);
    font.setWeight(weight);
    return font;
}

QLabel* makeHeadingLabel(const HelpBlock& block, QWidget* parent) {
    auto* label = makeHelpLabel(inlineHelpHtml(block.text), parent);
    switch (block.kind) {
    case HelpBlock::Kind::title:
        label->setFont(scaledFont(label, 1.9, QFont::Bold));
        label->setContentsMargins(0, 0, 0, 6);
        break;
    case HelpBlock::Kind::heading:
        if (block.level <= 2) {
            label->setFont(scaledFont(label, 1.45, QFont::DemiBold));
            label->setContentsMargins(0, 18, 0, 4);
        } else {
            label->setFont(scaledFont(label, 1.15, QFont::DemiBold));
            label->setContentsMargins(0, 10, 0, 0);
        }
        label->setObjectName(block.id);
        break;
    default:
        break;
    }
    return label;
}

QString listHtml(const HelpBlock& block) {
    const QString tag =
        block.kind == HelpBlock::Kind::steps ? QStringLiteral("ol") : QStringLiteral("ul");
    QString html = QStringLiteral("<%1 style=\"margin-left: 0px; -qt-list-indent: 1;\">").arg(tag);
    for (const QString& item : block.items) {
        html +=
            QStringLiteral("<li style=\"margin-bottom: 5px;\">%1</li>").arg(inlineHelpHtml(item));
    }
    return html + QStringLiteral("</%1>").arg(tag);
}

QWidget* makeCodeBlock(const QString& code, QWidget* parent) {
    auto* card = new QFrame(parent);
    card->setProperty("vellumRole", QStringLiteral("card"));
    card->setFrameShape(QFrame::StyledPanel);
    auto* layout = new QVBoxLayout(card);
    layout->setContentsMargins(12, 8, 8, 8);
    layout->setSpacing(2);
    for (const QString& line : code.split(QLatin1Char('\n'))) {
        if (line.trimmed().isEmpty()) {
            layout->addSpacing(card->fontMetrics().height() / 2);
        } else {
            layout->addWidget(new HelpCommandLine(line, card));
        }
    }
    return card;
}

QWidget* makeRule(QWidget* parent) {
    auto* line = new QFrame(parent);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);
    return line;
}

} // namespace

QString inlineHelpHtml(const QString& text) {
    static const QRegularExpression code(QStringLiteral("`([^`]+)`"));
    static const QRegularExpression bold(QStringLiteral("\\*\\*([^*]+)\\*\\*"));
    QString html;
    qsizetype done = 0;
    // Code spans first, so that stars inside them stay as they are.
    for (const auto& match : code.globalMatch(text)) {
        html += text.mid(done, match.capturedStart() - done)
                    .toHtmlEscaped()
                    .replace(bold, QStringLiteral("<b>\\1</b>"));
        html += QStringLiteral("<code>%1</code>").arg(match.captured(1).toHtmlEscaped());
        done = match.capturedEnd();
    }
    html += text.mid(done).toHtmlEscaped().replace(bold, QStringLiteral("<b>\\1</b>"));
    return html;
}

QLabel* makeHelpLabel(const QString& html, QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::RichText);
    label->setText(html);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return label;
}

QWidget* makeHelpBlockView(const HelpBlock& block, QWidget* parent) {
    switch (block.kind) {
    case HelpBlock::Kind::title:
    case HelpBlock::Kind::heading:
        return makeHeadingLabel(block, parent);
    case HelpBlock::Kind::paragraph:
        return makeHelpLabel(inlineHelpHtml(block.text), parent);
    case HelpBlock::Kind::bullets:
    case HelpBlock::Kind::steps:
        return makeHelpLabel(listHtml(block), parent);
    case HelpBlock::Kind::table:
        return new HelpTable(block.headers, block.rows, parent);
    case HelpBlock::Kind::code:
        return makeCodeBlock(block.text, parent);
    case HelpBlock::Kind::rule:
        return makeRule(parent);
    }
    return makeRule(parent);
}

HelpTable::HelpTable(const QStringList& headers, const QList<QStringList>& rows, QWidget* parent)
    : QFrame(parent) {
    setProperty("vellumRole", QStringLiteral("card"));
    setFrameShape(QFrame::StyledPanel);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(12, 10, 12, 10);
    grid->setHorizontalSpacing(24);
    grid->setVerticalSpacing(6);

    for (qsizetype column = 0; column < headers.size(); ++column) {
        QLabel* header = makeHelpLabel(inlineHelpHtml(headers.at(column)), this);
        QFont font = header->font();
        font.setWeight(QFont::DemiBold);
        header->setFont(font);
        grid->addWidget(header, 0, int(column));
    }
    grid->addWidget(makeRule(this), 1, 0, 1, qMax(1, int(headers.size())));
    for (qsizetype row = 0; row < rows.size(); ++row) {
        const QStringList& cells = rows.at(row);
        for (qsizetype column = 0; column < cells.size(); ++column) {
            grid->addWidget(makeHelpLabel(inlineHelpHtml(cells.at(column)), this), int(row) + 2,
                            int(column), Qt::AlignTop);
        }
    }
    // The last column takes the spare width; the others fit their words.
    const int columns = grid->columnCount();
    for (int column = 0; column < columns; ++column) {
        grid->setColumnStretch(column, column == columns - 1 ? 1 : 0);
    }
}

} // namespace vellum
