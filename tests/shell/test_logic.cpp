// The shell's decisions over plain values: integers, memo lines, prefixes,
// command lines, sizes, text encodings and the INI text.
#include "logic/file_names.h"
#include "logic/ini_text.h"
#include "logic/integer_text.h"
#include "logic/synthesis_input.h"
#include "logic/text_encoding.h"
#include "logic/window_sizes.h"

#include <QtTest>

using namespace vorlan;

namespace {

// Text as the Windows program writes it.
QByteArray Cp1251(const char* utf8) {
    return EncodeText(QString::fromUtf8(utf8), TextEncoding::Windows1251);
}

}  // namespace

class ShellLogicTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void parseInteger_data();
    void parseInteger();
    void memoLines_data();
    void memoLines();
    void transferPrefix_data();
    void transferPrefix();
    void inputFunctionPrefix();
    void fractionLines();
    void commandLine_data();
    void commandLine();
    void commandArguments();
    void selectedItem_data();
    void selectedItem();
    void mainWidth();
    void transferMemoHeight();
    void inWorkingDir();
    void textForm_data();
    void textForm();
    void encodeText_data();
    void encodeText();
    void windows1251RoundTrip();
    void iniRead_data();
    void iniRead();
    void iniWrite_data();
    void iniWrite();
};

void ShellLogicTest::parseInteger_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<int>("value");
    QTest::newRow("decimal") << "42" << true << 42;
    QTest::newRow("leading zeros") << "007" << true << 7;
    QTest::newRow("negative") << "-12" << true << -12;
    QTest::newRow("plus") << "+3" << true << 3;
    QTest::newRow("leading blanks") << "  5" << true << 5;
    QTest::newRow("hex 0x") << "0x20" << true << 32;
    QTest::newRow("hex 0X upper") << "0XfF" << true << 255;
    QTest::newRow("hex dollar") << "$10" << true << 16;
    QTest::newRow("hex all ones") << "0xFFFFFFFF" << true << -1;
    QTest::newRow("largest") << "2147483647" << true << 2147483647;
    QTest::newRow("smallest") << "-2147483648" << true << static_cast<int>(-2147483647 - 1);
    QTest::newRow("too large") << "2147483648" << false << 0;
    QTest::newRow("hex too long") << "0x123456789" << false << 0;
    QTest::newRow("letters") << "abc" << false << 0;
    QTest::newRow("empty") << "" << false << 0;
    QTest::newRow("sign only") << "-" << false << 0;
    QTest::newRow("0x alone") << "0x" << false << 0;
    QTest::newRow("trailing blank") << "5 " << false << 0;
    QTest::newRow("trailing letter") << "12a" << false << 0;
    QTest::newRow("fraction") << "1.5" << false << 0;
}

void ShellLogicTest::parseInteger() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(int, value);
    const auto parsed = ParseInteger(text);
    QCOMPARE(parsed.has_value(), valid);
    if (valid) QCOMPARE(*parsed, value);
    QCOMPARE(NotAnIntegerMessage(QStringLiteral("abc")), QStringLiteral("'abc' is not a valid integer value"));
}

void ShellLogicTest::memoLines_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<bool>("empty");
    QTest::newRow("nothing") << "" << QStringList{} << true;
    QTest::newRow("one line break") << "\n" << QStringList{""} << true;
    QTest::newRow("one line") << "a*b" << QStringList{"a*b"} << false;
    QTest::newRow("final break") << "a*b\n" << QStringList{"a*b"} << false;
    QTest::newRow("two lines") << "x\ny" << QStringList{"x", "y"} << false;
    QTest::newRow("two empty lines") << "\n\n" << QStringList{"", ""} << false;
}

void ShellLogicTest::memoLines() {
    QFETCH(QString, text);
    QFETCH(QStringList, lines);
    QFETCH(bool, empty);
    QCOMPARE(MemoLines(text), lines);
    QCOMPARE(HoldsNoExpression(MemoLines(text)), empty);
}

void ShellLogicTest::transferPrefix_data() {
    QTest::addColumn<int>("receiver");
    QTest::addColumn<int>("source");
    QTest::addColumn<QString>("prefix");
    QTest::newRow("U E") << 0 << 0 << "-K?1*(";
    QTest::newRow("U J") << 0 << 1 << "-G?1*(";
    QTest::newRow("I E") << 1 << 0 << "-H?1*(";
    QTest::newRow("I J") << 1 << 1 << "-F?1*(";
    QTest::newRow("typed receiver, E") << -1 << 0 << "-H?1*(";
    QTest::newRow("U, typed source") << 0 << -1 << "-G?1*(";
}

