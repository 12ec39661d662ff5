#include "ui/help/AboutView.h"

#include "session/FeedbackMailTexts.h"
#include "ui/kit/LogoView.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

namespace vellum {

namespace {

QLabel* centredLabel(const QString& text, const QString& role, QWidget* parent) {
    auto* label = new QLabel(text, parent);
    label->setAlignment(Qt::AlignHCenter);
    label->setWordWrap(true);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    if (!role.isEmpty()) {
        label->setProperty("vellumRole", role);
    }
    return label;
}

} // namespace

AboutView::AboutView(QWidget* parent) : QDialog(parent) {
    setWindowTitle(tr("About Vellum"));

    auto* logo = new LogoView(64, 14, this);
    logo->setGeometryOfLogo(64, 14, true);

    auto* name = centredLabel(tr("Vellum"), QStringLiteral("brand"), this);
    QFont nameFont = name->font();
    nameFont.setPointSizeF(nameFont.pointSizeF() * 1.9);
    nameFont.setWeight(QFont::Bold);
    name->setFont(nameFont);
    auto* tagline = centredLabel(tr("From Linux to 1541."), QStringLiteral("secondary"), this);
    auto* version =
        centredLabel(tr("Version ") + appVersionString(), QStringLiteral("secondary"), this);

    auto* description = centredLabel(
        tr("A native Linux commander for ZoomFloppy and Commodore IEC disk drives. OpenCBM "
           "talks to the hardware; Vellum is the window."),
        QString(), this);
    auto* credit =
        centredLabel(tr("Drive access by OpenCBM, with thanks to its authors: Michael Klein, "
                        "Spiro Trikaliotis and the OpenCBM contributors."),
                     QString(), this);
    auto* install = centredLabel(
        tr("On Linux, OpenCBM is not in Debian's archive: install your distribution's opencbm "
           "package where one exists, or build it from source with its Linux makefiles and the "
           "xum1541 plugin for the ZoomFloppy."),
        QStringLiteral("secondary"), this);

    auto* reportBug = new QPushButton(tr("Report a Bug…"), this);
    auto* suggestFeature = new QPushButton(tr("Suggest a Feature…"), this);
    auto* contact = new QPushButton(tr("Contact…"), this);
    for (QPushButton* button : {reportBug, suggestFeature, contact}) {
        button->setAutoDefault(false);
    }
    connect(reportBug, &QPushButton::clicked, this, &AboutView::reportBugRequested);
    connect(suggestFeature, &QPushButton::clicked, this, &AboutView::suggestFeatureRequested);
    connect(contact, &QPushButton::clicked, this, &AboutView::contactRequested);
    auto* feedback = new QHBoxLayout;
    feedback->setSpacing(8);
    feedback->addStretch(1);
    feedback->addWidget(reportBug);
    feedback->addWidget(suggestFeature);
    feedback->addWidget(contact);
    feedback->addStretch(1);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(32, 28, 32, 20);
    layout->setSpacing(4);
    layout->addWidget(logo, 0, Qt::AlignHCenter);
    layout->addSpacing(8);
    layout->addWidget(name);
    layout->addWidget(tagline);
    layout->addWidget(version);
    layout->addSpacing(16);
    layout->addWidget(description);
    layout->addSpacing(12);
    layout->addWidget(credit);
    layout->addSpacing(4);
    layout->addWidget(install);
    layout->addSpacing(20);
    layout->addLayout(feedback);
    layout->addSpacing(16);
    layout->addWidget(buttons);

    // Wide enough for the description to run over a few lines, not dozens.
    setMinimumWidth(fontMetrics().averageCharWidth() * 64);
    // Return and Escape close it; the feedback buttons wait for a click or Tab.
    buttons->button(QDialogButtonBox::Close)->setFocus();
}

} // namespace vellum
