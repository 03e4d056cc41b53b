// Vorlan.ini on disk: defaults, value forms, updates that keep the rest of
// the file, the write error, and the working directory of each access.
#include "ini_settings.h"
#include "shell_error.h"
#include "shell_fakes.h"

#include <QDir>
#include <QtTest>

#include <memory>

using namespace vorlan;
using namespace vorlan::testing;

class IniSettingsTest : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void init() { dir_ = std::make_unique<TempWorkDir>(); }
    void cleanup() { dir_.reset(); }

    void defaultsWithoutFile();
    void integers_data();
    void integers();
    void truthValues_data();
    void truthValues();
    void longValueIsCut();
    void firstWriteCreatesFile();
    void updateKeepsForeignKeysAndComments();
    void writtenValuesReadBack();
    void writeError();
    void eachAccessUsesTheWorkingDirectoryOfItsMoment();

private:
    std::unique_ptr<TempWorkDir> dir_;
};

void IniSettingsTest::defaultsWithoutFile() {
    const IniFile ini = SettingsFile();
    QCOMPARE(ini.path(), dir_->file("Vorlan.ini"));
    QCOMPARE(ini.read(settings::kProgram), QStringLiteral("vorlan.exe"));
    QCOMPARE(ini.read(settings::kInputFile), QStringLiteral("in"));
    QCOMPARE(ini.read(settings::kResultFile), QStringLiteral("result/result.cir"));
    QCOMPARE(ini.read(settings::kReportFile), QStringLiteral("report/report.txt"));
    QCOMPARE(ini.read(settings::kLogFile), QStringLiteral("report/log.txt"));
    QCOMPARE(ini.read(settings::kTaskFile), QStringLiteral("report/task.txt"));
    QCOMPARE(ini.read(settings::kCircFile), QStringLiteral("report/level.cir"));
    QCOMPARE(ini.read(settings::kWidth), 600);
    QCOMPARE(ini.read(settings::kHeight), 400);
    QCOMPARE(ini.read(settings::kLeft), 0);
    QCOMPARE(ini.read(settings::kTop), 0);
    QCOMPARE(ini.read(settings::kFindFirst), 0);
    QCOMPARE(ini.read(settings::kLogTask), false);
    QVERIFY(!QFile::exists(ini.path()));
}

void IniSettingsTest::integers_data() {
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<int>("width");
    QTest::newRow("decimal") << QByteArray("width=750") << 750;
    QTest::newRow("not an integer") << QByteArray("width=abc") << 600;
    QTest::newRow("hexadecimal") << QByteArray("width=0x20") << 32;
    QTest::newRow("hexadecimal upper X") << QByteArray("width=0X2A") << 42;
    QTest::newRow("0x alone") << QByteArray("width=0x") << 600;
    QTest::newRow("blanks around") << QByteArray("  WIDTH =  640 ") << 640;
    QTest::newRow("empty") << QByteArray("width=") << 600;
    QTest::newRow("missing") << QByteArray("height=10") << 600;
}

void IniSettingsTest::integers() {
    QFETCH(QByteArray, stored);
    QFETCH(int, width);
    WriteBytes(dir_->file("Vorlan.ini"), "[Visual]\r\n" + stored + "\r\n");
    QCOMPARE(SettingsFile().read(settings::kWidth), width);
}

void IniSettingsTest::truthValues_data() {
    QTest::addColumn<QByteArray>("stored");
    QTest::addColumn<bool>("fallbackFalse");
    QTest::addColumn<bool>("fallbackTrue");
    QTest::newRow("1") << QByteArray("1") << true << true;
    QTest::newRow("0") << QByteArray("0") << false << false;
    QTest::newRow("any non-zero") << QByteArray("-5") << true << true;
    QTest::newRow("no integer") << QByteArray("yes") << false << true;
}

void IniSettingsTest::truthValues() {
    QFETCH(QByteArray, stored);
    QFETCH(bool, fallbackFalse);
    QFETCH(bool, fallbackTrue);
    WriteBytes(dir_->file("Vorlan.ini"), "[general]\r\nlogtask=" + stored + "\r\n");
    const IniFile ini = SettingsFile();
    QCOMPARE(ini.readBool("general", "logtask", false), fallbackFalse);
    QCOMPARE(ini.readBool("general", "logtask", true), fallbackTrue);
}