void ShellLogicTest::transferPrefix() {
    QFETCH(int, receiver);
    QFETCH(int, source);
    QFETCH(QString, prefix);
    QCOMPARE(TransferPrefix(receiver, source), prefix);
}

void ShellLogicTest::inputFunctionPrefix() {
    QCOMPARE(InputFunctionPrefix(0), QStringLiteral("-G?1*("));
    QCOMPARE(InputFunctionPrefix(1), QStringLiteral("-H?1*("));
    QCOMPARE(InputFunctionPrefix(-1), QStringLiteral("-H?1*("));
}

void ShellLogicTest::fractionLines() {
    QCOMPARE(FractionLines("-H?1*(", {"x", "y"}, {"z"}), (QStringList{"-H?1*(x", "y", ")+", "z"}));
    QCOMPARE(FractionLines("-K?1*(", {""}, {}), (QStringList{"-K?1*(", ")+"}));
}

void ShellLogicTest::commandLine_data() {
    QTest::addColumn<QString>("params");
    QTest::addColumn<int>("count");
    QTest::addColumn<bool>("izo");
    QTest::addColumn<bool>("add");
    QTest::addColumn<QString>("element");
    QTest::addColumn<QString>("line");
    QTest::newRow("count only") << "" << 2 << false << false << "R5" << "-n 2 ";
    QTest::newRow("input function") << "-i " << 0 << false << false << "" << "-i -n 0 ";
    QTest::newRow("isomorphic") << "" << 7 << true << false << "" << "-n 7 -f ";
    QTest::newRow("add element") << "" << 1 << false << true << "C3" << "-n 1 -add C3 ";
    QTest::newRow("everything") << "-i " << 0 << true << true << "R5" << "-i -n 0 -f -add R5 ";
    QTest::newRow("negative count") << "" << -3 << false << false << "" << "-n -3 ";
}

void ShellLogicTest::commandLine() {
    QFETCH(QString, params);
    QFETCH(int, count);
    QFETCH(bool, izo);
    QFETCH(bool, add);
    QFETCH(QString, element);
    QFETCH(QString, line);
    QCOMPARE(CommandLine(params, {count, izo, add, element}), line);
}

void ShellLogicTest::commandArguments() {
    QCOMPARE(CommandArguments("-i -n 0 -f -add R5 "), (QStringList{"-i", "-n", "0", "-f", "-add", "R5"}));
    QCOMPARE(CommandArguments("-n 2  -add $(rm x);y "), (QStringList{"-n", "2", "-add", "$(rm", "x);y"}));
    QCOMPARE(CommandArguments(""), QStringList{});
}

void ShellLogicTest::selectedItem_data() {
    QTest::addColumn<QStringList>("items");
    QTest::addColumn<int>("current");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("item");
    const QStringList ej{"E", "J"};
    const QStringList twice{"Определитель", "U(R1)", "I(R1)", "U(R1)", "I(R1)"};
    QTest::newRow("chosen item") << ej << 1 << "J" << 1;
    QTest::newRow("typed text of another item") << ej << 0 << "J" << 1;
    QTest::newRow("typed text of no item") << ej << 0 << "X" << -1;
    QTest::newRow("case counts") << ej << -1 << "e" << -1;
    QTest::newRow("no current item") << ej << -1 << "E" << 0;
    QTest::newRow("second of two equal texts") << twice << 3 << "U(R1)" << 3;
    QTest::newRow("fourth of two equal texts") << twice << 4 << "I(R1)" << 4;
    QTest::newRow("typed text of two items") << twice << 0 << "I(R1)" << 2;
    QTest::newRow("current index past the items") << ej << 5 << "J" << 1;
}

void ShellLogicTest::selectedItem() {
    QFETCH(QStringList, items);
    QFETCH(int, current);
    QFETCH(QString, text);
    QFETCH(int, item);
    QCOMPARE(SelectedItem(items, current, text), item);
}

