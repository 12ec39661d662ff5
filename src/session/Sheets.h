#pragma once

#include "model/DiskImageFormat.h"
#include "session/CommanderPane.h"

#include <QList>
#include <QObject>
#include <QString>
#include <QUrl>
#include <optional>

namespace vellum {

class VellumViewModel;
namespace testing {
class StateEditor;
}

// The three sheets (format, new disk image, name prompt) with their fields. The views bind
// the fields and close a sheet by clearing its flag (or `namePrompt`); the rule messages
// under the fields are the session's to write.
class Sheets : public QObject {
    Q_OBJECT
    Q_PROPERTY(bool showsFormatSheet READ showsFormatSheet WRITE setShowsFormatSheet NOTIFY
                   showsFormatSheetChanged)
    Q_PROPERTY(QString formatName READ formatName WRITE setFormatName NOTIFY formatNameChanged)
    Q_PROPERTY(QString formatID READ formatID WRITE setFormatID NOTIFY formatIDChanged)
    Q_PROPERTY(bool formatExtended READ formatExtended WRITE setFormatExtended NOTIFY
                   formatExtendedChanged)
    Q_PROPERTY(std::optional<QString> formatFieldError READ formatFieldError NOTIFY
                   formatFieldErrorChanged)
    Q_PROPERTY(bool showsNewDiskSheet READ showsNewDiskSheet WRITE setShowsNewDiskSheet NOTIFY
                   showsNewDiskSheetChanged)
    Q_PROPERTY(QString newDiskName READ newDiskName WRITE setNewDiskName NOTIFY newDiskNameChanged)
    Q_PROPERTY(QString newDiskID READ newDiskID WRITE setNewDiskID NOTIFY newDiskIDChanged)
    Q_PROPERTY(std::optional<QString> newDiskFieldError READ newDiskFieldError NOTIFY
                   newDiskFieldErrorChanged)
    Q_PROPERTY(std::optional<NamePromptKind> namePrompt READ namePrompt WRITE setNamePrompt NOTIFY
                   namePromptChanged)
    Q_PROPERTY(QString nameField READ nameField WRITE setNameField NOTIFY nameFieldChanged)
    Q_PROPERTY(
        std::optional<QString> nameFieldError READ nameFieldError NOTIFY nameFieldErrorChanged)

public:
    using QObject::QObject;

    bool showsFormatSheet() const { return m_showsFormatSheet; }
    const QString& formatName() const { return m_formatName; }
    const QString& formatID() const { return m_formatID; }
    bool formatExtended() const { return m_formatExtended; }
    const std::optional<QString>& formatFieldError() const { return m_formatFieldError; }
    bool showsNewDiskSheet() const { return m_showsNewDiskSheet; }
    const QString& newDiskName() const { return m_newDiskName; }
    const QString& newDiskID() const { return m_newDiskID; }
    const std::optional<QString>& newDiskFieldError() const { return m_newDiskFieldError; }
    DiskImageFormat newDiskFormat() const { return m_newDiskFormat; }
    const std::optional<NamePromptKind>& namePrompt() const { return m_namePrompt; }
    const QString& nameField() const { return m_nameField; }
    const std::optional<QString>& nameFieldError() const { return m_nameFieldError; }

    void setShowsFormatSheet(bool value);
    void setFormatName(const QString& value);
    void setFormatID(const QString& value);
    void setFormatExtended(bool value);
    void setShowsNewDiskSheet(bool value);
    void setNewDiskName(const QString& value);
    void setNewDiskID(const QString& value);
    void setNewDiskFormat(DiskImageFormat value);
    void setNamePrompt(const std::optional<NamePromptKind>& value);
    void setNameField(const QString& value);

signals:
    void showsFormatSheetChanged();
    void formatNameChanged();
    void formatIDChanged();
    void formatExtendedChanged();
    void formatFieldErrorChanged();
    void showsNewDiskSheetChanged();
    void newDiskNameChanged();
    void newDiskIDChanged();
    void newDiskFieldErrorChanged();
    void newDiskFormatChanged();
    void namePromptChanged();
    void nameFieldChanged();
    void nameFieldErrorChanged();

private:
    friend class VellumViewModel;
    friend class testing::StateEditor;

    void setFormatFieldError(const std::optional<QString>& value);
    void setNewDiskFieldError(const std::optional<QString>& value);
    void setNameFieldError(const std::optional<QString>& value);

    bool m_showsFormatSheet = false;
    QString m_formatName = QStringLiteral("VELLUM");
    QString m_formatID = QStringLiteral("01");
    bool m_formatExtended = false;
    std::optional<QString> m_formatFieldError;
    bool m_showsNewDiskSheet = false;
    QString m_newDiskName = QStringLiteral("VELLUM");
    QString m_newDiskID = QStringLiteral("01");
    std::optional<QString> m_newDiskFieldError;
    DiskImageFormat m_newDiskFormat = DiskImageFormat::d64;
    std::optional<NamePromptKind> m_namePrompt;
    QString m_nameField;
    std::optional<QString> m_nameFieldError;
};

} // namespace vellum
