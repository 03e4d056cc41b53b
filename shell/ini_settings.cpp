#include "ini_settings.h"

#include "logic/ini_text.h"
#include "logic/integer_text.h"
#include "shell_error.h"
#include "working_dir.h"

#include <QFile>
#include <QSaveFile>

namespace vorlan {

namespace {

std::optional<QString> StoredValue(const QString& path, const QString& section,
                                   const QString& key) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return std::nullopt;
    return IniText::FromBytes(file.readAll()).value(section, key);
}

}  // namespace

QString IniFile::readString(const QString& section, const QString& key,
                            const QString& fallback) const {
    const auto value = StoredValue(path_, section, key);
    return value ? value->left(kMaxSettingLength) : fallback;
}

int IniFile::readInteger(const QString& section, const QString& key, int fallback) const {
    const auto value = StoredValue(path_, section, key);
    if (!value) return fallback;
    return ParseInteger(value->left(kMaxSettingLength)).value_or(fallback);
}

bool IniFile::readBool(const QString& section, const QString& key, bool fallback) const {
    return readInteger(section, key, fallback ? 1 : 0) != 0;
}

void IniFile::writeString(const QString& section, const QString& key, const QString& value) {
    const QString error = QStringLiteral("Unable to write to ") + path_;
    IniText text;
    if (QFile file(path_); file.exists()) {
        if (!file.open(QIODevice::ReadOnly)) throw ShellError(error);
        text = IniText::FromBytes(file.readAll());
    }
    text.setValue(section, key, value);

    const QByteArray bytes = text.toBytes();
    QSaveFile file(path_);
    file.setDirectWriteFallback(true);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size() || !file.commit()) {
        throw ShellError(error);
    }
}

void IniFile::writeInteger(const QString& section, const QString& key, int value) {
    writeString(section, key, QString::number(value));
}

void IniFile::writeBool(const QString& section, const QString& key, bool value) {
    writeString(section, key, value ? QStringLiteral("1") : QStringLiteral("0"));
}

QString IniFile::read(const StringSetting& s) const {
    return readString(QLatin1String(s.section), QLatin1String(s.key), QLatin1String(s.fallback));
}
int IniFile::read(const IntegerSetting& s) const {
    return readInteger(QLatin1String(s.section), QLatin1String(s.key), s.fallback);
}
bool IniFile::read(const TruthSetting& s) const {
    return readBool(QLatin1String(s.section), QLatin1String(s.key), s.fallback);
}
void IniFile::write(const StringSetting& s, const QString& value) {
    writeString(QLatin1String(s.section), QLatin1String(s.key), value);
}
void IniFile::write(const IntegerSetting& s, int value) {
    writeInteger(QLatin1String(s.section), QLatin1String(s.key), value);
}
void IniFile::write(const TruthSetting& s, bool value) {
    writeBool(QLatin1String(s.section), QLatin1String(s.key), value);
}

IniFile SettingsFile() {
    return IniFile(WorkingDirFile(QStringLiteral("Vorlan.ini")));
}

}  // namespace vorlan