void ShellLogicTest::mainWidth() {
    QCOMPARE(AllowedMainWidth(100), 592);
    QCOMPARE(AllowedMainWidth(592), 592);
    QCOMPARE(AllowedMainWidth(593), 593);
}

void ShellLogicTest::transferMemoHeight() {
    QCOMPARE(TransferMemoHeight(300, 40, 40, 30), 95);
    QCOMPARE(TransferMemoHeight(301, 40, 40, 30), 95);  // the odd pixel is dropped
    QCOMPARE(TransferMemoHeight(100, 40, 40, 30), -5);  // truncated toward zero
}

void ShellLogicTest::inWorkingDir() {
    QCOMPARE(InWorkingDir("/work", "vorlan.exe"), QStringLiteral("/work/vorlan.exe"));
    QCOMPARE(InWorkingDir("/work", "report/report.txt"), QStringLiteral("/work/report/report.txt"));
    QCOMPARE(InWorkingDir("/work", "/opt/synth/vorlan"), QStringLiteral("/opt/synth/vorlan"));
    QCOMPARE(InWorkingDir("/", "in"), QStringLiteral("/in"));
}

void ShellLogicTest::textForm_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<bool>("windows1251");
    QTest::addColumn<bool>("mark");
    QTest::addColumn<QString>("text");
    QTest::newRow("empty") << QByteArray() << false << false << "";
    QTest::newRow("ASCII") << QByteArray("[a]\r\nk=v\r\n") << false << false << "[a]\r\nk=v\r\n";
    QTest::newRow("UTF-8") << QByteArray("k=\xd0\xbe\xd1\x82\xd1\x87\xd0\xb5\xd1\x82") << false << false
                           << "k=отчет";
    QTest::newRow("Windows-1251") << QByteArray("k=\xee\xf2\xf7\xe5\xf2/\xcb\xce\xc3") << true << false
                                  << "k=отчет/ЛОГ";
    QTest::newRow("UTF-8 with mark") << QByteArray("\xef\xbb\xbf[general]\r\n") << false << true
                                     << "[general]\r\n";
    QTest::newRow("Windows-1251 with mark") << QByteArray("\xef\xbb\xbf\xee\xf2\xf7\xe5\xf2") << true << true
                                            << "отчет";
    QTest::newRow("mark alone") << QByteArray("\xef\xbb\xbf") << false << true << "";
    QTest::newRow("second mark is text") << QByteArray("\xef\xbb\xbf\xef\xbb\xbf" "a") << false << true
                                         << QString(QChar(0xFEFF)) + "a";
    QTest::newRow("cut UTF-8 sequence at the end") << QByteArray("ab\xd0") << true << false << "abР";
    // Each line reads in its own encoding; the file counts as Windows-1251.
    QTest::newRow("one Windows-1251 line among UTF-8 ones")
        << QByteArray("\xd0\xbe\r\n\xee\r\n") << true << false << "о\r\nо\r\n";
    QTest::newRow("mixed lines, CR LF and LF")
        << "схема\r\n" + Cp1251("синтез\n") + "ASCII\r\n" + Cp1251("версия") << true << false
        << "схема\r\nсинтез\nASCII\r\nверсия";
    QTest::newRow("mixed lines behind a mark")
        << kUtf8ByteOrderMark.toByteArray() + Cp1251("; комментарий\r\n") + "вход.txt\n" << true << true
        << "; комментарий\r\nвход.txt\n";
    QTest::newRow("cut UTF-8 sequence at a line's end")
        << QByteArray("ab\xd0\n\xd0\xbe\n") << true << false << "abР\nо\n";
}

void ShellLogicTest::textForm() {
    QFETCH(QByteArray, bytes);
    QFETCH(bool, windows1251);
    QFETCH(bool, mark);
    QFETCH(QString, text);
    const TextForm form{windows1251 ? TextEncoding::Windows1251 : TextEncoding::Utf8, mark};
    QCOMPARE(DetectTextForm(bytes), form);
    QCOMPARE(DecodeFile(bytes), text);
}

void ShellLogicTest::encodeText_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("windows1251");
    QTest::addColumn<QByteArray>("bytes");
    QTest::newRow("UTF-8") << "лог" << false << QByteArray("\xd0\xbb\xd0\xbe\xd0\xb3");
    QTest::newRow("Windows-1251") << "отчет/лог.txt №1" << true
                                  << QByteArray("\xee\xf2\xf7\xe5\xf2/\xeb\xee\xe3.txt \xb9" "1");
    QTest::newRow("missing character") << "a\u4e2d" "b" << true << QByteArray("a?b");
    QTest::newRow("missing pair of surrogates") << "x\U0001F600y" << true << QByteArray("x?y");
}