void IniSettingsTest::longValueIsCut() {
    const QString longName(3000, u'x');
    IniFile ini = SettingsFile();
    ini.write(settings::kInputFile, longName);
    QCOMPARE(ini.read(settings::kInputFile), longName.left(2047));
    QVERIFY(ReadBytes(ini.path()).contains(longName.toLatin1()));
}

void IniSettingsTest::firstWriteCreatesFile() {
    IniFile ini = SettingsFile();
    ini.write(settings::kWidth, 640);
    ini.write(settings::kHeight, 480);
    ini.write(settings::kLogTask, true);
    ini.write(settings::kProgram, QStringLiteral("синтез.exe"));
    QCOMPARE(ReadBytes(ini.path()),
             QByteArray("[visual]\r\nwidth=640\r\nHeight=480\r\n\r\n[general]\r\nlogtask=1\r\n"
                        "program=синтез.exe\r\n"));
}

void IniSettingsTest::updateKeepsForeignKeysAndComments() {
    const QByteArray before =
        "; settings of the synthesis\r\n"
        "[General]\r\n"
        "Program=old.exe\r\n"
        "threads=4\r\n"
        "\r\n"
        "[Visual]\r\n"
        "; where the window was\r\n"
        "Width=800\r\n"
        "colour=blue\r\n";
    const QString path = dir_->file("Vorlan.ini");
    WriteBytes(path, before);

    IniFile ini = SettingsFile();
    ini.write(settings::kWidth, 640);
    ini.write(settings::kProgram, QStringLiteral("new.exe"));
    ini.write(settings::kTop, 32);
    ini.write(settings::kFindNill, false);

    QCOMPARE(ReadBytes(path), QByteArray("; settings of the synthesis\r\n"
                                         "[General]\r\n"
                                         "Program=new.exe\r\n"
                                         "threads=4\r\n"
                                         "findnill=0\r\n"
                                         "\r\n"
                                         "[Visual]\r\n"
                                         "; where the window was\r\n"
                                         "Width=640\r\n"
                                         "colour=blue\r\n"
                                         "top=32\r\n"));
}

void IniSettingsTest::writtenValuesReadBack() {
    IniFile ini = SettingsFile();
    ini.write(settings::kFindFirst, -17);
    ini.write(settings::kLogCirc, true);
    ini.write(settings::kResultFile, QStringLiteral("out dir/res.cir"));
    QCOMPARE(ini.read(settings::kFindFirst), -17);
    QCOMPARE(ini.read(settings::kLogCirc), true);
    QCOMPARE(ini.read(settings::kResultFile), QStringLiteral("out dir/res.cir"));
}

void IniSettingsTest::writeError() {
    // A directory in the file's place cannot be written, not even by root.
    QVERIFY(QDir().mkdir("Vorlan.ini"));
    IniFile ini = SettingsFile();
    try {
        ini.write(settings::kWidth, 640);
        QFAIL("the write succeeded");
    } catch (const ShellError& error) {
        QCOMPARE(error.text(), "Unable to write to " + dir_->file("Vorlan.ini"));
    }
    QCOMPARE(ini.read(settings::kWidth), 600);
}

void IniSettingsTest::eachAccessUsesTheWorkingDirectoryOfItsMoment() {
    QVERIFY(QDir().mkdir("other"));
    SettingsFile().write(settings::kProgram, QStringLiteral("first.exe"));
    QVERIFY(QDir::setCurrent("other"));
    QCOMPARE(SettingsFile().read(settings::kProgram), QStringLiteral("vorlan.exe"));
    SettingsFile().write(settings::kProgram, QStringLiteral("second.exe"));
    QVERIFY(QDir::setCurrent(".."));
    QCOMPARE(SettingsFile().read(settings::kProgram), QStringLiteral("first.exe"));
    QCOMPARE(IniFile(dir_->file("other/Vorlan.ini")).read(settings::kProgram), QStringLiteral("second.exe"));
}

QTEST_GUILESS_MAIN(IniSettingsTest)
#include "test_ini_settings.moc"
