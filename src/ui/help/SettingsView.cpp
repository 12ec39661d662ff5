#include "ui/help/SettingsView.h"

#include "session/AppSettings.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QIcon>
#include <QLabel>
#include <QRadioButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace vellum {

SettingsView::SettingsView(AppSettings& appSettings, QWidget* parent)
    : QDialog(parent), settings(appSettings), appearanceChoices(new QButtonGroup(this)) {
    setWindowTitle(tr("Preferences"));

    auto* tabs = new QTabWidget(this);
    tabs->addTab(makeGeneralTab(), QIcon::fromTheme(QStringLiteral("preferences-system")),
                 tr("General"));

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(tabs);
    layout->addWidget(buttons);
    // Wide enough that the theme description runs over a few lines, not many.
    setMinimumWidth(fontMetrics().averageCharWidth() * 72);

    connect(appearanceChoices, &QButtonGroup::idClicked, this,
            [this](int index) { settings.setAppearance(allAppearances().at(index)); });
    connect(&settings, &AppSettings::appearanceChanged, this, &SettingsView::showCurrentAppearance);
    showCurrentAppearance();
}

QWidget* SettingsView::makeGeneralTab() {
    auto* page = new QWidget(this);

    auto* section = new QLabel(tr("Layout"), page);
    section->setProperty("vellumRole", QStringLiteral("heading"));
    QFont sectionFont = section->font();
    sectionFont.setWeight(QFont::DemiBold);
    section->setFont(sectionFont);

    auto* choices = new QVBoxLayout;
    choices->setSpacing(6);
    const QList<AppAppearance>& appearances = allAppearances();
    for (qsizetype index = 0; index < appearances.size(); ++index) {
        auto* choice = new QRadioButton(displayName(appearances.at(index)), page);
        appearanceChoices->addButton(choice, int(index));
        choices->addWidget(choice);
    }
    auto* description = new QLabel(appearanceDescription(), page);
    description->setProperty("vellumRole", QStringLiteral("secondary"));
    description->setWordWrap(true);
    QFont small = description->font();
    small.setPointSizeF(small.pointSizeF() * 0.9);
    description->setFont(small);
    choices->addSpacing(4);
    choices->addWidget(description);

    auto* form = new QGridLayout;
    form->setHorizontalSpacing(12);
    form->addWidget(new QLabel(tr("Appearance:"), page), 0, 0, Qt::AlignRight | Qt::AlignTop);
    form->addLayout(choices, 0, 1);
    form->setColumnStretch(1, 1);

    auto* layout = new QVBoxLayout(page);
    layout->setContentsMargins(20, 16, 20, 16);
    layout->setSpacing(10);
    layout->addWidget(section);
    layout->addLayout(form);
    layout->addStretch(1);
    return page;
}

void SettingsView::showCurrentAppearance() {
    const qsizetype index = allAppearances().indexOf(settings.appearance());
    if (QAbstractButton* choice = appearanceChoices->button(int(index))) {
        choice->setChecked(true);
    }
}

} // namespace vellum