void ShellLogicTest::encodeText() {
    QFETCH(QString, text);
    QFETCH(bool, windows1251);
    QFETCH(QByteArray, bytes);
    QCOMPARE(EncodeText(text, windows1251 ? TextEncoding::Windows1251 : TextEncoding::Utf8), bytes);
}

void ShellLogicTest::windows1251RoundTrip() {
    // Every byte reads as one character and is written back as itself.
    for (int b = 0; b < 256; ++b) {
        const QByteArray byte(1, static_cast<char>(b));
        const QString text = DecodeText(byte, TextEncoding::Windows1251);
        QCOMPARE(text.size(), 1);
        QCOMPARE(EncodeText(text, TextEncoding::Windows1251), byte);
    }
}

void ShellLogicTest::iniRead_data() {
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");  // null: none
    const QByteArray ini = "; comment\r\n[General]\r\nProgram = synth.exe \r\n[visual]\r\nwidth=700\r\n"
                           "[files]\r\ninputfile=a=b\r\n";
    QTest::newRow("case of section and key") << ini << "general" << "program" << "synth.exe";
    QTest::newRow("other section") << ini << "visual" << "width" << "700";
    QTest::newRow("first equals sign") << ini << "files" << "inputfile" << "a=b";
    QTest::newRow("key of another section") << ini << "general" << "width" << QString();
    QTest::newRow("missing section") << ini << "other" << "width" << QString();
    QTest::newRow("before any section") << QByteArray("program=x\n[general]\n") << "general" << "program" << QString();
    QTest::newRow("LF line ends") << QByteArray("[a]\nk=v\n") << "a" << "k" << "v";
    QTest::newRow("no final line end") << QByteArray("[a]\r\nk=v") << "a" << "k" << "v";
    QTest::newRow("empty value") << QByteArray("[a]\r\nk=\r\n") << "a" << "k" << "";
    QTest::newRow("commented key") << QByteArray("[a]\r\n;k=v\r\n") << "a" << "k" << QString();
    QTest::newRow("first of two") << QByteArray("[a]\r\nk=1\r\nK=2\r\n") << "a" << "k" << "1";
    QTest::newRow("repeated section") << QByteArray("[a]\r\nx=1\r\n[b]\r\n[A]\r\nk=2\r\n") << "a" << "k" << "2";
    QTest::newRow("cyrillic value") << QByteArray("[a]\r\nk=Схема\r\n") << "a" << "k" << "Схема";
    QTest::newRow("Windows-1251 value")
        << QByteArray("[files]\r\nlogfile=\xee\xf2\xf7\xe5\xf2/\xeb\xee\xe3.txt\r\n") << "files" << "logfile"
        << "отчет/лог.txt";
    QTest::newRow("Windows-1251 section and key")
        << QByteArray("[\xd4\xe0\xe9\xeb\xfb]\r\n\xd0\xe5\xe6\xe8\xec=1\r\n") << "файлы" << "РЕЖИМ" << "1";
    QTest::newRow("first section behind a mark")
        << QByteArray("\xef\xbb\xbf[general]\r\nprogram=p\r\n") << "general" << "program" << "p";
    QTest::newRow("non-breaking space kept")
        << QByteArray("[a]\r\nk=\xa0x\xa0\r\n") << "a" << "k" << "\u00a0x\u00a0";
    const QByteArray mixed = Cp1251("; комментарий\r\n") + "[Файлы]\r\ninputfile=вход.txt\r\n" +
                             Cp1251("logfile=отчет.txt\r\n");
    QTest::newRow("UTF-8 value beside a Windows-1251 comment") << mixed << "файлы" << "inputfile" << "вход.txt";
    QTest::newRow("Windows-1251 value beside UTF-8 lines") << mixed << "файлы" << "logfile" << "отчет.txt";
}

void ShellLogicTest::iniRead() {
    QFETCH(QByteArray, file);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    const auto found = IniText::FromBytes(file).value(section, key);
    QCOMPARE(found.has_value(), !value.isNull());
    if (found) QCOMPARE(*found, value);
}

