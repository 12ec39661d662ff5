#include "FakeTools.h"

#include <QFile>

namespace vellum::testing {

FakeTools::FakeTools() = default;

void FakeTools::writeFile(const QString& name, const QByteArray& contents) const {
    QFile file(folder.filePath(name));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        qFatal("cannot write fake tool file");
    }
    file.write(contents);
}

QString FakeTools::addScript(const QString& name, const QByteArray& body) {
    writeFile(name, "#!/bin/sh\n" + body);
    QFile::setPermissions(folder.filePath(name),
                          QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return folder.filePath(name);
}

void FakeTools::addTool(const QString& name) {
    const QByteArray base = (folder.path() + QLatin1Char('/') + name).toUtf8();
    QByteArray body = "base='" + base +
                      "'\n"
                      "printf '%s\\t' \"$@\" >> \"$base.calls\"; echo >> \"$base.calls\"\n"
                      "action=run\n";
    if (name == QLatin1String("cbmctrl")) {
        body += "for a in \"$@\"; do case \"$a\" in -*) ;; *) action=$a; break;; esac; done\n";
    }
    body += "[ -f \"$base.$action.out\" ] && cat \"$base.$action.out\"\n"
            "[ -f \"$base.$action.err\" ] && cat \"$base.$action.err\" >&2\n"
            "[ -f \"$base.$action.exit\" ] && exit \"$(cat \"$base.$action.exit\")\"\n"
            "exit 0\n";
    addScript(name, body);
}

void FakeTools::setResponse(const QString& tool, const QString& action, const QByteArray& out,
                            const QByteArray& err, int exitCode) {
    const QString base = tool + QLatin1Char('.') + action;
    writeFile(base + QStringLiteral(".out"), out);
    writeFile(base + QStringLiteral(".err"), err);
    writeFile(base + QStringLiteral(".exit"), QByteArray::number(exitCode));
}

QList<QStringList> FakeTools::calls(const QString& tool) const {
    QFile file(folder.filePath(tool + QStringLiteral(".calls")));
    QList<QStringList> result;
    if (!file.open(QIODevice::ReadOnly)) {
        return result;
    }
    for (const QByteArray& line : file.readAll().split('\n')) {
        if (line.isEmpty()) {
            continue;
        }
        QStringList arguments = QString::fromUtf8(line).split(QLatin1Char('\t'));
        arguments.removeLast(); // every argument ends in a tab
        result << arguments;
    }
    return result;
}

} // namespace vellum::testing
