#pragma once

#include "WaitForTask.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

namespace vellum::testing {

// A folder of small shell scripts standing in for the OpenCBM tools. Each fake records its
// arguments and answers with canned output chosen by its action (for cbmctrl the first
// argument that is not an option, for the other tools always "run").
class FakeTools {
public:
    FakeTools();

    QString path() const { return folder.path(); }
    // A fake with a script body of its own (after "#!/bin/sh").
    QString addScript(const QString& name, const QByteArray& body);
    // A recording fake answering from setResponse.
    void addTool(const QString& name);
    void setResponse(const QString& tool, const QString& action, const QByteArray& out,
                     const QByteArray& err = {}, int exitCode = 0);
    QList<QStringList> calls(const QString& tool) const;
    QString filePath(const QString& name) const { return folder.filePath(name); }

private:
    void writeFile(const QString& name, const QByteArray& contents) const;
    QTemporaryDir folder;
};

} // namespace vellum::testing