void ShellLogicTest::iniWrite_data() {
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");
    QTest::newRow("new file") << QByteArray() << "visual" << "width" << "600"
                              << QByteArray("[visual]\r\nwidth=600\r\n");
    QTest::newRow("replaces its own line only")
        << QByteArray("; keep me\r\n[General]\r\n  PROGRAM = old.exe\r\nlogtask=1\r\n")
        << "general" << "program" << "new.exe"
        << QByteArray("; keep me\r\n[General]\r\nPROGRAM=new.exe\r\nlogtask=1\r\n");
    QTest::newRow("behind the section's last key")
        << QByteArray("[files]\r\nlogfile=x\r\n; about visual\r\n[visual]\r\nleft=3\r\n")
        << "files" << "inputfile" << "in"
        << QByteArray("[files]\r\nlogfile=x\r\ninputfile=in\r\n; about visual\r\n[visual]\r\nleft=3\r\n");
    QTest::newRow("empty section") << QByteArray("[files]\r\n[visual]\r\n") << "files" << "k" << "v"
                                   << QByteArray("[files]\r\nk=v\r\n[visual]\r\n");
    QTest::newRow("new section at the end") << QByteArray("[general]\r\nprogram=p\r\n")
                                            << "visual" << "top" << "32"
                                            << QByteArray("[general]\r\nprogram=p\r\n\r\n[visual]\r\ntop=32\r\n");
    QTest::newRow("last line without a break")
        << QByteArray("[a]\r\nk=1") << "a" << "j" << "2" << QByteArray("[a]\r\nk=1\r\nj=2\r\n");
    QTest::newRow("last line with CR only")
        << QByteArray("[a]\r\nk=1\r") << "a" << "j" << "2" << QByteArray("[a]\r\nk=1\r\nj=2\r\n");
    QTest::newRow("other lines keep their bytes")
        << QByteArray("[a]\nk=1\n\xcf\xf0\xee\xe3\xf0\xe0\xec\xec\xe0=cp1251\n")
        << "a" << "k" << "2" << QByteArray("[a]\nk=2\r\n\xcf\xf0\xee\xe3\xf0\xe0\xec\xec\xe0=cp1251\n");
    const QByteArray spaced = "; \xea\xee\xec\xec\xe5\xed\xf2\xe0\xf0\xe8\xe9\n[General]\n  PROGRAM = old.exe \nk=1";
    QTest::newRow("same value keeps its line") << spaced << "general" << "program" << "old.exe" << spaced;
    QTest::newRow("same value on a last line without a break") << spaced << "general" << "k" << "1" << spaced;
    QTest::newRow("new value on a last line without a break")
        << spaced << "general" << "k" << "2"
        << QByteArray("; \xea\xee\xec\xec\xe5\xed\xf2\xe0\xf0\xe8\xe9\n[General]\n  PROGRAM = old.exe \nk=2\r\n");
    QTest::newRow("Windows-1251 file gets Windows-1251 lines")
        << QByteArray("[files]\r\nlogfile=\xee\xf2\xf7\xe5\xf2/\xeb\xee\xe3.txt\r\n")
        << "\xd1\x84\xd0\xb0\xd0\xb9\xd0\xbb\xd1\x8b" << "taskfile" << "задание.txt"
        << QByteArray("[files]\r\nlogfile=\xee\xf2\xf7\xe5\xf2/\xeb\xee\xe3.txt\r\n\r\n"
                      "[\xf4\xe0\xe9\xeb\xfb]\r\ntaskfile=\xe7\xe0\xe4\xe0\xed\xe8\xe5.txt\r\n");
    QTest::newRow("Windows-1251 value replaced")
        << QByteArray("[files]\r\nlogfile=\xee\xf2\xf7\xe5\xf2/\xeb\xee\xe3.txt\r\n")
        << "files" << "logfile" << "лог.txt" << QByteArray("[files]\r\nlogfile=\xeb\xee\xe3.txt\r\n");
    QTest::newRow("mark kept, first section found")
        << QByteArray("\xef\xbb\xbf[general]\r\nprogram=p\r\n") << "general" << "logtask" << "1"
        << QByteArray("\xef\xbb\xbf[general]\r\nprogram=p\r\nlogtask=1\r\n");
    QTest::newRow("UTF-8 file gets UTF-8 lines")
        << QByteArray("\xef\xbb\xbf[files]\r\n") << "files" << "logfile" << "лог"
        << QByteArray("\xef\xbb\xbf[files]\r\nlogfile=\xd0\xbb\xd0\xbe\xd0\xb3\r\n");

    // A UTF-8 file that a Windows editor gave a comment: a changed line keeps
    // its encoding, and an ASCII line or a new one takes the file's, which is
    // Windows-1251 now.
    const auto mixed = [](const QByteArray& input, const QByteArray& log, const QByteArray& result) {
        return Cp1251("; комментарий\r\n") + "[files]\r\n" + input + log + result;
    };
    const QByteArray input = "inputfile=вход.txt\r\n";
    const QByteArray log = Cp1251("logfile=отчет.txt\n");
    const QByteArray result = "resultfile=result.cir\n";
    QTest::newRow("mixed file, same UTF-8 value keeps its line")
        << mixed(input, log, result) << "files" << "inputfile" << "вход.txt" << mixed(input, log, result);
    QTest::newRow("mixed file, UTF-8 line stays UTF-8")
        << mixed(input, log, result) << "files" << "inputfile" << "выход.txt"
        << mixed("inputfile=выход.txt\r\n", log, result);
    QTest::newRow("mixed file, Windows-1251 line stays Windows-1251")
        << mixed(input, log, result) << "files" << "logfile" << "лог.txt"
        << mixed(input, Cp1251("logfile=лог.txt\r\n"), result);
    QTest::newRow("mixed file, ASCII line takes the file's encoding")
        << mixed(input, log, result) << "files" << "resultfile" << "итог.cir"
        << mixed(input, log, Cp1251("resultfile=итог.cir\r\n"));
    QTest::newRow("mixed file, new key in the file's encoding")
        << mixed(input, log, result) << "files" << "taskfile" << "задание.txt"
        << mixed(input, log, result) + Cp1251("taskfile=задание.txt\r\n");
    QTest::newRow("mixed file behind a mark, UTF-8 line stays UTF-8")
        << kUtf8ByteOrderMark.toByteArray() + mixed(input, log, result) << "files" << "inputfile" << "выход.txt"
        << kUtf8ByteOrderMark.toByteArray() + mixed("inputfile=выход.txt\r\n", log, result);

    // A line that Windows-1251 cannot hold goes into a Windows-1251 file in
    // UTF-8, whole, rather than as "Gr??e.cir"; the lines around it keep
    // their bytes.
    const auto cp1251File = [](const QByteArray& result) {
        return Cp1251("; комментарий\r\n[files]\r\nlogfile=отчет.txt\r\n") + result;
    };
    QTest::newRow("Windows-1251 line, value beyond Windows-1251")
        << cp1251File(Cp1251("resultfile=итог.cir\r\n")) << "files" << "resultfile" << "Grüße.cir"
        << cp1251File("resultfile=Grüße.cir\r\n");
    QTest::newRow("ASCII line of a Windows-1251 file, value beyond Windows-1251")
        << cp1251File("resultfile=result.cir\r\n") << "files" << "resultfile" << "итог/Grüße.cir"
        << cp1251File("resultfile=итог/Grüße.cir\r\n");
    QTest::newRow("new key in a Windows-1251 file, value beyond Windows-1251")
        << cp1251File({}) << "files" << "resultfile" << "Grüße.cir" << cp1251File("resultfile=Grüße.cir\r\n");
    QTest::newRow("new section in a Windows-1251 file, name beyond Windows-1251")
        << cp1251File({}) << "Ergebnisse/Größe" << "resultfile" << "итог.cir"
        << cp1251File("\r\n[Ergebnisse/Größe]\r\n") + Cp1251("resultfile=итог.cir\r\n");
}

void ShellLogicTest::iniWrite() {
    QFETCH(QByteArray, before);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    IniText text = IniText::FromBytes(before);
    text.setValue(section, key, value);
    QCOMPARE(text.toBytes(), after);
    QCOMPARE(*text.value(section, key), value);
    // Read anew, the file holds the value as written.
    QCOMPARE(*IniText::FromBytes(text.toBytes()).value(section, key), value);
}

QTEST_APPLESS_MAIN(ShellLogicTest)
#include "test_logic.moc"
