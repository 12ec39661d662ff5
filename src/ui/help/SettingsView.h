#pragma once

#include <QDialog>

class QButtonGroup;

namespace vellum {

class AppSettings;

// Preferences: the colour theme, applied the moment it is picked and kept in the settings.
class SettingsView : public QDialog {
    Q_OBJECT

public:
    explicit SettingsView(AppSettings& settings, QWidget* parent = nullptr);

private:
    AppSettings& settings;
    QButtonGroup* appearanceChoices;

    QWidget* makeGeneralTab();
    void showCurrentAppearance();
};

} // namespace vellum
