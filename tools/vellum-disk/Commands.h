#pragma once

#include <QStringList>
#include <QTextStream>

namespace vellum::disk {

// The commands of vellum-disk, each given its arguments after the command word. Results go
// to `out`, notes on files left out or cut short to `err`; a refusal is thrown. Each
// returns its exit status.
int extract(QStringList args, QTextStream& out, QTextStream& err);
int add(const QStringList& args, QTextStream& out, QTextStream& err);
int remove(const QStringList& args, QTextStream& out);

} // namespace vellum::disk
