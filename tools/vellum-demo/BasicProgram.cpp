#include "BasicProgram.h"

#include <array>
#include <string_view>

namespace vellum::demo {

namespace {

// BASIC V2's keywords in token order, from 0x80 on; the editor tries them in this order,
// which is why PRINT# comes before PRINT.
constexpr std::array<std::string_view, 76> keywords = {
    "END",  "FOR",    "NEXT",    "DATA",   "INPUT#", "INPUT", "DIM",  "READ", "LET",  "GOTO",
    "RUN",  "IF",     "RESTORE", "GOSUB",  "RETURN", "REM",   "STOP", "ON",   "WAIT", "LOAD",
    "SAVE", "VERIFY", "DEF",     "POKE",   "PRINT#", "PRINT", "CONT", "LIST", "CLR",  "CMD",
    "SYS",  "OPEN",   "CLOSE",   "GET",    "NEW",    "TAB(",  "TO",   "FN",   "SPC(", "THEN",
    "NOT",  "STEP",   "+",       "-",      "*",      "/",     "^",    "AND",  "OR",   ">",
    "=",    "<",      "SGN",     "INT",    "ABS",    "USR",   "FRE",  "POS",  "SQR",  "RND",
    "LOG",  "EXP",    "COS",     "SIN",    "TAN",    "ATN",   "PEEK", "LEN",  "STR$", "VAL",
    "ASC",  "CHR$",   "LEFT$",   "RIGHT$", "MID$",   "GO"};

constexpr quint8 firstToken = 0x80;
constexpr quint8 remToken = 0x8F;
constexpr quint8 dataToken = 0x83;

QByteArray tokenise(const QByteArray& text) {
    QByteArray out;
    bool quoted = false;
    bool inData = false;
    for (qsizetype at = 0; at < text.size();) {
        const char c = text.at(at);
        if (c == '"') {
            quoted = !quoted;
        }
        if (c == ':' && !quoted) {
            inData = false;
        }
        if (quoted || inData) {
            out.append(c);
            ++at;
            continue;
        }
        const std::string_view rest(text.constData() + at, size_t(text.size() - at));
        qsizetype matched = -1;
        for (size_t k = 0; k < keywords.size(); ++k) {
            if (rest.starts_with(keywords[k])) {
                matched = qsizetype(k);
                break;
            }
        }
        if (matched < 0) {
            out.append(c);
            ++at;
            continue;
        }
        const quint8 token = quint8(firstToken + matched);
        out.append(char(token));
        at += qsizetype(keywords[size_t(matched)].size());
        if (token == remToken) {
            out.append(text.mid(at));
            break;
        }
        inData = token == dataToken;
    }
    return out;
}

void appendWord(QByteArray& bytes, quint16 word) {
    bytes.append(char(word & 0xFF));
    bytes.append(char(word >> 8));
}

} // namespace

QByteArray basicProgram(const QStringList& lines, quint16 loadAddress) {
    QByteArray program;
    appendWord(program, loadAddress);
    quint16 address = loadAddress;
    for (const QString& line : lines) {
        const QByteArray text = line.trimmed().toLatin1();
        qsizetype digits = 0;
        while (digits < text.size() && text.at(digits) >= '0' && text.at(digits) <= '9') {
            ++digits;
        }
        bool ok = false;
        const uint number = text.left(digits).toUInt(&ok);
        if (!ok || number > 63999) {
            continue;
        }
        const QByteArray body = tokenise(text.mid(digits).trimmed());
        // link (2) + line number (2) + body + terminating zero
        const quint16 next = quint16(address + 4 + body.size() + 1);
        appendWord(program, next);
        appendWord(program, quint16(number));
        program.append(body);
        program.append('\0');
        address = next;
    }
    appendWord(program, 0);
    return program;
}

} // namespace vellum::demo
