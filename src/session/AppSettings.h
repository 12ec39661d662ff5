#pragma once

#include "session/AppAppearance.h"

#include <QObject>

namespace vellum {

// The one persisted user setting, the colour theme, kept under the user-defaults key
// "appearance".
class AppSettings : public QObject {
    Q_OBJECT
    Q_PROPERTY(vellum::AppAppearance appearance READ appearance WRITE setAppearance NOTIFY
                   appearanceChanged)

public:
    // Reads the stored theme; an unknown stored text is left as it is until a theme is picked.
    explicit AppSettings(QObject* parent = nullptr);

    // The instance every view uses, made on first use.
    static AppSettings& shared();

    AppAppearance appearance() const { return current; }
    // Stores the choice at once; signals only when the theme really changes.
    void setAppearance(AppAppearance appearance);

    static QString settingsKey() { return QStringLiteral("appearance"); }

signals:
    void appearanceChanged();

private:
    AppAppearance current;
};

} // namespace vellum
