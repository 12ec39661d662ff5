#pragma once

#include <QDialog>

namespace vellum {

// Who made Vellum, its version, the tools it stands on, and the feedback mails.
class AboutView : public QDialog {
    Q_OBJECT

public:
    explicit AboutView(QWidget* parent = nullptr);

signals:
    void reportBugRequested();
    void suggestFeatureRequested();
    void contactRequested();
};

} // namespace vellum
