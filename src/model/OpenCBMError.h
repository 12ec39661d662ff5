#pragma once

#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <exception>

namespace vellum {

// The one error type of the tool bridge and of the session's own checks. Every case
// carries the sentence the user reads (`errorDescription`).
class OpenCBMError : public std::exception {
    Q_DECLARE_TR_FUNCTIONS(OpenCBMError)

public:
    enum class Case {
        toolNotFound,
        executionFailed,
        parseError,
        invalidDiskName,
        diskFull,
        cancelled,
        noDrive,
        invalidImage,
        nothingToCopy,
        unreadableFile,
        directoryRequired,
        wrongDrive,
    };

    // `searchedFolders`: where the tool was looked for, named in the text.
    static OpenCBMError toolNotFound(const QString& toolName,
                                     const QStringList& searchedFolders = {});
    static OpenCBMError executionFailed(const QString& command, qint32 status,
                                        const QString& output);
    static OpenCBMError parseError(const QString& message);
    static OpenCBMError invalidDiskName(const QString& message);
    static OpenCBMError diskFull(qint64 needed, qint64 free);
    static OpenCBMError cancelled();
    static OpenCBMError noDrive();
    static OpenCBMError invalidImage();
    static OpenCBMError nothingToCopy();
    static OpenCBMError unreadableFile();
    static OpenCBMError directoryRequired();
    // An image the drive cannot make or take, refused before any tool runs.
    static OpenCBMError wrongDrive(const QString& message);

    Case errorCase() const { return kind; }
    QString errorDescription() const;
    const char* what() const noexcept override { return utf8Description.constData(); }

    // Payloads; only those of the case are meaningful.
    const QString& text() const { return payloadText; } // tool name or message
    const QString& command() const { return commandText; }
    qint32 status() const { return exitStatus; }
    const QString& output() const { return outputText; }
    qint64 needed() const { return neededBlocks; }
    qint64 free() const { return freeBlocks; }
    const QStringList& searchedFolders() const { return folders; }

    friend bool operator==(const OpenCBMError& a, const OpenCBMError& b) {
        return a.kind == b.kind && a.payloadText == b.payloadText &&
               a.commandText == b.commandText && a.exitStatus == b.exitStatus &&
               a.outputText == b.outputText && a.neededBlocks == b.neededBlocks &&
               a.freeBlocks == b.freeBlocks && a.folders == b.folders;
    }

private:
    explicit OpenCBMError(Case errorCase);
    void finish();

    Case kind;
    QString payloadText;
    QString commandText;
    qint32 exitStatus = 0;
    QString outputText;
    qint64 neededBlocks = 0;
    qint64 freeBlocks = 0;
    QStringList folders;
    QByteArray utf8Description;
};

// A failure of the platform (a file that cannot be read or written, a child that cannot
// be started), carrying the system's own description.
class PlatformError : public std::exception {
public:
    explicit PlatformError(QString description);

    const QString& errorDescription() const { return descriptionText; }
    const char* what() const noexcept override { return utf8Description.constData(); }

private:
    QString descriptionText;
    QByteArray utf8Description;
};

// The user-facing text of any exception the session may catch.
QString describeError(const std::exception& error);

} // namespace vellum
