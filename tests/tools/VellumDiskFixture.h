#pragma once

#include "ImageFixtures.h"

#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace vellum::testing {

struct ToolRun {
    int status = -1;
    QString out;
    QString err;
};

// Runs vellum-disk in a temporary folder of its own.
class VellumDisk : public ::testing::Test, protected ImageFolder {
protected:
    ToolRun run(const QStringList& arguments) {
        return finish(QStringLiteral(VELLUM_DISK_PATH), arguments);
    }
    // Runs a shell script in which "$VD" is vellum-disk, for arguments that are not UTF-8
    // and for limits set with ulimit.
    ToolRun runShell(const QString& script) {
        return finish(QStringLiteral("/bin/sh"),
                      {QStringLiteral("-c"), script, QStringLiteral(VELLUM_DISK_PATH)});
    }
    // Every name in the folder, with the bytes of each small file and the size of others.
    QMap<QString, QByteArray> snapshot() const {
        QMap<QString, QByteArray> files;
        const QDir root(dir.path());
        for (const QString& name : root.entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                                  QDir::NoDotAndDotDot)) {
            const QFileInfo info(root.filePath(name));
            const bool small = info.isFile() && !info.isSymLink() && info.size() < (1 << 20);
            files[name] = small ? read(name) : QByteArray::number(info.size());
        }
        return files;
    }

private:
    ToolRun finish(const QString& program, const QStringList& arguments) {
        QProcess process;
        process.setWorkingDirectory(dir.path());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("VD"), QStringLiteral(VELLUM_DISK_PATH));
        process.setProcessEnvironment(environment);
        process.start(program, arguments);
        EXPECT_TRUE(process.waitForFinished(30000));
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }
};

} // namespace vellum::testing
