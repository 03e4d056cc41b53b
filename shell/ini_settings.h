// Vorlan.ini: the shell's settings, with Windows profile semantics (see
// logic/ini_text.h). Every read and every write opens the file, does its one
// job and closes it again; nothing is cached.
#pragma once

#include <QString>

namespace vorlan {

struct StringSetting {
    const char* section;
    const char* key;
    const char* fallback;
};
struct IntegerSetting {
    const char* section;
    const char* key;
    int fallback;
};
struct TruthSetting {
    const char* section;
    const char* key;
    bool fallback;
};

// Every key of Vorlan.ini with its default.
namespace settings {
inline constexpr StringSetting kProgram{"general", "program", "vorlan.exe"};
inline constexpr StringSetting kResultFile{"files", "resultfile", "result/result.cir"};
inline constexpr StringSetting kInputFile{"files", "inputfile", "in"};
inline constexpr StringSetting kLogFile{"files", "logfile", "report/log.txt"};
inline constexpr StringSetting kTaskFile{"files", "taskfile", "report/task.txt"};
inline constexpr StringSetting kCircFile{"files", "circfile", "report/level.cir"};
inline constexpr TruthSetting kLogTask{"general", "logtask", false};
inline constexpr TruthSetting kLogCirc{"general", "logcirc", false};
inline constexpr TruthSetting kFindNill{"general", "findnill", false};
inline constexpr IntegerSetting kFindFirst{"general", "FindFirst", 0};
inline constexpr StringSetting kReportFile{"files", "logresfile", "report/report.txt"};
inline constexpr IntegerSetting kWidth{"visual", "width", 600};
inline constexpr IntegerSetting kHeight{"visual", "Height", 400};
inline constexpr IntegerSetting kLeft{"visual", "left", 0};
inline constexpr IntegerSetting kTop{"visual", "top", 0};
}  // namespace settings

// At most this many characters of a stored string are seen.
inline constexpr int kMaxSettingLength = 2047;

class IniFile {
public:
    explicit IniFile(QString path) : path_(std::move(path)) {}
    const QString& path() const { return path_; }

    // A missing file, section or key gives the fallback.
    QString readString(const QString& section, const QString& key, const QString& fallback) const;
    // Decimal or "0x" hexadecimal; a text that is no integer gives the fallback.
    int readInteger(const QString& section, const QString& key, int fallback) const;
    // Any non-zero integer is true.
    bool readBool(const QString& section, const QString& key, bool fallback) const;

    // Each write changes the key's own line, in that line's encoding (a new
    // line in the file's, see logic/ini_text.h), and leaves the rest of the
    // file as it was; a key that holds the value already keeps its line as
    // it stands. The first write creates the file (UTF-8). A file that
    // cannot be written raises "Unable to write to " + path.
    void writeString(const QString& section, const QString& key, const QString& value);
    void writeInteger(const QString& section, const QString& key, int value);
    void writeBool(const QString& section, const QString& key, bool value);

    QString read(const StringSetting& s) const;
    int read(const IntegerSetting& s) const;
    bool read(const TruthSetting& s) const;
    void write(const StringSetting& s, const QString& value);
    void write(const IntegerSetting& s, int value);
    void write(const TruthSetting& s, bool value);

private:
    QString path_;
};

// Vorlan.ini in the working directory of this moment.
IniFile SettingsFile();

}  // namespace vorlan
