#pragma once

#include "sequence/Ini.h"

#include <QByteArray>
#include <QString>

#include <array>

// The ".rgb" sequence file: section "Header" with Modul, Count, Speed, TS_End and Repeat, section
// "Sequenz" with TS<i>, R<i>, G<i>, B<i> for the steps 0 to 36. Values are decimal integers;
// reading also takes the hexadecimal forms of iniToInt, and anything missing reads as 0.

constexpr int RgbFileSteps = 37;  // a file always holds this many steps, whatever the variant

struct RgbFileStep {
    qint64 ts = 0;
    qint64 r = 0;
    qint64 g = 0;
    qint64 b = 0;
    bool operator==(const RgbFileStep&) const = default;
};

struct RgbFileData {
    int modul = 0;
    int count = 0;
    int speed = 0;
    int tsEnd = 0;
    int repeat = 0;
    std::array<RgbFileStep, RgbFileSteps> steps{};
    bool operator==(const RgbFileData&) const = default;
};

// The module variant as the file keeps it in "Modul".
enum class ModuleVariant { ATtiny85 = 0, ATtiny45 = 1, ATtiny45MS = 2 };
// 0 (also a missing key) is ATtiny85, 1 is ATtiny45, every other value ATtiny45 (MS).
ModuleVariant moduleVariantFromFile(int modul);
int moduleVariantFileValue(ModuleVariant variant);

RgbFileData readRgbFile(const IniDocument& ini);

// The file's new content: every key written in place into existingContent (which may be empty),
// keeping all other sections, keys, comments and blank lines; missing sections are appended.
QByteArray writeRgbFile(const QByteArray& existingContent, const RgbFileData& data);

// Files larger than this are read only up to it (a sequence file is a few kilobytes).
constexpr qint64 RgbFileReadLimit = qint64(128) * 1024 * 1024;

// Reads the file at path. Any content loads (what is missing or unreadable reads as 0); false with
// "Datei %s kann nicht gelesen werden" only when the file cannot be opened or is not a regular file.
bool loadRgbFile(const QString& path, RgbFileData& data, QString* error = nullptr);

// Writes the whole new content at once (QSaveFile), so a failed save leaves the old file as it
// was. On failure: false and "nach %s kann nicht geschrieben werden" with path for %s. An
// existing file that cannot be read, is write-protected (no write bit) or is larger than
// RgbFileReadLimit is not replaced.
bool saveRgbFile(const QString& path, const RgbFileData& data, QString* error = nullptr);
