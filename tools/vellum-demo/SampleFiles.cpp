#include "SampleFiles.h"

#include "BasicProgram.h"
#include "TapeImage.h"

#include "images/D64Builder.h"
#include "images/ParsedFile.h"

namespace vellum::demo {

namespace {

// Text as a C64 file holds it: upper-case PETSCII, one carriage return after each line.
QByteArray petsciiText(const QStringList& lines) {
    QByteArray text;
    for (const QString& line : lines) {
        text += line.toUpper().toLatin1() + '\r';
    }
    return text;
}

// A BASIC line that starts the machine code right after it ("10 SYS2061"), then the code:
// flash the border until a key is pressed.
QByteArray borderFlash() {
    const QByteArray stub = basicProgram({QStringLiteral("10 SYS0000")});
    const quint16 code = quint16(0x0801 + stub.size() - 2);
    QByteArray program = basicProgram({QStringLiteral("10 SYS%1").arg(code)});
    const QByteArray loop{"\x20\xE4\xFF"  // JSR $FFE4   (GETIN)
                          "\xD0\x06"      // BNE done
                          "\xEE\x20\xD0", // INC $D020   (border colour)
                          8};
    program += loop;
    program += char(0x4C); // JMP loop
    program += char(code & 0xFF);
    program += char(code >> 8);
    program += char(0x60); // done: RTS
    return program;
}

QByteArray diskImage(const QString& name, const QString& id, const QList<AddableFile>& files) {
    D64Builder disk = D64Builder::create(name, id);
    for (const AddableFile& file : files) {
        disk.addFile(file.name, file.type, file.contents);
    }
    return disk.data();
}

AddableFile program(const QString& name, const QStringList& lines) {
    return {name, CBMFileType::prg, basicProgram(lines)};
}

const QStringList mazeLines{QStringLiteral("10 PRINT CHR$(205.5+RND(1));:GOTO 10")};

} // namespace

QByteArray sampleFloppy() {
    const QList<AddableFile> files{
        program(QStringLiteral("HELLO"),
                {QStringLiteral("10 PRINT CHR$(147)\"HELLO FROM VELLUM!\""),
                 QStringLiteral("20 PRINT \"THIS DISK SPINS IN A SIMULATED 1541.\""),
                 QStringLiteral("30 END")}),
        program(QStringLiteral("COUNTDOWN"),
                {QStringLiteral("10 FOR I=10 TO 1 STEP -1"), QStringLiteral("20 PRINT I"),
                 QStringLiteral("30 FOR D=1 TO 300:NEXT D"), QStringLiteral("40 NEXT I"),
                 QStringLiteral("50 PRINT \"LIFT OFF!\"")}),
        program(QStringLiteral("GUESS"), {QStringLiteral("10 N=INT(RND(0)*100)+1:T=0"),
                                          QStringLiteral("20 PRINT \"GUESS MY NUMBER (1-100)\""),
                                          QStringLiteral("30 INPUT G:T=T+1"),
                                          QStringLiteral("40 IF G<N THEN PRINT \"HIGHER\":GOTO 30"),
                                          QStringLiteral("50 IF G>N THEN PRINT \"LOWER\":GOTO 30"),
                                          QStringLiteral("60 PRINT \"RIGHT IN\";T;\"TRIES!\"")}),
        {QStringLiteral("FLASH"), CBMFileType::prg, borderFlash()},
        {QStringLiteral("README"), CBMFileType::seq,
         petsciiText({QStringLiteral("Welcome to the Vellum demo."), QString(),
                      QStringLiteral("This disk sits in drive 8, a simulated 1541-II."),
                      QStringLiteral("Drive 9 is a 1571 without a disk."), QString(),
                      QStringLiteral("Copy files across with the arrows between the"),
                      QStringLiteral("panes, save the whole floppy as a .d64 image,"),
                      QStringLiteral("or open a disk image on the computer side to"),
                      QStringLiteral("look inside it. The drive here takes about as"),
                      QStringLiteral("long per track as a real one, so the progress"),
                      QStringLiteral("bar has something to show."), QString(),
                      QStringLiteral("Nothing you do here touches real hardware.")})},
        {QStringLiteral("HIGH SCORES"), CBMFileType::seq,
         petsciiText({QStringLiteral("ANNA,12400"), QStringLiteral("BEN,9800"),
                      QStringLiteral("CLARA,7150"), QStringLiteral("DAN,3020")})},
    };
    return diskImage(QStringLiteral("VELLUM DEMO"), QStringLiteral("01"), files);
}

QList<SampleFile> sampleFolderFiles() {
    const QList<AddableFile> games{
        program(QStringLiteral("MAZE"), mazeLines),
        program(QStringLiteral("DICE"),
                {QStringLiteral("10 PRINT \"YOU ROLLED A\";INT(RND(0)*6)+1"),
                 QStringLiteral("20 PRINT \"PRESS A KEY TO ROLL AGAIN\""),
                 QStringLiteral("30 GET K$:IF K$=\"\" THEN 30"), QStringLiteral("40 GOTO 10")}),
        {QStringLiteral("FLASH"), CBMFileType::prg, borderFlash()},
    };
    const QList<AddableFile> tape{
        program(QStringLiteral("MAZE"), mazeLines),
        program(QStringLiteral("STARS"),
                {QStringLiteral("10 PRINT CHR$(147)"),
                 QStringLiteral("20 POKE 1024+INT(RND(0)*1000),42"), QStringLiteral("30 GOTO 20")}),
    };
    return {
        {QStringLiteral("greetings.prg"),
         basicProgram({QStringLiteral("10 PRINT \"GREETINGS FROM THE COMPUTER SIDE!\""),
                       QStringLiteral("20 PRINT \"COPIED ACROSS BY VELLUM.\"")})},
        {QStringLiteral("letter.seq"),
         petsciiText({QStringLiteral("Dear reader,"), QString(),
                      QStringLiteral("this text file came from the computer side."),
                      QStringLiteral("On the floppy it is a SEQ file."), QString(),
                      QStringLiteral("Regards, Vellum")})},
        {QStringLiteral("games.d64"),
         diskImage(QStringLiteral("GAMES"), QStringLiteral("GM"), games)},
        {QStringLiteral("classics.t64"), tapeImage(QStringLiteral("CLASSICS"), tape)},
    };
}

} // namespace vellum::demo
